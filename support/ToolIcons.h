// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The tool panel's pictures, drawn at start so no image files need shipping.
QIcon NewCoverIcon();
QIcon PrintCoverIcon();
QIcon SingleModeIcon();
QIcon MultipleModeIcon();
