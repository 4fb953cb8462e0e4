// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// What the cover's commands need of the view that shows the cover: where a
// picture sits depends on the view's layout.
class ICoverLayout
{
public:
    virtual ~ICoverLayout() = default;
    // The printer resolution the document's offsets are counted in; 0 before
    // the first layout.
    virtual int32_t OffsetPixelsPerCm() const = 0;
    virtual void CenterPicture(int32_t area) = 0;
    // Places the area's picture by hand where it lies, centred when it
    // would be lost from sight.
    virtual void SetUserDefined(int32_t area) = 0;
};
