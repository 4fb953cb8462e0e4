// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Geometry.h"

#include <QImage>
#include <cstdint>

class QPainter;

// Quarter turns over 32-bit pixels. src is converted to 32 bits in place if it
// is not already; dst is replaced.
void RotateBitmapLeft(QImage &src, QImage &dst);
void RotateBitmapRight(QImage &src, QImage &dst);

// Draws the whole of bmp with its top-left corner at (x, y) on the painter's
// device, Round(width x scale) by Round(height x scale) device pixels, colours
// copied unchanged. Raises "Range check error" before drawing when a size does
// not fit in 32 bits.
void PrintBitmapScaled(QPainter &page, const QImage &bmp, int32_t x, int32_t y, double scale);

// Draws the whole of bmp stretched into dest (Right and Bottom exclusive) on
// the painter's device, colours copied unchanged.
void PrintBitmapInto(QPainter &page, const QImage &bmp, const TRect &dest);

// An image of size over memory that is kept from one size to the next: the
// memory grows (to room times what is asked, at most limit) only when size
// no longer fits, so that a stream of new sizes, as a window resize brings,
// neither allocates nor faults in fresh pages at every step. Memory far
// larger than the size needs is given back. The image is good until memory
// changes; null when the memory cannot be had.
QImage ImageInKeptMemory(QImage &memory, QSize size, QImage::Format format, double room = 1.0,
                         QSize limit = QSize());
