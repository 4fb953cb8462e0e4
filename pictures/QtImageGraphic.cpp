// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtImageGraphic.h"

#include "ColourProfiles.h"
#include "ExifOrientation.h"
#include "ReasonTexts.h"
#include "VelmoraError.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>
#include <QPainter>

TQtImageGraphic::TQtImageGraphic(const QByteArray &format, const QString &kindName)
    : m_format(format), m_kindName(kindName)
{
}

void TQtImageGraphic::LoadFromStream(QIODevice &stream)
{
    Load(stream, QByteArray());
}

void TQtImageGraphic::Load(QIODevice &stream, const QByteArray &icc)
{
    // Qt's WebP reader leaves the orientation its EXIF data gives to the
    // caller: read it from the file's bytes, and the profile with it.
    int orientation = 1;
    QByteArray profile = icc;
    QBuffer kept;
    QIODevice *from = &stream;
    if (m_format == "webp") {
        kept.setData(stream.readAll());
        kept.open(QIODevice::ReadOnly);
        orientation = WebpExifOrientation(kept.data());
        profile = WebpChunk(kept.data(), "ICCP");
        from = &kept;
    }
    QImageReader reader(from, m_format);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(true); // a TIFF's orientation tag
    const QSize size = reader.size();
    if (!size.isValid())
        throw EVelmoraError(ReasonText(NotThisKindReason)
                                .arg(QString::fromLatin1(m_format).toUpper()));
    if (!PictureSizeAllowed(size.width(), size.height()))
        throw EVelmoraError(QStringLiteral("Picture too large"));
    QImage image = reader.read();
    if (image.isNull())
        throw EVelmoraError(QStringLiteral("%1 error: %2")
                                .arg(QString::fromLatin1(m_format).toUpper(), reader.errorString()));
    if (profile.isEmpty() && image.colorSpace().isValid())
        profile = image.colorSpace().iccProfile();
    ConvertToSrgb(image, profile);
    // Unless Qt turned it already, as it does a TIFF.
    if (orientation != 1 && reader.transformation() == QImageIOHandler::TransformationNone)
        image = Upright(image, orientation);
    m_image = image;
    Changed();
}

void TQtImageGraphic::SetPicture(const QImage &image)
{
    m_image = image;
    Changed();
}

void TQtImageGraphic::Draw(QPainter &canvas, const QRect &rect) const
{
    canvas.drawImage(rect, m_image);
}

QImage TQtImageGraphic::ToBitmap() const
{
    // An opaque picture is its bitmap; one with transparent parts is drawn
    // on white.
    if (!m_image.hasAlphaChannel())
        return m_image.convertToFormat(QImage::Format_RGB32);
    return TGraphic::ToBitmap();
}
