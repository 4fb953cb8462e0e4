// SPDX-License-Identifier: GPL-3.0-or-later
#include "BmpGraphic.h"

#include "BmpReader.h"
#include "VelmoraError.h"

#include <QIODevice>
#include <QImageReader>

QImage TBmpGraphic::ToBitmap() const
{
    return Image().hasAlphaChannel() ? TGraphic::ToBitmap() : Image();
}

void TBmpGraphic::LoadFromStream(QIODevice &stream)
{
    // The extension chose the kind; contents of another kind do not load.
    const qint64 start = stream.pos();
    const TBmpHeader header = ReadBmpHeader(stream);
    if (header.Uncompressed()) {
        SetImage(ReadUncompressedBmp(stream, header));
        return;
    }
    // Qt places a run's pixels wrongly after a move and leaves what the
    // moves pass over transparent black.
    if (header.RunLengthEncoded()) {
        SetImage(ReadRleBmp(stream, header));
        return;
    }
    // Run-length encoded and other rare kinds: Qt's reader.
    stream.seek(start);
    QImageReader reader(&stream, "bmp");
    reader.setDecideFormatFromContent(false);
    // A bitmap stored top-down has a negative height in its header, and Qt
    // reports it so.
    const QSize size = reader.size();
    const qint64 w = size.width();
    const qint64 h = qAbs(qint64(size.height()));
    if (!reader.canRead() || w <= 0 || h <= 0 || !PictureSizeAllowed(w, h))
        throw EVelmoraError(QStringLiteral("Bitmap image is not valid"));
    const QImage image = reader.read();
    if (image.isNull())
        throw EVelmoraError(QStringLiteral("Bitmap image is not valid"));
    SetImage(image);
}
