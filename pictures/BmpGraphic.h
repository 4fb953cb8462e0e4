// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Graphic.h"

// BMP files: plainly stored ones (indexed, 16, 24 and 32 bits, with masks of
// any width) by our own reader, run-length encoded ones by Qt's.
class TBmpGraphic : public TBitmapGraphic
{
public:
    void LoadFromStream(QIODevice &stream) override;
    bool ReadsOnlyWhatItDeclares() const override { return true; }
    // A bitmap with alpha (a V4 or V5 header's) is put on white, as every
    // other kind's transparent parts are.
    QImage ToBitmap() const override;
};
