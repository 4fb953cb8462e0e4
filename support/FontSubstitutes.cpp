// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontSubstitutes.h"

#include <QFontDatabase>
#include <QStringList>

void RegisterFontSubstitutes()
{
    const struct
    {
        const char *face;
        QStringList substitutes;
    } table[] = {
        {"MS Sans Serif", {"Arial", "Liberation Sans"}},
        {"Arial", {"Liberation Sans"}},
        {"Times New Roman", {"Liberation Serif"}},
    };
    for (const auto &entry : table) {
        if (!QFontDatabase::hasFamily(QString::fromLatin1(entry.face)))
            QFont::insertSubstitutions(QString::fromLatin1(entry.face), entry.substitutes);
    }
}

QFont DesignFont()
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(11);
    return f;
}
