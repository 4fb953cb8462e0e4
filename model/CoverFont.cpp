// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverFont.h"

TCoverFont::TCoverFont() : m_font(QStringLiteral("Times New Roman")), m_color(Qt::black)
{
    m_font.setPointSize(30);
}

void TCoverFont::Changed()
{
    if (OnChange)
        OnChange(*this);
}

void TCoverFont::SetName(const QString &name)
{
    m_font.setFamily(name);
    Changed();
}

void TCoverFont::SetSize(int points)
{
    // QFont refuses sizes below 1; a font that small draws nothing useful
    // anyway.
    m_font.setPointSize(points > 0 ? points : 1);
    Changed();
}

void TCoverFont::SetColor(const QColor &color)
{
    m_color = color;
    Changed();
}

void TCoverFont::SetBold(bool on)
{
    m_font.setBold(on);
    Changed();
}

void TCoverFont::SetItalic(bool on)
{
    m_font.setItalic(on);
    Changed();
}

void TCoverFont::SetUnderline(bool on)
{
    m_font.setUnderline(on);
    Changed();
}

void TCoverFont::SetStrikeOut(bool on)
{
    m_font.setStrikeOut(on);
    Changed();
}

void TCoverFont::SetFont(const QFont &font)
{
    QFont f(font.family());
    f.setPointSize(font.pointSize() > 0 ? font.pointSize() : qMax(1, qRound(font.pointSizeF())));
    f.setBold(font.bold());
    f.setItalic(font.italic());
    f.setUnderline(font.underline());
    f.setStrikeOut(font.strikeOut());
    m_font = f;
    Changed();
}

void TCoverFont::Assign(const TCoverFont &other)
{
    m_font = other.m_font;
    m_color = other.m_color;
    Changed();
}
