// SPDX-License-Identifier: GPL-3.0-or-later
// Printing into real PDF files, measured on the rendered page.
#include "FontSubstitutes.h"
#include "PdfPages.h"
#include "ViewFixture.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int MeasureDpi = 600; // a rendered pixel is 0.042 mm
constexpr double Margin = 0.5;  // inches

QString PrintToPdf(TCoverView &view, const QTemporaryDir &dir, int dpi, const QSizeF &page)
{
    const QString path = dir.filePath(QStringLiteral("cover.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, path, dpi, page, Margin);
    view.Print(printer);
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
        const QString pdf = PrintToPdf(f.View, dir, dpi, QSizeF(12, 12)); // 12 in square
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

    void textPrintsAtItsPointSize()
    {
        TViewFixture f(400, 400, CoverMode::Single, MakeSize(6, 3, 1, 8, 1, 10));
        f.Document.SetText(1, QStringLiteral("HHHH"));
        f.Document.GetFont(1).SetSize(72);
        QTemporaryDir dir;
        const QString printed = PrintToPdf(f.View, dir, 1200, QSizeF(5, 8));
        // The same text drawn straight into a PDF by Qt.
        const QString straight = dir.filePath(QStringLiteral("straight.pdf"));
        {
            QPrinter printer(QPrinter::HighResolution);
            SetUpPdfPrinter(printer, straight, 1200, QSizeF(5, 8), Margin);
            printer.setPageOrientation(QPageLayout::Landscape);
            QPainter p(&printer);
            QFont font = f.Document.GetFont(1).Font();
            font.setPointSize(72);
            p.setFont(font);
            p.drawText(600, 2400, QStringLiteral("HHHH"));
        }
        const int printedHeight = InkBox(RenderPdf(printed, 300)).height();
        const int straightHeight = InkBox(RenderPdf(straight, 300)).height();
        QVERIFY(straightHeight > 100);
        QVERIFY2(
            qAbs(double(printedHeight) / straightHeight - 1.0) <= 0.02,
            qPrintable(QStringLiteral("%1 against %2").arg(printedHeight).arg(straightHeight)));
    }

    void userDefinedPictureKeepsItsPlaceInTheArea()
    {
        TViewFixture f(500, 500, CoverMode::Single, MakeSize(5, 4, 1, 8, 1, 10));
        f.Document.SetBackColor(1, 0xC8C8C8); // grey, to find the cover's edges
        const QImage pic = SolidPicture(200, 100, Qt::red);
        f.View.SetAreaPicture(1, &pic);
        f.Document.ClearPlacementFlags(1);
        f.Document.SetZoom(1, 0.4);
        f.Document.SetOffset(1, TPoint{700, 500});
        const TRect area = f.View.AreaRect[1];
        const TRect shown = f.View.PictureRect(1, area, false);
        const double screen[] = {double(shown.Left - area.Left) / area.Width(),
                                 double(shown.Top - area.Top) / area.Height(),
                                 double(shown.Width()) / area.Width()};
        QTemporaryDir dir;
        const QImage page = RenderPdf(PrintToPdf(f.View, dir, 1200, QSizeF(8, 8)), 300);
        // The cover's edges near its top-left corner, clear of the picture;
        // the picture's just inside its own top-left corner.
        const int margin = 150; // at 300 dpi
        const TSpan coverAcross = RowSpan(page, margin + 30, QColor(200, 200, 200), 10);
        const TSpan coverDown = ColumnSpan(page, margin + 30, QColor(200, 200, 200), 10);
        const TSpan redAcross =
            RowSpan(page, margin + int(screen[1] * coverDown.Length()) + 5, Qt::red);
        const TSpan redDown =
            ColumnSpan(page, margin + int(screen[0] * coverAcross.Length()) + 5, Qt::red);
        const double paper[] = {double(redAcross.First - coverAcross.First) / coverAcross.Length(),
                                double(redDown.First - coverDown.First) / coverDown.Length(),
                                double(redAcross.Length()) / coverAcross.Length()};
        for (int i = 0; i < 3; ++i)
            QVERIFY2(qAbs(paper[i] - screen[i]) <= 0.01,
                     qPrintable(
                         QStringLiteral("%1: %2 against %3").arg(i).arg(paper[i]).arg(screen[i])));
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
