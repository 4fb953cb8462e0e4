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

// The newest version of the description this program reads and writes. A
// cover without text blocks is written as version 1, which every earlier
// build opens.
constexpr int CoverFormatVersion = 2;
// The description's own limit: the most text blocks every area may hold,
// with the most text each, come near it, and nothing else does.
constexpr qint64 MaxDescriptionBytes = 32 * 1024 * 1024;

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
