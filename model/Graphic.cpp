// SPDX-License-Identifier: GPL-3.0-or-later
#include "Graphic.h"

#include "ReasonTexts.h"

#include "VelmoraError.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

bool PictureSizeAllowed(qint64 width, qint64 height)
{
    return width >= 0 && height >= 0 && width <= MaxPictureSide && height <= MaxPictureSide &&
           width * height <= MaxPicturePixels;
}

namespace {

// Only plain files, and only so much of them: a name that leads to a device
// or a pipe would be read until memory runs out.
QFileInfo CheckPictureFile(const QString &fileName, QFile &file)
{
    const QFileInfo info(fileName);
    // A name typed wrong is told as such, not as a file of the wrong kind.
    if (!info.exists() && !info.isSymLink())
        throw EVelmoraError(ReasonText(NoSuchFileReason).arg(fileName));
    if (!info.isFile())
        throw EVelmoraError(QStringLiteral("\"%1\" is not a picture file").arg(fileName));
    if (info.size() > MaxPictureFileBytes)
        throw EVelmoraError(QStringLiteral("\"%1\" is too large").arg(fileName));
    file.setFileName(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EVelmoraError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    return info;
}

QByteArray ReadCapped(QFile &file, const QFileInfo &info)
{
    // Read as far as the cap, whatever the file has grown to since it was
    // measured.
    QByteArray data;
    data.reserve(qsizetype(info.size()));
    for (;;) {
        const QByteArray chunk = file.read(4 * 1024 * 1024);
        if (chunk.isEmpty())
            break;
        data += chunk;
        if (data.size() > MaxPictureFileBytes)
            throw EVelmoraError(QStringLiteral("\"%1\" is too large").arg(info.filePath()));
    }
    return data;
}

} // namespace

QByteArray ReadPictureFile(const QString &fileName)
{
    QFile file;
    const QFileInfo info = CheckPictureFile(fileName, file);
    return ReadCapped(file, info);
}

void TGraphic::LoadFromFile(const QString &fileName)
{
    QFile file;
    const QFileInfo info = CheckPictureFile(fileName, file);
    // A kind that reads only what its header declares reads the file itself:
    // a large picture is then never held twice, as file and as bitmap.
    if (ReadsOnlyWhatItDeclares()) {
        LoadFromStream(file);
        return;
    }
    QByteArray data = ReadCapped(file, info);
    LoadFromBytes(data);
}

void TGraphic::LoadFromBytes(const QByteArray &bytes)
{
    QByteArray data = bytes; // shared, not copied: the buffer only reads
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    LoadFromStream(buffer);
}

void TGraphic::SaveToStream(QIODevice &) const {}

void TGraphic::SetTransparent(bool on)
{
    m_transparent = on;
    Changed();
}

QImage TGraphic::ToBitmap() const
{
    if (Empty())
        return QImage();
    QImage bitmap(Width(), Height(), QImage::Format_RGB32);
    if (bitmap.isNull())
        throw EVelmoraError(QStringLiteral("Out of memory"));
    bitmap.fill(Qt::white);
    QPainter p(&bitmap);
    Draw(p, bitmap.rect());
    return bitmap;
}

void TGraphic::Assign(const TGraphic *source)
{
    AssignError(source);
}

void TGraphic::AssignTo(TGraphic &) const {}

void TGraphic::Changed()
{
    if (OnChange)
        OnChange(*this);
}

void TGraphic::AssignError(const TGraphic *source) const
{
    throw EVelmoraError(QStringLiteral("Cannot assign a %1 to a %2")
                            .arg(source ? source->KindName() : QStringLiteral("nil"), KindName()));
}

void TBitmapGraphic::LoadFromStream(QIODevice &stream)
{
    // A bitmap of whatever kind Qt recognises; the program's BMP files are
    // read by TBmpGraphic.
    QImageReader reader(&stream);
    const QSize size = reader.size();
    if (!reader.canRead() || !PictureSizeAllowed(size.width(), qAbs(qint64(size.height()))))
        throw EVelmoraError(QStringLiteral("Bitmap image is not valid"));
    const QImage image = reader.read();
    if (image.isNull())
        throw EVelmoraError(QStringLiteral("Bitmap image is not valid"));
    SetImage(image);
}

void TBitmapGraphic::Draw(QPainter &canvas, const QRect &rect) const
{
    canvas.drawImage(rect, m_image);
}

void TBitmapGraphic::Assign(const TGraphic *source)
{
    if (!source)
        AssignError(source);
    SetImage(source->ToBitmap());
}

void TBitmapGraphic::SetImage(const QImage &image)
{
    m_image = image;
    Changed();
}
