// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// What a file's first bytes say it is, whatever its name says: a picture
// saved under another kind's extension (a PNG as .jpg) is still that
// picture, and a file of a kind the program does not place (a HEIF photo
// renamed .jpg) is told as what it is.
struct TContentKind
{
    // The extension of the kind the program places ("jpg", "png", ...).
    QString Placed;
    // Else the name of a kind it does not place ("PDF", "HEIF", ...).
    QString Foreign;
};

// How many bytes KindOfContent looks at, at most.
constexpr int ContentKindHead = 512;

// Both empty when the bytes say nothing known (a metafile without a
// header, a damaged file): the extension decides then.
TContentKind KindOfContent(const QByteArray &head);

// Whether two extensions name the same kind ("jpeg" and "JFIF" do).
bool SameKind(const QString &extension, const QString &other);
