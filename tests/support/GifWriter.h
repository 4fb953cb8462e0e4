// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QRgb>
#include <vector>

// Real GIF files for tests, written with giflib's encoder.
struct TGifFrame
{
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Indices; // Width x Height, row by row from the top
    bool Interlaced = false;
    int Transparent = -1;
    int Delay = 10; // hundredths of a second; 0 shows the next block at once
    std::vector<QRgb> Palette; // a colour table of the block's own; empty: the screen's
};

// palette must hold 2, 4, ..., 256 colours.
QByteArray WriteGif(int screenWidth, int screenHeight, const std::vector<QRgb> &palette,
                    const std::vector<TGifFrame> &frames);
