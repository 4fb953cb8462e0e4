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
    BiRle8 = 1,
    BiRle4 = 2,
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

bool TBmpHeader::RunLengthEncoded() const
{
    return (Compression == BiRle8 && BitCount == 8) || (Compression == BiRle4 && BitCount == 4);
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
    if (!core && (h.InfoSize < 16 || h.InfoSize > 124))
        Refuse("its header is of no known kind");
    ReadExactly(stream, &head[18], h.InfoSize - 4);
    const uchar *info = &head[14];
    if (core) {
        h.Width = U16(info + 4);
        h.Height = qint16(U16(info + 6));
        h.BitCount = U16(info + 10);
    } else {
        // An OS/2 2.x header may end after any field; the rest are zero
        // (head was cleared), which is what they mean left out.
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

namespace {

// The palette of an indexed bitmap, between the headers and the pixels.
std::vector<QRgb> ReadPalette(QIODevice &stream, const TBmpHeader &h)
{
    std::vector<QRgb> palette;
    if (h.BitCount > 8)
        return palette;
    const quint32 most = 1u << h.BitCount;
    const quint32 count = h.ColorsUsed == 0 || h.ColorsUsed > most ? most : h.ColorsUsed;
    const int entry = h.InfoSize == 12 ? 3 : 4;
    std::vector<uchar> raw(size_t(count) * size_t(entry));
    const qint64 room = qint64(h.DataOffset) - h.HeaderBytes;
    const qint64 take = std::min<qint64>(qint64(raw.size()), std::max<qint64>(room, 0));
    ReadExactly(stream, raw.data(), take);
    palette.assign(most, qRgb(0, 0, 0));
    for (qint64 i = 0; i < take / entry; ++i)
        palette[size_t(i)] =
            qRgb(raw[size_t(i * entry + 2)], raw[size_t(i * entry + 1)], raw[size_t(i * entry)]);
    return palette;
}

} // namespace

QImage ReadUncompressedBmp(QIODevice &stream, const TBmpHeader &h)
{
    const qint64 w = h.Width;
    const qint64 rows = h.Height < 0 ? -qint64(h.Height) : qint64(h.Height);
    if (w <= 0 || rows <= 0 || !PictureSizeAllowed(w, rows))
        Refuse("its size is out of range");
    const std::vector<QRgb> palette = ReadPalette(stream, h);

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

QImage ReadRleBmp(QIODevice &stream, const TBmpHeader &h)
{
    const qint64 w = h.Width;
    // Run-length encoded rows are stored bottom-up only.
    const qint64 rows = h.Height;
    if (w <= 0 || rows <= 0 || !PictureSizeAllowed(w, rows))
        Refuse("its size is out of range");
    const std::vector<QRgb> palette = ReadPalette(stream, h);
    if (h.DataOffset < h.HeaderBytes || !stream.seek(h.DataOffset))
        Refuse("the file is cut short");
    const QByteArray data = stream.readAll();
    QImage image = AllocateBitmap(int(w), int(rows), QImage::Format_RGB32);
    if (image.isNull())
        throw EVelmoraError(QStringLiteral("Out of memory"));
    image.fill(Qt::white);

    const bool four = h.Compression == BiRle4;
    const auto *in = reinterpret_cast<const uchar *>(data.constData());
    const qint64 size = data.size();
    qint64 at = 0;
    qint64 x = 0, row = 0; // row 0 is the bottom one
    const auto put = [&](int index) {
        if (x < w && row < rows)
            reinterpret_cast<QRgb *>(image.scanLine(int(rows - 1 - row)))[x] = palette[size_t(index)];
        ++x;
    };
    while (row < rows) {
        if (at + 2 > size)
            Refuse("the file is cut short");
        const int count = in[at], value = in[at + 1];
        at += 2;
        if (count > 0) { // a run: one index, or two nibbles taking turns
            for (int i = 0; i < count && x < w; ++i)
                put(four ? (i % 2 ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == 0) { // end of the row
            x = 0;
            ++row;
        } else if (value == 1) { // end of the picture
            break;
        } else if (value == 2) { // move right and up
            if (at + 2 > size)
                Refuse("the file is cut short");
            x += in[at];
            row += in[at + 1];
            at += 2;
        } else { // that many indexes as they are, padded to a whole word
            const qint64 bytes = four ? (value + 1) / 2 : value;
            if (at + bytes > size)
                Refuse("the file is cut short");
            for (int i = 0; i < value; ++i) {
                const int b = in[at + (four ? i / 2 : i)];
                put(four ? (i % 2 ? b & 0x0F : b >> 4) : b);
            }
            at += bytes + (bytes & 1);
        }
    }
    return image;
}
