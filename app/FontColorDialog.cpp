// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontColorDialog.h"

#include <QBoxLayout>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {

constexpr int FontText = 229;
constexpr int ColorText = 356;

} // namespace

TFontColorDialog::TFontColorDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Font"));
    FontChooser = new QFontDialog(this);
    // Embedded as a plain widget, with its own buttons left out: the OK and
    // Cancel below answer for the font and the colour together.
    FontChooser->setWindowFlags(Qt::Widget);
    FontChooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    // Enter and Escape inside the chooser end its own dialog and hide it:
    // they answer for this dialog instead, as in any dialog.
    connect(FontChooser, &QDialog::finished, this, [this](int result) {
        FontChooser->setVisible(true);
        done(result);
    });
    // Without buttons of its own the chooser swallows Enter.
    FontChooser->installEventFilter(this);

    ColorButton = new QPushButton(QStringLiteral("Color..."), this);
    connect(ColorButton, &QPushButton::clicked, this, &TFontColorDialog::ColorButtonClick);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true); // Enter anywhere confirms
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

void TFontColorDialog::ApplyTexts(const std::function<QString(int)> &texts)
{
    if (!texts)
        return;
    setWindowTitle(texts(FontText));
    ColorButton->setText(texts(ColorText));
}

namespace {

bool SameChoice(const QFont &a, const QFont &b)
{
    return a.family().compare(b.family(), Qt::CaseInsensitive) == 0 &&
           a.pointSize() == b.pointSize() && a.bold() == b.bold() && a.italic() == b.italic() &&
           a.underline() == b.underline() && a.strikeOut() == b.strikeOut();
}

} // namespace

void TFontColorDialog::SetChoice(const QFont &font, const QColor &color)
{
    // The chooser lists real faces only: a name that the system stands
    // another face in for ("Times New Roman" drawn in Liberation Serif)
    // would leave it on its first entry. It opens on the face in use.
    m_given = font;
    m_shown = font;
    m_shown.setFamily(QFontInfo(font).family());
    // By the face's own style name: the chooser otherwise looks for Qt's
    // translated one ("標準" for Regular), finds none and takes a style at
    // random, Italic for a regular font.
    m_shown.setStyleName(QFontInfo(m_shown).styleName());
    FontChooser->setCurrentFont(m_shown);
    m_shown = FontChooser->currentFont();
    m_color = color;
    ShowColor();
}

QFont TFontColorDialog::ChosenFont() const
{
    // Confirmed as shown, the font is the one given, under its own name;
    // another is kept by its weight and slant, not a face's style name.
    QFont chosen = FontChooser->currentFont();
    chosen.setStyleName(QString());
    return SameChoice(chosen, m_shown) ? m_given : chosen;
}

bool TFontColorDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FontChooser && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
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
