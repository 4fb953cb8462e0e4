// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PrintExtras.h"

// Where the calibration sheet puts what the user measures, in millimetres
// from the paper's top-left corner.
struct TCalibrationSheet
{
    static constexpr double SquareMm = 100;
    static constexpr double SquareLeftMm = 40;
    static constexpr double SquareTopMm = 50;
    static constexpr double CrossMm = 25; // the cross, as far from both edges

    // The correction that makes a printer that printed the square so large
    // and the cross so far from the paper's edges print true.
    static TPrintExtras Correction(double squareWidthMm, double squareHeightMm,
                                   double crossLeftMm, double crossTopMm);
};
