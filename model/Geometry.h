// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Integer rectangle in device pixels. Right and Bottom are just past the last
// column and row when the platform fills it; the helpers treat all four as
// plain numbers and never normalise.
struct TRect
{
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const;  // checked Right - Left
    int32_t Height() const; // checked Bottom - Top
    bool operator==(const TRect &o) const
    {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
    bool operator!=(const TRect &o) const { return !(*this == o); }
};

struct TPoint
{
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const TPoint &o) const { return X == o.X && Y == o.Y; }
    bool operator!=(const TPoint &o) const { return !(*this == o); }
};

enum class RectAlign : uint8_t
{
    Left = 0,
    Right = 1,
    Top = 2,
    Bottom = 3,
    HCenter = 4,
    VCenter = 5
};

// All four edges count as inside, unlike the platform's usual test.
bool PointInRect(TPoint p, const TRect &r);

// Both write their output only when every sum fits in 32 bits; otherwise they
// raise "Integer overflow" and leave it as it was.
void ShiftRect(const TRect &r, int32_t dx, int32_t dy, TRect &out);
void AlignRectTo(const TRect &r, const TRect &ref, uint8_t code, TRect &out);

// No emptiness test: disjoint rectangles give Right < Left or Bottom < Top.
TRect RectIntersection(const TRect &a, const TRect &b);

// The largest rectangle of a picture's proportions that fits in rect,
// centred, with margins rounded half to even. width and height must be
// above 0.
TRect FitRect(const TRect &rect, int32_t width, int32_t height);
