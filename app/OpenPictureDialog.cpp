// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenPictureDialog.h"

#include "PictureLoading.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

namespace {

const int PreviewSide = 180;
// Larger files are not decoded just to show a preview.
const qint64 MaxPreviewBytes = 64 * 1024 * 1024;

} // namespace

TOpenPictureDialog::TOpenPictureDialog(QWidget *parent)
    : QFileDialog(parent), m_preview(new QLabel(this))
{
    // The preview needs the dialog's own layout.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::HideNameFilterDetails, true);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::AnyFile);
    const QStringList filters = QtNameFilters(QString::fromLatin1(OpenPictureFilter));
    setNameFilters(filters);
    selectNameFilter(filters.first());

    m_preview->setFixedSize(PreviewSide, PreviewSide);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(m_preview, 0, grid->columnCount(), grid->rowCount(), 1, Qt::AlignTop);
    connect(this, &QFileDialog::currentChanged, this, &TOpenPictureDialog::ShowPreview);
}

void TOpenPictureDialog::ShowPreview(const QString &fileName)
{
    m_preview->clear();
    const QFileInfo info(fileName);
    if (!info.isFile() || info.size() > MaxPreviewBytes)
        return;
    // Runs from the dialog's own signal: a picture that cannot be shown
    // leaves the preview empty, it never leaves this handler as an error.
    try {
        const std::unique_ptr<TGraphic> picture = LoadPicture(fileName);
        if (!picture)
            return;
        const QImage bitmap = picture->ToBitmap();
        m_preview->setPixmap(QPixmap::fromImage(bitmap.scaled(
            PreviewSide - 4, PreviewSide - 4, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    } catch (const std::exception &) {
        m_preview->clear();
    }
}
