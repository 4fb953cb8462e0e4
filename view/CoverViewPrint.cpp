// SPDX-License-Identifier: GPL-3.0-or-later
// Printing: the cover laid out at a third of the printer's resolution, as the
// screen lays it out, and drawn on the page at its true size by the very
// code that draws the exported PDF.
#include "BitmapHelpers.h"
#include "CoverSizes.h"
#include "CoverView.h"
#include "PdfFinishing.h"
#include "ReasonTexts.h"
#include "Rounding.h"
#include "VelmoraError.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTransform>
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

} // namespace

void AbandonJob(QPrinter &printer, QPainter &page)
{
    printer.abort();
    if (page.isActive())
        page.end();
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
}

void DrawPrintMarks(QPainter &page, const std::vector<TPrintSlot> &slots, const TPrintExtras &extras,
               int dpi)
{
    if (slots.empty() || !extras.Marks())
        return;
    const double toPx = dpi / TPrintExtras::MmPerInch;
    const double gap = extras.MarkGapInches() * dpi;
    const double length = TPrintExtras::MarkLengthMm * toPx;
    const double x0 = slots.front().Page.Left, x1 = slots.back().Page.Right;
    const double y0 = slots.front().Page.Top, y1 = slots.front().Page.Bottom;
    page.save();
    page.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(Qt::black, TPrintExtras::MarkWidthMm * toPx);
    pen.setCapStyle(Qt::FlatCap);
    page.setPen(pen);
    const auto vertical = [&](double x) {
        page.drawLine(QPointF(x, y0 - gap - length), QPointF(x, y0 - gap));
        page.drawLine(QPointF(x, y1 + gap), QPointF(x, y1 + gap + length));
    };
    if (extras.CutMarks) {
        vertical(x0);
        vertical(x1);
        for (double y : {y0, y1}) {
            page.drawLine(QPointF(x0 - gap - length, y), QPointF(x0 - gap, y));
            page.drawLine(QPointF(x1 + gap, y), QPointF(x1 + gap + length, y));
        }
    }
    if (extras.FoldMarks)
        for (size_t i = 1; i < slots.size(); ++i)
            vertical(slots[i].Page.Left);
    page.restore();
}

std::vector<TPrintSlot> TCoverView::PrintLayout(double printerPixelsPerCm) const
{
    std::vector<TPrintSlot> slots;
    if (!FDocument)
        return slots;
    double height = 0;
    const std::vector<TPrintedArea> areas = PrintedAreas(*FDocument, height);
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

QSizeF TCoverView::PrintedSize(const TPrintExtras &extras) const
{
    if (!FDocument)
        return QSizeF();
    double height = 0;
    double width = 0;
    for (const TPrintedArea &a : PrintedAreas(*FDocument, height))
        if (a.Width > 0)
            width += a.Width;
    const double room = 2 * extras.RoomInches();
    return QSizeF(width + room, std::max(0.0, height) + room);
}

void TCoverView::CheckPrintable(int dpi, const TPrintExtras &extras)
{
    if (!FDocument)
        return;
    const double printerPixelsPerCm = dpi / 2.54;
    const int32_t bitmapBleed = Round(extras.BleedInches() * dpi / PrintDivisor);
    struct PrintResolution
    {
        double &Value;
        PrintResolution(double &value, double ppcm) : Value(value) { Value = ppcm; }
        ~PrintResolution() { Value = 0; }
    } resolution(m_printPrinterPixelsPerCm, printerPixelsPerCm);
    int64_t largest = 0;
    for (const TPrintSlot &slot : PrintLayout(printerPixelsPerCm)) {
        const TRect rect{0, 0, slot.BitmapWidth, slot.BitmapHeight};
        const QSize picture = FDocument->PictureSize(slot.Area);
        if (picture.width() > 0 && picture.height() > 0)
            PictureRect(slot.Area, rect, true);
        TTextLayout text;
        LayOutText(slot.Area, true, rect, text);
        largest = std::max(largest, (int64_t(slot.BitmapWidth) + 2 * bitmapBleed) *
                                        (int64_t(slot.BitmapHeight) + 2 * bitmapBleed));
    }
    if (largest > int64_t(INT32_MAX) / 4)
        throw EVelmoraError::RangeCheck();
}

void TCoverView::PaintPrintedCover(QPainter &page, const TPrintExtras &extras, int dpi,
                                   const TWorkProgress &progress)
{
    if (FDocument)
        DrawCover(page, extras, dpi, nullptr, progress);
}

QTransform CalibrationTransform(const QPrinter &printer, const TPrintExtras &extras)
{
    // The printer's correction is measured from the paper's corner; the
    // page starts at its margins.
    const QPointF margin = printer.pageRect(QPrinter::DevicePixel).topLeft() -
                           printer.paperRect(QPrinter::DevicePixel).topLeft();
    const double mm = printer.resolution() / TPrintExtras::MmPerInch;
    return QTransform(extras.ScaleX, 0, 0, extras.ScaleY,
                      extras.OffsetXMm * mm + (extras.ScaleX - 1) * margin.x(),
                      extras.OffsetYMm * mm + (extras.ScaleY - 1) * margin.y());
}

void TCoverView::Print(QPrinter &printer, const TPrintExtras &extras, const TWorkProgress &progress)
{
    if (!FDocument)
        return;
    // The page as the print dialog left it: the command chose landscape or
    // upright for the cover, and the user may have chosen otherwise.
    // Measured again: the print dialog may have chosen another printer or
    // resolution since the last layout, and the whole-number figure of the
    // layout would print the cover short by a fraction of a millimetre.
    const int dpi = printer.resolution();
    if (dpi <= 0)
        throw EVelmoraError(ReasonText(NoResolutionReason));
    // Whatever the cover's numbers can make fail (a size beyond 32 bits, a
    // bitmap the memory cannot hold) fails here, before the job exists, so
    // that no half page reaches the printer.
    CheckPrintable(dpi, extras);

    QPainter page;
    BeginPrintJob(printer, page);
    const bool toFile = PrintsToPdfFile(printer);
    // A printer makes its own copies; a PDF file gets them as pages.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    try {
        for (int copy = 0; copy < copies; ++copy) {
            if (copy > 0 && !printer.newPage())
                throw EVelmoraError::UnableToWrite(printer.outputFileName());
            page.setTransform(CalibrationTransform(printer, extras));
            PaintPrintedCover(page, extras, dpi, progress);
        }
    } catch (...) {
        AbandonJob(printer, page);
        throw;
    }
    EndPrintJob(printer, page);
    if (toFile) {
        TPdfFinishing finishing;
        AddTypedTexts(finishing);
        FinishPrintedPdf(printer.outputFileName(), finishing);
    }
}

void BeginPrintJob(QPrinter &printer, QPainter &page)
{
    if (!page.begin(&printer)) {
        if (printer.outputFormat() == QPrinter::PdfFormat)
            throw EVelmoraError::UnableToWrite(printer.outputFileName());
        throw EVelmoraError(
            QStringLiteral("The printer \"%1\" cannot start printing").arg(printer.printerName()));
    }
}

void EndPrintJob(QPrinter &printer, QPainter &page)
{
    if (!page.end() || printer.printerState() == QPrinter::Error) {
        if (printer.outputFormat() == QPrinter::PdfFormat)
            throw EVelmoraError::UnableToWrite(printer.outputFileName());
        throw EVelmoraError(
            QStringLiteral("The printer \"%1\" failed to print").arg(printer.printerName()));
    }
}
