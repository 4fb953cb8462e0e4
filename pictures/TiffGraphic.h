// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "QtImageGraphic.h"

// TIFF files: plain ones of eight bits a channel through Qt's reader, as
// before; tiled ones and those of more bits a channel through libtiff,
// which reads any layout and gives eight bits a channel as it reads, so
// that a 16-bit picture takes four bytes a pixel. Turned upright by their
// orientation either way.
class TTiffGraphic : public TQtImageGraphic
{
public:
    TTiffGraphic();
    void LoadFromStream(QIODevice &stream) override;
};
