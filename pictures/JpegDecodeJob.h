// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Graphic.h"

#include <QByteArray>
#include <QImage>
#include <memory>

// A large JPEG's full pixels, decoded on a worker thread into the bitmap the
// cover already holds. Only the thread that placed the picture starts,
// stops, resumes and waits for it.
class TJpegDecodeJob : public TPendingPixels
{
public:
    // bitmap: of the picture's upright size, whose pixels the work writes;
    // orientation: its EXIF turn; halves: a baseline file on a machine of two
    // cores or more, decoded by two threads, one from its middle.
    static std::shared_ptr<TJpegDecodeJob> Make(QByteArray data, QImage bitmap, int orientation,
                                                bool halves);
    virtual void Start() = 0;
    // The small copy, once decoded: what stands in should the full decode
    // fail after all.
    virtual void SetReduced(const QImage &reduced) = 0;
    // The small copy is shown: a second thread may take the lower half.
    virtual void ShareTheWork() = 0;
};
