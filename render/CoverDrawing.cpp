// SPDX-License-Identifier: GPL-3.0-or-later
// The cover drawn with the painter itself, for the printer, the preview, a
// sheet and a PDF file alike: pictures at their own pixels, metafiles as
// their vectors, texts as text, each area clipped to its own rectangle.
#include "CoverRenderer.h"

#include "JpegGraphic.h"
#include "PdfFinishing.h"
#include "Rounding.h"

#include <QPainter>

namespace {

// Metafiles are drawn anew from their vectors at this resolution at most:
// sharp in print, and a page-sized picture stays within memory.
constexpr double MetafileDpi = 600;

// A page's engine copies and compresses every picture it is handed: a large
// one goes to it a band of rows at a time, so that the copies stay within a
// few megabytes whatever the picture's size.
constexpr qint64 BandBytes = qint64(8) << 20;

// How often the progress is told while a picture still decodes.
constexpr int DecodingWaitMs = 50;

int BandRows(const QImage &picture)
{
    return int(std::max<qint64>(1, BandBytes / std::max<qint64>(1, picture.bytesPerLine())));
}

int BandCount(const QImage &picture)
{
    if (picture.isNull())
        return 0;
    const int rows = BandRows(picture);
    return (picture.height() + rows - 1) / rows;
}

void DrawInBands(QPainter &p, const QRectF &target, const QImage &picture,
                 const std::function<void()> &step)
{
    const int rows = BandRows(picture);
    if (rows >= picture.height()) {
        p.drawImage(target, picture);
        step();
        return;
    }
    const double perRow = target.height() / picture.height();
    for (int y = 0; y < picture.height(); y += rows) {
        // Each band reaches one row into the next, which is drawn over it:
        // a viewer's smoothing at a band's edge shows no seam.
        const int h = std::min(rows + 1, picture.height() - y);
        p.drawImage(QRectF(target.left(), target.top() + y * perRow, target.width(), h * perRow),
                    picture.copy(0, y, picture.width(), h));
        step();
    }
}

bool IsJpegKind(const QString &kind)
{
    return kind == QLatin1String("jpg") || kind == QLatin1String("jpeg") ||
           kind == QLatin1String("jpe") || kind == QLatin1String("jfif");
}

} // namespace

