// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BuiltInTexts.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One track as its file's tags, or a CUE sheet, give it.
struct TAlbumTrack
{
    QString File;
    QString Title;
    QString Artist; // empty: the album's
    int Disc = 0;   // 0: not given
    int Number = 0; // 0: not given
    qint64 Milliseconds = -1; // -1: not known
};

// An album as it is imported: its tracks in order, and its front picture
// (the bytes of a file of a kind the program reads).
struct TAlbum
{
    QString Title;
    QString Artist;
    QList<TAlbumTrack> Tracks;
    QByteArray Picture;
    QString PictureKind; // "jpg", "png", ...; empty with no picture
    // What could not be read, in plain words, one line each.
    QStringList Problems;
};

// "m:ss", or "h:mm:ss" from an hour; empty for an unknown length.
QString DurationText(qint64 milliseconds);
// The spines' line: "Artist - Album", or whichever of the two there is.
QString AlbumLine(const TAlbum &album);
// The track list as a text block's rows: "number<Tab>title<Tab>m:ss", the
// track's artist after its title where it is not the album's, a heading for
// each disc of a multi-disc album, and the total at the end. The first
// shown tracks only when shown is given (the rest said in one last line).
QString TrackListText(const TAlbum &album, const TTextLookup &texts, int shown = -1);
// Tracks in their order: by disc, then by number, then by file name.
void SortTracks(QList<TAlbumTrack> &tracks);
// Pasted lines read as a track list ("1. Title 3:25", "01 - Title (3:25)",
// "Title<Tab>3:25", "Title 3:25"), as rows; empty when no line reads so.
QString TrackRowsFromText(const QString &text);
