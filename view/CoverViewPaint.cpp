// SPDX-License-Identifier: GPL-3.0-or-later
// Painting: backgrounds, frames, pictures, texts and the scale caption, drawn
// into a frame image so that the text routine can work on what lies beneath.
#include "BitmapHelpers.h"
#include "CoverView.h"
#include "Rounding.h"
#include "VelmoraError.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

namespace {

QRect ToQRect(const TRect &r)
{
    return QRect(QPoint(r.Left, r.Top), QSize(r.Right - r.Left, r.Bottom - r.Top));
}

TRect Grown(const TRect &r, int32_t by)
{
    return TRect{CheckedSub(r.Left, by), CheckedSub(r.Top, by), CheckedAdd(r.Right, by),
                 CheckedAdd(r.Bottom, by)};
}

// A one-pixel frame lying on the rectangle's outermost rows and columns.
void FrameRect(QPainter &p, const TRect &r, const QColor &c)
{
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    if (w <= 0 || h <= 0)
        return;
    p.fillRect(r.Left, r.Top, w, 1, c);
    p.fillRect(r.Left, r.Bottom - 1, w, 1, c);
    p.fillRect(r.Left, r.Top, 1, h, c);
    p.fillRect(r.Right - 1, r.Top, 1, h, c);
}

} // namespace

QColor TCoverView::ActiveFrameColor() const
{
    return palette().color(QPalette::Active, QPalette::Highlight);
}

QColor TCoverView::InactiveFrameColor() const
{
    const QColor inactive = palette().color(QPalette::Inactive, QPalette::Highlight);
    if (inactive != ActiveFrameColor())
        return inactive;
    return palette().color(QPalette::Active, QPalette::Mid);
}

void TCoverView::paintEvent(QPaintEvent *)
{
    const QSize size = this->size();
    QImage frame = ImageInKeptMemory(m_frameMemory, size, QImage::Format_RGB32);
    if (frame.isNull())
        return;
    try {
        PaintCover(frame);
    } catch (const std::exception &) {
        // A cover whose numbers do not fit the device (or whose drawing ran
        // out of memory) shows what was drawn before the failure; reporting
        // from inside a paint would only bring the next paint.
    }
    QPainter canvas(this);
    canvas.drawImage(QPoint(0, 0), frame);
}

void TCoverView::PaintCover(QImage &canvas)
{
    {
        QPainter p(&canvas);
        p.fillRect(canvas.rect(), palette().color(QPalette::Window));
    }
    if (!FDocument) {
        UpdateDisplayRatio();
        return;
    }
    const int32_t count = AreaCount();
    {
        QPainter p(&canvas);
        for (CoverArea a = 1; a <= count; ++a)
            p.fillRect(ToQRect(FAreaRect[a]), ColorRefToQColor(FDocument->GetBackColor(a)));
        for (CoverArea a = 1; a <= count; ++a) {
            if (a == FSelectedArea) {
                FrameRect(p, Grown(FAreaRect[a], 1), ActiveFrameColor());
                FrameRect(p, Grown(FAreaRect[a], 2), ActiveFrameColor());
            } else {
                FrameRect(p, Grown(FAreaRect[a], 1), InactiveFrameColor());
            }
        }
    }
    UpdateDisplayRatio();
    for (CoverArea a = 1; a <= count; ++a)
        DrawAreaPicture(a, canvas, ScreenLayout(a));
    for (CoverArea a = 1; a <= count; ++a)
        DrawAreaText(a, canvas, ScreenLayout(a));
    for (CoverArea a = 1; a <= count; ++a)
        DrawAreaBlocks(a, canvas, FAreaRect[a]);
    DrawBlockSelection(canvas);

    if (FShowScale) {
        QPainter p(&canvas);
        QFont f = font();
        f.setPointSize(14);
        p.setFont(f);
        const QFontMetrics fm(f, &canvas);
        const QString s = ScaleCaption();
        const int32_t W = canvas.width();
        const int32_t tw = fm.horizontalAdvance(s);
        const int32_t th = fm.height();
        p.fillRect(QRect(W - tw - 1, 1, tw, th), palette().color(QPalette::Window));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(W - tw - 1, 1, tw, th), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                   s);
        FrameRect(p, TRect{W - tw - 2, 0, W, th + 2}, QColor(128, 128, 128));
    }
}

