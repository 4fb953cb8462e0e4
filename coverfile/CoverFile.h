// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverDescription.h"
#include "WorkProgress.h"

class QIODevice;

// The extension of cover files, with its dot.
extern const char CoverFileExtension[];
// The description's name inside the archive.
extern const char CoverDescriptionEntry[];

// A cover file is a ZIP archive holding the description "cover.json" and
// each area's picture as the very file it was read from (a picture of no
// file as PNG). Saving replaces the file only once the new one is whole;
// raises EVelmoraError ("Unable to write to ...") when it cannot.
void SaveCoverFile(const QString &fileName, const TCoverFileContent &content);

// Reads a cover file; pictures are decoded as they would be placed. False,
// with why, for anything that is not a whole cover this version reads;
// content is then of no use. progress is told of each picture decoded.
bool OpenCoverFile(const QString &fileName, TCoverFileContent &content, QString &why,
                   const TWorkProgress &progress = {});
bool ReadCoverFile(QIODevice &in, TCoverFileContent &content, QString &why,
                   const TWorkProgress &progress = {});

// The bytes and kind an area's picture is stored as: its file's, or PNG.
QByteArray StoredPictureBytes(const TPlacedPicture &picture, QString &kind);
// A picture placed from stored bytes of a kind, as opening a cover places
// it; null, with why, when they do not load.
std::shared_ptr<const TPlacedPicture> PlaceStoredPicture(const QByteArray &bytes,
                                                         const QString &kind, QString &why);
