// SPDX-License-Identifier: GPL-3.0-or-later
#include "Geometry.h"

#include "Rounding.h"

#include <algorithm>

int32_t TRect::Width() const
{
    return CheckedSub(Right, Left);
}

int32_t TRect::Height() const
{
    return CheckedSub(Bottom, Top);
}

bool PointInRect(TPoint p, const TRect &r)
{
    return r.Left <= p.X && p.X <= r.Right && r.Top <= p.Y && p.Y <= r.Bottom;
}

void ShiftRect(const TRect &r, int32_t dx, int32_t dy, TRect &out)
{
    TRect s;
    s.Left = CheckedAdd(r.Left, dx);
    s.Right = CheckedAdd(r.Right, dx);
    s.Top = CheckedAdd(r.Top, dy);
    s.Bottom = CheckedAdd(r.Bottom, dy);
    out = s;
}

void AlignRectTo(const TRect &r, const TRect &ref, uint8_t code, TRect &out)
{
    int32_t dx = 0;
    int32_t dy = 0;
    switch (static_cast<RectAlign>(code)) {
    case RectAlign::Left:
        dx = CheckedSub(ref.Left, r.Left);
        break;
    case RectAlign::Right:
        dx = CheckedSub(ref.Right, r.Right);
        break;
    case RectAlign::Top:
        dy = CheckedSub(ref.Top, r.Top);
        break;
    case RectAlign::Bottom:
        dy = CheckedSub(ref.Bottom, r.Bottom);
        break;
    case RectAlign::HCenter:
        dx = Div(CheckedSub(CheckedSub(CheckedAdd(ref.Left, ref.Right), r.Left), r.Right), 2);
        break;
    case RectAlign::VCenter:
        dy = Div(CheckedSub(CheckedSub(CheckedAdd(ref.Top, ref.Bottom), r.Top), r.Bottom), 2);
        break;
    default:
        return;
    }
    ShiftRect(r, dx, dy, out);
}

TRect RectIntersection(const TRect &a, const TRect &b)
{
    TRect r;
    r.Left = a.Left > b.Left ? a.Left : b.Left;
    r.Top = a.Top > b.Top ? a.Top : b.Top;
    r.Right = a.Right < b.Right ? a.Right : b.Right;
    r.Bottom = a.Bottom < b.Bottom ? a.Bottom : b.Bottom;
    return r;
}

TRect FitRect(const TRect &rect, int32_t width, int32_t height)
{
    const int32_t dw = rect.Width();
    const int32_t dh = rect.Height();
    const double k = std::min(double(dw) / width, double(dh) / height);
    const int32_t mx = Round((dw - width * k) / 2);
    const int32_t my = Round((dh - height * k) / 2);
    return TRect{CheckedAdd(rect.Left, mx), CheckedAdd(rect.Top, my), CheckedSub(rect.Right, mx),
                 CheckedSub(rect.Bottom, my)};
}
