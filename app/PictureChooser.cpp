// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureChooser.h"

#include "OpenPictureDialog.h"

#include <QFileInfo>

bool TQtPictureChooser::Choose(QWidget *owner, QString &fileName)
{
    TOpenPictureDialog dialog(owner, Texts);
    if (!m_lastDir.isEmpty())
        dialog.setDirectory(m_lastDir);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileName = dialog.selectedFiles().first();
    m_lastDir = QFileInfo(fileName).absolutePath();
    return true;
}
