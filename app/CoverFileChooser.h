// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Where the file commands ask for a cover file (or the PDF file to export
// to); tests answer instead.
class TCoverFileChooser
{
public:
    virtual ~TCoverFileChooser() = default;
    // fileName comes in as the file to start from (may be empty) and goes
    // out as the user's choice; false when the user cancels.
    virtual bool ChooseOpen(QWidget *owner, const QString &title, const QString &filter,
                            QString &fileName) = 0;
    // The same for saving; the chosen name always ends in the extension of
    // the filter's first pattern.
    virtual bool ChooseSave(QWidget *owner, const QString &title, const QString &filter,
                            QString &fileName) = 0;
    // Music to make a cover from: a folder, audio files or a CUE sheet.
    // Where a chooser knows no folders, one file as ChooseOpen gives it.
    virtual bool ChooseAlbum(QWidget *owner, const QString &title, const QString &filter,
                             const QString & /*useFolder*/, QStringList &paths)
    {
        QString file;
        if (!ChooseOpen(owner, title, filter, file))
            return false;
        paths = QStringList{file};
        return true;
    }
};

class TQtCoverFileChooser : public TCoverFileChooser
{
public:
    bool ChooseOpen(QWidget *owner, const QString &title, const QString &filter,
                    QString &fileName) override;
    bool ChooseSave(QWidget *owner, const QString &title, const QString &filter,
                    QString &fileName) override;
    bool ChooseAlbum(QWidget *owner, const QString &title, const QString &filter,
                     const QString &useFolder, QStringList &paths) override;

private:
    bool Choose(QWidget *owner, const QString &title, const QString &filter, QString &fileName,
                bool save);
    QString m_lastDir;
};
