// SPDX-License-Identifier: GPL-3.0-or-later
#include "StandardDialogs.h"

#include "CoverFont.h"
#include "FontColorDialog.h"

#include <QColorDialog>
#include <QPrintDialog>
#include <QPrinter>

bool TQtColorChooser::Choose(QWidget *owner, QColor &color)
{
    const QColor chosen = QColorDialog::getColor(color, owner);
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

bool TQtFontChooser::Choose(QWidget *owner, TCoverFont &font)
{
    TFontColorDialog dialog(owner);
    dialog.SetChoice(font.Font(), font.Color());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    TCoverFont chosen;
    chosen.SetFont(dialog.ChosenFont());
    chosen.SetColor(dialog.ChosenColor());
    font.Assign(chosen);
    return true;
}

bool TQtPrinterChooser::Choose(QWidget *owner, QPrinter &printer)
{
    QPrintDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
}
