// SPDX-License-Identifier: GPL-3.0-or-later
#include "BmpReader.h"

#include "Graphic.h"
#include "LargeBitmap.h"
#include "VelmoraError.h"

#include <QIODevice>
#include <QtEndian>
#include <array>
#include <vector>

namespace {

enum Compression : quint32
{
    BiRgb = 0,
    BiBitfields = 3,
    BiAlphaBitfields = 6
};

[[noreturn]] void Refuse(const char *why)
{
    throw EVelmoraError(QStringLiteral("Bitmap image is not valid: %1").arg(QLatin1String(why)));
}

quint16 U16(const uchar *p)
{
    return qFromLittleEndian<quint16>(p);
}

quint32 U32(const uchar *p)
{
    return qFromLittleEndian<quint32>(p);
}

qint32 S32(const uchar *p)
{
    return qFromLittleEndian<qint32>(p);
}

void ReadExactly(QIODevice &stream, uchar *to, qint64 bytes)
{
    qint64 done = 0;
    while (done < bytes) {
        const qint64 n = stream.read(reinterpret_cast<char *>(to) + done, bytes - done);
        if (n <= 0)
            Refuse("the file is cut short");
        done += n;
    }
}

// One colour channel of a pixel by its mask: the bits the mask covers,
// widened or narrowed to eight. A channel of up to 16 bits (all that files
// hold) is read through a table: a camera-sized bitmap would otherwise take
// three divisions a pixel.
struct TChannel
{
    quint32 Mask = 0;
    int Shift = 0;
    quint64 Max = 0; // the largest value the channel holds
    std::vector<uchar> Levels;

    explicit TChannel(quint32 mask = 0) : Mask(mask)
    {
        if (!mask)
            return;
        while (!((mask >> Shift) & 1u))
            ++Shift;
        Max = mask >> Shift;
        if (Max <= 0xFFFF) {
            Levels.resize(size_t(Max) + 1);
            for (quint64 v = 0; v <= Max; ++v)
                Levels[size_t(v)] = uchar((v * 255 + Max / 2) / Max);
        }
    }
    int Of(quint32 pixel) const
    {
        if (!Max)
            return 0;
        const quint64 v = (pixel & Mask) >> Shift;
        return v < Levels.size() ? Levels[size_t(v)] : int((v * 255 + Max / 2) / Max);
    }
};

} // namespace

bool TBmpHeader::Uncompressed() const
{
    const bool packed = BitCount == 16 || BitCount == 24 || BitCount == 32;
    const bool indexed = BitCount == 1 || BitCount == 4 || BitCount == 8;
    return (Compression == BiRgb && (packed || indexed)) ||
           ((Compression == BiBitfields || Compression == BiAlphaBitfields) &&
            (BitCount == 16 || BitCount == 32));
}

TBmpHeader ReadBmpHeader(QIODevice &stream)
{
    // File header, then the size of the information header that follows.
    std::array<uchar, 14 + 124 + 16> head{};
    if (stream.read(reinterpret_cast<char *>(head.data()), 2) != 2 || head[0] != 'B' ||
        head[1] != 'M')
        Refuse("it is not a BMP file");
    ReadExactly(stream, &head[2], 16);
    TBmpHeader h;
    h.DataOffset = U32(&head[10]);
    h.InfoSize = U32(&head[14]);
    const bool core = h.InfoSize == 12;
    if (!core && (h.InfoSize < 40 || h.InfoSize > 124))
        Refuse("its header is of no known kind");
    ReadExactly(stream, &head[18], h.InfoSize - 4);
    const uchar *info = &head[14];
    if (core) {
        h.Width = U16(info + 4);
        h.Height = qint16(U16(info + 6));
        h.BitCount = U16(info + 10);
    } else {
        h.Width = S32(info + 4);
        h.Height = S32(info + 8);
        h.BitCount = U16(info + 14);
        h.Compression = U32(info + 16);
        h.ColorsUsed = U32(info + 32);
    }
    qint64 read = 14 + h.InfoSize;
    if (h.Compression == BiBitfields || h.Compression == BiAlphaBitfields) {
        // The masks end the larger headers, or follow the 40-byte one.
        if (h.InfoSize < 52) {
            const qint64 extra = h.Compression == BiAlphaBitfields ? 16 : 12;
            ReadExactly(stream, &head[14 + h.InfoSize], extra);
            read += extra;
        }
        h.RedMask = U32(info + 40);
        h.GreenMask = U32(info + 44);
        h.BlueMask = U32(info + 48);
        if (h.Compression == BiAlphaBitfields || h.InfoSize >= 56)
            h.AlphaMask = U32(info + 52);
    } else if (h.Compression == BiRgb && h.BitCount == 16) {
        h.RedMask = 0x7C00;
        h.GreenMask = 0x03E0;
        h.BlueMask = 0x001F;
    } else if (h.Compression == BiRgb && h.BitCount == 32) {
        h.RedMask = 0x00FF0000;
        h.GreenMask = 0x0000FF00;
        h.BlueMask = 0x000000FF;
    }
    h.HeaderBytes = read;
    return h;
}

