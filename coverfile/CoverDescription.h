// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverDocuments.h"

#include <QByteArray>
#include <QString>
#include <array>

// What a cover file holds: the document, which area was selected, and the
// printer resolution its picture offsets are counted in.
struct TCoverFileContent
{
    TDocumentState State;
    int32_t SelectedArea = -1;
    int32_t OffsetPixelsPerCm = 0;
};

// The version of the description this program writes, and the newest it
// reads.
constexpr int CoverFormatVersion = 1;
// The description's own limit: a cover's texts and names come nowhere near.
constexpr qint64 MaxDescriptionBytes = 1024 * 1024;

// Where an area's picture lies in the archive, as the description names it.
struct TPictureEntry
{
    QString Name; // empty: the area has no picture
    QString Kind; // lower-case extension without its dot
    qint64 Bytes = 0;
};

// The archive entry name of an area's picture of that kind.
QString PictureEntryName(CoverArea area, const QString &kind);

// The small, human-readable description (JSON) of the content; pictures are
// named, not held.
QByteArray DescribeCover(const TCoverFileContent &content,
                         const std::array<TPictureEntry, 3> &pictures);

// Reads a description into content (pictures left empty) and where each
// area's picture lies. False, with why, for anything that is not a
// description this version wrote or can read: every value is checked.
bool ReadCoverDescription(const QByteArray &json, TCoverFileContent &content,
                          std::array<TPictureEntry, 3> &pictures, QString &why);
