// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QFont;
class QWidget;

// Keeps the windows' pixel layouts intact on screens of more than 96 dots
// per inch: the bitmap face "MS Sans Serif" the layouts were drawn with is
// replaced, on the window and every control inside it, by the outline face
// "Arial" of the same pixel height. Created on a window, it does its work at
// once and is then of no further use.
//
// The other half of the original, switching the window's own rescaling off,
// has nothing to act on in Qt: Qt never rescales a window's layout for the
// screen's font resolution; it scales whole windows by the device pixel
// ratio, which keeps every position and size in proportion.
class TglSmallFontsDefence
{
public:
    // dotsPerInch: the screen's logical resolution, as the device metrics
    // report it.
    TglSmallFontsDefence(QWidget *owner, int dotsPerInch);

    static bool IsSmallFonts(int dotsPerInch) { return dotsPerInch <= 96; }
    void FixFonts(QWidget *control) const;
    static void FixFont(QFont &font);

private:
    int m_dotsPerInch;
};
