// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

class QIODevice;

// What the headers of a BMP file declare.
struct TBmpHeader
{
    quint32 DataOffset = 0; // where the pixels start in the file
    // 12 for an OS/2 1.x header, 16 to 64 for OS/2 2.x ones (any length:
    // the fields left out are zero), 40 to 124 for Windows ones
    quint32 InfoSize = 0;
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
    // Run-length encoded indexed pixels (RLE8, RLE4), which ReadRleBmp reads.
    bool RunLengthEncoded() const;
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

// The pixels of a run-length encoded BMP, the stream just past its headers.
// Runs and literal pixels land where the row and column the encoding
// reached say, moves (delta escapes) included; pixels the encoding passes
// over are white. Runs that reach past the picture's edges are cut there.
QImage ReadRleBmp(QIODevice &stream, const TBmpHeader &header);
