// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>
#include <functional>

class QLabel;

// The platform's open-file dialog with a picture preview beside the file
// list. It lets the user type a name that does not exist.
class TOpenPictureDialog : public QFileDialog
{
    Q_OBJECT
public:
    // texts gives the file types' names in the program's language; none
    // leaves them English.
    explicit TOpenPictureDialog(QWidget *parent,
                                const std::function<QString(int)> &texts = {});

    // Starts the preview of a file: it is decoded on a thread of its own and
    // shown when it is ready, unless another file has been chosen since.
    void ShowPreview(const QString &fileName);
    const QLabel *Preview() const { return m_preview; }

private:
    void PreviewReady(quint64 request, const QImage &preview);

    QLabel *m_preview;
    quint64 m_request = 0; // the latest preview asked for
};
