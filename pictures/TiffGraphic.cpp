// SPDX-License-Identifier: GPL-3.0-or-later
#include "TiffGraphic.h"

#include "ColourProfiles.h"
#include "ExifOrientation.h"
#include "LargeBitmap.h"
#include "ReasonTexts.h"
#include "VelmoraError.h"

#include <QBuffer>
#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// libtiff's view of the file's bytes in memory.
struct TTiffSource
{
    QByteArray Bytes;
    toff_t At = 0;
    QString Error;
};

tmsize_t Read(thandle_t h, void *out, tmsize_t size)
{
    auto *s = static_cast<TTiffSource *>(h);
    const toff_t left = toff_t(s->Bytes.size()) - std::min(s->At, toff_t(s->Bytes.size()));
    const tmsize_t n = tmsize_t(std::min<toff_t>(left, toff_t(size)));
    std::memcpy(out, s->Bytes.constData() + s->At, size_t(n));
    s->At += toff_t(n);
    return n;
}

tmsize_t Write(thandle_t, void *, tmsize_t)
{
    return 0;
}

toff_t Seek(thandle_t h, toff_t offset, int whence)
{
    auto *s = static_cast<TTiffSource *>(h);
    const toff_t base = whence == SEEK_CUR ? s->At : whence == SEEK_END ? toff_t(s->Bytes.size()) : 0;
    s->At = base + offset;
    return s->At;
}

int Close(thandle_t)
{
    return 0;
}

toff_t Size(thandle_t h)
{
    return toff_t(static_cast<TTiffSource *>(h)->Bytes.size());
}

// The bytes are in memory already: libtiff reads them where they are.
int Map(thandle_t h, void **base, toff_t *size)
{
    auto *s = static_cast<TTiffSource *>(h);
    *base = s->Bytes.data();
    *size = toff_t(s->Bytes.size());
    return 1;
}

void Unmap(thandle_t, void *, toff_t) {}

int Error(TIFF *, void *user, const char *, const char *format, va_list args)
{
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    auto *s = static_cast<TTiffSource *>(user);
    if (s->Error.isEmpty())
        s->Error = QString::fromLocal8Bit(text);
    return 1;
}

int Quiet(TIFF *, void *, const char *, const char *, va_list)
{
    return 1;
}

struct TTiffCloser
{
    void operator()(TIFF *tif) const { TIFFClose(tif); }
};

} // namespace

TTiffGraphic::TTiffGraphic() : TQtImageGraphic("tiff", QStringLiteral("TIFF Image File")) {}

void TTiffGraphic::LoadFromStream(QIODevice &stream)
{
    TTiffSource source;
    source.Bytes = stream.readAll();
    std::unique_ptr<TIFFOpenOptions, void (*)(TIFFOpenOptions *)> options(TIFFOpenOptionsAlloc(),
                                                                        TIFFOpenOptionsFree);
    // No one allocation of libtiff's past what a picture's strip can need.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), 256 * 1024 * 1024);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), Error, &source);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), Quiet, nullptr);
    std::unique_ptr<TIFF, TTiffCloser> tif(TIFFClientOpenExt("picture", "r", &source, Read, Write,
                                                             Seek, Close, Size, Map, Unmap,
                                                             options.get()));
    if (!tif)
        throw EVelmoraError(ReasonText(NotThisKindReason).arg(QStringLiteral("TIFF")));
    uint32_t width = 0, height = 0;
    uint16_t bits = 8, orientation = ORIENTATION_TOPLEFT;
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_ORIENTATION, &orientation);
    if (width == 0 || height == 0)
        throw EVelmoraError(ReasonText(NotThisKindReason).arg(QStringLiteral("TIFF")));
    if (!PictureSizeAllowed(width, height))
        throw EVelmoraError(QStringLiteral("Picture too large"));
    // Every piece of the picture must be in the file: a reader would
    // otherwise place what it could read of a tile and leave the rest.
    const uint32_t pieces = TIFFIsTiled(tif.get()) ? TIFFNumberOfTiles(tif.get())
                                                   : TIFFNumberOfStrips(tif.get());
    for (uint32_t i = 0; i < pieces; ++i) {
        const uint64_t at = TIFFGetStrileOffset(tif.get(), i);
        const uint64_t bytes = TIFFGetStrileByteCount(tif.get(), i);
        if (at > uint64_t(source.Bytes.size()) || bytes > uint64_t(source.Bytes.size()) - at)
            throw EVelmoraError(
                QStringLiteral("TIFF error: part of the picture lies past the end of the file"));
    }
    // LogLuv colours are 16 bits or more a sample by their nature; a file
    // that says 8 is damaged, and Qt would show its bytes as plain colour.
    uint16_t photometric = 0;
    TIFFGetField(tif.get(), TIFFTAG_PHOTOMETRIC, &photometric);
    const bool logLuv = photometric == PHOTOMETRIC_LOGLUV || photometric == PHOTOMETRIC_LOGL;
    if (logLuv && bits <= 8)
        throw EVelmoraError(QStringLiteral("TIFF error: LogLuv colours cannot have %1 bits a sample")
                                .arg(bits));
    uint32_t profileLength = 0;
    void *profileData = nullptr;
    const QByteArray icc =
        TIFFGetField(tif.get(), TIFFTAG_ICCPROFILE, &profileLength, &profileData) && profileData
            ? QByteArray(static_cast<const char *>(profileData), qsizetype(profileLength))
            : QByteArray();
    if (!TIFFIsTiled(tif.get()) && bits <= 8) {
        // What Qt reads well it reads as it always has.
        tif.reset();
        QBuffer buffer(&source.Bytes);
        buffer.open(QIODevice::ReadOnly);
        Load(buffer, icc);
        return;
    }
    char why[1024] = "";
    if (!TIFFRGBAImageOK(tif.get(), why))
        throw EVelmoraError(QStringLiteral("TIFF error: %1").arg(QString::fromLocal8Bit(why)));
    QImage image = AllocateBitmap(int(width), int(height), QImage::Format_ARGB32);
    if (image.isNull())
        throw EVelmoraError(QStringLiteral("Out of memory"));
    // Asked in the file's own orientation, the rows come as stored; they
    // are turned upright below, as a JPEG's are.
    if (orientation < 1 || orientation > 8)
        orientation = ORIENTATION_TOPLEFT;
    if (!TIFFReadRGBAImageOriented(tif.get(), width, height,
                                   reinterpret_cast<uint32_t *>(image.bits()), orientation, 1))
        throw EVelmoraError(QStringLiteral("TIFF error: %1")
                                .arg(source.Error.isEmpty() ? QStringLiteral("the data does not read")
                                                            : source.Error));
    // libtiff packs red in the low byte; QImage keeps blue there.
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<uint32_t *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const uint32_t p = row[x];
            row[x] = (p & 0xFF00FF00u) | ((p & 0xFFu) << 16) | ((p >> 16) & 0xFFu);
        }
    }
    ConvertToSrgb(image, icc);
    SetPicture(Upright(image, orientation));
}
