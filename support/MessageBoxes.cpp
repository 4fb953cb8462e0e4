// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxes.h"

#include <QMessageBox>

void TQtMessageBoxes::ShowError(QWidget *owner, const QString &caption, const QString &text)
{
    QMessageBox::critical(owner, caption, text);
}

bool TQtMessageBoxes::AskWarning(QWidget *owner, const QString &caption, const QString &text)
{
    return QMessageBox::warning(owner, caption, text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}
