// SPDX-License-Identifier: GPL-3.0-or-later
#include "BuiltInTexts.h"
#include "CalibrationDialog.h"
#include "FontSubstitutes.h"
#include "PdfPages.h"
#include "PictureLoading.h"
#include "PrintCalibration.h"
#include "ProgramFixture.h"
#include "WindowControls.h"
#include "ViewFixture.h"
#include "SheetDialog.h"
#include "SheetJob.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int Dpi = 600;       // a rendered pixel is 0.042 mm
constexpr double Margin = 0.5; // inches
constexpr double Tolerance = 0.1;

int Px(double inches)
{
    return int(inches * Dpi);
}

double Mm(double pixels)
{
    return PixelsToMm(pixels, Dpi);
}

QString Print(const TViewFixture &f, const QString &path, const TPrintExtras &extras)
{
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, path, 1200, QSizeF(12, 12), Margin);
    f.Renderer().Print(printer, extras);
    return path;
}

} // namespace

class TestPrintStudio : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        RegisterFontSubstitutes();
        RegisterPictureKinds();
    }

    void marksStandOnTheTrueLinesWithBleedOrWithout_data()
    {
        QTest::addColumn<double>("bleed");
        QTest::newRow("no bleed") << 0.0;
        QTest::newRow("3 mm bleed") << 3.0;
    }
    void marksStandOnTheTrueLinesWithBleedOrWithout()
    {
        QFETCH(double, bleed);
        // A tray inlay: spines of 0.25 in either side of a 5.5 in centre.
        TViewFixture f(600, 400, CoverMode::Multiple, MakeSize(4, 4, 0.25, 5.5, 0.25, 4.6));
        for (CoverArea a = 1; a <= 3; ++a)
            f.Document.SetBackColor(a, QColorToColorRef(QColor(Qt::yellow)));
        TPrintExtras extras;
        extras.CutMarks = extras.FoldMarks = true;
        extras.BleedMm = bleed;
        QTemporaryDir dir;
        const QString pdf = Print(f, dir.filePath("marks.pdf"), extras);
        const double room = extras.RoomInches();
        const double left = (Margin + room) * 25.4, top = left;
        const double markRow = Margin + room - extras.MarkGapInches() - 2.5 / 25.4;
        // Vertical marks above the cover: its two edges and the two folds.
        const double expected[] = {left, left + 0.25 * 25.4, left + 5.75 * 25.4, left + 6 * 25.4};
        const QImage row = RenderPdf(pdf, Dpi, QRect(0, Px(markRow), Px(12), 1));
        QList<double> centres;
        for (int x = 0, start = -1; x < row.width(); ++x) {
            const bool dark = qGray(row.pixel(x, 0)) < 90;
            if (dark && start < 0)
                start = x;
            if (!dark && start >= 0) {
                centres << Mm((start + x) / 2.0);
                start = -1;
            }
        }
        QCOMPARE(centres.size(), 4);
        for (int i = 0; i < 4; ++i)
            QVERIFY2(qAbs(centres[i] - expected[i]) <= Tolerance,
                     qPrintable(QStringLiteral("%1 at %2, not %3").arg(i).arg(centres[i]).arg(expected[i])));
        // A horizontal mark left of the cover, on its top edge.
        const QImage down = RenderPdf(pdf, Dpi, QRect(Px(markRow), 0, 1, Px(Margin + room + 1)));
        const TSpan mark = ColumnSpan(down, 0, Qt::black, 90);
        QVERIFY(qAbs(Mm((mark.First + mark.Last + 1) / 2.0) - top) <= Tolerance);
        // The colour reaches as far as the bleed, and no farther.
        const QImage across = RenderPdf(pdf, Dpi, QRect(0, Px(Margin + room + 2), Px(12), 1));
        const TSpan yellow = RowSpan(across, 0, Qt::yellow);
        QVERIFY(qAbs(Mm(yellow.First) - (left - bleed)) <= Tolerance);
        QVERIFY(qAbs(Mm(yellow.Length()) - (6 * 25.4 + 2 * bleed)) <= Tolerance);
        // The warning counts the room: larger by it on every side.
        QCOMPARE(f.Renderer().PrintedSize(extras), QSizeF(6 + 2 * room, 4.6 + 2 * room));
    }

    void calibrationMovesAndScalesByTheStoredAmounts()
    {
        TViewFixture f(600, 400, CoverMode::Single, MakeSize(4, 3, 1, 1, 1, 1));
        f.Document.SetBackColor(1, QColorToColorRef(QColor(Qt::blue)));
        // What a printer printing 0.8 % large and 0.5 % small, 1.5 mm right
        // and 1 mm up asks for.
        const TPrintExtras c = TCalibrationSheet::Correction(100.8, 99.5, 26.5, 24);
        QVERIFY(qAbs(c.ScaleX - 100 / 100.8) < 1e-12 && qAbs(c.OffsetYMm - (25 - 24 * c.ScaleY)) < 1e-12);
        QTemporaryDir dir;
        const QString pdf = Print(f, dir.filePath("calibrated.pdf"), c);
        const QImage row = RenderPdf(pdf, Dpi, QRect(0, Px(Margin + 1.5), Px(12), 1));
        const QImage column = RenderPdf(pdf, Dpi, QRect(Px(Margin + 2), 0, 1, Px(12)));
        const TSpan across = RowSpan(row, 0, Qt::blue), down = ColumnSpan(column, 0, Qt::blue);
        // From the paper's corner: moved by the offset, the margin and the
        // cover scaled.
        QVERIFY(qAbs(Mm(across.First) - (c.OffsetXMm + c.ScaleX * Margin * 25.4)) <= Tolerance);
        QVERIFY(qAbs(Mm(down.First) - (c.OffsetYMm + c.ScaleY * Margin * 25.4)) <= Tolerance);
        QVERIFY(qAbs(Mm(across.Length()) - 4 * 25.4 * c.ScaleX) <= Tolerance);
        QVERIFY(qAbs(Mm(down.Length()) - 3 * 25.4 * c.ScaleY) <= Tolerance);
    }

    // A block's lines stay text on the exported page, where the layout puts
    // them, and print in the same place through the printer's path.
    void textBlocksExportAsTextWhereTheyPrint()
    {
        TProgram p;
        QVERIFY(p.Cover().NewCover(MakeSize(5, 5, 1, 3, 1, 5), CoverMode::Multiple).Ok());
        int index = -1;
        QVERIFY(p.Cover().AddTextBlock(2, &index).Ok());
        TTextBlock list = p.Doc().GetBlocks(2)[0];
        list.Text = QStringLiteral("1\tIntro\t1:02\n2\tOutro\t3:04\n3\tÉté indien\t4:05");
        list.FontName = QStringLiteral("Liberation Sans");
        list.X = 5;
        list.Y = 7.5;
        list.Width = 60;
        list.Height = 30;
        QVERIFY(p.Cover().SetTextBlock(2, 0, list).Ok());
        QVERIFY(p.Cover().AddTextBlock(1).Ok());
        TTextBlock spine = p.Doc().GetBlocks(1)[0];
        spine.Text = QStringLiteral("Artist - Album");
        spine.Rotation = 270;
        spine.X = 2;
        spine.Y = 10;
        spine.Width = 20;
        spine.Height = 100;
        QVERIFY(p.Cover().SetTextBlock(1, 0, spine).Ok());
        const QString pdf = p.dir.filePath("blocks.pdf");
        QVERIFY(p.Cover().ExportPdf(pdf, TPrintExtras()).Ok());
        const QString text = Run("pdftotext", {pdf, "-"});
        QVERIFY2(text.contains("Artist - Album") && text.contains("Été indien"), qPrintable(text));

        // Each cell's left edge, and its baseline within the word's box.
        const QString html = p.dir.filePath("blocks.html");
        Run("pdftotext", {"-bbox", pdf, html});
        const QString boxes = QString::fromUtf8(ReadBytes(html));
        const TBlockLayout layout = LayOutTextBlock(list);
        const double areaLeftMm = 1 * 25.4;
        for (const char *word : {"Intro", "3:04", "2"}) {
            const QRegularExpression re(QStringLiteral(
                R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">%1</word>)re")
                                            .arg(QRegularExpression::escape(QLatin1String(word))));
            const QRegularExpressionMatch m = re.match(boxes);
            QVERIFY2(m.hasMatch(), word);
            const auto run = std::find_if(layout.Runs.begin(), layout.Runs.end(),
                                          [&](const TBlockRun &r) { return r.Text == QLatin1String(word); });
            QVERIFY(run != layout.Runs.end());
            const double pt = 72 / 25.4;
            QVERIFY2(std::abs(m.captured(1).toDouble() / pt - (areaLeftMm + list.X + run->X)) <= 0.2, word);
            const double baseline = (list.Y + run->Baseline) * pt;
            QVERIFY(m.captured(2).toDouble() < baseline && baseline < m.captured(3).toDouble());
        }

        // Printed through the printer's bitmaps, the ink lies where the
        // exported page has it.
        const QString printed = p.dir.filePath("printed.pdf");
        QPrinter printer(QPrinter::HighResolution);
        SetUpPdfPrinter(printer, printed, 600, QSizeF(8.5, 11), 0);
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setPageSize(QPageSize(QSizeF(5, 5), QPageSize::Inch, QString(), QPageSize::ExactMatch));
        printer.setFullPage(true);
        Ui(*p.form).Renderer().Print(printer);
        const QRect area(Px(1), 0, Px(3), Px(5));
        const QRect exported = InkBox(RenderPdf(pdf, Dpi, area));
        const QRect fromPrinter = InkBox(RenderPdf(printed, Dpi, area));
        QVERIFY(!exported.isEmpty());
        for (const auto &[a, b] : {std::pair{exported.left(), fromPrinter.left()},
                                   {exported.top(), fromPrinter.top()},
                                   {exported.right(), fromPrinter.right()},
                                   {exported.bottom(), fromPrinter.bottom()}})
            QVERIFY2(Mm(std::abs(a - b)) <= 0.3, qPrintable(QStringLiteral("%1 %2").arg(a).arg(b)));
    }

    // Print Sheet...: the window's cover and a cover file on one A4 page at
    // true size; the same from the command line on Letter.
    void coversShareASheetAtTrueSize()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        const double in = 1 / 25.4;
        QVERIFY(p.Cover().NewCover(MakeSize(120 * in, 120 * in, 0, 1, 0, 1), CoverMode::Single).Ok());
        QVERIFY(p.Cover().PlaceImage(1, SolidPicture(30, 30, Qt::red)).Ok());
        const QString tray = p.dir.filePath("tray.vmcover");
        {
            TCoverController other{QString()};
            QVERIFY(other.NewCover(MakeSize(151 * in, 117.5 * in, 0, 1, 0, 1), CoverMode::Single).Ok());
            QVERIFY(other.PlaceImage(1, SolidPicture(30, 30, Qt::blue)).Ok());
            QVERIFY(other.SetText(1, QStringLiteral("日の夜")).Ok());
            QVERIFY(other.Save(tray).Ok());
        }
        const QString pdf = p.dir.filePath("sheet.pdf");
        SetUpPdfPrinter(f.Printer(), p.dir.filePath("unused.pdf"), 600, QSizeF(8.5, 11), 0.25);
        p.dialogs.Scripts << [&](QDialog &d) {
            auto &sheet = static_cast<TSheetDialog &>(d);
            auto *table = sheet.findChild<QTableWidget *>("CoverTable");
            auto *sheets = sheet.findChild<QLabel *>("SheetsLabel");
            QCOMPARE(table->rowCount(), 1);
            p.coverFiles.Answer = tray;
            sheet.findChild<QPushButton *>("AddButton")->click();
            QCOMPARE(table->rowCount(), 2);
            QCOMPARE(table->item(1, 0)->text(), QStringLiteral("tray"));
            // Two copies of the tray need a second page; one does not.
            auto *copies = sheet.findChild<QSpinBox *>("Copies2");
            QTest::keyClick(copies, Qt::Key_Up);
            QCOMPARE(sheets->text(), QStringLiteral("Sheets: 2"));
            QTest::keyClick(copies, Qt::Key_Down);
            QTest::keyClick(sheet.findChild<QComboBox *>("PaperCombo"), Qt::Key_Down); // A4
            QCOMPARE(sheets->text(), QStringLiteral("Sheets: 1"));
            p.coverFiles.Answer = pdf;
            sheet.findChild<QPushButton *>("ExportButton")->click();
            sheet.findChild<QPushButton *>("CloseButton")->click();
        };
        Ui(f).PrintSheet1()->trigger();
        QVERIFY2(p.messages.Boxes.isEmpty(), qPrintable(p.messages.Texts().join('\n')));
        QCOMPARE(PageSize(pdf).toSize(), QSize(595, 842));
        QVERIFY(Run("pdfinfo", {pdf}).contains(QRegularExpression("Pages: +1\n")));
        QVERIFY(Run("pdftotext", {pdf, "-"}).contains(QStringLiteral("日の夜")));
        // Each at true size, within 0.1 mm, apart from the other.
        const QImage page = RenderPdf(pdf, Dpi);
        QRect boxes[2];
        const QColor colours[] = {Qt::red, Qt::blue};
        for (int c = 0; c < 2; ++c)
            for (int y = 0; y < page.height(); y += 4) {
                const TSpan row = RowSpan(page, y, colours[c]);
                if (row.Length() > 0)
                    boxes[c] |= QRect(row.First, y, row.Length(), 1);
            }
        for (int c = 0; c < 2; ++c) {
            const int x = boxes[c].center().x();
            const TSpan column = ColumnSpan(page, x, colours[c]);
            boxes[c].setTop(column.First);
            boxes[c].setBottom(column.Last);
        }
        const QSizeF red(Mm(boxes[0].width()), Mm(boxes[0].height()));
        const QSizeF blue(Mm(boxes[1].width()), Mm(boxes[1].height()));
        QVERIFY2(std::abs(red.width() - 120) <= Tolerance && std::abs(red.height() - 120) <= Tolerance,
                 qPrintable(QStringLiteral("%1 x %2").arg(red.width()).arg(red.height())));
        const bool turned = std::abs(blue.width() - 117.5) <= Tolerance;
        QVERIFY2(std::abs(blue.width() - (turned ? 117.5 : 151)) <= Tolerance &&
                     std::abs(blue.height() - (turned ? 151 : 117.5)) <= Tolerance,
                 qPrintable(QStringLiteral("%1 x %2").arg(blue.width()).arg(blue.height())));
        QVERIFY(!boxes[0].intersects(boxes[1]));
        // On the page.
        for (const QRect &b : boxes)
            QVERIFY(b.left() >= 0 && b.top() >= 0);

        // The command line: both files, Letter, and what it refuses.
        const QString window = p.dir.filePath("window.vmcover");
        QVERIFY(p.Cover().Save(window).Ok());
        QTemporaryDir config;
        const QString batch = p.dir.filePath("batch.pdf");
        const auto [status, error] = RunVelmora(
            {"--sheet", "--paper", "Letter", "--export-pdf", batch, window, tray}, config.path());
        QVERIFY2(status == 0, qPrintable(error));
        QCOMPARE(PageSize(batch).toSize(), QSize(612, 792));
        QVERIFY(Run("pdfinfo", {batch}).contains(QRegularExpression("Pages: +1\n")));
        // Each refusal says why: a sheet goes either to a file or to the
        // printer, of some cover, on paper the program knows.
        const QList<std::pair<QStringList, int>> refused = {
            {{"--sheet", window}, 304},
            {{"--sheet", "--print", "--export-pdf", batch, window}, 304},
            {{"--print", "--paper", "A4", "--export-pdf", batch, window}, 304},
            {{"--sheet", "--export-pdf", batch}, 307},
            {{"--sheet", "--paper", "A3", "--export-pdf", batch, window}, 305},
        };
        for (const auto &[wrong, text] : refused) {
            const auto [code, why] = RunVelmora(wrong, config.path());
            QVERIFY2(code == 1 && why.contains(BuiltInText(text).left(20)),
                     qPrintable(wrong.join(' ') + ": " + why));
        }
        // The dialog through its own modal loop, closed by its button.
        TSheetJob job(p.metrics, BuiltInText);
        TSheetDialog real(job, BuiltInText);
        QTimer::singleShot(0, &real, [&] { real.findChild<QPushButton *>("CloseButton")->click(); });
        QCOMPARE(real.exec(), int(QDialog::Accepted));
    }

    // The preview's page, painted as the preview paints it, is the printed
    // page: a preview that replayed a freed or reused bitmap showed other
    // areas' pixels, or grey.
    void previewShowsWhatPrints_data()
    {
        QTest::addColumn<CoverSize>("size");
        QTest::newRow("case wrap") << MakeSize(5, 5, 4.5, 0.4, 4.5, 7);
        QTest::newRow("tiny, 0.9 in") << MakeSize(0.9, 0.9, 0.3, 0.3, 0.3, 0.9);
    }
    void previewShowsWhatPrints()
    {
        QFETCH(CoverSize, size);
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        QVERIFY(p.Cover().NewCover(size, CoverMode::Multiple).Ok());
        const QColor colours[] = {Qt::red, QColor(0, 160, 0), Qt::blue};
        for (int a = 1; a <= 3; ++a)
            QVERIFY(p.Cover().PlaceImage(a, SolidPicture(30, 60, colours[a - 1])).Ok());
        const QString pdf = p.dir.filePath("printed.pdf");
        SetUpPdfPrinter(f.Printer(), pdf, 600, QSizeF(8.5, 11), 0.5);
        p.printers.SetUp = [](QPrinter &) {};
        Ui(f).Print1()->trigger();
        QVERIFY2(p.messages.Boxes.isEmpty(), qPrintable(p.messages.Texts().join('\n')));
        const QImage printed = RenderPdf(pdf, 40);
        QVERIFY(!printed.isNull());

        QImage shown(printed.size(), QImage::Format_RGB32);
        p.dialogs.Scripts << [&](QDialog &d) {
            auto *preview = d.findChild<QPrintPreviewWidget *>();
            preview->updatePreview();
            QGraphicsScene *scene = d.findChild<QGraphicsView *>()->scene();
            for (QGraphicsItem *page : scene->items()) {
                // The page item reaches beyond its paper by its shadow's
                // border on every side.
                const QRectF r = page->boundingRect();
                const QRectF paper(0, 0, r.width() + 2 * r.left(), r.height() + 2 * r.left());
                QPainter painter(&shown);
                scene->render(&painter, QRectF(shown.rect()), page->mapRectToScene(paper));
            }
        };
        Ui(f).PrintPreview1()->trigger();
        int differing = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                differing += !Near(shown.pixel(x, y), printed.pixel(x, y), 60);
        QVERIFY2(differing <= shown.width() * shown.height() / 100,
                 qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
        // Each area in its own colour, where the print has it.
        for (const QColor &c : colours) {
            bool found = false;
            for (int i = 0; i < printed.width() * printed.height() && !found; ++i) {
                const QPoint at(i % printed.width(), i / printed.width());
                found = Near(printed.pixel(at), c, 40) && Near(shown.pixel(at), c, 40);
            }
            QVERIFY2(found, qPrintable(c.name()));
        }
    }

    // The bleed reaches out past the cover's outer edges only: between two
    // areas each keeps its own colour up to the fold.
    void bleedStopsAtTheFolds()
    {
        TProgram p;
        QVERIFY(p.Cover().NewCover(MakeSize(1, 1, 1, 1, 1, 1), CoverMode::Multiple).Ok());
        const QColor colours[] = {Qt::red, QColor(0, 160, 0), Qt::blue};
        for (int a = 1; a <= 3; ++a)
            QVERIFY(p.Cover().PlaceImage(a, SolidPicture(20, 20, colours[a - 1])).Ok());
        TPrintExtras extras;
        extras.BleedMm = 3;
        const QString pdf = p.dir.filePath("bleed.pdf");
        QVERIFY(p.Cover().ExportPdf(pdf, extras).Ok());
        const QImage page = RenderPdf(pdf, 100);
        const int room = qRound(3 / 25.4 * 100);
        for (int a = 1; a <= 2; ++a) {
            const int fold = room + 100 * a; // the fold after area a
            QVERIFY(Near(page.pixel(fold - 3, 50), colours[a - 1], 40));
            QVERIFY(Near(page.pixel(fold + 3, 50), colours[a], 40));
        }
        // Out past the cover's own edges, the bleed carries each outer area on.
        QVERIFY(Near(page.pixel(2, 50), colours[0], 40));
        QVERIFY(Near(page.pixel(page.width() - 3, 50), colours[2], 40));
    }

    // A PDF file has no unprintable margin: a DVD wrap with cut marks and
    // 3 mm of bleed goes on A4 as a file, from the window and from the
    // command line, though a printer's margins leave it no room on paper.
    // The list gives its size in the user's unit and decimal separator.
    void aSheetPdfTakesTheWholePage()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        const QString dvd = p.dir.filePath("dvd.vmcover");
        QVERIFY(p.Cover().NewCover(MakeSize(273.1 / 25.4, 184.1 / 25.4, 0, 1, 0, 1), CoverMode::Single).Ok());
        QVERIFY(p.Cover().Save(dvd).Ok());
        p.options->Write("CutMarks", 1);
        p.options->Write("Bleed", 3);
        Ui(f).Centimetres1()->trigger();
        ChooseLanguage(f, "Deutsch");
        SetUpPdfPrinter(f.Printer(), p.dir.filePath("unused.pdf"), 600, QSizeF(8.27, 11.69), 0.14);
        const QString pdf = p.dir.filePath("dvd-sheet.pdf");
        p.dialogs.Scripts << [&](QDialog &d) {
            auto &sheet = static_cast<TSheetDialog &>(d);
            QTest::keyClick(sheet.findChild<QComboBox *>("PaperCombo"), Qt::Key_Down); // A4
            QCOMPARE(sheet.findChild<QTableWidget *>("CoverTable")->item(0, 1)->text(),
                     QStringLiteral("27,31 x 18,41 cm"));
            QVERIFY(!sheet.findChild<QPushButton *>("PrintButton")->isEnabled());
            auto *exportButton = sheet.findChild<QPushButton *>("ExportButton");
            QVERIFY(exportButton->isEnabled());
            p.coverFiles.Answer = pdf;
            exportButton->click();
            sheet.findChild<QPushButton *>("CloseButton")->click();
        };
        Ui(f).PrintSheet1()->trigger();
        QVERIFY2(p.messages.Boxes.isEmpty() && QFileInfo(pdf).size() > 0,
                 qPrintable(p.messages.Texts().join('\n')));
        QTemporaryDir config;
        const QString batch = p.dir.filePath("dvd-batch.pdf");
        const auto [status, error] = RunVelmora(
            {"--sheet", "--paper", "A4", "--marks", "cut", "--bleed", "3", "--export-pdf", batch, dvd},
            config.path());
        QVERIFY2(status == 0, qPrintable(error));
        QCOMPARE(PageSize(batch).toSize(), QSize(595, 842));
    }

    void previewAndCalibrationThroughTheirDialogs()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        // The preview draws the page with the print's own code, turned as
        // Print turns it from the first preview on: a DVD wrap lies across
        // A4.
        QVERIFY(p.Cover().NewCover(MakeSize(10.75, 7.2, 5.1, 0.55, 5.1, 7.2), CoverMode::Single).Ok());
        int pages = -1;
        QPageLayout::Orientation shown = QPageLayout::Portrait;
        p.dialogs.Scripts << [&](QDialog &d) {
            auto *preview = d.findChild<QPrintPreviewWidget *>();
            QVERIFY(preview);
            preview->updatePreview();
            pages = preview->pageCount();
            shown = preview->orientation();
        };
        Ui(f).PrintPreview1()->trigger();
        QCOMPARE(pages, 1);
        QCOMPARE(shown, QPageLayout::Landscape);
        QVERIFY(p.messages.Boxes.isEmpty());
        // Its own Print button on paper too small: warned of as Print warns,
        // and nothing printed when the user says no.
        const QString cut = p.dir.filePath("cut.pdf");
        p.dialogs.Scripts << [&](QDialog &d) {
            QPrinter *printer = static_cast<QPrintPreviewDialog &>(d).printer();
            printer->setOutputFileName(cut);
            printer->setPageSize(QPageSize(QPageSize::A6));
            d.findChild<QPrintPreviewWidget *>()->print();
        };
        p.messages.Answer = false;
        Ui(f).PrintPreview1()->trigger();
        p.messages.Answer = true;
        QCOMPARE(p.messages.Boxes.size(), 1);
        QVERIFY2(p.messages.Texts()[0].startsWith(BuiltInText(150).section('%', 0, 0)),
                 qPrintable(p.messages.Texts()[0]));
        QVERIFY(!QFileInfo(cut).exists() || QFileInfo(cut).size() == 0);
        p.messages.Boxes.clear();
        p.dialogs.Scripts << [&](QDialog &d) {
            QPrinter *printer = static_cast<QPrintPreviewDialog &>(d).printer();
            printer->setPageSize(QPageSize(QPageSize::A4));
            printer->setOutputFileName(QString());
        };
        Ui(f).PrintPreview1()->trigger();

        // Calibration: the sheet prints; a file is not a printer to correct.
        const QString sheet = p.dir.filePath("sheet.pdf");
        p.printers.SetUp = [&](QPrinter &printer) { printer.setOutputFileName(sheet); };
        Ui(f).Calibrate1()->trigger();
        QVERIFY(Run("pdftotext", {sheet, "-"}).contains("Velmora calibration sheet"));
        QCOMPARE(p.messages.Texts(), QStringList{BuiltInText(259)});
        QCOMPARE(p.dialogs.Shown, 3); // the previews alone
        // The measurements give the correction, through the dialog's own loop.
        TCalibrationDialog &dialog = *Ui(f).CalibrationDialog();
        QTimer::singleShot(0, [&] {
            // Measurements that no stored correction could hold are refused
            // where the user sees why.
            dialog.WidthEdit->setValue(80);
            dialog.Buttons->button(QDialogButtonBox::Ok)->click();
            QVERIFY(dialog.isVisible() && dialog.ProblemLabel->isVisible());
            QCOMPARE(dialog.ProblemLabel->text(), BuiltInText(276));
            // A cross nearer the edge than 20 mm is a printer's, and taken.
            dialog.LeftEdit->setValue(15);
            QCOMPARE(dialog.LeftEdit->value(), 15.0);
            dialog.WidthEdit->setValue(100.8);
            dialog.LeftEdit->setValue(26.5);
            dialog.Buttons->button(QDialogButtonBox::Ok)->click();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        const TPrintExtras c = dialog.Calibration();
        QVERIFY(qAbs(c.ScaleX - 100 / 100.8) < 1e-9 && c.ScaleY == 1 && c.OffsetYMm == 0);
        QCOMPARE(c.OffsetXMm, 25 - 26.5 * c.ScaleX);
        // Stored for the printer by name, applied to that printer only.
        f.StoreCalibration("Office Laser", &c);
        TPrintExtras read;
        QVERIFY(f.StoredCalibration("Office Laser", read));
        QCOMPARE(read.ScaleX, c.ScaleX);
        QCOMPARE(read.OffsetXMm, c.OffsetXMm);
        QVERIFY(f.CalibrationText("Office Laser").startsWith("99.21 % x 100.00 %"));
        QVERIFY(!f.PrintExtrasFor(f.Printer()).Calibrated()); // a file: never
        f.StoreCalibration("Office Laser", nullptr);
        QVERIFY(!f.StoredCalibration("Office Laser", read));
    }

    void theRealPrintDialogsTab()
    {
        QPrinter printer(QPrinter::HighResolution);
        TQtPrinterChooser chooser;
        chooser.Texts = [](int n) { return QStringLiteral("t%1").arg(n); };
        TPrintChoices choices;
        choices.Calibration = QStringLiteral("99 % x 101 %");
        choices.CalibrationOf = [](const QString &printer) {
            return printer == "Office Laser" ? QStringLiteral("98 % x 98 %") : QString();
        };
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            // Another printer chosen: the line speaks of that one.
            auto *printers = dialog->findChild<QComboBox *>("printers");
            QVERIFY(printers);
            printers->addItem("Office Laser");
            printers->setCurrentIndex(printers->count() - 1);
            QCOMPARE(choices.Calibration, QStringLiteral("98 % x 98 %"));
            QCheckBox *cut = nullptr;
            for (QCheckBox *box : dialog->findChildren<QCheckBox *>())
                if (box->text() == "t243")
                    cut = box;
            QVERIFY(cut);
            cut->setChecked(true);
            for (QPushButton *b : dialog->findChildren<QPushButton *>())
                if (b->text() == "t249")
                    b->click();
            dialog->accept();
        });
        QVERIFY(chooser.Choose(nullptr, printer, choices));
        QVERIFY(choices.Extras.CutMarks && choices.ResetCalibration);
    }
};

QTEST_MAIN(TestPrintStudio)
#include "tst_printstudio.moc"
