// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphicKinds.h"

void TGraphicKinds::RegisterFileFormat(const QString &extension, const QString &description,
                                       Factory create)
{
    UnregisterFileFormat(extension);
    m_kinds.append(Kind{extension.toLower(), description, std::move(create)});
}

void TGraphicKinds::UnregisterFileFormat(const QString &extension)
{
    m_kinds.removeIf([&](const Kind &k) { return k.Extension == extension.toLower(); });
}

const TGraphicKinds::Kind *TGraphicKinds::Find(const QString &extension) const
{
    QString e = extension;
    if (e.startsWith(QLatin1Char('.')))
        e.remove(0, 1);
    for (const Kind &k : m_kinds)
        if (QString::compare(k.Extension, e, Qt::CaseInsensitive) == 0)
            return &k;
    return nullptr;
}

std::unique_ptr<TGraphic> TGraphicKinds::Create(const QString &upperExtension) const
{
    if (!upperExtension.startsWith(QLatin1Char('.')))
        return nullptr;
    const Kind *k = Find(upperExtension);
    return k ? k->Create() : nullptr;
}

TGraphicKinds &GraphicKinds()
{
    static TGraphicKinds kinds;
    return kinds;
}

QString ExtractFileExt(const QString &fileName)
{
    const qsizetype separator =
        std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < separator)
        return QString();
    return fileName.mid(dot);
}

QString UpperCaseAscii(const QString &text)
{
    QString r = text;
    for (QChar &c : r)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return r;
}
