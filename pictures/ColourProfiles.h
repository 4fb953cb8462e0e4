// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <memory>

// A picture's colours as its file describes them (its embedded ICC profile),
// turned into sRGB, which is what the screen, the printer and the rest of
// the program take every bitmap to hold. Qt converts the profiles it reads
// (an RGB matrix with curves: Display P3, Adobe RGB, ProPhoto), Little CMS
// the rest (grey, CMYK, profiles made of tables).
class TColourConversion
{
public:
    virtual ~TColourConversion() = default;

    // For 32-bit pixels, blue first in memory as QImage keeps them, in
    // place; alpha is left as it is. Null when there is nothing to do: no
    // profile, a profile that is sRGB already, or one that does not read or
    // does not describe RGB or grey pixels; the picture is then taken as
    // sRGB, as every viewer takes it. Grey profiles take grey pixels spread
    // over the three channels.
    static std::shared_ptr<const TColourConversion> ToSrgb(const QByteArray &icc);
    // For a CMYK JPEG's samples (Adobe's inverted ink when inverted); null
    // when the profile does not describe CMYK or does not read.
    static std::shared_ptr<const TColourConversion> CmykToSrgb(const QByteArray &icc,
                                                               bool inverted);

    // Rows of 32-bit pixels, in place. Safe from several threads at once.
    virtual void Apply(uchar *bits, int width, int height, qsizetype bytesPerLine) const = 0;
    // One row of CMYK samples into 32-bit pixels (CMYK conversions only).
    virtual void ApplyCmyk(const uchar *, uchar *, int) const {}
};

// The picture's colours into sRGB by that profile; unchanged where there is
// nothing to convert. A converted picture is marked sRGB.
void ConvertToSrgb(QImage &picture, const QByteArray &icc);

// The profile a PNG file's colour chunks describe: its iCCP profile, none
// for an sRGB chunk, else one made from cHRM and gAMA. A gamma of 1/2.2
// alone is what most writers put for sRGB and is taken so. Given the
// chunks as libpng reports them: the gamma in 100000ths (0: no gAMA), the
// chromaticities as x, y.
struct TPngColourChunks
{
    QByteArray Icc;
    bool Srgb = false;
    quint32 Gamma = 0;
    bool HasChromaticities = false;
    double White[2] = {}, Red[2] = {}, Green[2] = {}, Blue[2] = {};
};
QByteArray PngProfile(const TPngColourChunks &chunks);
