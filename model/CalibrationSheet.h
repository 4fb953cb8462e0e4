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

    // Corrections beyond these are mismeasurements, not a printer's: the
    // one bound of what the dialog takes and what the options give back.
    static constexpr double MaxScaleError = 0.2;
    static constexpr double MaxOffsetMm = 50;

    // The correction that makes a printer that printed the square so large
    // and the cross so far from the paper's edges print true.
    static TPrintExtras Correction(double squareWidthMm, double squareHeightMm,
                                   double crossLeftMm, double crossTopMm);
    // Whether a correction is one a printer can need.
    static bool Plausible(const TPrintExtras &c);
};
