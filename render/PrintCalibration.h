// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalibrationSheet.h"

#include <QPageLayout>
#include <QSizeF>
#include <QString>

class QPrinter;

// Prints the sheet on the whole paper: rulers in millimetres along both
// axes, the square, the cross, and the instructions under the title.
void PrintCalibrationSheet(QPrinter &printer, const QString &title, const QString &instructions);

// Less than this much beyond the paper's edge is lost in the printer's own
// rounding; nothing visible is cut.
constexpr double CutToleranceInches = 0.002;

// How much room, in inches, a cover printed from the margins' corner has on
// the printer's page turned so: up to where the printer itself prints (its
// own smallest margins; none for a PDF file).
QSizeF PrintableRoom(const QPrinter &printer, QPageLayout::Orientation orientation);

// Turns the page the way the cover fits: landscape first, upright when only
// that takes the whole cover. False when neither does (the page is then
// landscape).
bool OrientForCover(QPrinter &printer, const QSizeF &coverInches);
