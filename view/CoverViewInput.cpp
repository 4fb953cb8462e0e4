// SPDX-License-Identifier: GPL-3.0-or-later
// Selection, dragging, keys, and the picture operations the main window calls.
#include "CoverView.h"

#include "Rounding.h"
#include "VelmoraError.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

TPoint PointOf(const QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    return TPoint{p.x(), p.y()};
}

} // namespace

void TCoverView::SelectArea(int32_t area)
{
    // An area the cover does not show cannot be selected: a single cover's
    // area 2 would take commands nobody sees.
    if (area == FSelectedArea || (area != -1 && (area < 1 || area > AreaCount())))
        return;
    FSelectedArea = area;
    update();
    if (FOnSelectionChange)
        FOnSelectionChange(this);
}

void TCoverView::SetAreaPicture(CoverArea area, const TGraphic *picture,
                                const QByteArray &fileBytes, const QString &fileKind)
{
    FDocument->SetPicture(area, picture, fileBytes, fileKind);
    if (!picture)
        FDocument->ResetOffsetQuietly(area);
    if (FOnChange)
        FOnChange(this);
}

void TCoverView::SetAreaPicture(CoverArea area, const QImage *picture)
{
    if (!picture) {
        SetAreaPicture(area, static_cast<const TGraphic *>(nullptr));
        return;
    }
    const TBitmapGraphic bitmap(*picture);
    SetAreaPicture(area, &bitmap);
}

bool TCoverView::IsAreaEmpty(int32_t area) const
{
    if (area == -1)
        return true;
    const QSize p = FDocument->PictureSize(area);
    return p.width() == 0 || p.height() == 0;
}

void TCoverView::CenterPicture(int32_t area)
{
    if (area == -1 || IsAreaEmpty(area))
        return;
    const TRect &r = FAreaRect[area];
    const QSize pic = FDocument->PictureSize(area);
    const int32_t aw = Round(double(CheckedMul(r.Width(), FPrinterPixelsPerCm)) / FScreenPixelsPerCm);
    const int32_t ah =
        Round(double(CheckedMul(r.Height(), FPrinterPixelsPerCm)) / FScreenPixelsPerCm);
    const int32_t w = Round(FDocument->GetZoom(area) * aw);
    const int32_t h = Round(double(CheckedMul(pic.height(), w)) / pic.width());
    const int32_t y = Round(CheckedSub(ah, h) / 2.0 * FDisplayRatio);
    const int32_t x = Round(CheckedSub(aw, w) / 2.0 * FDisplayRatio);
    FDocument->SetOffset(area, TPoint{x, y});
}

bool TCoverView::IsPictureLost(int32_t area) const
{
    if (area == -1 || IsAreaEmpty(area))
        return false;
    const TRect &r = FAreaRect[area];
    const QSize pic = FDocument->PictureSize(area);
    const int32_t aw =
        Round(double(CheckedMul(r.Width(), FPrinterPixelsPerCm)) / FScreenPixelsPerCm * FDisplayRatio);
    const int32_t ah = Round(double(CheckedMul(r.Height(), FPrinterPixelsPerCm)) /
                             FScreenPixelsPerCm * FDisplayRatio);
    const int32_t w = Round(FDocument->GetZoom(area) * aw);
    const int32_t h = Round(double(CheckedMul(pic.height(), w)) / pic.width());
    const TPoint o = FDocument->GetOffset(area);
    // 64-bit sums: a picture dragged far away must read as lost, not overflow.
    return int64_t(o.X) + w < 5 || int64_t(o.Y) + h < 5 || int64_t(o.X) + 5 > aw ||
           int64_t(o.Y) + 5 > ah;
}

void TCoverView::ZoomIn()
{
    if (IsAreaEmpty(FSelectedArea))
        return;
    FDocument->SetZoom(FSelectedArea, FDocument->GetZoom(FSelectedArea) + 0.1);
}

void TCoverView::ZoomOut()
{
    if (IsAreaEmpty(FSelectedArea))
        return;
    FDocument->SetZoom(FSelectedArea, FDocument->GetZoom(FSelectedArea) - 0.1);
}

void TCoverView::SetUserDefined(int32_t area)
{
    if (area == -1)
        return;
    FDocument->ClearPlacementFlags(area);
    if (IsPictureLost(area))
        CenterPicture(area);
    else
        update();
}

int32_t TCoverView::AreaAt(TPoint p) const
{
    int32_t hit = -1;
    if (!FDocument)
        return hit;
    // The later area wins on a shared edge.
    for (CoverArea a = 1; a <= AreaCount(); ++a)
        if (PointInRect(p, FAreaRect[a]))
            hit = a;
    return hit;
}

