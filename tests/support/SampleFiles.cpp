// SPDX-License-Identifier: GPL-3.0-or-later
#include "SampleFiles.h"

#include "GifWriter.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>
#include <cstdio>
#include <jpeglib.h>
#include <tiffio.h>
#include <zlib.h>
#include <stdexcept>
#include <vector>

QImage QuarterPicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(0, 0, w / 2, h / 2, Qt::red);
    p.fillRect(w / 2, 0, w - w / 2, h / 2, Qt::green);
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, Qt::blue);
    p.fillRect(0, h / 2, w / 2, h - h / 2, Qt::yellow);
    return img;
}

QByteArray WriteJpeg(const QImage &picture, JpegFlavour flavour, int quality, const QByteArray &icc)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(picture.width());
    cinfo.image_height = JDIMENSION(picture.height());
    const bool grey = flavour == JpegFlavour::Grey;
    const bool cmyk = flavour == JpegFlavour::AdobeCmyk;
    cinfo.input_components = grey ? 1 : cmyk ? 4 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (flavour == JpegFlavour::Progressive)
        jpeg_simple_progression(&cinfo);
    std::vector<jpeg_scan_info> scans;
    if (flavour == JpegFlavour::ManyScans) {
        scans.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0});
        for (int c = 0; c < 3; ++c)
            for (int k = 1; k < DCTSIZE2; ++k)
                scans.push_back({1, {c, 0, 0, 0}, k, k, 0, 0});
        cinfo.scan_info = scans.data();
        cinfo.num_scans = int(scans.size());
    }
    if (cmyk)
        cinfo.write_Adobe_marker = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    if (!icc.isEmpty())
        jpeg_write_icc_profile(&cinfo, reinterpret_cast<const JOCTET *>(icc.constData()),
                               unsigned(icc.size()));
    std::vector<unsigned char> row(size_t(picture.width()) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        const QRgb *src =
            reinterpret_cast<const QRgb *>(picture.constScanLine(int(cinfo.next_scanline)));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = src[x];
            if (grey) {
                row[size_t(x)] = (unsigned char)qGray(c);
            } else if (cmyk) {
                // Adobe's inverted CMYK with no black: C' = R and so on.
                row[size_t(4 * x)] = (unsigned char)qRed(c);
                row[size_t(4 * x + 1)] = (unsigned char)qGreen(c);
                row[size_t(4 * x + 2)] = (unsigned char)qBlue(c);
                row[size_t(4 * x + 3)] = 255;
            } else {
                row[size_t(3 * x)] = (unsigned char)qRed(c);
                row[size_t(3 * x + 1)] = (unsigned char)qGreen(c);
                row[size_t(3 * x + 2)] = (unsigned char)qBlue(c);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    QByteArray result(reinterpret_cast<const char *>(out), qsizetype(size));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return result;
}

namespace {

QByteArray WriteWithQt(const QImage &picture, const char *format)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture))
        throw std::runtime_error("cannot write sample " + std::string(format));
    return out;
}


quint32 ColorRef(const QColor &c)
{
    return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16;
}

} // namespace

QByteArray WriteBmp(const QImage &picture)
{
    return WriteWithQt(picture, "bmp");
}

QByteArray WriteBmpV5(const QImage &picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const int w = argb.width(), h = argb.height();
    QByteArray info(124, '\0');
    const auto u32 = [&](int at, quint32 v) { qToLittleEndian(v, info.data() + at); };
    u32(0, 124);
    u32(4, quint32(w));
    u32(8, quint32(h)); // bottom-up
    qToLittleEndian<quint16>(1, info.data() + 12);
    qToLittleEndian<quint16>(32, info.data() + 14);
    u32(16, 3); // bit fields
    u32(20, quint32(w * h * 4));
    u32(40, 0x00FF0000);
    u32(44, 0x0000FF00);
    u32(48, 0x000000FF);
    u32(52, 0xFF000000);
    u32(56, 0x73524742); // sRGB
    QByteArray pixels;
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = argb.pixel(x, y);
            pixels.append(char(qBlue(p))).append(char(qGreen(p))).append(char(qRed(p)))
                .append(char(qAlpha(p)));
        }
    QByteArray file("BM");
    file.append(QByteArray(12, '\0'));
    qToLittleEndian(quint32(14 + 124 + pixels.size()), file.data() + 2);
    qToLittleEndian(quint32(14 + 124), file.data() + 10);
    return file + info + pixels;
}

