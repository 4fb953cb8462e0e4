// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// The windows are laid out in pixels for "MS Sans Serif" and the covers use
// "Times New Roman" and "Arial". Where those faces are missing they resolve
// to faces of the same metrics (Liberation Sans and Serif), not to wider ones
// that would burst the captions.
void RegisterFontSubstitutes();

// "MS Sans Serif", 8 points (11 pixels), the face every window is built for.
QFont DesignFont();
