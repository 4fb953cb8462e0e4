// SPDX-License-Identifier: GPL-3.0-or-later
// Printing: each area is rendered into a bitmap at a third of the printer's
// resolution with the screen's own drawing routines, and the bitmaps are
// placed side by side on the page at the cover's true size, losslessly.
#include "BitmapHelpers.h"
#include "CoverSizes.h"
#include "CoverView.h"
#include "Rounding.h"
#include "VelmoraError.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <memory>
#include <new>

namespace {

// Widths of the printed areas in inches, with their area numbers.
struct TPrintedArea
{
    CoverArea Area;
    double Width;
};

std::vector<TPrintedArea> PrintedAreas(const TCoverDocument &document, double &height)
{
    const CoverSize &s = document.Size();
    if (document.Mode() == CoverMode::Single) {
        height = s.SingleHeight;
        return {{1, s.SingleWidth}};
    }
    height = s.MultipleHeight;
    return {{1, s.LeftWidth}, {2, s.CenterWidth}, {3, s.RightWidth}};
}

// Ends a print job that failed part of the way: what the printer already
// holds is withdrawn where it can be, and a half-written file is removed.
void AbandonJob(QPrinter &printer, QPainter &page)
{
    printer.abort();
    if (page.isActive())
        page.end();
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
}

} // namespace

std::vector<TPrintSlot> TCoverView::PrintLayout(double printerPixelsPerCm) const
{
    std::vector<TPrintSlot> slots;
    if (!Document)
        return slots;
    double height = 0;
    const std::vector<TPrintedArea> areas = PrintedAreas(*Document, height);
    // Page edges come from the running total in inches, so the areas abut
    // exactly and none carries the rounding of the one before it.
    const int32_t pageHeight = Round(InchToCm(height) * printerPixelsPerCm);
    const int32_t bitmapHeight = Round(InchToCm(height) * printerPixelsPerCm / PrintDivisor);
    double inches = 0;
    int32_t left = 0;
    for (const TPrintedArea &a : areas) {
        if (!(a.Width > 0))
            continue;
        inches += a.Width;
        const int32_t right = Round(InchToCm(inches) * printerPixelsPerCm);
        TPrintSlot slot;
        slot.Area = a.Area;
        slot.Page = TRect{left, 0, right, pageHeight};
        slot.BitmapWidth = Round(InchToCm(a.Width) * printerPixelsPerCm / PrintDivisor);
        slot.BitmapHeight = bitmapHeight;
        left = right;
        if (slot.BitmapWidth > 0 && slot.BitmapHeight > 0 && slot.Page.Width() > 0 &&
            slot.Page.Height() > 0)
            slots.push_back(slot);
    }
    return slots;
}

QSizeF TCoverView::PrintedSize() const
{
    if (!Document)
        return QSizeF();
    double height = 0;
    double width = 0;
    for (const TPrintedArea &a : PrintedAreas(*Document, height))
        if (a.Width > 0)
            width += a.Width;
    return QSizeF(width, std::max(0.0, height));
}

void TCoverView::Print(QPrinter &printer)
{
    if (!Document)
        return;
    // The page as the print dialog left it: the command chose landscape or
    // upright for the cover, and the user may have chosen otherwise.
    // Measured again: the print dialog may have chosen another printer or
    // resolution since the last layout, and the whole-number figure of the
    // layout would print the cover short by a fraction of a millimetre.
    const int dpi = printer.resolution();
    if (dpi <= 0)
        throw EVelmoraError(QStringLiteral("The printer reports no resolution"));
    const double printerPixelsPerCm = dpi / 2.54;
    const std::vector<TPrintSlot> slots = PrintLayout(printerPixelsPerCm);

    struct PrintResolution
    {
        double &Value;
        PrintResolution(double &value, double ppcm) : Value(value) { Value = ppcm; }
        ~PrintResolution() { Value = 0; }
    } resolution(m_printPrinterPixelsPerCm, printerPixelsPerCm);

    // Whatever the cover's numbers can make fail (a size beyond 32 bits, a
    // bitmap the memory cannot hold) fails here, before the job exists, so
    // that no half page reaches the printer.
    int64_t largest = 0;
    for (const TPrintSlot &slot : slots) {
        const TRect rect{0, 0, slot.BitmapWidth, slot.BitmapHeight};
        const QImage &picture = Document->GetPicture(slot.Area);
        if (picture.width() > 0 && picture.height() > 0)
            PictureRect(slot.Area, rect, true);
        TTextLayout text;
        LayOutText(slot.Area, true, rect, text);
        largest = std::max(largest, int64_t(slot.BitmapWidth) * slot.BitmapHeight);
    }
    if (largest > int64_t(INT32_MAX) / 4)
        throw EVelmoraError::RangeCheck();
    // One bitmap serves every area in turn.
    std::unique_ptr<uint32_t[]> pixels(new uint32_t[size_t(largest)]);

    QPainter page;
    if (!page.begin(&printer)) {
        if (printer.outputFormat() == QPrinter::PdfFormat)
            throw EVelmoraError::UnableToWrite(printer.outputFileName());
        throw EVelmoraError(
            QStringLiteral("The printer \"%1\" cannot start printing").arg(printer.printerName()));
    }
    // A printer makes its own copies; a PDF file gets them as pages.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    try {
        for (int copy = 0; copy < copies; ++copy) {
            if (copy > 0 && !printer.newPage())
                throw EVelmoraError::UnableToWrite(printer.outputFileName());
            for (const TPrintSlot &slot : slots) {
                QImage bitmap(reinterpret_cast<uchar *>(pixels.get()), slot.BitmapWidth,
                              slot.BitmapHeight, slot.BitmapWidth * 4, QImage::Format_RGB32);
                bitmap.fill(ColorRefToQColor(Document->GetBackColor(slot.Area)));
                const TRect rect{0, 0, slot.BitmapWidth, slot.BitmapHeight};
                DrawAreaPicture(slot.Area, bitmap, true, rect);
                DrawAreaText(slot.Area, bitmap, true, rect);
                PrintBitmapInto(page, bitmap, slot.Page);
            }
        }
    } catch (...) {
        AbandonJob(printer, page);
        throw;
    }
    if (!page.end() || printer.printerState() == QPrinter::Error) {
        if (printer.outputFormat() == QPrinter::PdfFormat)
            throw EVelmoraError::UnableToWrite(printer.outputFileName());
        throw EVelmoraError(
            QStringLiteral("The printer \"%1\" failed to print").arg(printer.printerName()));
    }
}