const TAreaLayout &TCoverView::ScreenLayout(CoverArea area) const
{
    if (area < 1 || area > 3)
        throw EVelmoraError::RangeCheck();
    if (!FDocument || !m_renderer)
        return m_layout[size_t(area - 1)] = TAreaLayout();
    TLayoutKey key;
    key.Revision = FDocument->Revision();
    for (CoverArea a = 1; a <= 3; ++a)
        key.Rects[size_t(a - 1)] = FAreaRect[a];
    key.DisplayRatio = FDisplayRatio;
    key.ScreenPixelsPerCm = FScreenPixelsPerCm;
    key.OffsetPixelsPerCm = FPrinterPixelsPerCm;
    key.Dpi = logicalDpiY();
    if (!(m_layoutKey && *m_layoutKey == key)) {
        // Laid out whole before it is kept: a layout that fails (numbers
        // beyond the device) is tried again at the next paint.
        m_layoutKey.reset();
        m_renderer->SetOffsetPixelsPerCm(FPrinterPixelsPerCm);
        const TRenderTarget screen =
            TRenderTarget::Screen(FScreenPixelsPerCm, key.Dpi, FDisplayRatio);
        std::array<TAreaLayout, 3> laid;
        for (CoverArea a = 1; a <= AreaCount(); ++a)
            laid[size_t(a - 1)] = m_renderer->LayOutArea(a, FAreaRect[a], screen);
        m_layout = laid;
        m_layoutKey = key;
    }
    return m_layout[size_t(area - 1)];
}

void TCoverView::DrawAreaPicture(CoverArea area, QImage &canvas, const TAreaLayout &layout)
{
    if (!layout.HasPicture)
        return;
    // The screen never waits for a picture still decoding: its smaller copy
    // is drawn until it is whole, and a repaint follows then.
    const bool whole = FDocument->IsPictureWhole(area);
    const QImage &pic = whole ? FDocument->GetPicture(area) : FDocument->PictureAsItStands(area);
    if (pic.width() == 0 || pic.height() == 0)
        return;
    if (!whole)
        WatchDecoding();
    const TRect &rect = layout.Rect;
    const TRect &target = layout.Picture;
    const int32_t tw = target.Width();
    const int32_t th = target.Height();
    if (tw <= 0 || th <= 0 || rect.Width() <= 0 || rect.Height() <= 0)
        return;

    QPainter p(&canvas);
    if (!FDocument->GetStretch(area) && !FDocument->GetAutosize(area)) {
        // The picture is cut at the area's edges and the rest of the area
        // shows its background, as if drawn through a work bitmap of the
        // area's size.
        p.setClipRect(ToQRect(rect));
        p.fillRect(ToQRect(rect), ColorRefToQColor(FDocument->GetBackColor(area)));
    }
    const QSize size(tw, th);
    if (!whole) {
        const QImage &reduced = FDocument->GetReducedPicture(area);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        if (m_pictureCache.IsReduction(reduced, size))
            p.drawImage(QPoint(target.Left, target.Top), m_pictureCache.Scaled(area, reduced, size));
        else
            p.drawImage(ToQRect(target), reduced);
    } else if (FUseScaledPictureCache && m_pictureCache.IsReduction(pic, size)) {
        // Mid-resize the last copy, scaled by the painter: a few pixels
        // either way, which no eye tells from the exact copy that follows.
        const QImage last = m_liveResize ? m_pictureCache.Last(area, pic) : QImage();
        if (!last.isNull() && last.size() != size && CloseInSize(last.size(), size)) {
            p.setRenderHint(QPainter::SmoothPixmapTransform, false);
            p.drawImage(ToQRect(target), last);
        } else {
            p.drawImage(QPoint(target.Left, target.Top),
                        m_pictureCache.Scaled(area, pic, size, FDocument->GetReducedPicture(area)));
        }
    } else if (m_pictureCache.IsReduction(pic, size)) {
        p.drawImage(QPoint(target.Left, target.Top),
                    pic.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    } else {
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(ToQRect(target), pic);
    }
}

void TCoverView::WatchDecoding()
{
    if (!m_decodingTimer) {
        m_decodingTimer = new QTimer(this);
        m_decodingTimer->setInterval(DecodingCheckMs);
        connect(m_decodingTimer, &QTimer::timeout, this, [this] {
            for (CoverArea a = 1; a <= 3; ++a)
                if (FDocument && !FDocument->IsPictureWhole(a))
                    return;
            m_decodingTimer->stop();
            update();
        });
    }
    if (!m_decodingTimer->isActive())
        m_decodingTimer->start();
}
