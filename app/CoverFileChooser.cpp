// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverFileChooser.h"

#include "CoverFile.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QPushButton>

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

bool TQtCoverFileChooser::ChooseAlbum(QWidget *owner, const QString &title, const QString &filter,
                                      const QString &useFolder, QStringList &paths)
{
    // Qt's own dialog, so that a button can take the folder shown: files
    // and folders cannot be chosen in one native dialog.
    QFileDialog dialog(owner, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(filter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setDirectory(m_lastDir.isEmpty() ? QDir::homePath() : m_lastDir);
    bool folder = false;
    auto *button = new QPushButton(useFolder, &dialog);
    button->setObjectName(QStringLiteral("UseFolderButton"));
    QObject::connect(button, &QPushButton::clicked, &dialog, [&] {
        folder = true;
        static_cast<QDialog &>(dialog).done(QDialog::Accepted);
    });
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(button, grid->rowCount(), 0, 1, grid->columnCount(), Qt::AlignLeft);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    paths = folder ? QStringList{dialog.directory().absolutePath()} : dialog.selectedFiles();
    if (paths.isEmpty())
        return false;
    m_lastDir = folder ? paths.first() : QFileInfo(paths.first()).absolutePath();
    return true;
}
