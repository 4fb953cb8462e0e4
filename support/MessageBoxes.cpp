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

bool TQtMessageBoxes::AskQuestion(QWidget *owner, const QString &caption, const QString &text)
{
    return QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

TSaveAnswer TQtMessageBoxes::AskSaveChanges(QWidget *owner, const QString &caption,
                                            const QString &text)
{
    switch (QMessageBox::warning(owner, caption, text,
                                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                 QMessageBox::Save)) {
    case QMessageBox::Save:
        return TSaveAnswer::Save;
    case QMessageBox::Discard:
        return TSaveAnswer::Discard;
    default:
        return TSaveAnswer::Cancel; // Escape and the close box too
    }
}