QByteArray WriteIco(const QList<QImage> &pictures)
{
    // Qt writes one picture per icon file; several are joined by hand.
    QList<QByteArray> images;
    for (const QImage &p : pictures) {
        const QByteArray single = WriteWithQt(p, "ico");
        const quint32 size = qFromLittleEndian<quint32>(single.constData() + 6 + 8);
        const quint32 offset = qFromLittleEndian<quint32>(single.constData() + 6 + 12);
        images << single.mid(6, 16) + single.mid(int(offset), int(size));
    }
    Bytes out;
    out.U16(0);
    out.U16(1);
    out.U16(unsigned(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    QByteArray payload;
    for (const QByteArray &i : images) {
        QByteArray entry = i.left(16);
        qToLittleEndian<quint32>(offset, entry.data() + 12);
        out.data += entry;
        payload += i.mid(16);
        offset += quint32(i.size() - 16);
    }
    return out.data + payload;
}

QByteArray WriteWmf(double widthInches, double heightInches, const QColor &fill)
{
    const int w = int(widthInches * 1440);
    const int h = int(heightInches * 1440);
    return WriteWmfShapes(w, h, {QRect(0, 0, w, h)}, fill);
}

namespace {

// A placeable metafile of those records, its frame w x h at 1440 units per
// inch, its largest record so many words.
QByteArray PlaceableWmf(int w, int h, const QByteArray &records, quint32 largestWords)
{
    Bytes header;
    header.U16(1);      // memory metafile
    header.U16(9);      // header size in words
    header.U16(0x0300); // version
    header.U32(quint32((18 + records.size()) / 2));
    header.U16(2); // objects
    header.U32(largestWords);
    header.U16(0);

    Bytes placeable;
    placeable.U32(0x9AC6CDD7u);
    placeable.U16(0);
    for (int v : {0, 0, w, h})
        placeable.S16(v);
    placeable.U16(1440);
    placeable.U32(0);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(placeable.data.constData() + 2 * i);
    placeable.U16(checksum);
    return placeable.data + header.data + records;
}

} // namespace

QByteArray WriteWmfShapes(int frameWidth, int frameHeight, const QList<QRect> &rects,
                          const QColor &fill)
{
    const int w = frameWidth;
    const int h = frameHeight;
    Bytes records;
    auto record = [&](unsigned function, std::initializer_list<int> params) {
        records.WmfRecord(function, params);
    };
    record(0x020B, {0, 0}); // SETWINDOWORG y, x
    record(0x020C, {h, w}); // SETWINDOWEXT y, x
    const quint32 colour = ColorRef(fill);
    record(0x02FC, {0, int(colour & 0xFFFF), int(colour >> 16), 0}); // CREATEBRUSHINDIRECT
    record(0x012D, {0});                                             // SELECTOBJECT brush
    record(0x02FA, {5, 0, 0, 0, 0});                                 // CREATEPENINDIRECT, PS_NULL
    record(0x012D, {1});                                             // SELECTOBJECT pen
    for (const QRect &r : rects) // RECTANGLE bottom, right, top, left
        record(0x041B, {r.y() + r.height(), r.x() + r.width(), r.y(), r.x()});
    record(0x0000, {}); // EOF
    return PlaceableWmf(w, h, records.data, 7);
}

QByteArray WriteWmfWindowOnly(int w, int h, const QColor &fill)
{
    Bytes records;
    auto record = [&](unsigned function, std::initializer_list<int> params) {
        records.WmfRecord(function, params);
    };
    record(0x0103, {8});    // SETMAPMODE MM_ANISOTROPIC
    record(0x020B, {0, 0}); // SETWINDOWORG y, x
    record(0x020C, {h, w}); // SETWINDOWEXT y, x
    const quint32 colour = ColorRef(fill);
    record(0x02FC, {0, int(colour & 0xFFFF), int(colour >> 16), 0}); // CREATEBRUSHINDIRECT
    record(0x012D, {0});
    record(0x0418, {h, h, 0, 0}); // ELLIPSE bottom, right, top, left
    record(0x0000, {});
    Bytes header;
    header.U16(1);
    header.U16(9);
    header.U16(0x0300);
    header.U32(quint32((18 + records.data.size()) / 2));
    header.U16(1);
    header.U32(8);
    header.U16(0);
    return header.data + records.data;
}

QByteArray WriteWmfClipArt()
{
    Bytes records;
    auto record = [&](unsigned function, std::initializer_list<int> params) {
        records.WmfRecord(function, params);
    };
    record(0x0103, {8});               // SETMAPMODE MM_ANISOTROPIC
    record(0x020B, {0, 0});            // SETWINDOWORG y, x
    record(0x020C, {2000, 2000});      // SETWINDOWEXT y, x
    record(0x02FA, {0, 100, 0, 0, 0}); // CREATEPENINDIRECT solid, 100 wide, black
    record(0x012D, {0});
    record(0x0325, {3, 400, 400, 400, 1600, 1600, 1600}); // POLYLINE
    // CREATEFONTINDIRECT: 200 high, ANSI_CHARSET, face "Arial".
    Bytes font;
    for (int v : {-200, 0, 0, 0, 400})
        font.S16(v);
    font.data += QByteArray("\0\0\0\0\0\0\0\0", 8) + QByteArray("Arial").leftJustified(32, '\0');
    records.U32(quint32(3 + font.data.size() / 2));
    records.U16(0x02FB);
    records.data += font.data;
    record(0x012D, {1});
    QByteArray text("Tom & Jerry <3 Caf\xe9");
    records.U32(quint32(3 + 1 + (text.size() + 1) / 2 + 2));
    records.U16(0x0521); // TEXTOUT: length, text, y, x
    records.S16(int(text.size()));
    records.data += text + QByteArray(text.size() % 2, '\0');
    records.S16(300);
    records.S16(200);
    // STRETCHDIB: a red bitmap of 2 x 2 pixels stretched over (1000, 1000),
    // 400 x 400 units.
    Bytes dib;
    for (const quint32 v : {40u, 2u, 2u})
        dib.U32(v);
    dib.U16(1);
    dib.U16(24);
    for (int i = 0; i < 6; ++i)
        dib.U32(0);
    for (int row = 0; row < 2; ++row)
        dib.data += QByteArray("\x00\x00\xff\x00\x00\xff\x00\x00", 8);
    Bytes stretch;
    stretch.U32(0x00CC0020); // SRCCOPY
    for (int v : {0, 2, 2, 0, 0, 400, 400, 1000, 1000})
        stretch.S16(v);
    records.U32(quint32(3 + (stretch.data.size() + dib.data.size()) / 2));
    records.U16(0x0F43);
    records.data += stretch.data + dib.data;
    record(0x0000, {});
    return PlaceableWmf(1440, 1440, records.data,
                        quint32(3 + (stretch.data.size() + dib.data.size()) / 2));
}

QByteArray WriteEmfAnsiText(const QByteArray &text)
{
    Bytes body;
    // EXTCREATEFONTINDIRECTW, handle 1: a LOGFONTW of 92 bytes, ANSI_CHARSET.
    body.U32(82);
    body.U32(8 + 4 + 92);
    body.U32(1);
    for (qint32 v : {-20, 0, 0, 0, 400})
        body.S32(v);
    body.data += QByteArray(8, '\0');
    QByteArray face;
    for (const char c : QByteArray("Arial"))
        face += QByteArray(1, c) + QByteArray(1, '\0');
    body.data += face.leftJustified(64, '\0');
    body.U32(37); // SELECTOBJECT
    body.U32(12);
    body.U32(1);
    const int n = int(text.size());
    const int stringBytes = (n + 3) / 4 * 4;
    body.U32(83); // EXTTEXTOUTA: bounds, mode, scales, then the text
    body.U32(quint32(76 + stringBytes + 4 * n));
    for (qint32 v : {0, 0, 100, 40})
        body.S32(v);
    body.U32(1);
    body.U32(0);
    body.U32(0);
    for (qint32 v : {5, 28})
        body.S32(v);
    body.U32(quint32(n));
    body.U32(76);
    body.U32(0);
    for (qint32 v : {0, 0, -1, -1})
        body.S32(v);
    body.U32(quint32(76 + stringBytes));
    body.data += text.leftJustified(stringBytes, '\0');
    for (int i = 0; i < n; ++i)
        body.U32(14);
    for (quint32 v : {14u, 20u, 0u, 16u, 20u}) // EOF
        body.U32(v);

    Bytes header;
    header.U32(1);
    header.U32(108);
    for (qint32 v : {0, 0, 99, 39, 0, 0, 2646, 1058})
        header.S32(v);
    header.U32(0x464D4520);
    header.U32(0x10000);
    header.U32(quint32(108 + body.data.size()));
    header.U32(4);
    header.U16(2);
    header.U16(0);
    for (int i = 0; i < 3; ++i)
        header.U32(0);
    for (qint32 v : {1920, 1080, 508, 286})
        header.S32(v);
    for (int i = 0; i < 3; ++i)
        header.U32(0);
    header.S32(508000);
    header.S32(286000);
    return header.data + body.data;
}

QByteArray WriteEmf(int frameWidth, int frameHeight, const QColor &fill)
{
    const int pxW = int(frameWidth / 2540.0 * 96 + 0.5);
    const int pxH = int(frameHeight / 2540.0 * 96 + 0.5);
    return WriteEmfShapes(frameWidth, frameHeight, {QRect(0, 0, pxW, pxH)}, fill, 0, QColor());
}

QByteArray WriteEmfShapes(int frameWidth, int frameHeight, const QList<QRect> &rects,
                          const QColor &fill, int penWidth, const QColor &pen, int logicalScale)
{
    // Reference device of 96 pixels per inch: its size in pixels and mm.
    const int devW = 1920;
    const int devH = 1080;
    const int mmW = 508;
    const int mmH = 286;
    const int pxW = int(frameWidth / 2540.0 * 96 + 0.5);
    const int pxH = int(frameHeight / 2540.0 * 96 + 0.5);

    Bytes body;
    quint32 records = 0;
    auto begin = [&](quint32 type, quint32 size) {
        body.U32(type);
        body.U32(size);
        ++records;
    };
    const int k = logicalScale;
    if (k > 1) {
        begin(17, 12); // SETMAPMODE MM_ANISOTROPIC
        body.U32(8);
        begin(9, 16); // SETWINDOWEXTEX
        body.S32(pxW * k);
        body.S32(pxH * k);
        begin(11, 16); // SETVIEWPORTEXTEX
        body.S32(pxW);
        body.S32(pxH);
    }
    begin(39, 24);                    // CREATEBRUSHINDIRECT
    body.U32(1);                      // handle 1
    body.U32(fill.isValid() ? 0 : 1); // BS_SOLID or BS_NULL
    body.U32(ColorRef(fill.isValid() ? fill : QColor(Qt::white)));
    body.U32(0);
    begin(37, 12); // SELECTOBJECT
    body.U32(1);
    if (penWidth > 0 && k > 1) {
        begin(95, 52); // EXTCREATEPEN, handle 2, PS_GEOMETRIC | PS_SOLID, no bitmap
        body.U32(2);
        body.U32(0);
        body.U32(0);
        body.U32(0);
        body.U32(0);
        body.U32(0x10000);
        body.U32(quint32(penWidth * k));
        body.U32(0); // BS_SOLID
        body.U32(ColorRef(pen));
        body.U32(0);
        body.U32(0);
        begin(37, 12);
        body.U32(2);
    } else if (penWidth > 0) {
        begin(38, 28); // CREATEPEN, handle 2, PS_SOLID
        body.U32(2);
        body.U32(0);
        body.S32(penWidth);
        body.S32(0);
        body.U32(ColorRef(pen));
        begin(37, 12);
        body.U32(2);
    } else {
        begin(37, 12); // SELECTOBJECT NULL_PEN
        body.U32(0x80000008u);
    }
    for (const QRect &r : rects) {
        begin(43, 24); // RECTANGLE
        body.S32(r.x() * k);
        body.S32(r.y() * k);
        body.S32((r.x() + r.width()) * k);
        body.S32((r.y() + r.height()) * k);
    }
    begin(14, 20); // EOF
    body.U32(0);
    body.U32(16);
    body.U32(20);

    Bytes header;
    const quint32 headerSize = 88;
    header.U32(1);
    header.U32(headerSize);
    header.S32(0); // bounds, device pixels, inclusive
    header.S32(0);
    header.S32(pxW - 1);
    header.S32(pxH - 1);
    header.S32(0); // frame, .01 mm, inclusive
    header.S32(0);
    header.S32(frameWidth);
    header.S32(frameHeight);
    header.U32(0x464D4520u);
    header.U32(0x10000);
    header.U32(quint32(headerSize + body.data.size()));
    header.U32(records + 1); // the header is a record too
    header.U16(3);           // handles
    header.U16(0);
    header.U32(0);
    header.U32(0);
    header.U32(0);
    header.S32(devW);
    header.S32(devH);
    header.S32(mmW);
    header.S32(mmH);
    return header.data + body.data;
}

QByteArray WriteSampleGif(int w, int h)
{
    const std::vector<QRgb> palette = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                                       qRgb(255, 255, 0)};
    TGifFrame f;
    f.Width = w;
    f.Height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            f.Indices.push_back(
                (unsigned char)(y < h / 2 ? (x < w / 2 ? 0 : 1) : (x < w / 2 ? 3 : 2)));
    return WriteGif(w, h, palette, {f});
}

bool Near(QRgb actual, const QColor &expected, int tolerance)
{
    return std::abs(qRed(actual) - expected.red()) <= tolerance &&
           std::abs(qGreen(actual) - expected.green()) <= tolerance &&
           std::abs(qBlue(actual) - expected.blue()) <= tolerance;
}

QByteArray WritePng(const QImage &picture)
{
    return WriteWithQt(picture, "PNG");
}

QByteArray WriteWebp(const QImage &picture)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    QImageWriter writer(&out, "webp");
    writer.setQuality(100); // lossless
    if (!writer.write(picture))
        qFatal("WebP: %s", qPrintable(writer.errorString()));
    return bytes;
}

