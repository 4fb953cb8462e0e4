// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScaledPictureCache.h"

bool TScaledPictureCache::IsReduction(const QImage &picture, QSize size) const
{
    return size.width() <= picture.width() && size.height() <= picture.height();
}

QImage TScaledPictureCache::Scaled(int area, const QImage &picture, QSize size)
{
    Entry &e = m_entries[size_t(area - 1)];
    if (!e.scaled.isNull() && e.key == picture.cacheKey() && e.size == size)
        return e.scaled;
    QImage scaled = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    e.key = picture.cacheKey();
    e.size = size;
    e.scaled = scaled;
    return scaled;
}

void TScaledPictureCache::Clear()
{
    m_entries = {};
}
