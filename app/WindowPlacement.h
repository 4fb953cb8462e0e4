// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Window bounds from the options made usable on the screens there are now:
// the stored bounds may come from a larger monitor, another desktop, or a
// hand-edited store.
struct TWindowPlacement
{
    QSize Start;   // the size a first start gives
    QSize Minimum; // below this the window is of no use
    int TitleBar = 30; // the strip at the top that the user drags the window by

    // The outer bounds to use for stored outer bounds, given the available
    // geometry of each screen (the first is the primary one). A size larger
    // than the screen the window lands on, or smaller than Minimum, becomes
    // Start, fitted to that screen; a window whose title bar would not lie
    // on any screen is moved onto the one it lands on.
    // The stored values come as they are: any 32-bit numbers.
    QRect Place(int x, int y, int width, int height, const QList<QRect> &screens) const;
};
