// SPDX-License-Identifier: GPL-3.0-or-later
#include "Big_DPI_Fix.h"

#include <QFont>
#include <QWidget>

TglSmallFontsDefence::TglSmallFontsDefence(QWidget *owner, int dotsPerInch)
    : m_dotsPerInch(dotsPerInch)
{
    if (owner)
        FixFonts(owner);
}

void TglSmallFontsDefence::FixFont(QFont &font)
{
    if (font.family().compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
        font.setFamily(QStringLiteral("Arial"));
}

void TglSmallFontsDefence::FixFonts(QWidget *control) const
{
    if (IsSmallFonts(m_dotsPerInch))
        return;
    const auto fix = [](QWidget *w) {
        QFont f = w->font();
        FixFont(f);
        if (f != w->font())
            w->setFont(f);
    };
    fix(control);
    for (QObject *child : control->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w)
            continue;
        fix(w);
        if (!w->children().isEmpty())
            FixFonts(w);
    }
}
