// SPDX-License-Identifier: GPL-3.0-or-later
// Printing into real PDF files, measured on the rendered page.
#include "FontSubstitutes.h"
#include "PdfPages.h"
#include "VelmoraError.h"
#include "ViewFixture.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Measured pages are rendered at this resolution: a pixel is 0.042 mm.
constexpr int MeasureDpi = 600;
constexpr double MarginInches = 0.5;

QString PrintToPdf(TCoverView &view, const QTemporaryDir &dir, int dpi, const QSizeF &page)
{
    const QString path = dir.filePath(QStringLiteral("cover.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, path, dpi, page, MarginInches);
    view.Print(printer);
    return path;
}

int Px(double inches)
{
    return int(inches * MeasureDpi);
}

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { RegisterFontSubstitutes(); }

    void printBitmapsFollowThePrinterResolution()
    {
        // The layout's own example: 236 pixels per centimetre.
        TViewFixture f(400, 400, CoverMode::Single, MakeSize(4.75, 7.5, 1, 8, 1, 10));
        const std::vector<TPrintSlot> single = f.View.PrintLayout(236);
        QCOMPARE(single.size(), size_t(1));
        QCOMPARE(single[0].BitmapWidth, 949);
        QCOMPARE(single[0].BitmapHeight, 1499);
        QCOMPARE(single[0].Page, (TRect{0, 0, 2847, 4496}));
        // A zero-width area takes no place and moves nothing.
        f.Document.SetCoverSize(MakeSize(5, 5, 0, 8, 1, 10));
        f.Document.SetMode(CoverMode::Multiple);
        const std::vector<TPrintSlot> multi = f.View.PrintLayout(1200 / 2.54);
        QCOMPARE(multi.size(), size_t(2));
        QCOMPARE(multi[0].Area, 2);
        QCOMPARE(multi[0].Page, (TRect{0, 0, 9600, 12000}));
        QCOMPARE(multi[1].Page, (TRect{9600, 0, 10800, 12000}));
        QCOMPARE(multi[1].BitmapWidth, 400);
    }

    void singleCoverPrintsAtTrueSize_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::newRow("1200 dpi") << 1200;
        QTest::newRow("300 dpi") << 300;
    }
    void singleCoverPrintsAtTrueSize()
    {
        QFETCH(int, dpi);
        TViewFixture f(400, 400, CoverMode::Single, MakeSize(4.75, 7.5, 1, 8, 1, 10));
        f.Document.SetBackColor(1, 0xFF0000); // blue
        QTemporaryDir dir;
        const QString pdf = PrintToPdf(f.View, dir, dpi, QSizeF(9, 12));
        // Landscape: 12 inches across, 9 down.
        const QImage row = RenderPdf(pdf, MeasureDpi, QRect(0, Px(4.25), Px(12), 1));
        const QImage column = RenderPdf(pdf, MeasureDpi, QRect(Px(2.875), 0, 1, Px(9)));
        QVERIFY(!row.isNull() && !column.isNull());
        const TSpan across = RowSpan(row, 0, Qt::blue);
        const TSpan down = ColumnSpan(column, 0, Qt::blue);
        QVERIFY2(qAbs(PixelsToMm(across.Length(), MeasureDpi) - 120.65) <= 0.1,
                 qPrintable(QString::number(PixelsToMm(across.Length(), MeasureDpi))));
        QVERIFY2(qAbs(PixelsToMm(down.Length(), MeasureDpi) - 190.50) <= 0.1,
                 qPrintable(QString::number(PixelsToMm(down.Length(), MeasureDpi))));
        // From the printable area's top-left corner.
        QVERIFY(qAbs(PixelsToMm(across.First, MeasureDpi) - 12.7) <= 0.1);
        QVERIFY(qAbs(PixelsToMm(down.First, MeasureDpi) - 12.7) <= 0.1);
    }

    void multipleCoverAreasAbutAtTrueSize_data() { singleCoverPrintsAtTrueSize_data(); }
    void multipleCoverAreasAbutAtTrueSize()
    {
        QFETCH(int, dpi);
        TViewFixture f(600, 400, CoverMode::Multiple, MakeSize(5, 5, 1, 8, 1, 10));
        // Areas with neither picture nor text print their background colour.
        f.Document.SetBackColor(1, 0x0000FF);
        f.Document.SetBackColor(2, 0x00FF00);
        f.Document.SetBackColor(3, 0xFF0000);
        QTemporaryDir dir;
        const QString pdf = PrintToPdf(f.View, dir, dpi, QSizeF(12, 12));
        const QImage row = RenderPdf(pdf, MeasureDpi, QRect(0, Px(5.5), Px(12), 1));
        QVERIFY(!row.isNull());
        const TSpan left = RowSpan(row, 0, Qt::red);
        const TSpan center = RowSpan(row, 0, Qt::green);
        const TSpan right = RowSpan(row, 0, Qt::blue);
        const struct
        {
            TSpan span;
            double mm;
        } areas[] = {{left, 25.4}, {center, 203.2}, {right, 25.4}};
        for (const auto &a : areas)
            QVERIFY2(qAbs(PixelsToMm(a.span.Length(), MeasureDpi) - a.mm) <= 0.1,
                     qPrintable(QString::number(PixelsToMm(a.span.Length(), MeasureDpi))));
        QCOMPARE(left.First, Px(MarginInches));
        QCOMPARE(center.First, left.Last + 1);
        QCOMPARE(right.First, center.Last + 1);
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
            SetUpPdfPrinter(printer, straight, 1200, QSizeF(5, 8), MarginInches);
            printer.setPageOrientation(QPageLayout::Landscape);
            QPainter p(&printer);
            QFont font = f.Document.GetFont(1).Font();
            font.setPointSize(72);
            p.setFont(font);
            p.setPen(Qt::black);
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
        QVERIFY(!page.isNull());
        // A row and a column near the cover's top-left corner, clear of the
        // picture, give the cover's edges; the picture's are read just
        // inside its own top-left corner.
        const int margin = 150; // at 300 dpi
        const TSpan coverAcross = RowSpan(page, margin + 30, QColor(200, 200, 200), 10);
        const TSpan coverDown = ColumnSpan(page, margin + 30, QColor(200, 200, 200), 10);
        const int midY = margin + int(screen[1] * coverDown.Length()) + 5;
        const int midX = margin + int(screen[0] * coverAcross.Length()) + 5;
        const TSpan redAcross = RowSpan(page, midY, Qt::red);
        const TSpan redDown = ColumnSpan(page, midX, Qt::red);
        const double paper[] = {double(redAcross.First - coverAcross.First) / coverAcross.Length(),
                                double(redDown.First - coverDown.First) / coverDown.Length(),
                                double(redAcross.Length()) / coverAcross.Length()};
        for (int i = 0; i < 3; ++i)
            QVERIFY2(
                qAbs(paper[i] - screen[i]) <= 0.01,
                qPrintable(
                    QStringLiteral("%1: paper %2, screen %3").arg(i).arg(paper[i]).arg(screen[i])));
    }

    void anUnwritableOutputFailsBeforeAnythingIsPrinted()
    {
        TViewFixture f(400, 400, CoverMode::Single, MakeSize(4, 4, 1, 8, 1, 10));
        f.Document.SetText(1, QStringLiteral("kept"));
        QPrinter printer(QPrinter::HighResolution);
        const QString path = QStringLiteral("/nonexistent-folder/cover.pdf");
        SetUpPdfPrinter(printer, path, 300, QSizeF(8.5, 11), MarginInches);
        try {
            f.View.Print(printer);
            QFAIL("printing into a folder that does not exist succeeded");
        } catch (const EVelmoraError &e) {
            QCOMPARE(e.Text(), EVelmoraError::UnableToWrite(path).Text());
        }
        QCOMPARE(f.Document.GetText(1), QStringLiteral("kept"));
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
