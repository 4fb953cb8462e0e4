// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Album.h"

// Reads an album from a folder of audio files, from audio files, or from a
// CUE sheet (with the audio files it names beside it), through TagLib: MP3
// (ID3v1 and ID3v2), FLAC, Ogg Vorbis and Opus, MP4/M4A, WAV and AIFF. A
// file that does not read still makes a track, titled by its name, and is
// named in the album's problems. False, with why, when there is no track.
// texts gives the messages in the user's language.
bool ReadAlbum(const QStringList &paths, TAlbum &album, QString &why,
               const TTextLookup &texts = BuiltInText);

// Whether a file's name says it is audio the reader takes, or a CUE sheet.
bool IsAudioFile(const QString &fileName);
bool IsCueSheet(const QString &fileName);

// A CUE sheet's text read into an album: titles, performers, and lengths
// from the index differences; the last track of each file lasts to that
// file's end (fileLength, in milliseconds; -1 when not known).
TAlbum ReadCueSheet(const QString &text, const QString &folder,
                    const std::function<qint64(const QString &file)> &fileLength);
