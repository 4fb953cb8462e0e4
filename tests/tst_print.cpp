// SPDX-License-Identifier: GPL-3.0-or-later
// Printing into real PDF files, measured on the rendered page.
#include "FontSubstitutes.h"
#include "MetafileGraphic.h"
#include "TestFiles.h"
#include "PdfPages.h"
#include "ViewFixture.h"

#include <QBuffer>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int MeasureDpi = 600; // a rendered pixel is 0.042 mm
constexpr double Margin = 0.5;  // inches

QString PrintToPdf(const TViewFixture &f, const QTemporaryDir &dir, int dpi, const QSizeF &page)
{
    const QString path = dir.filePath(QStringLiteral("cover.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, path, dpi, page, Margin);
    f.Renderer().Print(printer);
    return path;
}

int Px(double inches)
{
    return int(inches * MeasureDpi);
}

double Mm(const TSpan &s)
{
    return PixelsToMm(s.Length(), MeasureDpi);
}

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { RegisterFontSubstitutes(); }

    void coversPrintAtTrueSizeFromThePrintableOrigin_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<bool>("multiple");
        QTest::newRow("Single, 1200 dpi") << 1200 << false;
        QTest::newRow("Single, 300 dpi") << 300 << false;
        QTest::newRow("Multiple, 1200 dpi") << 1200 << true;
        QTest::newRow("Multiple, 300 dpi") << 300 << true;
    }
    void coversPrintAtTrueSizeFromThePrintableOrigin()
    {
        QFETCH(int, dpi);
        QFETCH(bool, multiple);
        // Single 4.75 x 7.5 in; Multiple 1 | 8 | 1 by 10 in. Areas with
        // neither picture nor text print their background colour.
        TViewFixture f(600, 400, multiple ? CoverMode::Multiple : CoverMode::Single,
                       MakeSize(4.75, 7.5, 1, 8, 1, 10));
        const QColor colours[] = {Qt::blue, Qt::green, Qt::red};
        for (CoverArea a = 1; a <= 3; ++a)
            f.Document.SetBackColor(a, QColorToColorRef(colours[a - 1]));
        QTemporaryDir dir;
        const QString pdf = PrintToPdf(f, dir, dpi, QSizeF(12, 12)); // 12 in square
        const double height = multiple ? 10 : 7.5;
        const QImage row = RenderPdf(pdf, MeasureDpi, QRect(0, Px(Margin + height / 2), Px(12), 1));
        const QImage column = RenderPdf(pdf, MeasureDpi, QRect(Px(Margin + 0.5), 0, 1, Px(12)));
        const TSpan down = ColumnSpan(column, 0, Qt::blue);
        QVERIFY(qAbs(Mm(down) - height * 25.4) <= 0.1);
        QVERIFY(qAbs(PixelsToMm(down.First, MeasureDpi) - Margin * 25.4) <= 0.1);
        const QList<double> widths = multiple ? QList<double>{1, 8, 1} : QList<double>{4.75};
        int next = Px(Margin);
        for (int i = 0; i < widths.size(); ++i) {
            const TSpan across = RowSpan(row, 0, colours[i]);
            QVERIFY2(qAbs(Mm(across) - widths[i] * 25.4) <= 0.1,
                     qPrintable(QString::number(Mm(across))));
            QVERIFY(qAbs(across.First - next) <= 1); // abutting, from the printable origin
            next = across.Last + 1;
        }
    }

    void printIsExactAndSharp()
    {
        // One cover for three measurements: a flat colour, a 72 pt text, and
        // a metafile's inner edge, printed at 1200 dpi.
        TViewFixture f(600, 400, CoverMode::Multiple, MakeSize(3, 3, 2, 3, 3, 3));
        f.Document.SetBackColor(1, 0x00A5FF); // FFA500, orange
        f.Document.SetText(2, QStringLiteral("HHHH"));
        f.Document.GetFont(2).SetSize(72);
        f.Document.SetTextPosition(2, tpTop);
        TMetafileGraphic::SetHelperDir(ProgramBinDir());
        TMetafileGraphic half; // a 1-inch frame, its left half blue
        QBuffer emf;
        emf.setData(WriteEmfShapes(2540, 2540, {QRect(0, 0, 48, 96)}, Qt::blue, 0, QColor()));
        emf.open(QIODevice::ReadOnly);
        half.LoadFromStream(emf);
        f.View.SetAreaPicture(3, &half);
        QTemporaryDir dir;
        const QString pdf = PrintToPdf(f, dir, 1200, QSizeF(12, 12));
        const int m = Px(Margin);

        // Colours copied unchanged, away from any glyph.
        const QImage flat = RenderPdf(pdf, MeasureDpi, QRect(m + Px(1), m + Px(1.5), 1, 1));
        QCOMPARE(QColor(flat.pixel(0, 0)), QColor(255, 165, 0));

        // As high as the same text drawn by Qt straight into a PDF.
        const QString straight = dir.filePath(QStringLiteral("straight.pdf"));
        {
            QPrinter printer(QPrinter::HighResolution);
            SetUpPdfPrinter(printer, straight, 1200, QSizeF(12, 12), Margin);
            QPainter p(&printer);
            QFont font = f.Document.GetFont(2).Font();
            font.setPointSize(72);
            p.setFont(font);
            p.drawText(600, 2400, QStringLiteral("HHHH"));
        }
        const auto at1200 = [](double inches) { return int(inches * 1200); };
        const int printed = InkBox(RenderPdf(pdf, 1200, QRect(at1200(2.5), at1200(0.5), at1200(3),
                                                              at1200(1.5))))
                                .height();
        const int direct =
            InkBox(RenderPdf(straight, 1200, QRect(0, at1200(1), at1200(6), at1200(2)))).height();
        QVERIFY(direct > 500);
        QVERIFY2(qAbs(double(printed) / direct - 1.0) <= 0.003,
                 qPrintable(QStringLiteral("%1 against %2").arg(printed).arg(direct)));

        // The metafile drawn from its vectors: from blue to white within 0.1 mm.
        const QImage edge = RenderPdf(pdf, 1200, QRect(at1200(7) - 200, at1200(2), 400, 1));
        int between = 0;
        for (int x = 0; x < edge.width(); ++x) {
            const QColor c = edge.pixelColor(x, 0);
            between += c.red() > 40 && c.red() < 215;
        }
        QVERIFY2(PixelsToMm(between, 1200) <= 0.1, qPrintable(QString::number(between)));
    }

    void userDefinedPictureKeepsItsPlaceInTheArea_data()
    {
        QTest::addColumn<int>("printerAfter"); // pixels per centimetre at the relayout
        QTest::newRow("same printer, laid out again") << 236;
        QTest::newRow("another printer's resolution") << 472;
    }
    void userDefinedPictureKeepsItsPlaceInTheArea()
    {
        QFETCH(int, printerAfter);
        TViewFixture f(500, 500, CoverMode::Single, MakeSize(5, 4, 1, 8, 1, 10));
        f.Document.SetBackColor(1, 0xC8C8C8); // grey, to find the cover's edges
        const QImage pic = SolidPicture(200, 100, Qt::red);
        f.View.SetAreaPicture(1, &pic);
        f.Document.ClearPlacementFlags(1);
        f.Document.SetZoom(1, 0.4);
        f.Document.SetOffset(1, TPoint{700, 500});
        const TRect area = f.View.AreaRect()[1];
        const TRect shown = f.View.ScreenLayout(1).Picture;
        const double screen[] = {double(shown.Left - area.Left) / area.Width(),
                                 double(shown.Top - area.Top) / area.Height(),
                                 double(shown.Width()) / area.Width()};
        QTemporaryDir dir;
        // Printed, then laid out again (a PDF file has a resolution like any
        // printer), then printed again: the picture stays where it was.
        for (int print = 0; print < 2; ++print) {
            if (print == 1) {
                f.Metrics.Printer = printerAfter;
                f.View.resize(503, 500);
                f.View.Relayout();
            }
            const QImage page = RenderPdf(PrintToPdf(f, dir, 1200, QSizeF(8, 8)), 300);
            // The cover's edges near its top-left corner, clear of the
            // picture; the picture's just inside its own top-left corner.
            const int margin = 150; // at 300 dpi
            const TSpan coverAcross = RowSpan(page, margin + 30, QColor(200, 200, 200), 10);
            const TSpan coverDown = ColumnSpan(page, margin + 30, QColor(200, 200, 200), 10);
            const TSpan redAcross =
                RowSpan(page, margin + int(screen[1] * coverDown.Length()) + 5, Qt::red);
            const TSpan redDown =
                ColumnSpan(page, margin + int(screen[0] * coverAcross.Length()) + 5, Qt::red);
            const double paper[] = {
                double(redAcross.First - coverAcross.First) / coverAcross.Length(),
                double(redDown.First - coverDown.First) / coverDown.Length(),
                double(redAcross.Length()) / coverAcross.Length()};
            for (int i = 0; i < 3; ++i)
                QVERIFY2(qAbs(paper[i] - screen[i]) <= 0.01,
                         qPrintable(QStringLiteral("print %1, %2: %3 against %4")
                                        .arg(print)
                                        .arg(i)
                                        .arg(paper[i])
                                        .arg(screen[i])));
        }
        QPrinter pdf(QPrinter::HighResolution);
        SetUpPdfPrinter(pdf, dir.filePath(QStringLiteral("any.pdf")), 1200, QSizeF(8, 8), Margin);
        QCOMPARE(TQtDeviceMetrics(pdf).PrinterPixelsPerCm(), 472);
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
