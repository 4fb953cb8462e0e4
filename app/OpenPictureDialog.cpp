// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenPictureDialog.h"

#include "ContentKinds.h"
#include "ExifOrientation.h"
#include "JpegGraphic.h"
#include "PictureLoading.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QThreadPool>
#include <QCoreApplication>
#include <algorithm>

namespace {

const int PreviewSide = 180;
// Larger files are not decoded just to show a preview.
const qint64 MaxPreviewBytes = 64 * 1024 * 1024;

} // namespace

TOpenPictureDialog::TOpenPictureDialog(QWidget *parent, const std::function<QString(int)> &texts)
    : QFileDialog(parent), m_preview(new QLabel(this))
{
    // The preview needs the dialog's own layout.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::HideNameFilterDetails, true);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::AnyFile);
    const QStringList filters = QtNameFilters(OpenPictureFilterIn(texts));
    setNameFilters(filters);
    selectNameFilter(filters.first());

    m_preview->setFixedSize(PreviewSide, PreviewSide);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(m_preview, 0, grid->columnCount(), grid->rowCount(), 1, Qt::AlignTop);
    connect(this, &QFileDialog::currentChanged, this, &TOpenPictureDialog::ShowPreview);
}

namespace {

// One preview decodes at a time, off the user-interface thread: a large or
// hostile file never holds the dialog up, and its bounds (2 s of work) are
// spent once, not while the user types.
QThreadPool &PreviewPool()
{
    static QThreadPool pool;
    static const bool one = (pool.setMaxThreadCount(1), true);
    Q_UNUSED(one);
    return pool;
}

// Null for a file that is not a JPEG by content, or does not decode.
QImage PreviewOfJpeg(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || KindOfContent(file.peek(ContentKindHead)).Placed != QLatin1String("jpg"))
        return QImage();
    const QByteArray data = file.readAll();
    // As small as keeps twice the preview's side.
    TJpegPassthrough header;
    ReadJpegHeader(data, header);
    TJpegLimits limits;
    limits.ScaleDenominator = 8;
    while (limits.ScaleDenominator > 1 &&
           std::max(header.Width, header.Height) / limits.ScaleDenominator < 2 * PreviewSide)
        limits.ScaleDenominator /= 2;
    return Upright(DecodeJpeg(data, limits), JpegExifOrientation(data));
}

QImage DecodePreview(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.isFile() || info.size() > MaxPreviewBytes)
        return QImage();
    try {
        // A JPEG, the large picture of nearly every photograph, is decoded
        // at a fraction of its size, which is plenty for the preview: a whole
        // decode would take the core the placing needs once the user picks
        // the file, and the picture would show that much later.
        const QImage small = PreviewOfJpeg(fileName);
        if (!small.isNull())
            return small.scaled(PreviewSide - 4, PreviewSide - 4, Qt::KeepAspectRatio,
                                Qt::SmoothTransformation);
        const std::unique_ptr<TGraphic> picture = LoadPicture(fileName);
        if (!picture)
            return QImage();
        return picture->ToBitmap().scaled(PreviewSide - 4, PreviewSide - 4, Qt::KeepAspectRatio,
                                          Qt::SmoothTransformation);
    } catch (const std::exception &) {
        return QImage(); // a picture that cannot be shown leaves the preview empty
    }
}

} // namespace

void TOpenPictureDialog::ShowPreview(const QString &fileName)
{
    m_preview->clear();
    const quint64 request = ++m_request;
    // What waits to start is of no more use once another file is chosen.
    PreviewPool().clear();
    const QPointer<TOpenPictureDialog> dialog(this);
    PreviewPool().start([dialog, request, fileName] {
        const QImage preview = DecodePreview(fileName);
        QMetaObject::invokeMethod(
            qApp,
            [dialog, request, preview] {
                if (dialog)
                    dialog->PreviewReady(request, preview);
            },
            Qt::QueuedConnection);
    });
}

void TOpenPictureDialog::PreviewReady(quint64 request, const QImage &preview)
{
    if (request == m_request && !preview.isNull())
        m_preview->setPixmap(QPixmap::fromImage(preview));
}
