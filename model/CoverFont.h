// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <functional>

// The font of an area's text: face, size in points, style and colour, with a
// notification on every change so the document can have the view repaint.
class TCoverFont
{
public:
    TCoverFont();

    QString Name() const { return m_font.family(); }
    void SetName(const QString &name);
    int Size() const { return m_font.pointSize(); }
    void SetSize(int points);
    QColor Color() const { return m_color; }
    void SetColor(const QColor &color);
    bool Bold() const { return m_font.bold(); }
    void SetBold(bool on);
    bool Italic() const { return m_font.italic(); }
    void SetItalic(bool on);
    bool Underline() const { return m_font.underline(); }
    void SetUnderline(bool on);
    bool StrikeOut() const { return m_font.strikeOut(); }
    void SetStrikeOut(bool on);

    // The face, size and style as a QFont; the colour is separate.
    const QFont &Font() const { return m_font; }
    // Takes face, size and style from a QFont (as a font dialog returns it).
    void SetFont(const QFont &font);
    // Takes every attribute of another font, with one notification.
    void Assign(const TCoverFont &other);

    std::function<void(TCoverFont &)> OnChange;

private:
    void Changed();
    QFont m_font;
    QColor m_color;
};
