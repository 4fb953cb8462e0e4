// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconGraphic.h"

#include "VelmoraError.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

int TIconGraphic::LastImagesDecoded = 0;

namespace {

const int DirectoryHeader = 6;
const int DirectoryEntry = 16;
const QByteArray PngSignature("\x89PNG\r\n\x1a\n");

struct IconEntry
{
    int Width = 0; // as declared: a byte, 0 standing for 256
    int Height = 0;
    int BitCount = 0;
    quint32 Size = 0;
    quint32 Offset = 0;
};

[[noreturn]] void Invalid()
{
    throw EVelmoraError(QStringLiteral("Icon image is not valid"));
}

quint16 U16(const QByteArray &d, qsizetype at)
{
    return qFromLittleEndian<quint16>(d.constData() + at);
}

quint32 U32(const QByteArray &d, qsizetype at)
{
    return qFromLittleEndian<quint32>(d.constData() + at);
}

// The directory's largest image; the more colours win a tie.
IconEntry LargestEntry(const QByteArray &data)
{
    if (data.size() < DirectoryHeader || U16(data, 0) != 0 || U16(data, 2) != 1)
        Invalid();
    const int count = U16(data, 4);
    if (count == 0 || data.size() < DirectoryHeader + qsizetype(count) * DirectoryEntry)
        Invalid();
    IconEntry best;
    for (int i = 0; i < count; ++i) {
        const qsizetype at = DirectoryHeader + qsizetype(i) * DirectoryEntry;
        IconEntry e;
        e.Width = quint8(data[at]) == 0 ? 256 : quint8(data[at]);
        e.Height = quint8(data[at + 1]) == 0 ? 256 : quint8(data[at + 1]);
        e.BitCount = U16(data, at + 6);
        e.Size = U32(data, at + 8);
        e.Offset = U32(data, at + 12);
        const qint64 area = qint64(e.Width) * e.Height;
        const qint64 bestArea = qint64(best.Width) * best.Height;
        if (area > bestArea || (area == bestArea && e.BitCount > best.BitCount))
            best = e;
    }
    return best;
}

// The image's own idea of its size, from its header, before decoding it.
QSize StoredSize(const QByteArray &image)
{
    if (image.startsWith(PngSignature)) {
        if (image.size() < 24)
            Invalid();
        return QSize(int(qFromBigEndian<quint32>(image.constData() + 16)),
                     int(qFromBigEndian<quint32>(image.constData() + 20)));
    }
    // A device-independent bitmap holding the picture and its mask, one
    // above the other.
    if (image.size() < 40 || U32(image, 0) < 40)
        Invalid();
    const qint32 width = qFromLittleEndian<qint32>(image.constData() + 4);
    const qint32 height = qFromLittleEndian<qint32>(image.constData() + 8);
    return QSize(width, height % 2 == 0 ? height / 2 : height);
}

} // namespace

void TIconGraphic::LoadFromStream(QIODevice &stream)
{
    LastImagesDecoded = 0;
    const QByteArray data = stream.readAll();
    const IconEntry entry = LargestEntry(data);
    if (entry.Offset >= quint64(data.size()) || entry.Size == 0 ||
        quint64(entry.Offset) + entry.Size > quint64(data.size()))
        Invalid();
    const QByteArray image = data.mid(qsizetype(entry.Offset), qsizetype(entry.Size));
    if (StoredSize(image) != QSize(entry.Width, entry.Height))
        Invalid();

    // That one image alone, as an icon file of its own, for Qt's reader.
    QByteArray single(DirectoryHeader + DirectoryEntry, '\0');
    qToLittleEndian<quint16>(1, single.data() + 2);
    qToLittleEndian<quint16>(1, single.data() + 4);
    single[DirectoryHeader] = char(entry.Width == 256 ? 0 : entry.Width);
    single[DirectoryHeader + 1] = char(entry.Height == 256 ? 0 : entry.Height);
    qToLittleEndian<quint16>(1, single.data() + DirectoryHeader + 4);
    qToLittleEndian<quint16>(quint16(entry.BitCount), single.data() + DirectoryHeader + 6);
    qToLittleEndian<quint32>(entry.Size, single.data() + DirectoryHeader + 8);
    qToLittleEndian<quint32>(DirectoryHeader + DirectoryEntry,
                             single.data() + DirectoryHeader + 12);
    single += image;

    QBuffer buffer(&single);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    reader.setDecideFormatFromContent(false);
    ++LastImagesDecoded;
    const QImage decoded = reader.read();
    if (decoded.size() != QSize(entry.Width, entry.Height))
        Invalid();
    m_image = decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Changed();
}

void TIconGraphic::Draw(QPainter &canvas, const QRect &rect) const
{
    canvas.drawImage(rect, m_image);
}
