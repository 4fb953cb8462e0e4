// SPDX-License-Identifier: GPL-3.0-or-later
// Export to PDF: the cover on a page of its own size, every area drawn with
// the painter itself, so that pictures keep their pixels and texts stay text.
#include "CoverView.h"
#include "Rounding.h"
#include "VelmoraError.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

// Metafiles are drawn anew from their vectors at this resolution at most:
// sharp in print, and a page-sized picture stays within memory.
constexpr double MetafileDpi = 600;

} // namespace

void TCoverView::ExportArea(QPainter &p, CoverArea area, const QRectF &page, const QRectF &reach,
                            QSize bitmap, double bleedPx)
{
    p.save();
    p.setClipRect(reach);
    p.fillRect(reach, ColorRefToQColor(FDocument->GetBackColor(area)));
    // From the print bitmap's pixels, where the layout is worked out, to the
    // page's.
    const double fx = page.width() / bitmap.width();
    const double fy = page.height() / bitmap.height();
    const auto toPage = [&](const TRect &r) {
        return QRectF(page.left() + r.Left * fx, page.top() + r.Top * fy, r.Width() * fx,
                      r.Height() * fy);
    };
    const TRect rect{0, 0, bitmap.width(), bitmap.height()};
    const QImage &picture = FDocument->GetPicture(area);
    if (!picture.isNull()) {
        // A stretched picture covers the bleed; one placed by hand goes on
        // into it; a fitted one lies within the area.
        const bool stretch = FDocument->GetStretch(area);
        const bool byHand = !stretch && !FDocument->GetAutosize(area);
        const QRectF target =
            stretch && bleedPx > 0 ? reach : toPage(PictureRect(area, rect, true));
        p.setClipRect(byHand || (stretch && bleedPx > 0) ? reach : page);
        // A metafile as its own vectors where they can be drawn so, else
        // drawn anew at the page's resolution; any other picture as its
        // pixels, not a JPEG of them.
        const auto source = FDocument->GetPictureSource(area);
        if (!source || !source->DrawVectors(p, target)) {
            QImage drawn = picture;
            if (source) {
                const double scale = MetafileDpi / ExportDpi;
                const QSize size(Round(target.width() * scale), Round(target.height() * scale));
                if (size.width() > picture.width() || size.height() > picture.height()) {
                    const QImage sharp = source->Render(size);
                    if (!sharp.isNull())
                        drawn = sharp;
                }
            }
            p.setRenderHint(QPainter::SmoothPixmapTransform, true);
            p.setRenderHint(QPainter::LosslessImageRendering, true);
            p.drawImage(target, drawn);
        }
    }
    p.setClipRect(page);
    TTextLayout text;
    if (LayOutText(area, true, rect, text) && text.TextWidth > 0 && text.TextHeight > 0)
        DrawTextLine(p, FDocument->GetText(area), text.Font, FDocument->GetFont(area).Color(),
                     text.Measure, toPage(text.Box), FDocument->GetOrientation(area) == toVert);
    const QSizeF mm = FDocument->AreaSizeMm(area);
    if (mm.width() > 0 && mm.height() > 0)
        DrawTextBlocks(p, FDocument->GetBlocks(area), page, page.width() / mm.width(),
                       page.height() / mm.height());
    p.restore();
}

void TCoverView::ExportPdf(const QString &fileName, const TPrintExtras &extras)
{
    if (!FDocument)
        return;
    const double printerPixelsPerCm = ExportDpi / 2.54;
    struct PrintResolution
    {
        double &Value;
        PrintResolution(double &value, double ppcm) : Value(value) { Value = ppcm; }
        ~PrintResolution() { Value = 0; }
    } resolution(m_printPrinterPixelsPerCm, printerPixelsPerCm);
    const std::vector<TPrintSlot> slots = PrintLayout(printerPixelsPerCm);
    const QSizeF size = PrintedSize(extras);
    if (slots.empty() || !(size.width() > 0 && size.height() > 0))
        throw EVelmoraError(QStringLiteral("The cover has no size to export"));

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EVelmoraError::UnableToWrite(fileName);
    {
        QPdfWriter pdf(&file);
        pdf.setCreator(QStringLiteral("Velmora"));
        pdf.setTitle(FDocument->Size().Name);
        pdf.setResolution(ExportDpi);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(size, QPageSize::Inch, QString(), QPageSize::ExactMatch));
        QPainter p;
        if (!p.begin(&pdf))
            throw EVelmoraError::UnableToWrite(fileName);
        const double room = extras.RoomInches() * ExportDpi;
        const double bleed = extras.BleedInches() * ExportDpi;
        std::vector<TPrintSlot> placed = slots;
        for (size_t i = 0; i < placed.size(); ++i) {
            const TPrintSlot &slot = placed[i];
            const QRectF page(slot.Page.Left + room, slot.Page.Top + room, slot.Page.Width(),
                              slot.Page.Height());
            const QRectF reach = page.adjusted(i == 0 ? -bleed : 0, -bleed,
                                               i + 1 == placed.size() ? bleed : 0, bleed);
            ExportArea(p, slot.Area, page, reach, QSize(slot.BitmapWidth, slot.BitmapHeight),
                       bleed);
            placed[i].Page = TRect{Round(page.left()), Round(page.top()), Round(page.right()),
                                   Round(page.bottom())};
        }
        DrawPrintMarks(p, placed, extras, ExportDpi);
        if (!p.end())
            throw EVelmoraError::UnableToWrite(fileName);
    }
    if (!file.commit())
        throw EVelmoraError::UnableToWrite(fileName);
}
