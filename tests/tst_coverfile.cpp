// SPDX-License-Identifier: GPL-3.0-or-later
#include "BuiltInTexts.h"
#include "CoverArchive.h"
#include "CoverFile.h"
#include "CoverFileChooser.h"
#include "CoverRecovery.h"
#include "CoverStates.h"
#include "CoverView.h"
#include "GifSupport.h"
#include "NewDocument.h"
#include "PdfPages.h"
#include "ProgramFixture.h"
#include "WindowControls.h"
#include "PictureLoading.h"
#include "SampleFiles.h"
#include "SizeMaker.h"

#include <QApplication>
#include <QBuffer>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <csignal>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

QByteArray PictureFile(const QString &kind)
{
    if (kind == "jpg" || kind == "jpeg")
        return WriteJpeg(QuarterPicture(64, 48));
    if (kind == "bmp")
        return WriteBmp(QuarterPicture(30, 20));
    if (kind == "ico")
        return WriteIco({QuarterPicture(32, 32)});
    if (kind == "gif")
        return WriteSampleGif(24, 12);
    if (kind == "wmf")
        return WriteWmf(1, 0.5, Qt::blue);
    if (kind == "emf")
        return WriteEmf(2646, 1323, Qt::red);
    return QByteArray();
}

// A cover with every field away from its start value.
void Fill(TProgram &p, bool multiple, const QStringList &kinds)
{
    TCoverMakerMainForm &f = *p.form;
    (multiple ? Ui(f).MultiButton() : Ui(f).SingleButton())->click();
    TCoverDocument &d = p.Doc();
    for (CoverArea a = 1; a <= (multiple ? 3 : 1); ++a) {
        ClickArea(f, a);
        const QString kind = kinds.value(a - 1);
        if (kind == "pasted") {
            const QImage pasted = QuarterPicture(10, 10);
            f.Cover().PlaceImage(a, pasted);
        } else if (!kind.isEmpty()) {
            p.chooser.Answer = p.Save(QStringLiteral("picture%1.%2").arg(a).arg(kind),
                                      PictureFile(kind));
            Ui(f).ChangeButton()->click();
        }
        d.SetBackColor(a, 0x102030u * TColorRef(a));
        Ui(f).ImageTextEdit()->setText(QStringLiteral("Área %1 ✓ & <more>").arg(a));
        TCoverFont font;
        font.SetName(QStringLiteral("Liberation Sans"));
        font.SetSize(12 + a);
        font.SetBold(a != 2);
        font.SetItalic(a == 2);
        font.SetUnderline(a == 3);
        font.SetStrikeOut(a == 1);
        font.SetColor(QColor(40 * a, 0, 200));
        d.GetFont(a).Assign(font);
        d.SetAlignment(a, a == 1 ? taLeft : taRight);
        d.SetTextPosition(a, a == 2 ? tpTop : tpBottom);
        d.SetOrientation(a, a == 2 ? toVert : toHorz);
        if (a == 1) {
            d.SetAutosize(a, false);
            d.SetStretch(a, false);
            d.SetZoom(a, 1.7);
            d.SetOffset(a, TPoint{37, -12});
        } else if (a == 2) {
            d.SetAutosize(a, true);
        }
    }
    Ui(f).CoverView()->SelectArea(multiple ? 3 : 1);
}

QString PrintToPdf(TCoverMakerMainForm &form, const QString &path)
{
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, path, 600, QSizeF(12, 12), 0.5);
    Ui(form).Renderer().Print(printer);
    return path;
}

// A cover file made by hand: its description and entries as given.
QByteArray Archive(const QList<TArchiveEntry> &entries)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    QString why;
    if (!WriteZipArchive(out, entries, why))
        qFatal("%s", qPrintable(why));
    return bytes;
}

QMap<QString, QByteArray> Entries(const QString &file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    TZipReader zip(f);
    QMap<QString, QByteArray> entries;
    for (const QString &name : zip.Names()) {
        QString why;
        zip.Read(name, 1 << 30, entries[name], why);
    }
    return entries;
}

// The crash child: a program with an unsaved cover and its recovery copy
// written, which then waits to be killed.
int CrashChild(const QString &recoveryDir)
{
    TProgram p(TProgram::OneSize, false);
    p.recoveryPath = recoveryDir;
    p.Start();
    ClickArea(*p.form, 1);
    p.chooser.Answer = p.Save("photo.jpg", WriteJpeg(QuarterPicture(64, 48)));
    Ui(*p.form).ChangeButton()->click();
    Ui(*p.form).ImageTextEdit()->setText(QStringLiteral("Unsaved work"));
    p.form->Cover().WriteRecoveryCopy();
    p.form->Cover().Recovery()->Wait();
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (;;)
        QTest::qWait(1000);
}

} // namespace

class TestCoverFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTripKeepsEveryField_data()
    {
        QTest::addColumn<bool>("multiple");
        QTest::addColumn<QStringList>("kinds");
        QTest::newRow("single, jpeg") << false << QStringList{"jpg"};
        QTest::newRow("multiple, bmp gif ico") << true << QStringList{"bmp", "gif", "ico"};
        QTest::newRow("multiple, metafiles and a pasted picture")
            << true << QStringList{"wmf", "emf", "pasted"};
        QTest::newRow("multiple, one empty area") << true << QStringList{"jpeg", "", "jpg"};
    }
    void roundTripKeepsEveryField()
    {
        QFETCH(bool, multiple);
        QFETCH(QStringList, kinds);
        TProgram p;
        Fill(p, multiple, kinds);
        const TDocumentState before = p.Doc().State();
        const QString file = p.dir.filePath("My cover.vmcover");
        const QImage printed = RenderPdf(PrintToPdf(*p.form, p.dir.filePath("before.pdf")), 100);

        QVERIFY(p.form->Cover().IsModified());
        p.coverFiles.Answer = file;
        Ui(*p.form).SaveAs1()->trigger();
        QVERIFY2(p.messages.Boxes.isEmpty(), qPrintable(p.messages.Texts().join('\n')));
        QVERIFY(!p.form->Cover().IsModified());
        QCOMPARE(p.form->windowTitle(), QStringLiteral("My cover.vmcover[*] - Velmora"));
        // Pictures are the files placed, byte for byte.
        for (size_t i = 0; i < 3; ++i)
            if (before.Areas[i].Picture && !before.Areas[i].Picture->FileBytes.isEmpty())
                QCOMPARE(before.Areas[i].Picture->FileBytes,
                         ReadBytes(p.dir.filePath(QStringLiteral("picture%1.%2")
                                                      .arg(i + 1)
                                                      .arg(kinds.value(int(i))))));

        // A program started afresh shows the same cover, printed the same.
        p.Restart();
        QVERIFY(p.form->OpenCover(file));
        CompareStates(before, p.Doc().State());
        QCOMPARE(Ui(*p.form).CoverView()->SelectedArea(), multiple ? 3 : 1);
        QCOMPARE(Ui(*p.form).ImageTextEdit()->text(), before.Areas[multiple ? 2 : 0].Text);
        QVERIFY(!p.form->Cover().IsModified());
        QCOMPARE(RenderPdf(PrintToPdf(*p.form, p.dir.filePath("after.pdf")), 100), printed);

        // Saved again unchanged, the file holds the same files.
        const QMap<QString, QByteArray> saved = Entries(file);
        QVERIFY(saved.contains("cover.json"));
        Ui(*p.form).Save1()->trigger();
        QCOMPARE(Entries(file), saved);
    }

    void sizesAndOffsetsOpenAsSaved()
    {
        TProgram p;
        // A size the catalogue does not hold stays the cover's own, and the
        // catalogue is not touched.
        const QByteArray catalogue = ReadBytes(p.dir.filePath("CoverSizes.ini"));
        const CoverSize own =
            MakeSize(4.7244, 4.7244, 0.25, 5.375, 0.25, 4.7244, QStringLiteral("Büchlein"));
        p.Doc().SetCoverSize(own);
        p.Doc().SetOffset(1, TPoint{100, -50});
        const QString file = p.dir.filePath("own.vmcover");
        p.coverFiles.Answer = file;
        Ui(*p.form).Save1()->trigger(); // no file yet: Save asks where
        QCOMPARE(p.coverFiles.Titles, QStringList{"Save As"});
        // Opened where the printer has half the resolution, the picture
        // lands where it was on paper.
        p.metrics = TFixedDeviceMetrics(38, 118);
        p.Restart();
        QVERIFY(p.form->OpenCover(file));
        QVERIFY(p.Doc().Size() == own);
        QVERIFY(p.Doc().GetOffset(1) == (TPoint{50, -25}));
        QCOMPARE(ReadBytes(p.dir.filePath("CoverSizes.ini")), catalogue);

        // A large picture tells of its reading every few megabytes, so that
        // the window stays responsive while it opens.
        const QString bmp = p.Save("large.bmp", WriteBmp(SolidPicture(3000, 2000, Qt::gray)));
        QVERIFY(p.Cover().PlacePicture(1, bmp).Ok()); // 18 MB as it is kept
        QVERIFY(p.Cover().Save(file).Ok());
        TCoverFileContent content;
        QString why;
        QList<int> steps;
        int total = 0;
        QVERIFY2(OpenCoverFile(file, content, why,
                               [&](int done, int count) { steps << done, total = count; }),
                 qPrintable(why));
        QVERIFY2(steps.size() >= 6 && steps.last() == total, qPrintable(QString::number(steps.size())));
        QVERIFY(std::is_sorted(steps.begin(), steps.end()));
    }

    void hostileFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("why");
        const auto description = [](const QByteArray &areaOne, int version = 1) {
            QByteArray area = R"({"view":"stretch","offset":[0,0],"zoom":1,"background":"#ffffff",
                "text":"","alignment":"center","orientation":"horizontal","textPosition":"center",
                "font":{"name":"Arial","size":30,"bold":false,"italic":false,"underline":false,
                "strikeOut":false,"color":"#000000"}})";
            QByteArray first = area;
            first.insert(1, areaOne);
            return R"({"format":"Velmora cover","version":)" + QByteArray::number(version) +
                   R"(,"mode":"multiple","size":{"name":"x","singleWidth":5,"singleHeight":5,
                "leftWidth":1,"centerWidth":3,"rightWidth":1,"multipleHeight":5},
                "selectedArea":-1,"offsetPixelsPerCm":236,"areas":[)" +
                   first + "," + area + "," + area + "]}";
        };
        const QByteArray jpeg = WriteJpeg(QuarterPicture(16, 16));
        const QByteArray picture =
            R"("picture":{"entry":"pictures/area1.jpg","kind":"jpg","bytes":)" +
            QByteArray::number(jpeg.size()) + "},";
        const QByteArray whole =
            Archive({{"cover.json", description(picture)}, {"pictures/area1.jpg", jpeg, false}});
        QTest::newRow("not an archive") << QByteArray("[Case]\r\nSingleWidth=5\r\n")
                                        << "not a Velmora cover";
        QTest::newRow("truncated") << whole.left(whole.size() - 30) << "not a Velmora cover";
        QTest::newRow("no description")
            << Archive({{"pictures/area1.jpg", jpeg, false}}) << "\"cover.json\" is missing";
        QTest::newRow("description not JSON")
            << Archive({{"cover.json", "{\"format\": [1, 2"}}) << "description does not read";
        QTest::newRow("newer version")
            << Archive({{"cover.json", description("", 7)}}) << "newer version of Velmora";
        QTest::newRow("one version newer")
            << Archive({{"cover.json", description("", CoverFormatVersion + 1)}})
            << "newer version of Velmora";
        QTest::newRow("huge description")
            << Archive({{"cover.json", QByteArray(MaxDescriptionBytes + 1, ' ')}})
            << "larger than a cover file may hold";
        QByteArray path = picture;
        path.replace("pictures/area1.jpg", "../../etc/area1.jpg");
        QTest::newRow("entry with a path")
            << Archive({{"cover.json", description(path)}, {"../../etc/area1.jpg", jpeg}})
            << "\"entry\" is not valid";
        QByteArray lying = picture;
        lying.replace("\"bytes\":" + QByteArray::number(jpeg.size()), "\"bytes\":10");
        QTest::newRow("sizes that disagree")
            << Archive({{"cover.json", description(lying)}, {"pictures/area1.jpg", jpeg}})
            << "is not as its description says";
        QByteArray garbage(jpeg.size(), 'x');
        QTest::newRow("picture that does not load")
            << Archive({{"cover.json", description(picture)}, {"pictures/area1.jpg", garbage}})
            << "\"pictures/area1.jpg\" does not load";
        // 600 MB of zeros in under a megabyte: refused before it is inflated.
        QByteArray bomb = picture;
        bomb.replace("\"bytes\":" + QByteArray::number(jpeg.size()), "\"bytes\":629145600");
        QTest::newRow("archive bomb")
            << Archive({{"cover.json", description(bomb)}}) << "\"bytes\" is not valid";
        // Each refusal in words about the file, never a library's.
        QTest::newRow("description of another shape")
            << Archive({{"cover.json", "[1, 2]"}}) << "Its description holds no cover's settings.";
        QByteArray bitRot = whole;
        bitRot[bitRot.indexOf(jpeg) + jpeg.size() / 2] ^= 0x10;
        QTest::newRow("damaged picture data") << bitRot << "a checksum does not match";
        // Megabytes of nothing in a few kilobytes, named as a picture or
        // behind a real picture's header: refused by the head alone.
        const auto padded = [&](const QByteArray &start) {
            const QByteArray bytes = start + QByteArray(48 * 1024 * 1024, '\0');
            QByteArray entry = picture;
            entry.replace("\"bytes\":" + QByteArray::number(jpeg.size()),
                          "\"bytes\":" + QByteArray::number(bytes.size()));
            return Archive({{"cover.json", description(entry)}, {"pictures/area1.jpg", bytes}});
        };
        QTest::newRow("zeros as a picture") << padded("") << "does not begin as a picture";
        QTest::newRow("zeros behind a header")
            << padded(jpeg) << "far larger than a picture of 16 x 16 pixels";
        // Sizes and offsets beyond what the window can show are refused
        // with the file, before anything is shown.
        // Text blocks, checked value by value as every other.
        const auto blocks = [&](int count, const QByteArray &spoil = {}) {
            QByteArray block = R"({"box":[1,2,30,20],"rotation":0,"text":"1\tIntro","font":{
                "name":"Arial","size":9.5,"bold":false,"italic":false,"underline":false,
                "strikeOut":false,"color":"#000000"},"alignment":"left","verticalAlignment":"top",
                "fit":"columns","columns":2,"lineSpacing":1})";
            if (!spoil.isEmpty())
                block.replace(spoil.left(spoil.indexOf('|')), spoil.mid(spoil.indexOf('|') + 1));
            QByteArrayList list;
            for (int i = 0; i < count; ++i)
                list << block;
            return Archive({{"cover.json", description("\"blocks\":[" + list.join(',') + "],", 2)}});
        };
        QTest::newRow("65 blocks") << blocks(65) << "\"blocks\" is not valid";
        QTest::newRow("block turned askew")
            << blocks(1, "\"rotation\":0|\"rotation\":45") << "\"rotation\" is not valid";
        QTest::newRow("block of no size") << blocks(1, "[1,2,30,20]|[1,2,0,20]") << "\"box\" is not valid";
        QTest::newRow("six columns") << blocks(1, "\"columns\":2|\"columns\":6") << "\"columns\" is not valid";
        QByteArray huge = description("");
        huge.replace("\"singleWidth\":5", "\"singleWidth\":39370");
        QTest::newRow("size beyond any cover")
            << Archive({{"cover.json", huge}}) << "\"singleWidth\" is not valid";
        QByteArray far = description("");
        far.replace("\"offsetPixelsPerCm\":236", "\"offsetPixelsPerCm\":1");
        far.replace("\"offset\":[0,0]", "\"offset\":[10000000,0]");
        QTest::newRow("offset beyond any cover")
            << Archive({{"cover.json", far}}) << "\"offset\" is not valid";
        QList<TArchiveEntry> crowd{{"cover.json", description("")}};
        for (int i = 0; i < 1000; ++i)
            crowd << TArchiveEntry{QStringLiteral("e%1").arg(i), "", false};
        QTest::newRow("too many entries") << Archive(crowd) << "holds more than a cover file does";
        // A directory that declares thousands of entries is refused before
        // libzip reads it.
        QByteArray declared = whole;
        const qsizetype end = declared.lastIndexOf(QByteArray("PK\x05\x06", 4));
        for (const int at : {8, 10}) {
            declared[end + at] = char(0x60);
            declared[end + at + 1] = char(0xEA);
        }
        QTest::newRow("directory declaring 60000 entries")
            << declared << "holds more than a cover file does";
        QByteArray badValue = description("");
        badValue.replace("\"zoom\":1", "\"zoom\":1e308");
        QTest::newRow("value out of range")
            << Archive({{"cover.json", badValue}}) << "\"zoom\" is not valid";
    }
    void hostileFilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, why);
        TProgram p;
        Ui(*p.form).ImageTextEdit()->setEnabled(true);
        ClickArea(*p.form, 1);
        Ui(*p.form).ImageTextEdit()->setText("kept");
        const TDocumentState before = p.Doc().State();
        const quint64 revision = p.Doc().Revision();
        QVERIFY(!p.form->OpenCover(p.Save("hostile.vmcover", bytes)));
        QCOMPARE(p.messages.Boxes.size(), 1);
        const QString text = p.messages.Boxes[0].text;
        QVERIFY2(text.startsWith(QStringLiteral("Cannot open \"%1\".")
                                     .arg(QDir::toNativeSeparators(p.dir.filePath("hostile.vmcover")))) &&
                     text.contains(why),
                 qPrintable(text));
        // The cover stays as it was, and nothing asked to save it.
        QCOMPARE(p.Doc().Revision(), revision);
        CompareStates(before, p.Doc().State());
        QVERIFY(p.messages.SaveQuestions.isEmpty());
        QCOMPARE(p.form->windowTitle(), QStringLiteral("Untitled[*] - Velmora"));
    }

    void coversOfEarlierBuildsStillOpen()
    {
        // The fuzz seeds were written by earlier builds: a format change that
        // stops them opening would strand users' files.
        TProgram p;
        int opened = 0;
        const QDir seeds(SourceDir() + "/tests/fuzz/corpus/cover");
        for (const QString &name : seeds.entryList({"*.vmcover"})) {
            TCoverFileContent content;
            QString why;
            const bool damaged = name.startsWith("truncated") || name.startsWith("not-a-zip");
            QVERIFY2(OpenCoverFile(seeds.filePath(name), content, why) != damaged,
                     qPrintable(name + ": " + why));
            opened += damaged ? 0 : 1;
        }
        QVERIFY(opened >= 5);
    }

    void anInterruptedSaveLeavesTheOldFile()
    {
#ifndef Q_OS_UNIX
        QSKIP("a file size limit is set through POSIX");
#else
        TProgram p;
        const QString file = p.dir.filePath("kept.vmcover");
        p.coverFiles.Answer = file;
        Ui(*p.form).SaveAs1()->trigger();
        const QByteArray old = ReadBytes(file);
        QVERIFY(!old.isEmpty());
        Fill(p, true, {"bmp", "", ""});
        p.Doc().SetPicture(2, nullptr);
        // Noise: its PNG file is as large as its pixels.
        QImage large(400, 400, QImage::Format_RGB32);
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 400; ++x)
                large.setPixel(x, y, qRgb((x * 7919 + y * 104729) % 251, (x * y) % 253, x ^ y));
        p.form->Cover().PlaceImage(2, large);

        // The disk fills up (a file size limit) while the new file is written.
        struct rlimit saved;
        getrlimit(RLIMIT_FSIZE, &saved);
        struct rlimit limit = saved;
        limit.rlim_cur = rlim_t(old.size() + 1024);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
        Ui(*p.form).Save1()->trigger();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        QCOMPARE(p.messages.Boxes.size(), 1);
        QVERIFY(p.messages.Boxes[0].text.startsWith("Unable to write to " + file));
        QCOMPARE(ReadBytes(file), old);
        QCOMPARE(QDir(p.dir.path()).entryList({"kept.vmcover*"}), QStringList{"kept.vmcover"});
        QVERIFY(p.form->Cover().IsModified()); // nothing was saved