QImage ReadUncompressedBmp(QIODevice &stream, const TBmpHeader &h)
{
    const qint64 w = h.Width;
    const qint64 rows = h.Height < 0 ? -qint64(h.Height) : qint64(h.Height);
    if (w <= 0 || rows <= 0 || !PictureSizeAllowed(w, rows))
        Refuse("its size is out of range");
    const bool core = h.InfoSize == 12;

    // The palette of an indexed bitmap, between the headers and the pixels.
    std::vector<QRgb> palette;
    if (h.BitCount <= 8) {
        const quint32 most = 1u << h.BitCount;
        const quint32 count = h.ColorsUsed == 0 || h.ColorsUsed > most ? most : h.ColorsUsed;
        const int entry = core ? 3 : 4;
        std::vector<uchar> raw(size_t(count) * size_t(entry));
        const qint64 room = qint64(h.DataOffset) - h.HeaderBytes;
        const qint64 take = std::min<qint64>(qint64(raw.size()), std::max<qint64>(room, 0));
        ReadExactly(stream, raw.data(), take);
        palette.assign(most, qRgb(0, 0, 0));
        for (qint64 i = 0; i < take / entry; ++i)
            palette[size_t(i)] = qRgb(raw[size_t(i * entry + 2)], raw[size_t(i * entry + 1)],
                                      raw[size_t(i * entry)]);
    }

    // Every byte the pixels need must be there before a pixel is kept: a
    // file cut short is refused, not shown with memory that holds nothing.
    const qint64 stride = ((w * h.BitCount + 31) / 32) * 4;
    const qint64 needed = qint64(h.DataOffset) + stride * rows;
    if (h.DataOffset < h.HeaderBytes || (stream.size() > 0 && stream.size() < needed))
        Refuse("the file is cut short");
    if (!stream.seek(h.DataOffset))
        Refuse("the file is cut short");

    const bool alpha = h.AlphaMask != 0;
    QImage image = AllocateBitmap(int(w), int(rows), alpha ? QImage::Format_ARGB32
                                                           : QImage::Format_RGB32);
    if (image.isNull())
        throw EVelmoraError(QStringLiteral("Out of memory"));
    const TChannel red(h.RedMask), green(h.GreenMask), blue(h.BlueMask), opacity(h.AlphaMask);
    std::vector<uchar> row(static_cast<size_t>(stride));
    for (qint64 r = 0; r < rows; ++r) {
        ReadExactly(stream, row.data(), stride);
        const qint64 y = h.Height < 0 ? r : rows - 1 - r; // stored bottom-up unless negative
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
        const uchar *in = row.data();
        switch (h.BitCount) {
        case 1:
        case 4:
        case 8: {
            const int bits = h.BitCount;
            const int perByte = 8 / bits;
            const int mask = (1 << bits) - 1;
            for (qint64 x = 0; x < w; ++x) {
                const int shift = 8 - bits * (1 + int(x % perByte));
                out[x] = palette[size_t((in[x / perByte] >> shift) & mask)];
            }
            break;
        }
        case 24:
            for (qint64 x = 0; x < w; ++x)
                out[x] = qRgb(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
            break;
        default: // 16 and 32 bits, by their masks
            for (qint64 x = 0; x < w; ++x) {
                const quint32 p = h.BitCount == 16 ? U16(in + 2 * x) : U32(in + 4 * x);
                out[x] = qRgba(red.Of(p), green.Of(p), blue.Of(p), alpha ? opacity.Of(p) : 255);
            }
            break;
        }
    }
    return image;
}
