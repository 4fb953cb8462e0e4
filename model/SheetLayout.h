// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <vector>

// One cover to lay out on sheets: its size on paper with the room its marks
// and bleed take (inches), and how many copies.
struct TSheetItem
{
    QSizeF Inches;
    int Copies = 1;
};

// Where one copy goes: the top-left corner of its printed size within the
// paper's printable room (inches), turned a quarter turn clockwise or not.
struct TSheetPlacement
{
    int Item = 0;
    int Copy = 0;
    QPointF At;
    bool Rotated = false;
    // The room it takes on the sheet, turned as it lies.
    QRectF Rect(const TSheetItem &item) const;
};

using TSheet = std::vector<TSheetPlacement>;

// Lays every copy out at true size on sheets of room (inches), none
// overlapping another, each turned where that fits more, on as few sheets as
// the packing finds. Larger covers go first. An item that fits no sheet
// either way is left out and named in unfit (its index; -1 when all fit).
std::vector<TSheet> LayOutSheets(const std::vector<TSheetItem> &items, QSizeF room, int *unfit);
