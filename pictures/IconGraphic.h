// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Graphic.h"

// Icon files. Of the images an icon file holds, the largest by the size its
// directory declares is taken (a cover is printed, and the small ones are for
// lists), and only that one is decoded. An image whose own header gives
// another size than the directory is refused like a damaged file.
class TIconGraphic : public TGraphic
{
public:
    QString KindName() const override { return QStringLiteral("TIcon"); }
    void LoadFromStream(QIODevice &stream) override;
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    void Draw(QPainter &canvas, const QRect &rect) const override;

    // How many images the last load decoded, for tests that bound the work.
    static int LastImagesDecoded;

private:
    QImage m_image; // with its transparency
};
