// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverSizes.h"

// A cover size with its six dimensions in record order, in inches.
inline CoverSize MakeSize(double sw, double sh, double l, double c, double r, double mh,
                          const QString &name = QStringLiteral("test"))
{
    CoverSize s;
    s.Name = name;
    s.SingleWidth = sw;
    s.SingleHeight = sh;
    s.LeftWidth = l;
    s.CenterWidth = c;
    s.RightWidth = r;
    s.MultipleHeight = mh;
    return s;
}
