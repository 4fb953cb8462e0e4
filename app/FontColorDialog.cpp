// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontColorDialog.h"

#include <QBoxLayout>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

TFontColorDialog::TFontColorDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Font"));
    FontChooser = new QFontDialog(this);
    // Embedded as a plain widget, with its own buttons left out: the OK and
    // Cancel below answer for the font and the colour together.
    FontChooser->setWindowFlags(Qt::Widget);
    FontChooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);

    ColorButton = new QPushButton(QStringLiteral("Colour..."), this);
    connect(ColorButton, &QPushButton::clicked, this, &TFontColorDialog::ColorButtonClick);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *bottom = new QHBoxLayout();
    bottom->addWidget(ColorButton);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    auto *column = new QVBoxLayout(this);
    column->addWidget(FontChooser, 1);
    column->addLayout(bottom);
    ShowColor();
}

void TFontColorDialog::SetChoice(const QFont &font, const QColor &color)
{
    FontChooser->setCurrentFont(font);
    m_color = color;
    ShowColor();
}

QFont TFontColorDialog::ChosenFont() const
{
    return FontChooser->currentFont();
}

void TFontColorDialog::ColorButtonClick()
{
    const QColor chosen = QColorDialog::getColor(m_color, this);
    if (!chosen.isValid())
        return;
    m_color = chosen;
    ShowColor();
}

void TFontColorDialog::ShowColor()
{
    QPixmap swatch(16, 16);
    swatch.fill(m_color);
    {
        QPainter p(&swatch);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(0, 0, 15, 15);
    }
    ColorButton->setIcon(QIcon(swatch));
}
