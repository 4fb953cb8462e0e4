// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconGraphic.h"

#include "VelmoraError.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

namespace {

const int MaxIconImages = 256;

} // namespace

void TIconGraphic::LoadFromStream(QIODevice &stream)
{
    const QByteArray data = stream.readAll();
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead())
        throw EVelmoraError(QStringLiteral("Icon image is not valid"));
    QImage best;
    const int count = std::min(reader.imageCount(), MaxIconImages);
    for (int i = 0; i < std::max(count, 1); ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QSize size = reader.size();
        if (size.isValid() && !PictureSizeAllowed(size.width(), size.height()))
            continue;
        const QImage image = reader.read();
        if (!image.isNull() &&
            qint64(image.width()) * image.height() > qint64(best.width()) * best.height())
            best = image;
    }
    if (best.isNull())
        throw EVelmoraError(QStringLiteral("Icon image is not valid"));
    m_image = best.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Changed();
}

void TIconGraphic::Draw(QPainter &canvas, const QRect &rect) const
{
    canvas.drawImage(rect, m_image);
}
