// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetJob.h"

#include "PdfFinishing.h"

#include "CoverController.h"
#include "CoverRenderer.h"
#include "DeviceMetrics.h"
#include "ReasonTexts.h"
#include "VelmoraError.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

namespace {

constexpr int LargerThanPaperText = 301;

} // namespace

struct TSheetJob::TCover
{
    QString Name;
    int Copies = 1;
    TCoverController Cover{QString()};
};

TSheetJob::TSheetJob(TDeviceMetrics &metrics, TTextLookup texts)
    : m_texts(std::move(texts)), m_offsetUnits(PrinterPixelsPerCmOrNone(metrics))
{
}

TSheetJob::~TSheetJob() = default;

void TSheetJob::AddCover(const QString &name, const TDocumentState &state, int copies)
{
    auto cover = std::make_unique<TCover>();
    cover->Name = name;
    cover->Copies = std::max(1, copies);
    cover->Cover.Document().SetState(state);
    m_covers.push_back(std::move(cover));
}

QString TSheetJob::AddFile(const QString &fileName, int copies)
{
    auto cover = std::make_unique<TCover>();
    cover->Name = QFileInfo(fileName).completeBaseName();
    cover->Copies = std::max(1, copies);
    cover->Cover.SetTexts(m_texts);
    cover->Cover.SetOffsetUnits(m_offsetUnits);
    const TOutcome opened = cover->Cover.Open(fileName);
    if (!opened.Ok())
        return opened.Error;
    m_covers.push_back(std::move(cover));
    return QString();
}

void TSheetJob::Remove(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_covers.erase(m_covers.begin() + index);
}

void TSheetJob::SetCopies(int index, int copies)
{
    if (index >= 0 && index < Count())
        m_covers[size_t(index)]->Copies = std::clamp(copies, 1, 999);
}

QString TSheetJob::Name(int index) const
{
    return m_covers.at(size_t(index))->Name;
}

int TSheetJob::Copies(int index) const
{
    return m_covers.at(size_t(index))->Copies;
}

TCoverRenderer TSheetJob::Renderer(int index) const
{
    return TCoverRenderer(m_covers.at(size_t(index))->Cover.Document(), m_offsetUnits);
}

QSizeF TSheetJob::PrintedSize(int index, const TPrintExtras &extras) const
{
    return Renderer(index).PrintedSize(extras);
}

std::vector<TSheet> TSheetJob::Layout(const QSizeF &room, const TPrintExtras &extras,
                                      int *unfit) const
{
    std::vector<TSheetItem> items;
    for (int i = 0; i < Count(); ++i)
        items.push_back(TSheetItem{PrintedSize(i, extras), Copies(i)});
    return LayOutSheets(items, room, unfit);
}

void TSheetJob::PaintSheet(QPainter &page, const TSheet &sheet, const TPrintExtras &extras, int dpi,
                           TPdfFinishing *finishing)
{
    for (const TSheetPlacement &p : sheet) {
        const TCoverRenderer cover = Renderer(p.Item);
        if (finishing)
            cover.AddTypedTexts(*finishing);
        const QSizeF size = cover.PrintedSize(extras);
        page.save();
        page.translate(p.At.x() * dpi, p.At.y() * dpi);
        if (p.Rotated) {
            // A quarter turn clockwise about the corner, moved back into
            // the room it was given.
            page.translate(size.height() * dpi, 0);
            page.rotate(90);
        }
        cover.DrawCover(page, extras, dpi);
        page.restore();
    }
}

void TSheetJob::Print(QPrinter &printer, const TPrintExtras &extras)
{
    const int dpi = printer.resolution();
    if (dpi <= 0)
        throw EVelmoraError(ReasonText(NoResolutionReason));
    int unfit = -1;
    const std::vector<TSheet> sheets =
        Layout(printer.pageRect(QPrinter::Inch).size(), extras, &unfit);
    if (unfit != -1)
        throw EVelmoraError(m_texts(LargerThanPaperText).arg(Name(unfit)));
    for (int i = 0; i < Count(); ++i)
        Renderer(i).CheckPrintable(dpi, extras);
    QPainter page;
    BeginPrintJob(printer, page);
    TPdfFinishing finishing;
    TPdfFinishing *const toFile = PrintsToPdfFile(printer) ? &finishing : nullptr;
    // A printer makes its own copies; a PDF file gets them as pages.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    try {
        for (int copy = 0; copy < copies; ++copy)
            for (size_t s = 0; s < sheets.size(); ++s) {
                if ((copy > 0 || s > 0) && !printer.newPage())
                    throw EVelmoraError::UnableToWrite(printer.outputFileName());
                page.setTransform(CalibrationTransform(printer, extras));
                PaintSheet(page, sheets[s], extras, dpi, toFile);
            }
    } catch (...) {
        AbandonJob(printer, page);
        throw;
    }
    EndPrintJob(printer, page);
    if (toFile)
        FinishPrintedPdf(printer.outputFileName(), finishing);
}
