// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// A bitmap for a decoder to fill. Large ones are placed in memory that the
// system may back with huge pages: a camera-sized picture then takes a few
// dozen page faults instead of tens of thousands, which is most of the time
// spent placing it. Null when the memory cannot be had.
QImage AllocateBitmap(int width, int height, QImage::Format format);
// Has the system give a large bitmap its memory now, without touching its
// pixels: run on another core while a decoder fills the bitmap, the cost of
// the memory's first use is taken off the decoder. Does nothing where the
// system offers no such request. Given the bitmap's memory, not the image:
// a second reference to the image would make the decoder's writes copy it.
void PrefaultBitmap(const uchar *bits, qsizetype bytes);
// Bytes AllocateBitmap has handed out since the program started: what a
// decoder really allocated, for the memory promises to be checked by.
qint64 AllocatedBitmapBytes();
