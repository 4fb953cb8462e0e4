// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxes.h"

#include <QMessageBox>

void TQtMessageBoxes::ShowError(QWidget *owner, const QString &caption, const QString &text)
{
    QMessageBox::critical(owner, caption, text);
}
