// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintCalibration.h"

#include "VelmoraError.h"

#include <QPainter>
#include <QPrinter>

void PrintCalibrationSheet(QPrinter &printer, const QString &title, const QString &instructions)
{
    printer.setFullPage(true); // measured from the paper's own corner
    QPainter p;
    const bool started = p.begin(&printer);
    printer.setFullPage(false);
    if (!started)
        throw EVelmoraError::UnableToWrite(printer.outputFileName());
    const double mm = printer.resolution() / 25.4;
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(Qt::black, 0.15 * mm);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    // Rulers along the top and the left, a tick a millimetre.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(int(2.5 * mm));
    p.setFont(font);
    for (int i = 0; i * mm < paper.width(); ++i) {
        const double len = (i % 10 == 0 ? 5 : i % 5 == 0 ? 3.5 : 2) * mm;
        p.drawLine(QPointF(i * mm, 10 * mm), QPointF(i * mm, 10 * mm + len));
        if (i % 10 == 0 && i > 0)
            p.drawText(QPointF(i * mm + 0.5 * mm, 10 * mm + 8 * mm), QString::number(i));
    }
    for (int i = 0; i * mm < paper.height(); ++i) {
        const double len = (i % 10 == 0 ? 5 : i % 5 == 0 ? 3.5 : 2) * mm;
        p.drawLine(QPointF(10 * mm, i * mm), QPointF(10 * mm + len, i * mm));
        if (i % 10 == 0 && i > 0)
            p.drawText(QPointF(10 * mm + 6 * mm, i * mm - 0.5 * mm), QString::number(i));
    }
    // The cross, its centre as far from both edges.
    const double c = TCalibrationSheet::CrossMm * mm;
    p.drawLine(QPointF(c - 4 * mm, c), QPointF(c + 4 * mm, c));
    p.drawLine(QPointF(c, c - 4 * mm), QPointF(c, c + 4 * mm));
    // The square.
    p.drawRect(QRectF(TCalibrationSheet::SquareLeftMm * mm, TCalibrationSheet::SquareTopMm * mm,
                      TCalibrationSheet::SquareMm * mm, TCalibrationSheet::SquareMm * mm));
    font.setPixelSize(int(4 * mm));
    p.setFont(font);
    p.drawText(QRectF(40 * mm, 20 * mm, paper.width() - 50 * mm, 8 * mm), title);
    font.setPixelSize(int(3 * mm));
    p.setFont(font);
    p.drawText(QRectF(40 * mm, 160 * mm, paper.width() - 50 * mm, 60 * mm),
               Qt::TextWordWrap, instructions);
    if (!p.end())
        throw EVelmoraError::UnableToWrite(printer.outputFileName());
}

QSizeF PrintableRoom(const QPrinter &printer, QPageLayout::Orientation orientation)
{
    QPageLayout layout = printer.pageLayout();
    layout.setOrientation(orientation);
    const QRectF full = layout.fullRect(QPageLayout::Inch);
    const QRectF paint = layout.paintRect(QPageLayout::Inch);
    QMarginsF device;
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        const double toInch = full.width() / layout.fullRect().width();
        device = layout.minimumMargins() * toInch;
    }
    return QSizeF(full.width() - device.right() - paint.left(),
                  full.height() - device.bottom() - paint.top());
}

bool OrientForCover(QPrinter &printer, const QSizeF &coverInches)
{
    const auto fits = [&](QPageLayout::Orientation o) {
        const QSizeF room = PrintableRoom(printer, o);
        return coverInches.width() <= room.width() + CutToleranceInches &&
               coverInches.height() <= room.height() + CutToleranceInches;
    };
    const bool upright = !fits(QPageLayout::Landscape) && fits(QPageLayout::Portrait);
    printer.setPageOrientation(upright ? QPageLayout::Portrait : QPageLayout::Landscape);
    return upright || fits(QPageLayout::Landscape);
}
