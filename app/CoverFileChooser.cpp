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
    // The extension is the filter's: "Velmora covers (*.vmcover)".
    const qsizetype star = filter.indexOf(QLatin1String("*."));
    const QString extension =
        star < 0 ? QString::fromLatin1(CoverFileExtension)
                 : filter.mid(star + 1).section(QLatin1Char(')'), 0, 0).section(QLatin1Char(' '), 0, 0);
    dialog.setDefaultSuffix(extension.mid(1));
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
    if (save && !fileName.endsWith(extension, Qt::CaseInsensitive))
        fileName += extension;
    m_lastDir = QFileInfo(fileName).absolutePath();
    return true;
}
