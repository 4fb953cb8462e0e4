// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExifOrientation.h"

#include <QTransform>

namespace {

// Reads the file's numbers, in the byte order its TIFF header names, never
// beyond the data.
struct TReader
{
    const QByteArray &Data;
    qsizetype Base = 0; // where the TIFF header starts
    qsizetype End = 0;
    bool Motorola = false;

    bool Has(qsizetype at, int size) const { return at >= Base && at + size <= End; }
    unsigned Get(qsizetype at, int size) const
    {
        unsigned v = 0;
        for (int i = 0; i < size; ++i) {
            const unsigned byte = quint8(Data.at(at + (Motorola ? i : size - 1 - i)));
            v = (v << 8) | byte;
        }
        return v;
    }
};

int OrientationInTiff(const QByteArray &data, qsizetype base, qsizetype end)
{
    TReader r{data, base, end};
    if (!r.Has(base, 8))
        return 1;
    if (data.mid(base, 2) == "MM")
        r.Motorola = true;
    else if (data.mid(base, 2) != "II")
        return 1;
    if (r.Get(base + 2, 2) != 42)
        return 1;
    const qsizetype ifd = base + qsizetype(r.Get(base + 4, 4));
    if (!r.Has(ifd, 2))
        return 1;
    const unsigned entries = r.Get(ifd, 2);
    for (unsigned i = 0; i < entries; ++i) {
        const qsizetype entry = ifd + 2 + qsizetype(i) * 12;
        if (!r.Has(entry, 12))
            return 1;
        // Tag 0x0112, a SHORT, its value in the entry itself.
        if (r.Get(entry, 2) == 0x0112 && r.Get(entry + 2, 2) == 3) {
            const unsigned value = r.Get(entry + 8, 2);
            return value >= 1 && value <= 8 ? int(value) : 1;
        }
    }
    return 1;
}

} // namespace

int JpegExifOrientation(const QByteArray &jpeg)
{
    if (!jpeg.startsWith("\xFF\xD8"))
        return 1;
    // The markers before the picture's data, each with its length; EXIF is
    // an APP1 segment that starts "Exif\0\0".
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && quint8(jpeg.at(at)) == 0xFF) {
        const int marker = quint8(jpeg.at(at + 1));
        if (marker == 0xDA || marker == 0xD9) // start of scan, end of image
            break;
        const qsizetype length = (quint8(jpeg.at(at + 2)) << 8) | quint8(jpeg.at(at + 3));
        if (length < 2 || at + 2 + length > jpeg.size())
            break;
        if (marker == 0xE1 && length >= 8 && jpeg.mid(at + 4, 6) == QByteArray("Exif\0\0", 6))
            return OrientationInTiff(jpeg, at + 10, at + 2 + length);
        at += 2 + length;
    }
    return 1;
}

int PngExifOrientation(const QByteArray &png)
{
    // Chunks of length, type, data and checksum after the signature, all
    // before the first IDAT where the orientation may stand.
    qsizetype at = 8;
    while (at + 12 <= png.size()) {
        const quint32 length = (quint32(quint8(png.at(at))) << 24) |
                               (quint32(quint8(png.at(at + 1))) << 16) |
                               (quint32(quint8(png.at(at + 2))) << 8) | quint8(png.at(at + 3));
        const QByteArray type = png.mid(at + 4, 4);
        if (length > quint32(png.size() - at - 12))
            break;
        if (type == "eXIf")
            return OrientationInTiff(png, at + 8, at + 8 + qsizetype(length));
        if (type == "IDAT" || type == "IEND")
            break;
        at += 12 + qsizetype(length);
    }
    return 1;
}

QByteArray WebpChunk(const QByteArray &webp, const char *fourcc)
{
    if (!webp.startsWith("RIFF") || webp.mid(8, 4) != "WEBP")
        return QByteArray();
    // Little-endian chunks, each padded to an even length.
    qsizetype at = 12;
    while (at + 8 <= webp.size()) {
        const quint32 length = quint32(quint8(webp.at(at + 4))) |
                               (quint32(quint8(webp.at(at + 5))) << 8) |
                               (quint32(quint8(webp.at(at + 6))) << 16) |
                               (quint32(quint8(webp.at(at + 7))) << 24);
        if (length > quint32(webp.size() - at - 8))
            break;
        if (webp.mid(at, 4) == fourcc)
            return webp.mid(at + 8, qsizetype(length));
        at += 8 + qsizetype(length) + (length & 1);
    }
    return QByteArray();
}

int WebpExifOrientation(const QByteArray &webp)
{
    QByteArray exif = WebpChunk(webp, "EXIF");
    // Some writers keep the JPEG's "Exif\0\0" before the TIFF data.
    if (exif.startsWith(QByteArray("Exif\0\0", 6)))
        exif.remove(0, 6);
    return exif.isEmpty() ? 1 : OrientationInTiff(exif, 0, exif.size());
}

QImage Upright(const QImage &picture, int orientation)
{
    switch (orientation) {
    case 2:
        return picture.mirrored(true, false);
    case 3:
        return picture.mirrored(true, true);
    case 4:
        return picture.mirrored(false, true);
    case 5: // transposed: turned a quarter clockwise, then mirrored
        return picture.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6:
        return picture.transformed(QTransform().rotate(90));
    case 7: // transversed
        return picture.transformed(QTransform().rotate(270)).mirrored(true, false);
    case 8:
        return picture.transformed(QTransform().rotate(270));
    default:
        return picture;
    }
}