void TCoverView::MouseDown(Qt::MouseButton button, Qt::MouseButtons held, TPoint p)
{
    if (BlockMouseDown(button, p)) {
        FDragArea = -1;
        FDblClickPending = false;
        FDownPoint = p;
        return;
    }
    const int32_t prev = FSelectedArea;
    const int32_t hit = AreaAt(p);
    if (hit != -1)
        SelectArea(hit);
    setFocus(Qt::MouseFocusReason);
    if (FSelectedArea != prev)
        Relayout();

    if (FSelectedArea != -1 && FAllowDrag && (held & Qt::LeftButton)) {
        if (FDblClickPending) {
            FDblClickPending = false;
        } else {
            if (!PointInRect(p, FAreaRect[FSelectedArea]))
                FDragArea = -1;
            else if (!IsAreaEmpty(FSelectedArea))
                FDragArea = FSelectedArea;
            if (FDragArea != -1) {
                const TPoint q = ScreenToPrinter(p);
                const TPoint o = FDocument->GetOffset(FSelectedArea);
                FDragOffset = TPoint{CheckedSub(q.X, o.X), CheckedSub(q.Y, o.Y)};
            }
        }
    }
    FDownPoint = p;
}

void TCoverView::MouseMove(TPoint p)
{
    if (BlockMouseMove(p))
        return;
    if (FDragArea == -1 || !FDocument)
        return;
    const TPoint q = PrinterToScreen(FDragOffset);
    FDocument->SetOffset(FDragArea,
                        ScreenToPrinter(TPoint{CheckedSub(p.X, q.X), CheckedSub(p.Y, q.Y)}));
}

void TCoverView::MouseUp(Qt::MouseButton button, TPoint p)
{
    FDragArea = -1;
    if (BlockMouseUp())
        return;
    if (button == Qt::RightButton && FSelectedArea != -1 && PointInRect(p, FAreaRect[FSelectedArea]) &&
        FOnAreaPopup)
        FOnAreaPopup(this, Qt::RightButton, Qt::NoModifier, p.X, p.Y);
}

void TCoverView::DblClick()
{
    if (FSelectedArea == -1)
        return;
    FDblClickPending = true;
    if (PointInRect(FDownPoint, FAreaRect[FSelectedArea]) && FOnAreaDblClick)
        FOnAreaDblClick(this);
}

void TCoverView::KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool multiple = FDocument && FDocument->Mode() == CoverMode::Multiple;
    switch (key) {
    case Qt::Key_Left:
        if (!multiple)
            SelectArea(1);
        else
            SelectArea(FSelectedArea == 2 || FSelectedArea == 3 ? FSelectedArea - 1 : 3);
        break;
    case Qt::Key_Right:
        if (!multiple)
            SelectArea(1);
        else
            SelectArea(FSelectedArea == 1 || FSelectedArea == 2 ? FSelectedArea + 1 : 1);
        break;
    case Qt::Key_Plus:
        // Only the numeric keypad's plus and minus zoom.
        if (modifiers & Qt::KeypadModifier)
            ZoomIn();
        break;
    case Qt::Key_Minus:
        if (modifiers & Qt::KeypadModifier)
            ZoomOut();
        break;
    default:
        break;
    }
}

void TCoverView::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    Guarded([&] { MouseDown(event->button(), event->buttons(), PointOf(event)); });
}

void TCoverView::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    Guarded([&] {
        try {
            MouseMove(PointOf(event));
        } catch (...) {
            FDragArea = -1; // a drag that cannot be followed ends here
            throw;
        }
    });
}

void TCoverView::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    Guarded([&] { MouseUp(event->button(), PointOf(event)); });
}

void TCoverView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Qt delivers the double click in place of the second press: the
    // double-click handling runs first, then that press's own handling.
    // Only the left button double-clicks; a quick second right or middle
    // press is an ordinary press, or it would open the picture chooser and
    // leave a pending double click to swallow the next drag.
    Guarded([&] {
        // A double click on a block edits its text; the picture stays.
        if (event->button() == Qt::LeftButton && !BlockDblClick(PointOf(event)))
            DblClick();
        // The press that made the double click would end the edit it began.
        if (!IsEditingBlock())
            MouseDown(event->button(), event->buttons(), PointOf(event));
    });
}

void TCoverView::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    bool block = false;
    Guarded([&] { block = BlockKeyDown(key, event->modifiers()); });
    if (block) {
        event->accept();
        return;
    }
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Plus ||
        key == Qt::Key_Minus) {
        Guarded([&] { KeyDown(key, event->modifiers()); });
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
