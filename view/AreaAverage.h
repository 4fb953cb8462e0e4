// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

// Reduces a picture to a smaller size by averaging the area each new pixel
// covers, as Qt's smooth scaling does, for the small reductions a window
// resize asks of the view's working copies, into memory the caller keeps
// from one size to the next. A vertical pass fills a row of 16-bit sums and
// a horizontal pass reduces it; both are vectorised where the processor
// allows, and the rows are shared between two threads. It takes about half
// the time of Qt's smooth scaling and no new memory.
//
// Takes RGB32 and premultiplied ARGB32 pictures (where averaging every
// channel alike is right) and a new size no larger than the picture and at
// least a quarter of it. The result is within two levels per channel of Qt's.
enum class TAreaAverageCode
{
    Best,
    // The plain C++ loops, also where vector instructions are at hand; they
    // give the same result to the bit, which is what tests check.
    Portable
};

bool CanAreaAverage(const QImage &picture, QSize size);
// into: an image of the new size in the picture's format, usually made over
// memory the caller keeps from one reduction to the next.
void AreaAverage(const QImage &picture, QImage &into,
                 TAreaAverageCode code = TAreaAverageCode::Best);
