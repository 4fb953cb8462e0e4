// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>

class QLabel;

// The platform's open-file dialog with a picture preview beside the file
// list. It lets the user type a name that does not exist.
class TOpenPictureDialog : public QFileDialog
{
    Q_OBJECT
public:
    explicit TOpenPictureDialog(QWidget *parent);

private:
    void ShowPreview(const QString &fileName);
    QLabel *m_preview;
};
