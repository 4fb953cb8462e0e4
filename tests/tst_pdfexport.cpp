// SPDX-License-Identifier: GPL-3.0-or-later
// The exported PDF as a print shop reads it, the print drawn the same way, the
// command line's print options, pictures still decoding, and the progress of
// long work.
#include "BuiltInTexts.h"
#include "ColourReference.h"
#include "CommandLine.h"
#include "CoverController.h"
#include "CoverRenderer.h"
#include "FontSubstitutes.h"
#include "JpegGraphic.h"
#include "PdfFinishing.h"
#include "PdfPages.h"
#include "PictureLoading.h"
#include "ProgramOptions.h"
#include "ProgramFixture.h"
#include "SampleFiles.h"
#include "SizeMaker.h"
#include "WindowControls.h"

#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The exported page holds the cover of trim points with room around it, and
// its bleed: every box to a hundredth of a millimetre, as pdfinfo reads it.
void CheckBoxes(const QString &pdf, const QSizeF &trim, double room, double bleed)
{
    const QString info = Run("pdfinfo", {"-box", pdf});
    const auto box = [&](const char *name) {
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("%1: +([-0-9.]+) +([-0-9.]+) +([-0-9.]+) +([-0-9.]+)")
                                   .arg(QLatin1String(name)))
                .match(info);
        return m.hasMatch() ? QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                     QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))
                            : QRectF();
    };
    const double mm = 72 / 25.4 * 0.01;
    const auto near = [&](const QRectF &a, const QRectF &b) {
        return qAbs(a.left() - b.left()) <= mm && qAbs(a.top() - b.top()) <= mm &&
               qAbs(a.right() - b.right()) <= mm && qAbs(a.bottom() - b.bottom()) <= mm;
    };
    const QRectF media(0, 0, trim.width() + 2 * room, trim.height() + 2 * room);
    const QRectF cut(room, room, trim.width(), trim.height());
    QVERIFY2(near(box("MediaBox"), media) && near(box("TrimBox"), cut) &&
                 near(box("BleedBox"), cut.adjusted(-bleed, -bleed, bleed, bleed)),
             qPrintable(info));
}

// The first image's colour space and decode array as qpdf reads them: the
// space's name and, for an ICCBased one, the profile it holds.
struct TImageColour
{
    QByteArray Space, Icc, Decode;
};
TImageColour ImageColour(const QString &pdf)
{
    QPDF file;
    file.processFile(QFile::encodeName(pdf).constData());
    for (QPDFObjectHandle object : file.getAllObjects()) {
        if (!object.isStream() || !object.getDict().getKey("/Subtype").isNameAndEquals("/Image"))
            continue;
        QPDFObjectHandle space = object.getDict().getKey("/ColorSpace");
        TImageColour c{QByteArray(), QByteArray(),
                       QByteArray::fromStdString(object.getDict().getKey("/Decode").unparse())};
        if (space.isArray()) {
            const std::shared_ptr<Buffer> icc = space.getArrayItem(1).getStreamData();
            c.Icc = QByteArray(reinterpret_cast<const char *>(icc->getBuffer()), qsizetype(icc->getSize()));
            space = space.getArrayItem(0);
        }
        c.Space = QByteArray::fromStdString(space.getName());
        return c;
    }
    return {};
}

} // namespace

class TestPdfExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        RegisterFontSubstitutes();
        RegisterPictureKinds();
    }

    void exportedPdfIsTheCoversOwnPage()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        Ui(f).MultiButton()->click();
        p.Doc().SetCoverSize(MakeSize(4, 4, 1, 4, 1, 5));
        ClickArea(f, 2);
        p.chooser.Answer = p.Save("photo.jpg", WriteJpeg(QuarterPicture(1500, 1000)));
        Ui(f).ChangeButton()->click();
        ClickArea(f, 3);
        p.chooser.Answer = p.Save("clip.wmf", WriteWmfClipArt());
        Ui(f).ChangeButton()->click();
        // 日 shares its glyph with the Kangxi radical U+2F47, which comes first
        // in the font's own map.
        const QString title = QStringLiteral("Midnight Café 日本の夜");
        p.Cover().SetText(2, title);
        p.Cover().SetText(1, QStringLiteral("Spine"));
        p.Cover().SetOrientation(1, toVert);
        const QString pdf = p.dir.filePath("cover.pdf");
        p.coverFiles.Answer = pdf;
        Ui(f).ExportPdf1()->trigger();
        QVERIFY2(p.messages.Boxes.isEmpty(), qPrintable(p.messages.Texts().join('\n')));
        QCOMPARE(p.coverFiles.Titles.last(), QStringLiteral("Export PDF"));
        // The page is the cover: 6 x 5 in, 432 x 360 points, trimmed there.
        CheckBoxes(pdf, QSizeF(432, 360), 0, 0);
        // Texts are text, as typed.
        const QString text = Run("pdftotext", {pdf, "-"});
        QVERIFY2(text.contains(title) && text.contains("Spine"), qPrintable(text));
        // The photograph is its own file; the clip-art is vectors, with its
        // own 2 x 2 bitmap the only other image.
        QStringList images = Run("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
        images = images.mid(2); // the heading
        QCOMPARE(images.size(), 2);
        QVERIFY(images.filter(QRegularExpression(" 1500 +1000 +icc +3 +8 +jpeg ")).size() == 1);
        QVERIFY(images.filter(QRegularExpression(" 2 +2 +icc")).size() == 1);
        QVERIFY(Run("pdfimages", {"-j", pdf, p.dir.filePath("img")}).isEmpty());
        QCOMPARE(ReadAll(p.dir.filePath("img-000.jpg")), ReadAll(p.dir.filePath("photo.jpg")));
        // Printed, the page shows the same: the same text, the clip-art as
        // the same vectors, the photograph at its own pixels.
        const QString printed = p.dir.filePath("printed.pdf");
        p.printers.SetUp = [&](QPrinter &printer) { printer.setOutputFileName(printed); };
        Ui(f).Print1()->trigger();
        QCOMPARE(Run("pdftotext", {printed, "-"}), text);
        images = Run("pdfimages", {"-list", printed}).split('\n', Qt::SkipEmptyParts).mid(2);
        QCOMPARE(images.size(), 2);
        QVERIFY(images.filter(QRegularExpression(" 1500 +1000 +icc +3 +8 +image ")).size() == 1);
        QVERIFY(images.filter(QRegularExpression(" 2 +2 +icc")).size() == 1);
        // With marks and bleed the page makes room for them, to the
        // hundredth of a millimetre.
        p.printers.SetUp = [&](QPrinter &printer) { printer.setOutputFileName(p.dir.filePath("x.pdf")); };
        p.printers.Choices = [](TPrintChoices &c) {
            c.Extras.CutMarks = true;
            c.Extras.BleedMm = 3;
        };
        Ui(f).Print1()->trigger();
        Ui(f).ExportPdf1()->trigger();
        const double side = (2 + 3 + 5) / 25.4 * 72; // gap, bleed and mark on either side
        CheckBoxes(pdf, QSizeF(432, 360), side, 3 / 25.4 * 72);
        const QSizeF page = PageSize(pdf);
        // The command line writes the same PDF with no window and no display,
        // with the user's print choices.
        p.coverFiles.Answer = p.dir.filePath("cover.vmcover");
        Ui(f).SaveAs1()->trigger();
        QTemporaryDir config;
        QDir(config.path()).mkpath("Velmora");
        QVERIFY(QFile::copy(p.optionsPath, config.filePath("Velmora/ProgramOptions.conf")));
        const QString batch = p.dir.filePath("batch.pdf");
        const auto [status, error] =
            RunVelmora({"--export-pdf", batch, p.dir.filePath("cover.vmcover")}, config.path());
        QVERIFY2(status == 0, qPrintable(error));
        QCOMPARE(PageSize(batch), page);
        QCOMPARE(Run("pdfimages", {"-list", batch}), Run("pdfimages", {"-list", pdf}));
        QCOMPARE(Run("pdftotext", {batch, "-"}), Run("pdftotext", {pdf, "-"}));
        // What it cannot do it says, and fails.
        const auto [missing, why] =
            RunVelmora({"--export-pdf", batch, p.dir.filePath("gone.vmcover")}, config.path());
        QCOMPARE(missing, 1);
        QVERIFY2(why.contains("Cannot open") && why.contains("gone.vmcover"), qPrintable(why));
        QCOMPARE(RunVelmora({"--export-pdf", batch}, config.path()).first, 1);
        QCOMPARE(RunVelmora({"--version"}, config.path()).first, 0);
        // Marks and bleed given on the line go over the stored ones.
        const QString plain = p.dir.filePath("plain.pdf");
        const QString cover = p.dir.filePath("cover.vmcover");
        QCOMPARE(RunVelmora({"--export-pdf", plain, "--marks", "none", "--bleed", "0", cover},
                            config.path()).first, 0);
        CheckBoxes(plain, QSizeF(432, 360), 0, 0);
        QCOMPARE(RunVelmora({"--export-pdf", plain, "--marks", "fold", "--bleed", "1.5", cover},
                            config.path()).first, 0);
        const double foldRoom = (2 + 1.5 + 5) / 25.4 * 72;
        CheckBoxes(plain, QSizeF(432, 360), foldRoom, 1.5 / 25.4 * 72);
        // Printing with no window needs a printer that exists, one cover,
        // and sensible numbers; each refusal says why.
        const QList<std::pair<QStringList, QString>> refused = {
            {{"--print", "--printer", "No Such Printer", cover}, "No Such Printer"},
            {{"--print", cover, cover}, "one Velmora cover"},
            {{"--print", "--export-pdf", batch, cover}, "one Velmora cover"},
            {{"--print", "--copies", "0", cover}, "copies"},
            {{"--export-pdf", batch, "--marks", "cut,crop", cover}, "marks"},
            {{"--export-pdf", batch, "--bleed", "6", cover}, "millimetres"},
            {{"--export-pdf", batch, "--bleed=-0.5", cover}, "millimetres"},
            {{"--export-pdf", batch, "--bleed", "wide", cover}, "millimetres"},
        };
        for (const auto &[arguments, reason] : refused) {
            const auto [code, text] = RunVelmora(arguments, config.path());
            QVERIFY2(code == 1 && text.contains(reason), qPrintable(arguments.join(' ') + ": " + text));
        }
        // The choices are remembered.
        p.Restart();
        p.printers.SetUp = nullptr;
        Ui(*p.form).Print1()->trigger();
        QVERIFY(p.printers.Shown.Extras.CutMarks && p.printers.Shown.Extras.BleedMm == 3);
    }

    // The command line exports and lays out sheets with no widget at all:
    // none is made while it runs.
    void theCommandLineDrawsWithNoWidget()
    {
        struct TWidgetWatch : QObject
        {
            int Made = 0;
            bool eventFilter(QObject *watched, QEvent *event) override
            {
                if (event->type() == QEvent::Create && watched->isWidgetType())
                    ++Made;
                return false;
            }
        } watch;
        QTemporaryDir dir;
        const QString cover = dir.filePath("cover.vmcover");
        {
            TCoverController c{QString()};
            QVERIFY(c.NewCover(MakeSize(4, 3, 0.5, 3, 0.5, 3), CoverMode::Multiple).Ok());
            QVERIFY(c.PlaceImage(2, SolidPicture(40, 30, Qt::blue)).Ok());
            QVERIFY(c.SetText(2, QStringLiteral("Windowless")).Ok());
            QVERIFY(c.Save(cover).Ok());
        }
        TSettingsOptionsStore options(dir.filePath("options.ini"));
        qApp->installEventFilter(&watch);
        for (const QStringList &arguments :
             {QStringList{"--export-pdf", dir.filePath("one.pdf"), cover},
              QStringList{"--sheet", "--export-pdf", dir.filePath("sheet.pdf"), cover, cover}}) {
            const TCommandLine line = ParseCommandLine(QStringList{"velmora"} + arguments, BuiltInText);
            QCOMPARE(RunWindowless(line, ProgramBinDir(), options), 0);
            QVERIFY(Run("pdftotext", {arguments[arguments.indexOf("--export-pdf") + 1], "-"})
                        .contains("Windowless"));
        }
        QCOMPARE(watch.Made, 0);
        // The watch sees a widget made.
        QWidget made;
        qApp->removeEventFilter(&watch);
        QCOMPARE(watch.Made, 1);
    }

    // Which JPEG files go into the PDF as their own bytes: upright, 8-bit,
    // grey or YCbCr, and the size of the bitmap placed. Any other is drawn
    // as its pixels, as the program decodes it.
    // ... and with the colours they mean: a file's own profile goes with it,
    // every other picture is the program's sRGB and says so; grey is grey.
    void onlyFilesThatLookTheSameGoAsTheyAre_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSize>("bitmap");
        QTest::addColumn<bool>("asItIs");
        QTest::addColumn<QByteArray>("profile"); // empty: device grey
        const QImage picture = QuarterPicture(64, 48);
        const QByteArray colour = WriteJpeg(picture);
        // The same file declaring 12 bits a sample in its frame header.
        QByteArray twelve = colour;
        const int frame = twelve.indexOf("\xFF\xC0");
        QVERIFY(frame > 0);
        twelve[frame + 4] = 12;
        const QByteArray srgb = QColorSpace(QColorSpace::SRgb).iccProfile();
        const QByteArray p3 = QColorSpace(QColorSpace::DisplayP3).iccProfile();
        const QByteArray cmyk = MakeCmykProfile();
        const QSize whole(64, 48);
        QTest::newRow("colour") << colour << whole << true << srgb;
        QTest::newRow("grey") << WriteJpeg(picture, JpegFlavour::Grey) << whole << true << QByteArray();
        QTest::newRow("progressive")
            << WriteJpeg(picture, JpegFlavour::Progressive) << whole << true << srgb;
        QTest::newRow("P3") << WriteJpeg(picture, JpegFlavour::Colour, 95, p3) << whole << true << p3;
        QTest::newRow("CMYK with its profile")
            << WriteJpeg(picture, JpegFlavour::AdobeCmyk, 95, cmyk) << whole << true << cmyk;
        QTest::newRow("EXIF half turn") << WithExifOrientation(colour, 3) << whole << false << srgb;
        QTest::newRow("CMYK") << WriteJpeg(picture, JpegFlavour::AdobeCmyk) << whole << false << srgb;
        QTest::newRow("12-bit") << twelve << whole << false << srgb;
        QTest::newRow("bitmap narrower") << colour << QSize(32, 48) << false << srgb;
        QTest::newRow("bitmap lower") << colour << QSize(64, 24) << false << srgb;
    }
    void onlyFilesThatLookTheSameGoAsTheyAre()
    {
        QFETCH(QByteArray, file);
        QFETCH(QSize, bitmap);
        QFETCH(bool, asItIs);
        QFETCH(QByteArray, profile);
        TCoverDocument cover;
        cover.SetCoverSize(MakeSize(2, 1.5, 0, 1, 0, 1));
        auto placed = std::make_shared<TPlacedPicture>();
        placed->Bitmap = SolidPicture(bitmap.width(), bitmap.height(), Qt::red);
        placed->FileBytes = file;
        placed->FileKind = QStringLiteral("jpg");
        cover.SetPlacedPicture(1, placed);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("cover.pdf");
        TCoverRenderer(cover, 472).ExportPdf(pdf, TPrintExtras());
        const QStringList images = Run("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
        QCOMPARE(images.size(), 1);
        // The encoding column, before the one that says whether to smooth.
        const QRegularExpressionMatch encoding =
            QRegularExpression(" (jpeg|image) +(no|yes) ").match(images[0]);
        QVERIFY2(encoding.captured(1) == (asItIs ? "jpeg" : "image"), qPrintable(images[0]));
        const TImageColour colour = ImageColour(pdf);
        QCOMPARE(colour.Space, profile.isEmpty() ? QByteArray("/DeviceGray") : QByteArray("/ICCBased"));
        QVERIFY(colour.Icc == profile);
        if (file.contains("\xFF\xEE") && asItIs) // Adobe's inverted ink
            QCOMPARE(colour.Decode, QByteArray("[ 1 0 1 0 1 0 1 0 ]"));
    }

    // A glyph two characters share maps back to the one typed; a map with
    // nothing to mend, or one that does not read, is left as it is.
    void glyphsMapBackToWhatWasTyped_data()
    {
        QTest::addColumn<QByteArray>("ranges");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("mapped"); // empty: the map unchanged
        const QByteArray cjk = "1 beginbfrange\n<0001> <0002> [<2F47> <672C>]\nendbfrange\n";
        QTest::newRow("ideograph") << cjk << QStringLiteral("日本") << QByteArray("<0001> <65E5>");
        QTest::newRow("radical typed") << cjk << QStringLiteral("\u2F47本") << QByteArray();
        QTest::newRow("space, not tab")
            << QByteArray("1 beginbfrange\n<0003> <0004> <0009>\nendbfrange\n")
            << QStringLiteral("a b\n") << QByteArray("<0003> <0020>\n<0004> <000A>");
        const QByteArray micro = "1 beginbfchar\n<0005> <00B5>\nendbfchar\n";
        QTest::newRow("Greek mu") << micro << QStringLiteral("μ") << QByteArray("<0005> <03BC>");
        QTest::newRow("both typed") << micro << QStringLiteral("µμ") << QByteArray();
        QTest::newRow("unreadable")
            << QByteArray("1 beginbfrange\n<0001> garbage\nendbfrange\n") << QStringLiteral("日")
            << QByteArray();
    }
    void glyphsMapBackToWhatWasTyped()
    {
        QFETCH(QByteArray, ranges);
        QFETCH(QString, typed);
        QFETCH(QByteArray, mapped);
        const QByteArray head = "/CIDInit /ProcSet findresource begin\nbegincmap\n1 begincodespacerange\n"
                                "<0000> <FFFF>\nendcodespacerange\n";
        const QByteArray tail = "endcmap\nend\n";
        QSet<char32_t> chars;
        for (uint c : typed.toUcs4())
            chars.insert(c);
        const QByteArray mended = TPdfFinishing::MendToUnicode(head + ranges + tail, chars);
        if (mapped.isEmpty()) {
            QCOMPARE(mended, head + ranges + tail);
            return;
        }
        QVERIFY2(mended.startsWith(head) && mended.endsWith(tail) && mended.contains(mapped),
                 mended.constData());
        // Mended once, there is nothing left to mend.
        QCOMPARE(TPdfFinishing::MendToUnicode(mended, chars), mended);
    }

    // A picture placed and printed at once prints whole, not the memory its
    // decoding has yet to fill; a second picture placed while the first
    // still decodes takes its place, and an undo brings the first back whole.
    void aPictureStillDecodingPrintsWhole()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        const auto photo = [](quint32 seed) {
            QImage noise(3000, 2000, QImage::Format_RGB32);
            for (int y = 0; y < noise.height(); ++y) {
                auto *row = reinterpret_cast<quint32 *>(noise.scanLine(y));
                for (int x = 0; x < noise.width(); ++x)
                    row[x] = (seed = seed * 1664525u + 1013904223u) >> 8;
            }
            return WriteJpeg(noise);
        };
        const QByteArray first = photo(1), second = photo(2);
        ClickArea(f, 1);
        p.chooser.Answer = p.Save("first.jpg", first);
        Ui(f).ChangeButton()->click();
        const QString printed = p.dir.filePath("at-once.pdf");
        p.printers.SetUp = [&](QPrinter &printer) { printer.setOutputFileName(printed); };
        Ui(f).Print1()->trigger();
        QVERIFY(Run("pdfimages", {"-png", printed, p.dir.filePath("band")}).isEmpty());
        // The bands in order, the last (decoded last) above all.
        const QImage whole = DecodeJpeg(first);
        const QStringList bands = QDir(p.dir.path()).entryList({"band-*.png"}, QDir::Files, QDir::Name);
        QVERIFY(bands.size() >= 2);
        const QImage top(p.dir.filePath(bands.first()));
        const QImage bottom(p.dir.filePath(bands.last()));
        QVERIFY(top.width() == whole.width() && bottom.width() == whole.width());
        QCOMPARE(top.convertToFormat(QImage::Format_RGB32), whole.copy(0, 0, whole.width(), top.height()));
        QCOMPARE(bottom.convertToFormat(QImage::Format_RGB32),
                 whole.copy(0, whole.height() - bottom.height(), whole.width(), bottom.height()));

        p.chooser.Answer = p.Save("second.jpg", second);
        Ui(f).ChangeButton()->click();
        p.chooser.Answer = p.Save("first.jpg", first);
        Ui(f).ChangeButton()->click();
        p.chooser.Answer = p.Save("second.jpg", second);
        Ui(f).ChangeButton()->click();
        QCOMPARE(p.Doc().GetPicture(1), DecodeJpeg(second));
        Ui(f).Undo1()->trigger();
        QCOMPARE(p.Doc().GetPicture(1), whole);
    }

    // A long print shows its progress, and its Cancel stops it with nothing
    // written and nothing to report; the next print goes through whole.
    void longWorkShowsProgressAndStopsOnCancel()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        QImage noise(4000, 3000, QImage::Format_RGB32);
        quint32 seed = 1;
        for (int y = 0; y < noise.height(); ++y) {
            auto *row = reinterpret_cast<quint32 *>(noise.scanLine(y));
            for (int x = 0; x < noise.width(); ++x)
                row[x] = (seed = seed * 1664525u + 1013904223u) >> 8;
        }
        ClickArea(f, 1);
        p.chooser.Answer = p.Save("noise.jpg", WriteJpeg(noise));
        Ui(f).ChangeButton()->click();
        QCOMPARE(p.Doc().GetPicture(1).size(), noise.size());
        const QString printed = p.dir.filePath("printed.pdf");
        p.printers.SetUp = [&](QPrinter &printer) { printer.setOutputFileName(printed); };
        bool cancel = true;
        int shown = 0;
        QTimer clicker;
        QObject::connect(&clicker, &QTimer::timeout, [&] {
            auto *progress = f.findChild<QProgressDialog *>("WorkProgress");
            if (!progress || !progress->isVisible())
                return;
            ++shown;
            QVERIFY(progress->labelText() == BuiltInText(352));
            if (cancel)
                QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
        });
        clicker.start(10);
        Ui(f).Print1()->trigger();
        QVERIFY(shown > 0);
        QVERIFY(!QFile::exists(printed));
        QVERIFY2(p.messages.Boxes.isEmpty(), qPrintable(p.messages.Texts().join('\n')));
        // Shown, it is painted before the work takes another step: a window
        // left unpainted through a long step shows as a black box.
        cancel = false;
        struct TWatch : QObject
        {
            QStringList Log;
            bool eventFilter(QObject *watched, QEvent *event) override
            {
                auto *dialog = qobject_cast<QProgressDialog *>(watched);
                if (dialog && dialog->objectName() == "WorkProgress") {
                    if (event->type() == QEvent::Show) {
                        Log << "show";
                        connect(dialog->findChild<QProgressBar *>(), &QProgressBar::valueChanged,
                                this, [this] { Log << "step"; });
                    } else if (event->type() == QEvent::Paint) {
                        Log << "paint";
                    }
                }
                return false;
            }
        } watch;
        qApp->installEventFilter(&watch);
        Ui(f).Print1()->trigger();
        qApp->removeEventFilter(&watch);
        const QString log = watch.Log.join(' ');
        QVERIFY2(log.startsWith("show paint"), qPrintable(log));
        QVERIFY(QFile::exists(printed));
        QVERIFY(!f.findChild<QProgressDialog *>("WorkProgress"));
        QVERIFY2(p.messages.Boxes.isEmpty(), qPrintable(p.messages.Texts().join('\n')));
    }
};

QTEST_MAIN(TestPdfExport)
#include "tst_pdfexport.moc"
