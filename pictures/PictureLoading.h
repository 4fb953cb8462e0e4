// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Graphic.h"

#include <QStringList>
#include <functional>
#include <memory>

// The open-picture dialog's filter, as pairs of text and mask.
extern const char OpenPictureFilter[];

// Enters BMP, ICO, JPEG and the two metafile kinds in the table of picture
// kinds; GIF pictures enter themselves (RegisterGifSupport).
void RegisterPictureKinds();

// A new, empty picture of the kind for an upper-cased extension (".JPG"),
// or null when no kind has that extension.
std::unique_ptr<TGraphic> PictureForExtension(const QString &upperExtension);

// Loads a picture file by its extension, or by its content where its first
// bytes say another kind the program places than the one its extension
// names (a PNG saved as .jpg). Null for
// content of a kind the program does not place (named in why), for an
// extension without a kind and content that says none, for a file that
// does not load, and for a picture that comes out empty: there is nothing
// to place then, and why says so when given.
std::unique_ptr<TGraphic> LoadPicture(const QString &fileName, QString *why = nullptr);
// The same from a file's bytes, the kind given as its extension without the
// dot ("jpg"); loadedAs gets the kind the bytes were loaded as.
std::unique_ptr<TGraphic> LoadPictureBytes(const QByteArray &bytes, const QString &kind,
                                           QString *why = nullptr, QString *loadedAs = nullptr);
// Reads the file once and loads the picture from what was read, which bytes
// then hold: a saved cover keeps the very file that was placed.
std::unique_ptr<TGraphic> LoadPictureKeepingFile(const QString &fileName, QByteArray &bytes,
                                                 QString *why = nullptr,
                                                 QString *loadedAs = nullptr);

// The filter as Qt name filters: each text followed by its masks, matched
// without regard to case, as the file names of pictures come from anywhere.
QStringList QtNameFilters(const QString &filter);

// The open-picture filter with its names in the program's language (texts
// 358 to 367; none: English), its first entry naming every pattern it takes.
QString OpenPictureFilterIn(const std::function<QString(int)> &texts);
