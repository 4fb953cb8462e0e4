// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalibrationSheet.h"

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
