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
    if (name == m_font.family())
        return;
    m_font.setFamily(name);
    Changed();
}

void TCoverFont::SetSize(int points)
{
    // QFont refuses sizes below 1; a font that small draws nothing useful
    // anyway.
    if ((points > 0 ? points : 1) == m_font.pointSize())
        return;
    m_font.setPointSize(points > 0 ? points : 1);
    Changed();
}

void TCoverFont::SetColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    Changed();
}

void TCoverFont::SetBold(bool on)
{
    if (on == m_font.bold())
        return;
    m_font.setBold(on);
    Changed();
}

void TCoverFont::SetItalic(bool on)
{
    if (on == m_font.italic())
        return;
    m_font.setItalic(on);
    Changed();
}

void TCoverFont::SetUnderline(bool on)
{
    if (on == m_font.underline())
        return;
    m_font.setUnderline(on);
    Changed();
}

void TCoverFont::SetStrikeOut(bool on)
{
    if (on == m_font.strikeOut())
        return;
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
    if (f == m_font)
        return;
    m_font = f;
    Changed();
}

void TCoverFont::Assign(const TCoverFont &other)
{
    if (other.m_font == m_font && other.m_color == m_color)
        return;
    m_font = other.m_font;
    m_color = other.m_color;
    Changed();
}
