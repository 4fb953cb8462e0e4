// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtEndian>
#include <initializer_list>

#include <QByteArray>
#include <QColor>
#include <QImage>

// Real picture files of every kind the program reads, made here for tests
// and as the fuzzers' seeds.

inline QImage SolidPicture(int w, int h, const QColor &c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// A picture of four coloured quarters: red, green, blue, yellow (clockwise
// from the top left); easy to check after a lossy round trip.
QImage QuarterPicture(int w, int h);

enum class JpegFlavour
{
    Colour,
    Grey,
    Progressive,
    AdobeCmyk,
    // Progressive with one scan per AC coefficient and component: 190 scans.
    ManyScans
};
// With an ICC profile (APP2) when icc is given.
QByteArray WriteJpeg(const QImage &picture, JpegFlavour flavour = JpegFlavour::Colour,
                     int quality = 95, const QByteArray &icc = QByteArray());
// Little-endian writer of files made by hand.
struct Bytes
{
    QByteArray data;
    void U16(unsigned v) { Put<quint16>(quint16(v)); }
    void S16(int v) { Put<qint16>(qint16(v)); }
    void U32(quint32 v) { Put<quint32>(v); }
    void S32(qint32 v) { Put<qint32>(v); }
    // A metafile record: its size in words, its function, its parameters.
    void WmfRecord(unsigned function, std::initializer_list<int> params)
    {
        U32(quint32(3 + params.size()));
        U16(function);
        for (int p : params)
            S16(p);
    }
    template <typename T> void Put(T v)
    {
        char b[sizeof(T)];
        qToLittleEndian<T>(v, b);
        data.append(b, sizeof(T));
    }
};

QByteArray WriteBmp(const QImage &picture);
// A 32-bit BMP with a V5 header whose alpha mask keeps the picture's alpha.
QByteArray WriteBmpV5(const QImage &picture);
// An icon file holding the pictures given, in that order.
QByteArray WriteIco(const QList<QImage> &pictures);
// A placeable metafile width x height inches at 1440 units per inch, filled
// with one colour.
QByteArray WriteWmf(double widthInches, double heightInches, const QColor &fill);
// A placeable metafile whose frame is width x height units at 1440 units per
// inch, with those rectangles (in frame units) filled with one colour.
QByteArray WriteWmfShapes(int frameWidth, int frameHeight, const QList<QRect> &rects,
                          const QColor &fill);
// Clip-art as real programs write it: a placeable metafile of one inch
// (96 pixels) whose window of 2000 x 2000 units is mapped anisotropically
// into its frame, an open "L" drawn as one black polyline 100 units wide
// from (400, 400) down to (400, 1600) and across to (1600, 1600), the text
// "Tom & Jerry <3 Café" (Windows-1252) near the top, and a red bitmap of
// 2 x 2 pixels stretched over (1000, 1000) to (1400, 1400).
QByteArray WriteWmfClipArt();
// A metafile with no placeable header that sets anisotropic mapping and a
// window of w x h, no viewport, and fills a circle of the window's height.
QByteArray WriteWmfWindowOnly(int w, int h, const QColor &fill);
// An enhanced metafile of 100 x 40 pixels holding one text in Arial 20
// pixels high, stored as 8-bit text (EXTTEXTOUTA) in the ANSI code page.
QByteArray WriteEmfAnsiText(const QByteArray &text);
// An enhanced metafile whose frame is width x height hundredths of a
// millimetre, filled with one colour.
QByteArray WriteEmf(int frameWidth, int frameHeight, const QColor &fill);
// The same with those rectangles (in pixels of a 96 dpi reference device),
// filled with fill (none when invalid) and outlined with a solid pen of
// penWidth pixels (none when 0).
// With logicalScale above 1 the drawing is in logical units that many times
// finer than pixels (MM_ANISOTROPIC), and the pen a geometric EXTCREATEPEN.
QByteArray WriteEmfShapes(int frameWidth, int frameHeight, const QList<QRect> &rects,
                          const QColor &fill, int penWidth, const QColor &pen,
                          int logicalScale = 1);
QByteArray WriteSampleGif(int w, int h);
QByteArray WritePng(const QImage &picture);
// WebP (lossless) and TIFF through Qt's image format plugins; the TIFF with
// that orientation tag (1 to 8, as EXIF numbers them).
QByteArray WriteWebp(const QImage &picture);
QByteArray WriteTiff(const QImage &picture, int orientation = 1);
// An uncompressed RGB TIFF written by libtiff, in tiles of tile pixels (0:
// in strips), of 8 or 16 bits a channel.
QByteArray WriteTiffWithLibtiff(const QImage &picture, int tile, int bits, int orientation = 1);
// The JPEG with an EXIF segment that gives that orientation.
QByteArray WithExifOrientation(const QByteArray &jpeg, int orientation, bool bigEndian = false);
// The same orientation in a PNG's eXIf chunk, and in a WebP's EXIF chunk
// (the file made an extended one).
QByteArray WithPngExif(const QByteArray &png, int orientation);
// A grey PNG of w x h (one grey level) whose compressed data runs on with
// extraBytes of zero rows past its last row, compressed as it goes.
QByteArray WritePngRunningOn(int w, int h, int grey, qint64 extraBytes);
QByteArray WithWebpExif(const QByteArray &webp, const QSize &size, int orientation);
// An icon file whose entries all declare one size (256 written as 0) and all
// point at the same image, whatever it holds.
QByteArray WriteIconPointingAt(const QByteArray &image, int entries, int declared);

// Checks a pixel against a colour within a tolerance per channel.
bool Near(QRgb actual, const QColor &expected, int tolerance = 12);
