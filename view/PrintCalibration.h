// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalibrationSheet.h"

#include <QString>

class QPrinter;

// Prints the sheet on the whole paper: rulers in millimetres along both
// axes, the square, the cross, and the instructions under the title.
void PrintCalibrationSheet(QPrinter &printer, const QString &title, const QString &instructions);
