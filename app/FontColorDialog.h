// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QDialog>
#include <functional>
#include <QFont>

class QFontDialog;
class QPushButton;

// Qt's font chooser (face, size, style, underline, strikeout) with a colour
// choice beside it, so that everything an area's text font holds comes back
// in one confirmation.
class TFontColorDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TFontColorDialog(QWidget *parent = nullptr);
    // Its title and its colour button in the program's language.
    void ApplyTexts(const std::function<QString(int)> &texts);

    void SetChoice(const QFont &font, const QColor &color);
    QFont ChosenFont() const;
    QColor ChosenColor() const { return m_color; }

    QFontDialog *FontChooser = nullptr;
    QPushButton *ColorButton = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ColorButtonClick();
    void ShowColor();
    QColor m_color = Qt::black;
    QFont m_given; // the font the dialog was opened on
    QFont m_shown; // as the chooser showed it

};