QByteArray WriteTiff(const QImage &picture, int orientation)
{
    // The orientations as Qt's writer takes them, in EXIF's order.
    const QImageIOHandler::Transformations turns[] = {
        QImageIOHandler::TransformationNone,
        QImageIOHandler::TransformationNone,
        QImageIOHandler::TransformationMirror,
        QImageIOHandler::TransformationRotate180,
        QImageIOHandler::TransformationFlip,
        QImageIOHandler::TransformationFlipAndRotate90,
        QImageIOHandler::TransformationRotate90,
        QImageIOHandler::TransformationMirrorAndRotate90,
        QImageIOHandler::TransformationRotate270,
    };
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    QImageWriter writer(&out, "tiff");
    writer.setTransformation(turns[orientation]);
    if (!writer.write(picture))
        qFatal("TIFF: %s", qPrintable(writer.errorString()));
    return bytes;
}

namespace {

// A TIFF header and one IFD of one entry, tag 0x0112 (SHORT, one value), in
// either byte order.
QByteArray ExifTiff(int orientation, bool bigEndian)
{
    QByteArray t(bigEndian ? QByteArray("MM\0*", 4) : QByteArray("II*\0", 4));
    const auto put = [&](quint32 v, int size) {
        for (int i = 0; i < size; ++i)
            t.append(char(v >> (8 * (bigEndian ? size - 1 - i : i))));
    };
    put(8, 4);
    put(1, 2);
    put(0x0112, 2);
    put(3, 2);
    put(1, 4);
    put(quint32(orientation), 2);
    put(0, 2);
    put(0, 4);
    return t;
}

QByteArray BigEndian32(quint32 v)
{
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}

// The CRC-32 a PNG chunk ends with, of its type and data.
quint32 PngCrc(const QByteArray &bytes)
{
    quint32 c = 0xFFFFFFFFu;
    for (const char b : bytes) {
        c ^= quint8(b);
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return c ^ 0xFFFFFFFFu;
}

QByteArray LittleEndian32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

} // namespace

QByteArray WriteTiffWithLibtiff(const QImage &picture, int tile, int bits, int orientation)
{
    QTemporaryDir dir;
    const QByteArray path = dir.filePath(QStringLiteral("t.tif")).toLocal8Bit();
    TIFF *tif = TIFFOpen(path.constData(), "w");
    if (!tif)
        throw std::runtime_error("TIFFOpen failed");
    const int w = picture.width(), h = picture.height(), bytes = bits / 8;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, w);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, h);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, orientation);
    // One sample: eight bits, or sixteen with the same value in both bytes.
    const auto put = [&](unsigned char *at, int value) {
        for (int b = 0; b < bytes; ++b)
            at[b] = (unsigned char)value;
    };
    const auto pixel = [&](unsigned char *at, int x, int y) {
        const QRgb p = x < w && y < h ? picture.pixel(x, y) : 0;
        put(at, qRed(p));
        put(at + bytes, qGreen(p));
        put(at + 2 * bytes, qBlue(p));
    };
    if (tile > 0) {
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, tile);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, tile);
        std::vector<unsigned char> buffer(size_t(tile * tile * 3 * bytes));
        for (int ty = 0; ty < h; ty += tile)
            for (int tx = 0; tx < w; tx += tile) {
                for (int y = 0; y < tile; ++y)
                    for (int x = 0; x < tile; ++x)
                        pixel(&buffer[size_t((y * tile + x) * 3 * bytes)], tx + x, ty + y);
                TIFFWriteTile(tif, buffer.data(), uint32_t(tx), uint32_t(ty), 0, 0);
            }
    } else {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 1);
        std::vector<unsigned char> row(size_t(w * 3 * bytes));
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                pixel(&row[size_t(x * 3 * bytes)], x, y);
            TIFFWriteScanline(tif, row.data(), uint32_t(y), 0);
        }
    }
    TIFFClose(tif);
    QFile f(QString::fromLocal8Bit(path));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QByteArray WritePngRunningOn(int w, int h, int grey, qint64 extraBytes)
{
    const auto chunk = [](const char *type, const QByteArray &data) {
        const QByteArray typed = QByteArray(type, 4) + data;
        return BigEndian32(quint32(data.size())) + typed + BigEndian32(PngCrc(typed));
    };
    QByteArray ihdr = BigEndian32(quint32(w)) + BigEndian32(quint32(h));
    ihdr.append(char(8)).append(char(0)).append(char(0)).append(char(0)).append(char(0));
    z_stream z{};
    deflateInit(&z, 9);
    QByteArray compressed;
    const auto feed = [&](QByteArray bytes, bool last) {
        z.next_in = reinterpret_cast<Bytef *>(bytes.data());
        z.avail_in = uInt(bytes.size());
        char out[65536];
        do {
            z.next_out = reinterpret_cast<Bytef *>(out);
            z.avail_out = sizeof out;
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            compressed.append(out, int(sizeof out - z.avail_out));
        } while (z.avail_out == 0);
    };
    QByteArray row(w + 1, char(grey));
    row[0] = 0; // no filter
    for (int y = 0; y < h; ++y)
        feed(row, false);
    const QByteArray zeros(1 << 20, '\0');
    for (qint64 left = extraBytes; left > 0; left -= zeros.size())
        feed(zeros.left(int(std::min<qint64>(left, zeros.size()))), false);
    feed(QByteArray(), true);
    deflateEnd(&z);
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + chunk("IHDR", ihdr) + chunk("IDAT", compressed) +
           chunk("IEND", QByteArray());
}

