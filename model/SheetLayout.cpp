// SPDX-License-Identifier: GPL-3.0-or-later
// Covers on sheets: a maximal-rectangles packing (each sheet keeps every
// largest free rectangle; a cover goes where it leaves the shortest side
// over), trying both turns, sheet after sheet.
#include "SheetLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

// Lengths closer than this are equal: sizes come from sums of inches.
constexpr double Slack = 1e-9;

struct TFreeSheet
{
    std::vector<QRectF> Free;
};

bool Contains(const QRectF &outer, const QRectF &inner)
{
    return inner.left() >= outer.left() - Slack && inner.top() >= outer.top() - Slack &&
           inner.right() <= outer.right() + Slack && inner.bottom() <= outer.bottom() + Slack;
}

// The free rectangles once used is taken: each that it cuts is split into
// the up to four parts around it; any part inside another goes.
void Take(TFreeSheet &sheet, const QRectF &used)
{
    std::vector<QRectF> next;
    for (const QRectF &f : sheet.Free) {
        if (used.left() >= f.right() - Slack || used.right() <= f.left() + Slack ||
            used.top() >= f.bottom() - Slack || used.bottom() <= f.top() + Slack) {
            next.push_back(f);
            continue;
        }
        if (used.left() > f.left() + Slack)
            next.emplace_back(f.left(), f.top(), used.left() - f.left(), f.height());
        if (used.right() < f.right() - Slack)
            next.emplace_back(used.right(), f.top(), f.right() - used.right(), f.height());
        if (used.top() > f.top() + Slack)
            next.emplace_back(f.left(), f.top(), f.width(), used.top() - f.top());
        if (used.bottom() < f.bottom() - Slack)
            next.emplace_back(f.left(), used.bottom(), f.width(), f.bottom() - used.bottom());
    }
    sheet.Free.clear();
    for (size_t i = 0; i < next.size(); ++i) {
        bool inside = false;
        for (size_t j = 0; j < next.size() && !inside; ++j)
            inside = i != j && Contains(next[j], next[i]) &&
                     (!Contains(next[i], next[j]) || j < i);
        if (!inside)
            sheet.Free.push_back(next[i]);
    }
}

// The best place on a sheet for a size, either turn: the least short side
// left over, then the least long side; false when it fits nowhere.
bool BestPlace(const TFreeSheet &sheet, QSizeF size, QPointF &at, bool &rotated)
{
    double bestShort = std::numeric_limits<double>::max();
    double bestLong = bestShort;
    bool found = false;
    for (const QRectF &f : sheet.Free)
        for (bool turn : {false, true}) {
            const double w = turn ? size.height() : size.width();
            const double h = turn ? size.width() : size.height();
            if (w > f.width() + Slack || h > f.height() + Slack)
                continue;
            const double a = f.width() - w, b = f.height() - h;
            const double shortSide = std::min(a, b), longSide = std::max(a, b);
            if (shortSide < bestShort - Slack ||
                (std::abs(shortSide - bestShort) <= Slack && longSide < bestLong - Slack)) {
                bestShort = shortSide;
                bestLong = longSide;
                at = f.topLeft();
                rotated = turn;
                found = true;
            }
        }
    return found;
}

} // namespace

QRectF TSheetPlacement::Rect(const TSheetItem &item) const
{
    const QSizeF s = Rotated ? item.Inches.transposed() : item.Inches;
    return QRectF(At, s);
}

std::vector<TSheet> LayOutSheets(const std::vector<TSheetItem> &items, QSizeF room, int *unfit)
{
    if (unfit)
        *unfit = -1;
    // Copies of the larger covers first, each item's copies together.
    std::vector<int> order(items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const QSizeF x = items[size_t(a)].Inches, y = items[size_t(b)].Inches;
        return x.width() * x.height() > y.width() * y.height() + Slack;
    });
    std::vector<TSheet> sheets;
    std::vector<TFreeSheet> free;
    for (int item : order) {
        const TSheetItem &it = items[size_t(item)];
        const QSizeF size = it.Inches;
        const bool fitsAtAll =
            size.width() > 0 && size.height() > 0 &&
            ((size.width() <= room.width() + Slack && size.height() <= room.height() + Slack) ||
             (size.height() <= room.width() + Slack && size.width() <= room.height() + Slack));
        if (!fitsAtAll) {
            if (unfit && *unfit == -1)
                *unfit = item;
            continue;
        }
        for (int copy = 0; copy < it.Copies; ++copy) {
            TSheetPlacement p;
            p.Item = item;
            p.Copy = copy;
            size_t s = 0;
            for (; s < sheets.size(); ++s)
                if (BestPlace(free[s], size, p.At, p.Rotated))
                    break;
            if (s == sheets.size()) {
                sheets.emplace_back();
                free.push_back(TFreeSheet{{QRectF(QPointF(0, 0), room)}});
                BestPlace(free[s], size, p.At, p.Rotated);
            }
            sheets[s].push_back(p);
            Take(free[s], p.Rect(it));
        }
    }
    return sheets;
}
