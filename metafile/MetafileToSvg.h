// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <stdexcept>

// Conversion of Windows metafiles (libwmf) and enhanced metafiles
// (libemf2svg) to SVG. Both libraries misbehave on hostile input, so this
// runs only inside the helper program velmora-metafile, never in Velmora.

enum class MetafileFormat
{
    None,
    Windows,
    Enhanced
};
MetafileFormat DetectMetafile(const QByteArray &data);

struct TMetafileSvg
{
    MetafileFormat Format = MetafileFormat::None;
    int Width = 0; // the metafile's frame in pixels at the given resolution
    int Height = 0;
    QByteArray Svg;
};

// Raises std::runtime_error for anything that does not convert.
TMetafileSvg MetafileToSvg(const QByteArray &data, double dpi);

// The elements an SVG text holds (its start tags), without parsing it.
int SvgElementCount(const QByteArray &svg);
