// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// A bitmap for a decoder to fill. Large ones are placed in memory that the
// system may back with huge pages: a camera-sized picture then takes a few
// dozen page faults instead of tens of thousands, which is most of the time
// spent placing it. Null when the memory cannot be had.
QImage AllocateBitmap(int width, int height, QImage::Format format);
// Bytes AllocateBitmap has handed out since the program started: what a
// decoder really allocated, for the memory promises to be checked by.
qint64 AllocatedBitmapBytes();
