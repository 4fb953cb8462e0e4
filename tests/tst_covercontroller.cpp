// SPDX-License-Identifier: GPL-3.0-or-later
// The cover controller with no window: every command one step back and
// forth, the modified state, saving and opening, and random runs of commands
// that must save and open as the same cover.
#include "CoverArchive.h"
#include "CoverController.h"
#include "CoverFile.h"
#include "CoverStates.h"
#include "GifSupport.h"
#include "GifWriter.h"
#include "PictureLoading.h"
#include "SampleFiles.h"
#include "TestFiles.h"

#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

using TCommand = std::function<TOutcome(TCoverController &)>;
Q_DECLARE_METATYPE(TCommand)

namespace {

CoverSize Case()
{
    CoverSize s;
    s.Name = QStringLiteral("Case");
    s.SingleWidth = 5;
    s.SingleHeight = 4.75;
    s.LeftWidth = 0.25;
    s.CenterWidth = 5.5;
    s.RightWidth = 0.25;
    s.MultipleHeight = 4.75;
    return s;
}

// A Multiple cover with a picture placed by hand on the center, as many
// commands need one.
void Prepare(TCoverController &c)
{
    QVERIFY(c.NewCover(Case(), CoverMode::Multiple).Ok());
    QVERIFY(c.PlaceImage(2, QuarterPicture(40, 30)).Ok());
    QVERIFY(c.SetPlacement(2, TCoverController::TPlacement::UserDefined).Ok());
    QVERIFY(c.AddTextBlock(2).Ok());
    c.StartAfresh();
}

} // namespace

