// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Graphic.h"

#include <QList>
#include <functional>
#include <memory>

// The picture kinds the program knows, by file extension. Kinds that come
// from elsewhere (GIF pictures) enter themselves at program start.
class TGraphicKinds
{
public:
    using Factory = std::function<std::unique_ptr<TGraphic>()>;
    struct Kind
    {
        QString Extension; // lower case, no dot: "gif"
        QString Description;
        Factory Create;
    };

    // A later registration of the same extension replaces the earlier one.
    void RegisterFileFormat(const QString &extension, const QString &description, Factory create);
    void UnregisterFileFormat(const QString &extension);
    // For an upper-cased extension with its dot (".GIF"); null when unknown.
    std::unique_ptr<TGraphic> Create(const QString &upperExtension) const;
    const Kind *Find(const QString &extension) const;
    QList<Kind> Kinds() const { return m_kinds; }

private:
    QList<Kind> m_kinds;
};

// The one table of the running program.
TGraphicKinds &GraphicKinds();

// The extension of a file name: from its last dot to the end, dot included,
// looked for after the last path separator only; "" when there is none.
QString ExtractFileExt(const QString &fileName);
// Upper-cases the letters a to z and nothing else.
QString UpperCaseAscii(const QString &text);
