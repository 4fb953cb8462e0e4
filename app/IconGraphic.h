// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Graphic.h"

// Icon files. Of the images an icon file holds, the largest is taken: a
// cover is printed, and the small ones are for lists.
class TIconGraphic : public TGraphic
{
public:
    QString KindName() const override { return QStringLiteral("TIcon"); }
    void LoadFromStream(QIODevice &stream) override;
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    void Draw(QPainter &canvas, const QRect &rect) const override;

private:
    QImage m_image; // with its transparency
};
