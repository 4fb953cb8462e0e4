// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Graphic.h"

#include <QByteArray>

// Pictures of the kinds Qt's own image readers decode (PNG, and WebP and
// TIFF through Debian's Qt image format plugins). The picture's size is
// checked against the limit before its pixels are decoded; a TIFF's
// orientation is applied. Transparent parts come out on white, as an icon's
// and a GIF's do.
class TQtImageGraphic : public TGraphic
{
public:
    TQtImageGraphic(const QByteArray &format, const QString &kindName);
    QString KindName() const override { return m_kindName; }
    void LoadFromStream(QIODevice &stream) override;
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    void Draw(QPainter &canvas, const QRect &rect) const override;
    QImage ToBitmap() const override;

protected:
    // Reads the picture, its colours converted into sRGB by icc, else by
    // the profile Qt's reader found.
    void Load(QIODevice &stream, const QByteArray &icc);
    void SetPicture(const QImage &image);

private:
    QByteArray m_format;
    QString m_kindName;
    QImage m_image;
};
