// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScaledPictureCache.h"

#include "AreaAverage.h"
#include "BitmapHelpers.h"

#include <algorithm>

namespace {

// The working copy serves drawn sizes from a quarter of it (the most
// AreaAverage reduces) to two thirds of it: nearer to its own size a second
// reduction blurs fine detail visibly more than scaling afresh would. Where
// the working copy is as large as the picture it serves every smaller size.
bool ServesAlong(int working, int picture, int size)
{
    return size <= working &&
           (working == picture || (size * 3 <= working * 2 && size * 4 >= working));
}

bool Serves(const QImage &working, const QImage &picture, QSize size)
{
    return !working.isNull() && ServesAlong(working.width(), picture.width(), size.width()) &&
           ServesAlong(working.height(), picture.height(), size.height());
}

QImage WorkingCopy(const QImage &picture, QSize size, const QImage &reduced)
{
    const QSize twice(std::min(picture.width(), size.width() * 2),
                      std::min(picture.height(), size.height() * 2));
    if (twice == picture.size())
        return picture;
    // A smaller copy made as the picture loaded serves as well and costs a
    // fraction to reduce.
    const QImage &from = !reduced.isNull() && reduced.width() >= twice.width() &&
                                 reduced.height() >= twice.height()
                             ? reduced
                             : picture;
    if (twice == from.size())
        return from;
    if (&from == &reduced && CanAreaAverage(from, twice)) {
        QImage copy(twice, from.format());
        if (!copy.isNull()) {
            AreaAverage(from, copy);
            return copy;
        }
    }
    return from.scaled(twice, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

bool TScaledPictureCache::IsReduction(const QImage &picture, QSize size) const
{
    return size.width() <= picture.width() && size.height() <= picture.height();
}

QImage TScaledPictureCache::Scaled(int area, const QImage &picture, QSize size,
                                   const QImage &reduced)
{
    Entry &e = m_entries[size_t(area - 1)];
    const qint64 key = picture.cacheKey();
    if (!e.scaled.isNull() && e.key == key && e.size == size)
        return e.scaled;
    if (e.key != key || !Serves(e.working, picture, size))
        e.working = WorkingCopy(picture, size, reduced);
    e.key = key;
    e.size = size;
    if (e.working.size() == size) {
        e.scaled = e.working;
        return e.scaled;
    }
    if (CanAreaAverage(e.working, size)) {
        // With some room, so that a window being enlarged does not ask for
        // new memory at every step either.
        e.scaled = ImageInKeptMemory(e.memory, size, e.working.format(), 1.25, e.working.size());
        if (!e.scaled.isNull()) {
            AreaAverage(e.working, e.scaled);
            return e.scaled;
        }
    }
    e.scaled = e.working.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return e.scaled;
}

QImage TScaledPictureCache::Last(int area, const QImage &picture) const
{
    const Entry &e = m_entries[size_t(area - 1)];
    return e.key == picture.cacheKey() ? e.scaled : QImage();
}

void TScaledPictureCache::Clear()
{
    m_entries = {};
}
