// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Graphic.h"

// PNG files through libpng: every kind eight bits a channel as it is read
// (a 16-bit picture takes four bytes a pixel, not eight), decoding ending
// with the picture's last row, and turned upright by its eXIf orientation.
class TPngGraphic : public TBitmapGraphic
{
public:
    QString KindName() const override { return QStringLiteral("PNG Image File"); }
    void LoadFromStream(QIODevice &stream) override;
    QImage ToBitmap() const override;
};
