// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureChooser.h"

#include "OpenPictureDialog.h"

#include <QFileInfo>
#include <memory>

bool TQtPictureChooser::Choose(QWidget *owner, QString &fileName)
{
    // Let go once the event loop is back, not here: Qt's file dialog
    // writes its settings and waits for its file-list thread as it goes,
    // which would come before the chosen picture is placed and shown.
    const std::unique_ptr<TOpenPictureDialog, void (*)(TOpenPictureDialog *)> dialog(
        new TOpenPictureDialog(owner, Texts), [](TOpenPictureDialog *d) { d->deleteLater(); });
    if (!m_lastDir.isEmpty())
        dialog->setDirectory(m_lastDir);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return false;
    fileName = dialog->selectedFiles().first();
    m_lastDir = QFileInfo(fileName).absolutePath();
    return true;
}
