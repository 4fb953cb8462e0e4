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
};
