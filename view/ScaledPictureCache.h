// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <array>

// On-screen copies of the areas' pictures at their drawn size, so that a paint
// (a drag step above all) does not resample a camera-sized picture again. An
// entry is keyed on the picture's identity and the drawn size.
//
// Each entry also keeps a working copy of the picture at twice the drawn
// size: when the drawn size changes (the window is resized), the new copy is
// reduced from it (AreaAverage, into memory the entry keeps) rather than
// scaled from the whole picture, which is what keeps a resize fast. From
// between one and a half and four times the size the result stays within a
// level of scaling afresh on average; for other sizes the working copy is made
// again from the picture.
class TScaledPictureCache
{
public:
    // The picture scaled to size with smooth resampling; a reduction is kept
    // for the next call, an enlargement is not (it can be far larger than the
    // picture and is cheap to draw straight from it). What is returned may
    // share the entry's memory: it is good until the next call for the area.
    // reduced: the same picture smaller, or null; a first working copy is
    // made from it when it is large enough.
    QImage Scaled(int area, const QImage &picture, QSize size, const QImage &reduced = QImage());
    bool IsReduction(const QImage &picture, QSize size) const;
    // The area's last copy of the picture, whatever its size; null when
    // there is none.
    QImage Last(int area, const QImage &picture) const;
    void Clear();

private:
    struct Entry
    {
        qint64 key = 0;
        QSize size;
        QImage scaled;
        QImage working;
        QImage memory; // where scaled lives when it is a reduction of working
    };
    std::array<Entry, 3> m_entries;
};
