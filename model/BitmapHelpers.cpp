// SPDX-License-Identifier: GPL-3.0-or-later
#include "BitmapHelpers.h"

#include <algorithm>

#include "Rounding.h"

#include <QPainter>
#include <vector>

namespace {

void MakeThirtyTwoBit(QImage &img)
{
    if (img.depth() != 32)
        img.convertTo(QImage::Format_ARGB32);
}

// The row tables keep per-pixel work to one load and one store: no accessor
// call, no bounds check, no detach test inside the loops.
struct RowTables
{
    std::vector<const uint32_t *> src;
    std::vector<uint32_t *> dst;
};

RowTables PrepareTurn(QImage &src, QImage &dst)
{
    MakeThirtyTwoBit(src);
    dst = QImage(src.height(), src.width(), src.isNull() ? QImage::Format_ARGB32 : src.format());
    RowTables t;
    t.src.resize(src.height());
    for (int y = 0; y < src.height(); ++y)
        t.src[y] = reinterpret_cast<const uint32_t *>(src.constScanLine(y));
    t.dst.resize(dst.height());
    for (int y = 0; y < dst.height(); ++y)
        t.dst[y] = reinterpret_cast<uint32_t *>(dst.scanLine(y));
    return t;
}

} // namespace

void RotateBitmapLeft(QImage &src, QImage &dst)
{
    RowTables t = PrepareTurn(src, dst);
    const int w = src.width();
    const int h = src.height();
    for (int y = 0; y < h; ++y) {
        const uint32_t *row = t.src[y];
        for (int x = 0; x < w; ++x)
            t.dst[w - 1 - x][y] = row[x];
    }
}

void RotateBitmapRight(QImage &src, QImage &dst)
{
    RowTables t = PrepareTurn(src, dst);
    const int w = src.width();
    const int h = src.height();
    for (int y = 0; y < h; ++y) {
        const uint32_t *row = t.src[y];
        const int column = h - 1 - y;
        for (int x = 0; x < w; ++x)
            t.dst[x][column] = row[x];
    }
}

void PrintBitmapScaled(QPainter &page, const QImage &bmp, int32_t x, int32_t y, double scale)
{
    const int32_t h = Round(bmp.height() * scale);
    const int32_t w = Round(scale * bmp.width());
    PrintBitmapInto(page, bmp, TRect{x, y, CheckedAdd(x, w), CheckedAdd(y, h)});
}

void PrintBitmapInto(QPainter &page, const QImage &bmp, const TRect &dest)
{
    const int32_t w = dest.Width();
    const int32_t h = dest.Height();
    if (bmp.isNull() || w <= 0 || h <= 0)
        return;
    // An opaque copy: the page receives the pixels as they are, with no
    // blending against what lies beneath.
    const QImage opaque = bmp.convertToFormat(QImage::Format_RGB32);
    page.save();
    page.setCompositionMode(QPainter::CompositionMode_Source);
    page.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Colours copied unchanged: a PDF would otherwise keep the bitmap as a
    // JPEG, a level or two off in flat areas and far off at edges.
    page.setRenderHint(QPainter::LosslessImageRendering, true);
    page.drawImage(QRect(dest.Left, dest.Top, w, h), opaque, opaque.rect());
    page.restore();
}

QImage ImageInKeptMemory(QImage &memory, QSize size, QImage::Format format, double room,
                         QSize limit)
{
    const qint64 kept = qint64(memory.width()) * memory.height();
    const qint64 asked = qint64(size.width()) * size.height();
    // Memory far larger than what is asked (a huge window made small
    // again) is given back: more than four times the area, past what a
    // screenful takes anyway.
    const bool oversized = kept > 4 * std::max<qint64>(asked, qint64(1) << 22);
    if (memory.format() != format || memory.width() < size.width() ||
        memory.height() < size.height() || oversized) {
        QSize grown = (oversized ? size : size.expandedTo(memory.size())) * room;
        if (limit.isValid())
            grown = grown.boundedTo(limit).expandedTo(size);
        memory = QImage();
        memory = QImage(grown, format);
    }
    if (memory.isNull())
        return QImage();
    return QImage(memory.bits(), size.width(), size.height(), memory.bytesPerLine(), format);
}