QByteArray WithPngExif(const QByteArray &png, int orientation)
{
    // Right after IHDR (8 + 25 bytes), as writers put it.
    const QByteArray tiff = ExifTiff(orientation, true);
    const QByteArray typed = "eXIf" + tiff;
    const QByteArray chunk =
        BigEndian32(quint32(tiff.size())) + typed + BigEndian32(PngCrc(typed));
    return png.left(33) + chunk + png.mid(33);
}

QByteArray WithWebpExif(const QByteArray &webp, const QSize &size, int orientation)
{
    // An extended file: VP8X naming the EXIF chunk, the image, then EXIF.
    QByteArray vp8x("VP8X");
    vp8x += LittleEndian32(10);
    vp8x += QByteArray("\x08\0\0\0", 4);
    for (int v : {size.width() - 1, size.height() - 1})
        vp8x += LittleEndian32(quint32(v)).left(3);
    QByteArray exif = "EXIF" + LittleEndian32(0) + ExifTiff(orientation, false);
    qToLittleEndian(quint32(exif.size() - 8), exif.data() + 4);
    if (exif.size() % 2)
        exif.append('\0');
    const QByteArray body = "WEBP" + vp8x + webp.mid(12) + exif;
    return "RIFF" + LittleEndian32(quint32(body.size())) + body;
}

