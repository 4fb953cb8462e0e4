// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverFileChooser.h"

#include "CoverFile.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

bool TQtCoverFileChooser::ChooseOpen(QWidget *owner, const QString &title, const QString &filter,
                                     QString &fileName)
{
    return Choose(owner, title, filter, fileName, false);
}

bool TQtCoverFileChooser::ChooseSave(QWidget *owner, const QString &title, const QString &filter,
                                     QString &fileName)
{
    return Choose(owner, title, filter, fileName, true);
}

bool TQtCoverFileChooser::Choose(QWidget *owner, const QString &title, const QString &filter,
                                 QString &fileName, bool save)
{
    QFileDialog dialog(owner, title);
    dialog.setNameFilter(filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString::fromLatin1(CoverFileExtension).mid(1));
    // The cover's own folder first, then wherever the user went last.
    const QFileInfo current(fileName);
    if (!fileName.isEmpty() && current.dir().exists()) {
        dialog.setDirectory(current.absolutePath());
        dialog.selectFile(current.fileName());
    } else if (!m_lastDir.isEmpty()) {
        dialog.setDirectory(m_lastDir);
    } else {
        dialog.setDirectory(QDir::homePath());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileName = dialog.selectedFiles().first();
    if (save && !fileName.endsWith(QLatin1String(CoverFileExtension), Qt::CaseInsensitive))
        fileName += QLatin1String(CoverFileExtension);
    m_lastDir = QFileInfo(fileName).absolutePath();
    return true;
}