void TCoverRenderer::DrawArea(QPainter &p, const TPrintSlot &slot, const QRectF &page,
                              const QRectF &reach, double bleedPx, int dpi,
                              TPdfFinishing *finishing, const std::function<void()> &step) const
{
    const CoverArea area = slot.Area;
    p.save();
    p.setClipRect(reach);
    p.fillRect(reach, ColorRefToQColor(m_document.GetBackColor(area)));
    // From the layout's pixels, a third of the printer's, to the page's.
    const double fx = page.width() / slot.BitmapWidth;
    const double fy = page.height() / slot.BitmapHeight;
    const auto toPage = [&](const TRect &r) {
        return QRectF(page.left() + r.Left * fx, page.top() + r.Top * fy, r.Width() * fx,
                      r.Height() * fy);
    };
    const TAreaLayout layout = LayOutArea(area, TRect{0, 0, slot.BitmapWidth, slot.BitmapHeight},
                                          TRenderTarget::Paper(dpi / 2.54));
    const QImage &picture = m_document.GetPicture(area);
    if (!picture.isNull() && layout.HasPicture) {
        // A stretched picture covers the bleed; one placed by hand goes on
        // into it; a fitted one lies within the area.
        const bool stretch = m_document.GetStretch(area);
        const bool byHand = !stretch && !m_document.GetAutosize(area);
        const QRectF target = stretch && bleedPx > 0 ? reach : toPage(layout.Picture);
        p.setClipRect(byHand || (stretch && bleedPx > 0) ? reach : page);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.setRenderHint(QPainter::LosslessImageRendering, true);
        const auto placed = m_document.PlacedPicture(area);
        const auto source = m_document.GetPictureSource(area);
        TJpegPassthrough jpeg;
        if (finishing && !byHand && placed && !source && IsJpegKind(placed->FileKind) &&
            JpegPassthroughInfo(placed->FileBytes, jpeg) && jpeg.Width == picture.width() &&
            jpeg.Height == picture.height()) {
            // The file itself goes into the PDF where its stand-in is drawn.
            p.drawImage(target, finishing->JpegStandIn(placed->FileBytes, jpeg.Width, jpeg.Height,
                                                       jpeg.Components, jpeg.Icc, jpeg.AdobeInk));
            for (int i = BandCount(picture); i > 0; --i)
                step();
        } else if (!source || !source->DrawVectors(p, target)) {
            // A metafile that cannot be drawn as its vectors is drawn anew
            // at the page's resolution; any other picture as its pixels.
            QImage drawn = picture;
            if (source) {
                const double scale = MetafileDpi / dpi;
                const QSize size(Round(target.width() * scale), Round(target.height() * scale));
                if (size.width() > picture.width() || size.height() > picture.height()) {
                    const QImage sharp = source->Render(size);
                    if (!sharp.isNull())
                        drawn = sharp;
                }
            }
            DrawInBands(p, target, drawn, step);
            for (int i = BandCount(picture) - BandCount(drawn); i > 0; --i)
                step();
        } else {
            for (int i = BandCount(picture); i > 0; --i)
                step();
        }
    }
    p.setClipRect(page);
    if (layout.HasText && layout.TextWidth > 0 && layout.TextHeight > 0)
        DrawTextLine(p, m_document.GetText(area), layout.Font, m_document.GetFont(area).Color(),
                     layout.Measure, toPage(layout.TextBox),
                     m_document.GetOrientation(area) == toVert);
    const QSizeF mm = m_document.AreaSizeMm(area);
    if (mm.width() > 0 && mm.height() > 0)
        DrawTextBlocks(p, m_document.GetBlocks(area), page, page.width() / mm.width(),
                       page.height() / mm.height());
    p.restore();
    step();
}

void TCoverRenderer::DrawCover(QPainter &p, const TPrintExtras &extras, int dpi,
                               TPdfFinishing *finishing, const TWorkProgress &progress) const
{
    std::vector<TPrintSlot> slots = PrintLayout(dpi / 2.54);
    int total = 0;
    for (const TPrintSlot &slot : slots)
        total += 1 + BandCount(m_document.GetPicture(slot.Area));
    // Pictures still decoding are waited for, the progress told meanwhile
    // (and its Cancel heard).
    if (progress)
        progress(0, total);
    for (const TPrintSlot &slot : slots)
        if (const auto placed = m_document.PlacedPicture(slot.Area); placed && placed->Pending)
            while (!placed->Pending->WaitFor(DecodingWaitMs))
                if (progress)
                    progress(0, total);
    int done = 0;
    const auto step = [&] {
        ++done;
        if (progress)
            progress(done, total);
    };
    // The cover moves in by the room its marks and bleed take; each area
    // reaches out into the bleed on the cover's outer edges.
    const double room = extras.RoomInches() * dpi;
    const double bleed = extras.BleedInches() * dpi;
    for (size_t i = 0; i < slots.size(); ++i) {
        TPrintSlot &slot = slots[i];
        const QRectF page(slot.Page.Left + room, slot.Page.Top + room, slot.Page.Width(),
                          slot.Page.Height());
        const QRectF reach = page.adjusted(i == 0 ? -bleed : 0, -bleed,
                                           i + 1 == slots.size() ? bleed : 0, bleed);
        DrawArea(p, slot, page, reach, bleed, dpi, finishing, step);
        slot.Page = TRect{Round(page.left()), Round(page.top()), Round(page.right()),
                          Round(page.bottom())};
    }
    DrawPrintMarks(p, slots, extras, dpi);
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
