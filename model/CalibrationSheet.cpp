// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalibrationSheet.h"

#include <cmath>

bool TCalibrationSheet::Plausible(const TPrintExtras &c)
{
    // Written so that NaN fails every test.
    return std::abs(c.ScaleX - 1) <= MaxScaleError && std::abs(c.ScaleY - 1) <= MaxScaleError &&
           std::abs(c.OffsetXMm) <= MaxOffsetMm && std::abs(c.OffsetYMm) <= MaxOffsetMm;
}

TPrintExtras TCalibrationSheet::Correction(double squareWidthMm, double squareHeightMm,
                                           double crossLeftMm, double crossTopMm)
{
    // The printer puts a point meant at d at a + k d. Drawn at o + s d
    // instead, it lands at d when s = 1 / k and o = -a s, with k from the
    // square and a from the cross.
    TPrintExtras c;
    c.ScaleX = SquareMm / squareWidthMm;
    c.ScaleY = SquareMm / squareHeightMm;
    c.OffsetXMm = CrossMm - crossLeftMm * c.ScaleX;
    c.OffsetYMm = CrossMm - crossTopMm * c.ScaleY;
    return c;
}
