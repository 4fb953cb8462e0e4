// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Graphic.h"

#include <QByteArray>

// JPEG pictures, decoded with libjpeg at full size straight into a 32-bit
// bitmap. The bitmap is what a cover area keeps, shared, not copied.
class TJpegGraphic : public TGraphic
{
public:
    QString KindName() const override { return QStringLiteral("TJPEGImage"); }
    void LoadFromStream(QIODevice &stream) override;
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    void Draw(QPainter &canvas, const QRect &rect) const override;
    QImage ToBitmap() const override { return m_image; }

private:
    QImage m_image;
};

// Raises EVelmoraError for anything that is not a whole, decodable JPEG
// within the picture size limit.
QImage DecodeJpeg(const QByteArray &data);
