// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverArchive.h"
#include "CoverDescription.h"
#include "SampleFiles.h"

#include <QStringList>

// The pictures a description fed to the cover target alone is packed with:
// every area with a small file of every kind, so that mutating the
// description's text reaches every loader without the archive's checksums
// in the way.
inline QList<TArchiveEntry> FuzzCoverPictures()
{
    static const QList<TArchiveEntry> pictures = [] {
        const QImage q = QuarterPicture(12, 8);
        const std::pair<const char *, QByteArray> kinds[] = {
            {"jpg", WriteJpeg(q, JpegFlavour::Colour, 70)},
            {"bmp", WriteBmp(q)},
            {"ico", WriteIco({QuarterPicture(8, 8)})},
            {"gif", WriteSampleGif(6, 4)},
            {"wmf", WriteWmf(0.25, 0.125, Qt::red)},
            {"emf", WriteEmf(661, 330, Qt::green)},
        };
        QList<TArchiveEntry> entries;
        for (CoverArea area = 1; area <= 3; ++area)
            for (const auto &[kind, bytes] : kinds)
                entries << TArchiveEntry{PictureEntryName(area, QLatin1String(kind)), bytes, false};
        return entries;
    }();
    return pictures;
}
