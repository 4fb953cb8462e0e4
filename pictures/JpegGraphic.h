// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Graphic.h"

#include <QByteArray>
#include <atomic>
#include <functional>

// JPEG pictures, decoded with libjpeg straight into a 32-bit bitmap, which is
// what a cover area keeps, shared, not copied. A large one shows first: it is
// decoded at a fraction of its size for the screen (libjpeg scales as it
// decodes), and at its full size on a worker thread into a bitmap that
// exists from the start, so that the picture is placed and laid out at once.
class TJpegGraphic : public TGraphic
{
public:
    QString KindName() const override { return QStringLiteral("TJPEGImage"); }
    void LoadFromStream(QIODevice &stream) override;
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    void Draw(QPainter &canvas, const QRect &rect) const override;
    // Waits for the full picture.
    QImage ToBitmap() const override;
    QImage Reduced() const override { return m_half; }
    ~TJpegGraphic() override;
    std::shared_ptr<TPendingPixels> Pending() const override
    {
        m_handedOut = true;
        return m_pending;
    }
    QImage BitmapAsItStands() const override { return m_image; }

    // Pictures whose longer side is at least twice this are shown first at
    // the largest fraction (1/2, 1/4, 1/8) that keeps it this long.
    static constexpr int ShownFirstSide = 512;

private:
    QImage m_image;
    QImage m_half; // a large picture smaller, for the screen
    std::shared_ptr<TPendingPixels> m_pending;
    mutable bool m_handedOut = false; // a cover holds the work: it goes on
};

// How much work and memory one JPEG may take beyond its own bitmap.
struct TJpegLimits
{
    // Scans times pixels: each scan of a progressive file passes over the
    // whole picture, so the number of scans alone bounds nothing.
    qint64 MaxScanPixels = 5000000000LL;
    // libjpeg's own working memory, the coefficients of a progressive file
    // above all; a file that needs more is refused, not decoded. Negative:
    // what the memory promise leaves, 256 MB beyond the picture itself less
    // the file's own bytes and a little for the rest of libjpeg.
    long MaxDecoderMemory = -1;
    // 1, or 2, 4, 8 to decode at that fraction of the size (libjpeg scales
    // as it decodes, for little more than the entropy decoding).
    int ScaleDenominator = 1;
    // Refuse a progressive file rather than buffer its coefficients.
    bool BaselineOnly = false;
    // Decode into this memory (a bitmap's rows of IntoSize, bytes per line
    // apart) instead of a new bitmap; DecodeJpeg then returns null.
    uchar *Into = nullptr;
    QSize IntoSize;
    qsizetype IntoBytesPerLine = 0;
    // Looked at before every group of rows: once set, the decode stops and
    // raises.
    const std::atomic<bool> *Stop = nullptr;
    // With Into: only these rows, the ones before skipped (read, not
    // output), so that two threads can share one large picture. ToRow
    // negative: to the last.
    int FromRow = 0;
    int ToRow = -1;
};

// What a decode got through, for tests that bound the work.
struct TJpegProgress
{
    int Scans = 0;
    int Rows = 0;
};

// Raises EVelmoraError for anything that is not a whole, decodable JPEG
// within the picture size limit and the limits given. A file whose data
// ends before the picture is complete is refused as soon as libjpeg tells.
QImage DecodeJpeg(const QByteArray &data, const TJpegLimits &limits = TJpegLimits(),
                  TJpegProgress *progress = nullptr);

// What a PDF needs to carry a JPEG file's own bytes (DCTDecode) instead of
// its pixels.
struct TJpegPassthrough
{
    int Width = 0;
    int Height = 0;
    int Components = 0; // 1 grey, 3 colour, 4 CMYK
    bool Progressive = false;
    // The embedded ICC profile (APP2), empty when there is none.
    QByteArray Icc;
    // Adobe's inverted CMYK (an APP14 marker).
    bool AdobeInk = false;
};

// Whether the file can go into a PDF as it stands and look there as the
// program decodes it: 8-bit, Huffman-coded, grey or YCbCr, and upright (no
// EXIF turn, which the program applies and a PDF reader would not). CMYK
// only with its profile, which says what its ink means: without one,
// readers disagree on Adobe's inverted ink.
bool JpegPassthroughInfo(const QByteArray &data, TJpegPassthrough &info);
// The header alone: info's size is the file's whenever it reads; true as
// JpegPassthroughInfo, but for the turn.
bool ReadJpegHeader(const QByteArray &data, TJpegPassthrough &info);
