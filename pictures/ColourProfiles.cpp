// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColourProfiles.h"

#include <QColorSpace>
#include <QColorTransform>
#include <QPointF>
#include <lcms2.h>

#include <cmath>
#include <mutex>
#include <utility>
#include <vector>

namespace {

// Qt's conversion: a table-driven transform over whole rows, several times
// faster than Little CMS for the matrix profiles nearly every photo has.
class TQtConversion final : public TColourConversion
{
public:
    explicit TQtConversion(QColorTransform transform) : m_transform(std::move(transform)) {}

    void Apply(uchar *bits, int width, int height, qsizetype bytesPerLine) const override
    {
        // Over the caller's memory, not a copy: the rows are converted
        // where they lie (a decoder's bitmap, shared with its worker). As
        // unpremultiplied pixels, which keeps whatever alpha they have.
        QImage rows(bits, width, height, bytesPerLine, QImage::Format_ARGB32);
        rows.applyColorTransform(m_transform);
    }

private:
    QColorTransform m_transform;
};

struct TProfileCloser
{
    void operator()(void *profile) const { cmsCloseProfile(profile); }
};
using TProfile = std::unique_ptr<void, TProfileCloser>;

// Little CMS for everything Qt does not read.
class TLcmsConversion final : public TColourConversion
{
public:
    explicit TLcmsConversion(cmsHTRANSFORM transform) : m_transform(transform) {}
    ~TLcmsConversion() override { cmsDeleteTransform(m_transform); }

    void Apply(uchar *bits, int width, int height, qsizetype bytesPerLine) const override
    {
        // Input and output are four bytes a pixel, so each pixel is read
        // before it is written over.
        for (int y = 0; y < height; ++y) {
            uchar *row = bits + qsizetype(y) * bytesPerLine;
            cmsDoTransform(m_transform, row, row, cmsUInt32Number(width));
        }
    }

    void ApplyCmyk(const uchar *cmyk, uchar *out, int width) const override
    {
        cmsDoTransform(m_transform, cmyk, out, cmsUInt32Number(width));
        // Little CMS leaves the alpha byte it does not produce.
        for (int x = 0; x < width; ++x)
            out[4 * x + 3] = 0xFF;
    }

private:
    cmsHTRANSFORM m_transform;
};

void Quiet(cmsContext, cmsUInt32Number, const char *) {}

TProfile OpenProfile(const QByteArray &icc)
{
    static std::once_flag quiet;
    std::call_once(quiet, [] { cmsSetLogErrorHandler(Quiet); });
    return TProfile(cmsOpenProfileFromMem(icc.constData(), cmsUInt32Number(icc.size())));
}

// Grey in the first of four bytes a pixel, the other three passed over.
constexpr cmsUInt32Number GreyInBgra =
    COLORSPACE_SH(PT_GRAY) | CHANNELS_SH(1) | BYTES_SH(1) | EXTRA_SH(3);

std::shared_ptr<const TColourConversion> LcmsConversion(const QByteArray &icc,
                                                        cmsColorSpaceSignature want,
                                                        cmsUInt32Number inputFormat)
{
    const TProfile from = OpenProfile(icc);
    if (!from || cmsGetColorSpace(from.get()) != want)
        return nullptr;
    const TProfile srgb(cmsCreate_sRGBProfile());
    // No cache: one transform serves every decoding thread at once.
    const cmsHTRANSFORM transform =
        cmsCreateTransform(from.get(), inputFormat, srgb.get(), TYPE_BGRA_8, INTENT_PERCEPTUAL,
                           cmsFLAGS_NOCACHE);
    if (!transform)
        return nullptr;
    return std::make_shared<TLcmsConversion>(transform);
}

// What the profile converts from.
enum class TSource
{
    Rgb, // or grey spread over three channels
    Cmyk,
    AdobeCmyk, // inverted ink
};

std::shared_ptr<const TColourConversion> Made(const QByteArray &icc, TSource source)
{
    if (source == TSource::Rgb) {
        const QColorSpace space = QColorSpace::fromIccProfile(icc);
        if (space.isValid()) {
            if (space == QColorSpace(QColorSpace::SRgb))
                return nullptr;
            return std::make_shared<TQtConversion>(
                space.transformationToColorSpace(QColorSpace::SRgb));
        }
        if (auto rgb = LcmsConversion(icc, cmsSigRgbData, TYPE_BGRA_8))
            return rgb;
        return LcmsConversion(icc, cmsSigGrayData, GreyInBgra);
    }
    return LcmsConversion(icc, cmsSigCmykData,
                          source == TSource::AdobeCmyk ? TYPE_CMYK_8_REV : TYPE_CMYK_8);
}

// A picture is decoded two or three times (small for the screen, in two
// halves whole): the conversion is made once and shared. Most pictures
// have no profile, and take no lock.
std::shared_ptr<const TColourConversion> Cached(const QByteArray &icc, TSource source)
{
    if (icc.isEmpty())
        return nullptr;
    struct TEntry
    {
        QByteArray Icc;
        TSource Source;
        std::shared_ptr<const TColourConversion> Conversion;
    };
    static std::mutex mutex;
    static std::vector<TEntry> recent;
    {
        std::lock_guard<std::mutex> lock(mutex);
        for (const TEntry &e : recent)
            if (e.Source == source && e.Icc == icc)
                return e.Conversion;
    }
    auto conversion = Made(icc, source);
    std::lock_guard<std::mutex> lock(mutex);
    if (recent.size() >= 4)
        recent.erase(recent.begin());
    recent.push_back({icc, source, conversion});
    return conversion;
}

} // namespace

