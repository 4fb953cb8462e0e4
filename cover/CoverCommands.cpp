// SPDX-License-Identifier: GPL-3.0-or-later
// The commands on a cover's areas: pictures placed, cleared and fitted,
// texts and their settings, the layout.
#include "CoverController.h"

#include "ColourProfiles.h"
#include "CoverLayout.h"
#include "GraphicKinds.h"
#include "PictureLoading.h"
#include "Rounding.h"

#include <QColorSpace>
#include <QMimeData>
#include <QUrl>

namespace {

constexpr int ChangePictureStep = 220;
constexpr int ClearPictureStep = 221;
constexpr int ZoomInStep = 223;
constexpr int ZoomOutStep = 224;
constexpr int CentrePictureStep = 225;
constexpr int PictureViewStep = 226;
constexpr int BackgroundStep = 227;
constexpr int TypingStep = 228;
constexpr int FontStep = 229;
constexpr int AlignmentStep = 230;
constexpr int OrientationStep = 231;
constexpr int PositionStep = 232;
constexpr int LayoutStep = 234;
constexpr int PastePictureStep = 235;
constexpr int DropPicturesStep = 236;
constexpr int NoPictureText = 237;

// Typing in one area merges into one step; any other step ends it.
constexpr int TypingMergeKey = 100;

// Picture kinds by the MIME type a clipboard holds them under.
const std::pair<const char *, const char *> MimeKinds[] = {
    {"image/jpeg", "jpg"},   {"image/bmp", "bmp"},   {"image/gif", "gif"},
    {"image/x-icon", "ico"}, {"image/x-wmf", "wmf"}, {"image/x-emf", "emf"},
    {"image/png", "png"},    {"image/webp", "webp"}, {"image/tiff", "tif"},
};

QString KindOfMime(const QString &mime)
{
    for (const auto &[type, kind] : MimeKinds)
        if (mime == QLatin1String(type))
            return QLatin1String(kind);
    return QString();
}

QString MimeOfKind(const QString &kind)
{
    // A kind's other extensions share its type.
    const QString k = kind == QLatin1String("jpeg")   ? QStringLiteral("jpg")
                      : kind == QLatin1String("tiff") ? QStringLiteral("tif")
                                                      : kind;
    for (const auto &[type, known] : MimeKinds)
        if (k == QLatin1String(known))
            return QLatin1String(type);
    return QString();
}

QString LoadError(const QString &why)
{
    // The fixed first line, then why, so that the user can act on it.
    return QStringLiteral("Error loading image\n\n") + why;
}

} // namespace

TOutcome TCoverController::PlacePicture(int32_t area, const QString &fileName)
{
    if (!Shown(area))
        return {};
    QString why, kind;
    QByteArray bytes;
    const std::unique_ptr<TGraphic> picture = LoadPictureKeepingFile(fileName, bytes, &why, &kind);
    if (!picture)
        return TOutcome::Failed(LoadError(why));
    // Kept as the kind it was read as, which its name may not say.
    return Step(ChangePictureStep, -1,
                [&] { m_document->SetPicture(area, picture.get(), bytes, kind); });
}

TOutcome TCoverController::PlacePictureBytes(int32_t area, const QByteArray &bytes,
                                             const QString &kind)
{
    if (!Shown(area))
        return {};
    QString why, loadedAs;
    const std::unique_ptr<TGraphic> picture = LoadPictureBytes(bytes, kind, &why, &loadedAs);
    if (!picture)
        return TOutcome::Failed(LoadError(why));
    return Step(PastePictureStep, -1,
                [&] { m_document->SetPicture(area, picture.get(), bytes, loadedAs); });
}

TOutcome TCoverController::PlaceImage(int32_t area, const QImage &image)
{
    if (!Shown(area))
        return {};
    if (image.isNull() || !PictureSizeAllowed(image.width(), image.height()))
        return TOutcome::Failed(Text(NoPictureText));
    // Qt keeps the profile of what it read beside the pixels.
    QImage shown = image;
    if (shown.colorSpace().isValid())
        ConvertToSrgb(shown, shown.colorSpace().iccProfile());
    return Step(PastePictureStep, -1, [&] { m_document->SetPicture(area, &shown); });
}

TOutcome TCoverController::PlaceMimeData(int32_t area, const QMimeData *data)
{
    if (!Shown(area))
        return {};
    TOutcome placed = TOutcome::Failed(Text(NoPictureText));
    if (!data)
        return placed;
    const TOutcome step = Batch(PastePictureStep, [&] {
        bool refused = false;
        for (const QString &format : data->formats()) {
            const QString kind = KindOfMime(format);
            if (kind.isEmpty())
                continue;
            const TOutcome tried = PlacePictureBytes(area, data->data(format), kind);
            if (tried.Ok()) {
                placed = tried;
                return;
            }
            if (!refused)
                placed = tried; // the first refusal says why
            refused = true;
        }
        for (const QUrl &url : data->urls())
            if (url.isLocalFile() && IsPictureFile(url.toLocalFile())) {
                placed = PlacePicture(area, url.toLocalFile());
                return;
            }
        // The clipboard's own image is Qt's reading of those same bytes,
        // which makes a half grey picture of a file cut short: a picture
        // refused as a file is refused pasted too.
        if (!refused && data->hasImage())
            placed = PlaceImage(area, qvariant_cast<QImage>(data->imageData()));
    });
    return step.Ok() ? placed : step;
}