QByteArray WithExifOrientation(const QByteArray &jpeg, int orientation, bool bigEndian)
{
    // APP1 "Exif": the TIFF data in the byte order asked for.
    const QByteArray payload = QByteArray("Exif\0\0", 6) + ExifTiff(orientation, bigEndian);
    QByteArray segment("\xFF\xE1");
    segment.append(char((payload.size() + 2) >> 8));
    segment.append(char((payload.size() + 2) & 0xFF));
    return jpeg.left(2) + segment + payload + jpeg.mid(2);
}

QByteArray WriteIconPointingAt(const QByteArray &image, int entries, int declared)
{
    QByteArray ico(6 + 16 * entries, '\0');
    qToLittleEndian<quint16>(1, ico.data() + 2);
    qToLittleEndian<quint16>(quint16(entries), ico.data() + 4);
    for (int i = 0; i < entries; ++i) {
        char *e = ico.data() + 6 + 16 * i;
        e[0] = e[1] = char(declared == 256 ? 0 : declared);
        qToLittleEndian<quint16>(1, e + 4);
        qToLittleEndian<quint16>(32, e + 6);
        qToLittleEndian<quint32>(quint32(image.size()), e + 8);
        qToLittleEndian<quint32>(quint32(6 + 16 * entries), e + 12);
    }
    return ico + image;
}