#endif
    }

    void unsavedChangesAreNeverLostSilently()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        // A fresh cover nobody touched asks nothing.
        QCOMPARE(f.windowTitle(), QStringLiteral("Untitled[*] - Velmora"));
        QVERIFY(!f.Cover().IsModified() && !f.isWindowModified());
        QVERIFY(!Ui(f).Save1()->isEnabled()); // nothing to save
        p.Restart();
        QVERIFY(p.messages.SaveQuestions.isEmpty());

        ClickArea(*p.form, 1);
        Ui(*p.form).ImageTextEdit()->setText("changed");
        QVERIFY(p.form->Cover().IsModified());
        // Cancel keeps the window; Save with the file dialog cancelled too.
        p.messages.SaveAnswer = TSaveAnswer::Cancel;
        QVERIFY(!p.form->close());
        p.messages.SaveAnswer = TSaveAnswer::Save;
        QVERIFY(!p.form->close());
        QCOMPARE(p.messages.SaveQuestions,
                 QStringList(2, "Do you want to save the changes to this cover?"));
        // New... asks too, after the size is chosen.
        p.messages.SaveAnswer = TSaveAnswer::Cancel;
        p.dialogs.Scripts << [&](QDialog &d) { d.accept(); };
        Ui(*p.form).NewDocumentForm()->SelectRow(0);
        Ui(*p.form).New1()->trigger();
        QCOMPARE(p.messages.SaveQuestions.size(), 3);
        QCOMPARE(p.Doc().GetText(1), QStringLiteral("changed"));
        // Save answered with a file: saved, then closed.
        const QString file = p.dir.filePath("asked.vmcover");
        p.coverFiles.Answer = file;
        p.messages.SaveAnswer = TSaveAnswer::Save;
        QVERIFY(p.form->close());
        QVERIFY(QFile::exists(file));
        QCOMPARE(p.form->Cover().FileName(), file);

        // Opening a changed cover asks with the file's name, Discard goes on.
        p.Start();
        QVERIFY(p.form->OpenCover(file));
        ClickArea(*p.form, 1);
        Ui(*p.form).ImageTextEdit()->setText("changed again");
        QVERIFY(p.form->isWindowModified());
        p.messages.SaveAnswer = TSaveAnswer::Discard;
        QVERIFY(p.form->OpenCover(file));
        QCOMPARE(p.messages.SaveQuestions.last(),
                 QStringLiteral("Do you want to save the changes to \"asked.vmcover\"?"));
        QCOMPARE(p.Doc().GetText(1), QStringLiteral("changed"));
        QVERIFY(!p.form->isWindowModified());
    }

    void recentCoversCommandLineAndDrops()
    {
        TProgram p;
        const QString a = p.dir.filePath("a.vmcover"), b = p.dir.filePath("b & c.vmcover");
        for (const QString &file : {a, b}) {
            p.coverFiles.Answer = file;
            Ui(*p.form).SaveAs1()->trigger();
        }
        p.Restart(); // kept in the options
        QCOMPARE(p.form->RecentFiles(), QStringList({b, a}));
        QCOMPARE(Ui(*p.form).RecentItems()[0]->text(), QStringLiteral("&1 b && c.vmcover"));
        QVERIFY(Ui(*p.form).RecentItems()[1]->isVisible() && !Ui(*p.form).RecentItems()[2]->isVisible());
        Ui(*p.form).RecentItems()[1]->trigger();
        QCOMPARE(p.form->Cover().FileName(), a);
        // A cover that is gone is reported and leaves the list.
        QFile::remove(b);
        Ui(*p.form).RecentItems()[1]->trigger();
        QCOMPARE(p.messages.Boxes.size(), 1);
        QCOMPARE(p.form->RecentFiles(), QStringList{a});

        // velmora FILE, as a path or as a URL.
        p.Restart();
        p.form->OpenFromCommandLine({QUrl::fromLocalFile(a).toString()});
        QCOMPARE(p.form->Cover().FileName(), a);
        Ui(*p.form).New1()->trigger(); // cancelled: still a
        p.Cover().SetText(1, "dropped on");

        // A dropped cover file opens, after the question.
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(a)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(p.form.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(p.form.get(), &drop);
        QTRY_VERIFY(!p.form->Cover().IsModified());
        QCOMPARE(p.messages.SaveQuestions.size(), 1);
        QCOMPARE(p.Doc().GetText(1), QString());
    }

    void recoveryCopiesFollowTheChanges()
    {
        TProgram p;
        ClickArea(*p.form, 1);
        p.chooser.Answer = p.Save("photo.jpg", WriteJpeg(QuarterPicture(64, 48)));
        Ui(*p.form).ChangeButton()->click();
        // Written a moment after the change, off the user-interface thread.
        QTRY_VERIFY_WITH_TIMEOUT(!p.form->Cover().Recovery()->Folder().isEmpty(), 5000);
        p.form->Cover().Recovery()->Wait();
        const QDir copy(p.form->Cover().Recovery()->Folder());
        const QStringList jpegs = copy.entryList({"*.jpg"});
        QCOMPARE(jpegs.size(), 1);
        const QDateTime written = QFileInfo(copy.filePath(jpegs[0])).lastModified();
        // The picture is written once, not at every change.
        QTest::qWait(20);
        Ui(*p.form).ImageTextEdit()->setText("more");
        p.form->Cover().WriteRecoveryCopy();
        p.form->Cover().Recovery()->Wait();
        QCOMPARE(copy.entryList({"*.jpg"}), jpegs);
        QCOMPARE(QFileInfo(copy.filePath(jpegs[0])).lastModified(), written);
        QVERIFY(ReadBytes(copy.filePath("cover.json")).contains("more"));
        // A picture replaced leaves nothing of the old one behind.
        p.chooser.Answer = p.Save("other.png", WritePng(QuarterPicture(8, 8)));
        Ui(*p.form).ChangeButton()->click();
        p.form->Cover().WriteRecoveryCopy();
        p.form->Cover().Recovery()->Wait();
        QCOMPARE(copy.entryList({"*.jpg"}), QStringList());
        QCOMPARE(copy.entryList({"*.png"}).size(), 1);
        // A second program keeps a copy of its own, and sees none left.
        TProgram second(TProgram::OneSize, false);
        second.recoveryPath = p.recoveryPath;
        second.Start();
        ClickArea(*second.form, 1);
        Ui(*second.form).ImageTextEdit()->setText("second");
        second.form->Cover().WriteRecoveryCopy();
        second.form->Cover().Recovery()->Wait();
        QCOMPARE(QDir(p.recoveryDir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
        QVERIFY(second.form->Cover().Recovery()->LeftCopies().isEmpty());
        // Saved: nothing left to recover.
        p.coverFiles.Answer = p.dir.filePath("saved.vmcover");
        Ui(*p.form).Save1()->trigger();
        QVERIFY(!copy.exists());
    }

    void aKilledProgramsCoverIsOffered()
    {
        TProgram p(TProgram::OneSize, false);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {"--crash-child", p.recoveryPath});
        QVERIFY(child.waitForStarted());
        QVERIFY2(child.waitForReadyRead(60000), child.readAllStandardError().constData());
        QCOMPARE(child.readAllStandardOutput(), QByteArray("ready\n"));
        child.kill();
        QVERIFY(child.waitForFinished());

        p.Start();
        p.messages.Answer = true;
        p.form->OfferRecovery();
        QCOMPARE(p.messages.Boxes.size(), 1);
        QVERIFY(p.messages.Boxes[0].text.startsWith("Velmora did not close normally."));
        QCOMPARE(p.Doc().GetText(1), QStringLiteral("Unsaved work"));
        QCOMPARE(p.Doc().GetPicture(1).size(), QSize(64, 48));
        QVERIFY(p.form->Cover().IsModified());
        QCOMPARE(p.form->windowTitle(), QStringLiteral("Untitled[*] - Velmora"));
        QVERIFY(p.form->isWindowModified()); // restored changes are unsaved
        // Taken over as this program's own copy; a normal exit removes it.
        QTRY_VERIFY(!p.form->Cover().Recovery()->Folder().isEmpty());
        p.Restart();
        QVERIFY(QDir(p.recoveryDir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    }

    // A copy whose picture, description or index cannot be written is said
    // to have failed, naming that file, and never said to be written; the
    // next write, once it can, is.
    void aCopyThatFailsIsNeverSaidWritten_data()
    {
        QTest::addColumn<QString>("blocked"); // empty: the new picture's file
        QTest::newRow("picture") << QString();
        QTest::newRow("description") << QStringLiteral("cover.json");
        QTest::newRow("index") << QStringLiteral("recovery.json");
    }
    void aCopyThatFailsIsNeverSaidWritten()
    {
        QFETCH(QString, blocked);
        QTemporaryDir root;
        TCoverRecovery recovery(root.path());
        QStringList told; // read once the writer is idle
        recovery.SetOnWritten([&](const QString &why) { told << why; });
        TCoverFileContent content;
        content.State.Size = MakeSize(5, 5, 1, 3, 1, 5);
        content.OffsetPixelsPerCm = 236;
        QString why;
        content.State.Areas[0].Picture = PlaceStoredPicture(WritePng(QuarterPicture(8, 8)), "png", why);
        recovery.Write(content, QString());
        recovery.Wait();
        QCOMPARE(told, QStringList{QString()});
        const QByteArray png = WritePng(QuarterPicture(10, 10));
        content.State.Areas[0].Picture = PlaceStoredPicture(png, "png", why);
        if (blocked.isEmpty())
            blocked = QCryptographicHash::hash(png, QCryptographicHash::Sha1).toHex() + ".png";
        // Even root cannot write through a link into a folder that is not.
        const QString path = QDir(recovery.Folder()).filePath(blocked);
        QFile::remove(path);
        QVERIFY(QFile::link(root.filePath("missing/folder/file"), path));
        recovery.Write(content, QString());
        recovery.Wait();
        QCOMPARE(told.size(), 2);
        QVERIFY2(told[1].contains("cannot be written") && told[1].contains(blocked),
                 qPrintable(told[1]));
        QFile::remove(path);
        recovery.Write(content, QString());
        recovery.Wait();
        QCOMPARE(told.size(), 3);
        QCOMPARE(told[2], QString());
        // Discarded, the copy goes with its lock, and Qt has nothing to say.
        QTest::failOnWarning(QRegularExpression("lock"));
        const QString folder = recovery.Folder();
        recovery.Discard();
        recovery.Wait();
        QVERIFY(!QFileInfo::exists(folder));
    }

    // A copy is never lost in silence: what reads is restored, what does
    // not is kept where the user is told, and a copy that cannot be written
    // is said.
    void damagedCopiesKeepWhatReads()
    {
        QTemporaryDir root;
        TCoverFileContent content;
        content.State.Size = MakeSize(5, 5, 1, 3, 1, 5);
        content.State.Mode = CoverMode::Multiple;
        content.OffsetPixelsPerCm = 236;
        QString why;
        content.State.Areas[0].Picture =
            PlaceStoredPicture(WriteJpeg(QuarterPicture(64, 48)), "jpg", why);
        content.State.Areas[1].Picture = PlaceStoredPicture(WritePng(QuarterPicture(9, 9)), "png", why);
        content.State.Areas[2].Text = QStringLiteral("Unsaved");
        QStringList folders;
        for (int i = 0; i < 2; ++i) {
            TCoverRecovery left(root.path()); // gone as in a crash, its copy left
            left.Write(content, QString());
            left.Wait();
            folders << left.Folder();
        }
        // The first: its index does not read and its PNG is cut short.
        WriteBytes(QDir(folders[0]).filePath("recovery.json"), "{\"pic");
        const QStringList png = QDir(folders[0]).entryList({"*.png"});
        QCOMPARE(png.size(), 1);
        WriteBytes(QDir(folders[0]).filePath(png[0]), "\x89PNG");
        // The second: its description does not read.
        WriteBytes(QDir(folders[1]).filePath("cover.json"), "{\"format");

        TProgram p(TProgram::OneSize, false);
        p.recoveryPath = root.path();
        p.Start();
        p.messages.Answer = true;
        p.form->OfferRecovery();
        const QString damaged = QDir(root.path()).filePath("damaged");
        QCOMPARE(p.messages.Boxes.size(), 3);
        QVERIFY(p.messages.Boxes[0].text.contains(QDir::toNativeSeparators(damaged)));
        QVERIFY(QFileInfo::exists(QDir(damaged).filePath(QFileInfo(folders[1]).fileName())));
        QVERIFY(p.messages.Boxes[2].text.startsWith("These pictures could not be restored"));
        QVERIFY(p.messages.Boxes[2].text.contains("2: "));
        QCOMPARE(p.Doc().GetText(3), QStringLiteral("Unsaved"));
        QCOMPARE(p.Doc().GetPicture(1).size(), QSize(64, 48));
        QVERIFY(p.Doc().GetPicture(2).isNull());

        // A copy that cannot be restored after all is kept when the user
        // says so, and offered again.
        {
            TCoverRecovery left(root.path());
            left.Write(content, QString());
            left.Wait();
            folders << left.Folder();
        }
        TProgram again(TProgram::OneSize, false);
        again.recoveryPath = root.path();
        again.Start();
        again.messages.OnQuestion = [&](const QString &text) {
            if (text.startsWith("Velmora did not close normally.")) {
                // Damaged between the offer and the restore.
                WriteBytes(QDir(folders[2]).filePath("cover.json"), "{");
                return true;
            }
            return false; // keep it
        };
        again.form->OfferRecovery();
        QCOMPARE(again.messages.Boxes.size(), 2);
        QVERIFY(again.messages.Boxes[1].text.contains(BuiltInText(274)));
        QVERIFY(QFileInfo::exists(folders[2]));

        // A copy that cannot be written turns crash protection off, and says so.
        TProgram full(TProgram::OneSize, false);
        full.recoveryPath = full.Save("not a folder", "x");
        full.Start();
        ClickArea(*full.form, 1);
        Ui(*full.form).ImageTextEdit()->setText(QStringLiteral("changed"));
        full.form->Cover().WriteRecoveryCopy();
        full.form->Cover().Recovery()->Wait();
        const auto status = [&] {
            auto *bar = full.form->findChild<QStatusBar *>();
            return bar ? bar->currentMessage() : QString();
        };
        QTRY_VERIFY(status().startsWith("Crash protection is off"));
    }

    void theRealDialogs()
    {
        QTemporaryDir dir;
        TQtCoverFileChooser chooser;
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(d);
            QCOMPARE(d->windowTitle(), QStringLiteral("Save As"));
            d->selectFile(dir.filePath("chosen"));
            QMetaObject::invokeMethod(d, "accept");
        });
        QString file;
        QVERIFY(chooser.ChooseSave(nullptr, "Save As", "Velmora covers (*.vmcover)", file));
        QCOMPARE(file, dir.filePath("chosen.vmcover"));

        TQtMessageBoxes boxes;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            box->button(QMessageBox::Discard)->click();
        });
        QCOMPARE(boxes.AskSaveChanges(nullptr, "Velmora", "Save?"), TSaveAnswer::Discard);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RegisterPictureKinds();
    RegisterGifSupport();
    if (argc == 3 && QByteArray(argv[1]) == "--crash-child")
        return CrashChild(QString::fromLocal8Bit(argv[2]));
    TestCoverFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_coverfile.moc"
