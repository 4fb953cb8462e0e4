// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a print adds to the cover itself, each the user's choice: marks to cut
// and fold by, bleed, and the correction of the printer it goes to.
struct TPrintExtras
{
    static constexpr double MmPerInch = 25.4;
    // Marks: so long, so far outside the cover's corner (beyond the bleed).
    static constexpr double MarkLengthMm = 5.0;
    static constexpr double MarkGapMm = 2.0;
    static constexpr double MarkWidthMm = 0.1;
    static constexpr double MaxBleedMm = 5.0;

    bool CutMarks = false;
    bool FoldMarks = false;
    double BleedMm = 0;
    // Printer calibration: the page is scaled from its corner, then moved.
    double ScaleX = 1;
    double ScaleY = 1;
    double OffsetXMm = 0;
    double OffsetYMm = 0;

    bool Marks() const { return CutMarks || FoldMarks; }
    double BleedInches() const { return Clamped(BleedMm) / MmPerInch; }
    // How far marks start from the cover's edge: outside the bleed.
    double MarkGapInches() const { return (MarkGapMm + Clamped(BleedMm)) / MmPerInch; }
    // The room kept around the cover on every side.
    double RoomInches() const
    {
        return Marks() ? MarkGapInches() + MarkLengthMm / MmPerInch : BleedInches();
    }
    bool Calibrated() const
    {
        return ScaleX != 1 || ScaleY != 1 || OffsetXMm != 0 || OffsetYMm != 0;
    }

private:
    static double Clamped(double mm) { return mm > 0 ? (mm < MaxBleedMm ? mm : MaxBleedMm) : 0; }
};
