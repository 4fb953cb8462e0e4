// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

// The orientation a JPEG file's EXIF data gives (1 to 8, as EXIF numbers
// them), or 1 when it gives none or none that reads: a phone's portrait
// photograph is stored lying on its side with 6 or 8.
int JpegExifOrientation(const QByteArray &jpeg);
// The same from a PNG file's eXIf chunk and a WebP file's EXIF chunk, which
// phones and editors write as well.
int PngExifOrientation(const QByteArray &png);
int WebpExifOrientation(const QByteArray &webp);

// A WebP file's chunk of that kind ("EXIF", "ICCP"); empty when it has none.
QByteArray WebpChunk(const QByteArray &webp, const char *fourcc);

// The picture turned and mirrored upright from that orientation.
QImage Upright(const QImage &picture, int orientation);