std::shared_ptr<const TColourConversion> TColourConversion::ToSrgb(const QByteArray &icc)
{
    return Cached(icc, TSource::Rgb);
}

std::shared_ptr<const TColourConversion> TColourConversion::CmykToSrgb(const QByteArray &icc,
                                                                       bool inverted)
{
    return Cached(icc, inverted ? TSource::AdobeCmyk : TSource::Cmyk);
}

void ConvertToSrgb(QImage &picture, const QByteArray &icc)
{
    const auto conversion = TColourConversion::ToSrgb(icc);
    if (!conversion || picture.isNull())
        return;
    if (picture.depth() != 32)
        picture = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                     : QImage::Format_RGB32);
    else if (picture.format() == QImage::Format_ARGB32_Premultiplied)
        picture = picture.convertToFormat(QImage::Format_ARGB32);
    conversion->Apply(picture.bits(), picture.width(), picture.height(), picture.bytesPerLine());
    picture.setColorSpace(QColorSpace(QColorSpace::SRgb));
}

QByteArray PngProfile(const TPngColourChunks &chunks)
{
    if (!chunks.Icc.isEmpty())
        return chunks.Icc;
    if (chunks.Srgb || (chunks.Gamma == 0 && !chunks.HasChromaticities))
        return QByteArray();
    // 1/2.2, written as 45454 or 45455.
    const bool srgbGamma = chunks.Gamma == 0 || std::abs(int(chunks.Gamma) - 45455) <= 1;
    if (srgbGamma && !chunks.HasChromaticities)
        return QByteArray();
    const QColorSpace srgb(QColorSpace::SRgb);
    QColorSpace space = srgb;
    if (chunks.HasChromaticities) {
        const auto point = [](const double (&p)[2]) { return QPointF(p[0], p[1]); };
        space = QColorSpace(point(chunks.White), point(chunks.Red), point(chunks.Green),
                            point(chunks.Blue), QColorSpace::TransferFunction::SRgb);
    }
    if (chunks.Gamma != 0 && !srgbGamma)
        space.setTransferFunction(QColorSpace::TransferFunction::Gamma,
                                  float(100000.0 / chunks.Gamma));
    if (!space.isValid() || space == srgb)
        return QByteArray();
    return space.iccProfile();
}
