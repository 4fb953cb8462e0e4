// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

class QIODevice;

// What the headers of a BMP file declare.
struct TBmpHeader
{
    quint32 DataOffset = 0; // where the pixels start in the file
    quint32 InfoSize = 0;   // 12 for an OS/2 header, 40 to 124 for Windows ones
    qint32 Width = 0;
    qint32 Height = 0; // negative for rows stored top-down
    quint16 BitCount = 0;
    quint32 Compression = 0;
    quint32 ColorsUsed = 0;
    quint32 RedMask = 0, GreenMask = 0, BlueMask = 0, AlphaMask = 0;
    qint64 HeaderBytes = 0; // read so far: both headers and any masks

    // Pixels stored plainly (indexed, 16, 24 or 32 bits, with or without
    // masks), which ReadUncompressedBmp reads.
    bool Uncompressed() const;
};

// Reads both headers from the start of a BMP file; raises "Bitmap image is
// not valid: ..." with the reason.
TBmpHeader ReadBmpHeader(QIODevice &stream);

// The pixels of a plainly stored BMP, the stream just past its headers. Every
// byte the header declares must be there, which is checked before the bitmap
// is allocated when the stream knows its size: a file cut short is refused,
// never shown with memory that holds nothing. Masks of any width (10-bit
// channels as well as 5- and 8-bit ones) are read as they are.
QImage ReadUncompressedBmp(QIODevice &stream, const TBmpHeader &header);