TOutcome TCoverController::PlacePictureFiles(int32_t area, const QStringList &files)
{
    QStringList errors;
    const TOutcome done = Batch(DropPicturesStep, [&] {
        int32_t next = area;
        for (const QString &file : files) {
            if (!IsPictureFile(file))
                continue;
            if (!Shown(next))
                break;
            const TOutcome placed = PlacePicture(next++, file);
            if (!placed.Error.isEmpty())
                errors << placed.Error;
        }
    });
    if (!done.Error.isEmpty())
        errors << done.Error;
    return errors.isEmpty() ? TOutcome{} : TOutcome::Failed(errors.join(QStringLiteral("\n\n")));
}

TOutcome TCoverController::ClearPicture(int32_t area)
{
    if (!Shown(area))
        return {};
    return Step(ClearPictureStep, -1, [&] {
        m_document->SetPicture(area, nullptr);
        m_document->ResetOffsetQuietly(area);
    });
}

TOutcome TCoverController::SetPlacement(int32_t area, TPlacement placement)
{
    if (!Shown(area))
        return {};
    return Step(PictureViewStep, -1, [&] {
        switch (placement) {
        case TPlacement::Stretch:
            m_document->SetStretch(area, true);
            break;
        case TPlacement::Autosize:
            m_document->SetAutosize(area, true);
            break;
        case TPlacement::UserDefined:
            if (m_layout)
                m_layout->SetUserDefined(area);
            else
                m_document->ClearPlacementFlags(area);
            break;
        }
    });
}

TOutcome TCoverController::CenterPicture(int32_t area)
{
    if (!HasPicture(area))
        return {};
    return Step(CentrePictureStep, -1, [&] {
        if (m_layout) {
            m_layout->CenterPicture(area);
            return;
        }
        // With no view the area's true size in the offsets' pixels.
        const CoverSize &s = m_document->Size();
        const bool single = m_document->Mode() == CoverMode::Single;
        const double widths[3] = {s.LeftWidth, s.CenterWidth, s.RightWidth};
        const double inches = single ? s.SingleWidth : widths[area - 1];
        const double height = single ? s.SingleHeight : s.MultipleHeight;
        const double ppi = 2.54 * OffsetUnits();
        const QSize pic = m_document->PictureSize(area);
        const double w = m_document->GetZoom(area) * inches * ppi;
        const double h = w * pic.height() / pic.width();
        m_document->SetOffset(area,
                              TPoint{Round((inches * ppi - w) / 2), Round((height * ppi - h) / 2)});
    });
}

TOutcome TCoverController::ZoomIn(int32_t area)
{
    if (!HasPicture(area))
        return {};
    return Step(ZoomInStep, -1,
                [&] { m_document->SetZoom(area, m_document->GetZoom(area) + 0.1); });
}

TOutcome TCoverController::ZoomOut(int32_t area)
{
    if (!HasPicture(area))
        return {};
    return Step(ZoomOutStep, -1,
                [&] { m_document->SetZoom(area, m_document->GetZoom(area) - 0.1); });
}

TOutcome TCoverController::SetBackColor(int32_t area, TColorRef color)
{
    if (!Shown(area))
        return {};
    return Step(BackgroundStep, -1, [&] { m_document->SetBackColor(area, color); });
}

TOutcome TCoverController::SetText(int32_t area, const QString &text)
{
    if (!Shown(area))
        return {};
    return Step(TypingStep, TypingMergeKey + area, [&] { m_document->SetText(area, text); });
}

TOutcome TCoverController::SetFont(int32_t area, const TCoverFont &font)
{
    if (!Shown(area))
        return {};
    return Step(FontStep, -1, [&] { m_document->GetFont(area).Assign(font); });
}

TOutcome TCoverController::SetAlignment(int32_t area, uint8_t code)
{
    if (!Shown(area))
        return {};
    return Step(AlignmentStep, -1, [&] { m_document->SetAlignment(area, code); });
}

TOutcome TCoverController::SetOrientation(int32_t area, uint8_t code)
{
    if (!Shown(area))
        return {};
    return Step(OrientationStep, -1, [&] { m_document->SetOrientation(area, code); });
}

TOutcome TCoverController::SetTextPosition(int32_t area, uint8_t code)
{
    if (!Shown(area))
        return {};
    return Step(PositionStep, -1, [&] { m_document->SetTextPosition(area, code); });
}

TOutcome TCoverController::SetMode(CoverMode mode)
{
    return Step(LayoutStep, -1, [&] {
        m_document->SetMode(mode);
        if (!Shown(m_selectedArea))
            m_selectedArea = -1;
    });
}

QMimeData *TCoverController::PictureData(int32_t area) const
{
    if (!HasPicture(area))
        return nullptr;
    const auto picture = m_document->PlacedPicture(area);
    auto *data = new QMimeData;
    data->setImageData(m_document->GetPicture(area)); // whole, waited for
    // The very file too, for programs (and Velmora) that take it.
    const QString mime = MimeOfKind(picture->FileKind);
    if (!mime.isEmpty())
        data->setData(mime, picture->FileBytes);
    return data;
}

bool TCoverController::IsPictureFile(const QString &fileName)
{
    return bool(PictureForExtension(UpperCaseAscii(ExtractFileExt(fileName))));
}
