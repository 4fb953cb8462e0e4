// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScaledPictureCache.h"

#include <algorithm>

namespace {

// The working copy serves drawn sizes between a quarter of it and all of it.
bool Serves(const QImage &working, QSize size)
{
    return !working.isNull() && size.width() <= working.width() &&
           size.height() <= working.height() && size.width() * 4 >= working.width() &&
           size.height() * 4 >= working.height();
}

QImage WorkingCopy(const QImage &picture, QSize size)
{
    const QSize twice(std::min(picture.width(), size.width() * 2),
                      std::min(picture.height(), size.height() * 2));
    if (twice == picture.size())
        return picture;
    return picture.scaled(twice, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

bool TScaledPictureCache::IsReduction(const QImage &picture, QSize size) const
{
    return size.width() <= picture.width() && size.height() <= picture.height();
}

QImage TScaledPictureCache::Scaled(int area, const QImage &picture, QSize size)
{
    Entry &e = m_entries[size_t(area - 1)];
    const qint64 key = picture.cacheKey();
    if (!e.scaled.isNull() && e.key == key && e.size == size)
        return e.scaled;
    if (e.key != key || !Serves(e.working, size))
        e.working = WorkingCopy(picture, size);
    e.key = key;
    e.size = size;
    e.scaled = e.working.size() == size
                   ? e.working
                   : e.working.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return e.scaled;
}

void TScaledPictureCache::Clear()
{
    m_entries = {};
}
