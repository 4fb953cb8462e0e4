// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What libwmf and libemf2svg get wrong with metafiles as real clip-art has
// them, mended around the libraries: before they read a file, or in the SVG
// they write.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>
#include <cstdint>

inline uint32_t ReadU32(const QByteArray &d, int at)
{
    return qFromLittleEndian<quint32>(d.constData() + at);
}

inline int32_t ReadS32(const QByteArray &d, int at)
{
    return qFromLittleEndian<qint32>(d.constData() + at);
}

inline uint16_t ReadU16(const QByteArray &d, int at)
{
    return qFromLittleEndian<quint16>(d.constData() + at);
}

// What the records of a Windows metafile say that libwmf's SVG loses: the
// character set of each text's font, and where a placeable picture maps its
// window (MM_ISOTROPIC, MM_ANISOTROPIC) with no viewport of its own.
struct TWmfFacts
{
    QList<quint8> TextCharsets; // per text record, in order
    int MapModeEnd = -1;        // just past the first such SETMAPMODE record
    bool HasViewportExt = false;
    // The first window extent set, in logical units; 0 when none is.
    int WindowExtX = 0;
    int WindowExtY = 0;
    // Whether any brush is hatched or patterned: only such a brush shows
    // what lies beneath it where the background mode is transparent.
    bool PatternBrush = false;
};

// The records from byte at on.
TWmfFacts ScanWmf(const QByteArray &data, int at);
// A text's bytes as characters, by its font's character set (Windows code
// pages, Shift-JIS and the other Asian sets, OEM 437, Symbol as Greek).
QString DecodeWmfText(const QByteArray &bytes, quint8 charset);
// libwmf's SVG with each text decoded and escaped, open polylines unfilled,
// images placed by their rectangle, solid fills opaque.
QByteArray MendWmfSvg(const QByteArray &svg, const TWmfFacts &facts);
// The metafile with the viewport a program sets up to show a placeable
// picture in its frame (from 0, 0), in the header's units.
QByteArray WithFrameViewport(const QByteArray &data, const TWmfFacts &facts, int headerAt);
// A metafile without a placeable header that scales its picture by window
// extents alone (anisotropic or isotropic mapping, no viewport): the same
// records behind a placeable header whose frame is that window, a logical
// unit a pixel at 96 dpi, so that it keeps the window's size and aspect.
// Empty where the metafile is not of that kind.
QByteArray WithWindowFrame(const QByteArray &data, const TWmfFacts &facts);
// The enhanced metafile with its 8-bit texts made wide texts.
QByteArray WidenAnsiText(const QByteArray &emf);