class TestCoverController : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        RegisterPictureKinds();
        RegisterGifSupport();
        TMyGifImage::SetLibraryDir(ProgramBinDir());
    }

    void everyCommandIsOneStepBackAndForth_data()
    {
        QTest::addColumn<TCommand>("command");
        QTest::addColumn<QString>("step");
        using P = TCoverController::TPlacement;
        const auto row = [](const char *name, const char *step, TCommand command) {
            QTest::newRow(name) << command << QString::fromLatin1(step);
        };
        row("place", "Change picture", [this](TCoverController &c) {
            const QString file = m_dir.filePath("a.png");
            WriteBytes(file, WritePng(QuarterPicture(20, 10)));
            return c.PlacePicture(1, file);
        });
        row("paste", "Paste picture", [](TCoverController &c) {
            QMimeData data;
            data.setData("image/bmp", WriteBmp(QuarterPicture(8, 8)));
            return c.PlaceMimeData(3, &data);
        });
        row("clear", "Clear picture", [](TCoverController &c) { return c.ClearPicture(2); });
        row("stretch", "Picture view", [](TCoverController &c) { return c.SetPlacement(2, P::Stretch); });
        row("autosize", "Picture view", [](TCoverController &c) { return c.SetPlacement(2, P::Autosize); });
        row("centre", "Center picture", [](TCoverController &c) { return c.CenterPicture(2); });
        row("zoom in", "Zoom in", [](TCoverController &c) { return c.ZoomIn(2); });
        row("zoom out", "Zoom out", [](TCoverController &c) { return c.ZoomOut(2); });
        row("background", "Background color", [](TCoverController &c) { return c.SetBackColor(1, 0x123456); });
        row("text", "Typing", [](TCoverController &c) { return c.SetText(1, QStringLiteral("Été 日本")); });
        row("font", "Font", [](TCoverController &c) {
            TCoverFont font;
            font.SetSize(31);
            return c.SetFont(2, font);
        });
        row("alignment", "Alignment", [](TCoverController &c) { return c.SetAlignment(1, taLeft); });
        row("orientation", "Text orientation", [](TCoverController &c) { return c.SetOrientation(2, toVert); });
        row("position", "Text position", [](TCoverController &c) { return c.SetTextPosition(2, tpTop); });
        row("layout", "Layout", [](TCoverController &c) { return c.SetMode(CoverMode::Single); });
        row("new", "New cover", [](TCoverController &c) {
            CoverSize other = Case();
            other.Name = QStringLiteral("Other");
            return c.NewCover(other, CoverMode::Single);
        });
        row("add block", "Add text block", [](TCoverController &c) { return c.AddTextBlock(1); });
        row("block settings", "Text block settings", [](TCoverController &c) {
            TTextBlock b = c.Document().GetBlocks(2)[0];
            b.Fit = TBlockFit::Columns;
            b.Columns = 3;
            b.Rotation = 90;
            return c.SetTextBlock(2, 0, b);
        });
        row("block typing", "Typing", [](TCoverController &c) {
            return c.SetTextBlockText(2, 0, QStringLiteral("1\tIntro\t1:02\n2\tOutro\t3:04"));
        });
        row("delete block", "Delete text block", [](TCoverController &c) { return c.RemoveTextBlock(2, 0); });
        row("drop two", "Drop pictures", [this](TCoverController &c) {
            const QString a = m_dir.filePath("d1.bmp"), b = m_dir.filePath("d2.bmp");
            WriteBytes(a, WriteBmp(QuarterPicture(6, 6)));
            WriteBytes(b, WriteBmp(QuarterPicture(7, 7)));
            return c.PlacePictureFiles(2, {a, b, m_dir.filePath("notes.txt")});
        });
    }
    void everyCommandIsOneStepBackAndForth()
    {
        QFETCH(TCommand, command);
        QFETCH(QString, step);
        TCoverController c{QString()};
        Prepare(c);
        QVERIFY(!c.IsModified());
        const TDocumentState before = c.Document().State();
        const int count = c.Steps().count();
        QVERIFY(command(c).Ok());
        const TDocumentState after = c.Document().State();
        QCOMPARE(c.Steps().count(), count + 1);
        QCOMPARE(c.Steps().undoText(), step);
        // A new cover is unchanged until it is changed; undone, the cover
        // before it is not the one saved.
        const bool fresh = step == QLatin1String("New cover");
        QCOMPARE(c.IsModified(), !fresh);
        QVERIFY(c.Undo().Ok());
        CompareStates(c.Document().State(), before);
        QCOMPARE(c.IsModified(), fresh);
        QVERIFY(c.Redo().Ok());
        CompareStates(c.Document().State(), after);
    }

    void typingMergesAndOtherStepsEndIt()
    {
        TCoverController c{QString()};
        Prepare(c);
        for (const char *text : {"S", "Si", "Sid"})
            c.SetText(1, QString::fromLatin1(text));
        c.SetText(3, QStringLiteral("other area"));
        c.SetText(1, QStringLiteral("Side"));
        QCOMPARE(c.Steps().count(), 3);
        c.Undo();
        c.Undo();
        QCOMPARE(c.Document().GetText(1), QStringLiteral("Sid"));
        QCOMPARE(c.Document().GetText(3), QString());
        // A batch is one step, whatever it runs.
        c.Batch(236, [&] {
            c.SetBackColor(1, 0xFF);
            c.SetText(2, QStringLiteral("x"));
        });
        QCOMPARE(c.Steps().count(), 2);
        // A command on an area the cover does not show changes nothing.
        c.SetMode(CoverMode::Single);
        const int count = c.Steps().count();
        QVERIFY(c.SetText(3, QStringLiteral("hidden")).Ok());
        QCOMPARE(c.Steps().count(), count);
    }

    void textBlocksMergeTypingAndKeepTheirLimits()
    {
        TCoverController c{QString()};
        Prepare(c);
        for (const char *text : {"1", "1\t", "1\tIntro"})
            QVERIFY(c.SetTextBlockText(2, 0, QString::fromLatin1(text)).Ok());
        QVERIFY(c.AddTextBlock(2).Ok());
        QVERIFY(c.SetTextBlockText(2, 1, QStringLiteral("other block")).Ok());
        QVERIFY(c.SetTextBlockText(2, 0, QStringLiteral("1\tIntro\t1:02")).Ok());
        QCOMPARE(c.Steps().count(), 4);
        // A new block lies centred in its area, in the area's face.
        const TTextBlock added = c.Document().GetBlocks(2)[1];
        const QSizeF area = c.Document().AreaSizeMm(2);
        QVERIFY(std::abs(added.X * 2 + added.Width - area.width()) < 0.1);
        QVERIFY(std::abs(added.Y * 2 + added.Height - area.height()) < 0.1);
        QCOMPARE(added.FontName, c.Document().GetFont(2).Name());
        // No more blocks than an area holds, and no block the program would
        // not make.
        for (int i = 2; i < TTextBlock::MaxPerArea; ++i)
            QVERIFY(c.AddTextBlock(2).Ok());
        const int count = c.Steps().count();
        const TOutcome full = c.AddTextBlock(2);
        QCOMPARE(full.Error, QStringLiteral("An area holds at most 64 text blocks."));
        TTextBlock wrong = added;
        wrong.Columns = 9;
        QCOMPARE(c.SetTextBlock(2, 1, wrong).Error, QStringLiteral("Range check error"));
        QVERIFY(!c.SetTextBlockText(2, 1, QString(TTextBlock::MaxTextBytes + 1, QLatin1Char('x'))).Ok());
        QCOMPARE(c.Steps().count(), count);
        // A block of an area the cover does not show, or not there, is no
        // command at all.
        QVERIFY(c.RemoveTextBlock(2, 64).Ok() && c.RemoveTextBlock(0, 0).Ok());
        QCOMPARE(c.Steps().count(), count);
    }

    void onlyACoverWithBlocksIsSavedAsVersionTwo()
    {
        const auto version = [](const QString &file) {
            QFile f(file);
            if (!f.open(QIODevice::ReadOnly))
                return -1;
            TZipReader zip(f);
            QString why;
            QByteArray json;
            return zip.Read(QLatin1String(CoverDescriptionEntry), MaxDescriptionBytes, json, why)
                       ? QJsonDocument::fromJson(json).object().value("version").toInt()
                       : -1;
        };
        TCoverController c{QString()};
        Prepare(c);
        TTextBlock b = c.Document().GetBlocks(2)[0];
        b.Text = QStringLiteral("Été\t日本\n2\tTwo");
        b.Rotation = 270;
        b.Fit = TBlockFit::Columns;
        b.Columns = 2;
        b.FontSize = 9.5;
        b.LineSpacing = 1.25;
        b.X = -3.5;
        b.Color = 0x123456;
        QVERIFY(c.SetTextBlock(2, 0, b).Ok());
        const QString file = m_dir.filePath("blocks.vmcover");
        QVERIFY(c.Save(file).Ok());
        QCOMPARE(version(file), 2);
        TCoverController other{QString()};
        QVERIFY(other.Open(file).Ok());
        CompareStates(c.Document().State(), other.Document().State());
        // Without blocks, the file is one every earlier build opens.
        QVERIFY(c.RemoveTextBlock(2, 0).Ok());
        QVERIFY(c.Save(file).Ok());
        QCOMPARE(version(file), 1);
        QVERIFY(other.Open(file).Ok());
        CompareStates(c.Document().State(), other.Document().State());
    }

    void savedCoverOpensAsItWas()
    {
        TCoverController c{QString()};
        Prepare(c);
        c.SetSelectedArea(2);
        c.SetText(2, QStringLiteral("Title"));
        // Steps of 0.1 that do not add up exactly still leave a zoom that a
        // cover file holds.
        for (const auto &[steps, in] : {std::pair{10, false}, {19, true}, {19, false}})
            for (int i = 0; i < steps; ++i)
                in ? c.ZoomIn(2) : c.ZoomOut(2);
        QCOMPARE(c.Document().GetZoom(2), 0.1);
        const QString file = m_dir.filePath("saved.vmcover");
        QVERIFY(c.Save(file).Ok());
        QCOMPARE(c.FileName(), file);
        QVERIFY(!c.IsModified());

        TCoverController other{QString()};
        QVERIFY(other.Open(file).Ok());
        CompareStates(c.Document().State(), other.Document().State());
        QCOMPARE(other.SelectedArea(), 2);
        QVERIFY(!other.IsModified() && other.Steps().count() == 0);

        // An animation far larger than its first frame is still a picture
        // the cover keeps.
        TGifFrame frame;
        frame.Width = frame.Height = 8;
        frame.Indices.assign(64, 1);
        const QByteArray animation = WriteGif(8, 8, {qRgb(0, 0, 0), qRgb(9, 99, 199)},
                                              std::vector<TGifFrame>(40000, frame));
        QVERIFY(animation.size() > 1024 * 1024 + 16 * 64);
        QVERIFY(c.PlacePictureBytes(3, animation, "gif").Ok());
        QVERIFY(c.Save(file).Ok());
        QVERIFY(other.Open(file).Ok());
        QCOMPARE(other.Document().PlacedPicture(3)->FileBytes, animation);

        // What does not open, or is declined, leaves the cover as it was.
        WriteBytes(m_dir.filePath("bad.vmcover"), "not a cover");
        const TOutcome bad = other.Open(m_dir.filePath("bad.vmcover"));
        QVERIFY(bad.Error.startsWith(QStringLiteral("Cannot open \"")));
        other.SetText(1, QStringLiteral("unsaved"));
        QVERIFY(other.Open(file, [] { return false; }).Cancelled);
        QCOMPARE(other.Document().GetText(1), QStringLiteral("unsaved"));
        // A save that fails keeps the changes unsaved, and says why.
        const TOutcome failed = other.Save(m_dir.filePath("no/such/folder/x.vmcover"));
        QVERIFY(failed.Error.startsWith(QStringLiteral("Unable to write to")));
        QVERIFY(other.IsModified());
        QCOMPARE(other.FileName(), file);
    }

    // Any run of commands leaves a cover that saves and opens as the same.
    void randomCommandsSaveAndOpenAsTheSame()
    {
        QRandomGenerator random(20261209);
        const QString file = m_dir.filePath("random.vmcover");
        for (int run = 0; run < 200; ++run) {
            TCoverController c{QString()};
            Prepare(c);
            for (int i = 0; i < 15; ++i) {
                const int area = random.bounded(1, 4);
                switch (random.bounded(12)) {
                case 0:
                    c.PlaceImage(area, QuarterPicture(random.bounded(1, 30), random.bounded(1, 30)));
                    break;
                case 1:
                    c.ClearPicture(area);
                    break;
                case 2:
                    c.SetPlacement(area, TCoverController::TPlacement(random.bounded(3)));
                    break;
                case 3:
                    c.CenterPicture(area);
                    break;
                case 4:
                case 5:
                    for (int n = random.bounded(25); n > 0; --n)
                        c.ZoomIn(area);
                    for (int n = random.bounded(25); n > 0; --n)
                        c.ZoomOut(area);
                    break;
                case 6:
                    c.SetText(area, QString::number(random.generate(), 36));
                    break;
                case 7:
                    c.SetAlignment(area, uint8_t(random.bounded(3)));
                    c.SetOrientation(area, uint8_t(random.bounded(2)));
                    c.SetTextPosition(area, uint8_t(random.bounded(3)));
                    break;
                case 8:
                    c.SetMode(random.bounded(2) ? CoverMode::Multiple : CoverMode::Single);
                    break;
                case 9:
                    c.SetBackColor(area, random.generate() & 0xFFFFFF);
                    break;
                case 10:
                    c.Undo();
                    break;
                default:
                    c.Redo();
                    break;
                }
            }
            const TOutcome saved = c.Save(file);
            QVERIFY2(saved.Ok(), qPrintable(saved.Error));
            TCoverController opened{QString()};
            const TOutcome read = opened.Open(file);
            QVERIFY2(read.Ok(), qPrintable(QStringLiteral("run %1: %2").arg(run).arg(read.Error)));
            CompareStates(c.Document().State(), opened.Document().State());
        }
    }
};

QTEST_GUILESS_MAIN(TestCoverController)
#include "tst_covercontroller.moc"
