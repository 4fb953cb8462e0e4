// SPDX-License-Identifier: GPL-3.0-or-later
#include "PngGraphic.h"

#include "ColourProfiles.h"
#include "ExifOrientation.h"
#include "LargeBitmap.h"
#include "ReasonTexts.h"
#include "VelmoraError.h"

#include <QIODevice>
#include <png.h>

#include <algorithm>
#include <cstring>

namespace {

// Everything the decoding touches lives here, outside the frame that
// setjmp returns to, so that nothing is lost or left half-built when libpng
// jumps back from an error.
struct TPngRead
{
    QByteArray Bytes;
    size_t At = 0;
    QString Error;
    bool HeaderRead = false;
    bool Interlaced = false;
    bool RowsDone = false;
    png_uint_32 Height = 0;
    TPngColourChunks Colour;
    QImage Image;
    png_structp Png = nullptr;
    png_infop Info = nullptr;

    ~TPngRead() { png_destroy_read_struct(&Png, &Info, nullptr); }
};

void Fail(png_structp png, png_const_charp message)
{
    auto *r = static_cast<TPngRead *>(png_get_error_ptr(png));
    r->Error = QString::fromLatin1(message);
    png_longjmp(png, 1);
}

void Warn(png_structp, png_const_charp) {}

// The header is read: every kind becomes eight bits a channel, blue first
// as QImage keeps 32-bit pixels in memory, so that a 16-bit picture takes
// no more than any; the bitmap is made.
void HeaderRead(png_structp png, png_infop info)
{
    auto *r = static_cast<TPngRead *>(png_get_progressive_ptr(png));
    r->HeaderRead = true;
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (!PictureSizeAllowed(width, height)) {
        r->Error = QStringLiteral("Picture too large");
        png_longjmp(png, 1);
    }
    // What the colours mean, kept as libpng reads it (before any chunk
    // after the header could be mistaken for it).
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 profileLength = 0;
    if (png_get_iCCP(png, info, &name, &compression, &profile, &profileLength) && profile)
        r->Colour.Icc = QByteArray(reinterpret_cast<const char *>(profile), qsizetype(profileLength));
    int intent = 0;
    r->Colour.Srgb = png_get_sRGB(png, info, &intent) != 0;
    png_fixed_point gamma = 0;
    if (png_get_gAMA_fixed(png, info, &gamma) && gamma > 0)
        r->Colour.Gamma = quint32(gamma);
    TPngColourChunks &c = r->Colour;
    c.HasChromaticities = png_get_cHRM(png, info, &c.White[0], &c.White[1], &c.Red[0], &c.Red[1],
                                       &c.Green[0], &c.Green[1], &c.Blue[0], &c.Blue[1]) != 0;
    const int type = png_get_color_type(png, info);
    const bool alpha = (type & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    png_set_strip_16(png);
    png_set_packing(png);
    if (type == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (type == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!alpha)
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    r->Interlaced = png_set_interlace_handling(png) > 1;
    png_read_update_info(png, info);
    r->Height = height;
    r->Image = AllocateBitmap(int(width), int(height),
                              alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (r->Image.isNull()) {
        r->Error = QStringLiteral("Out of memory");
        png_longjmp(png, 1);
    }
}

void RowRead(png_structp png, png_bytep row, png_uint_32 number, int)
{
    auto *r = static_cast<TPngRead *>(png_get_progressive_ptr(png));
    if (!row || number >= r->Height)
        return;
    png_progressive_combine_row(png, r->Image.scanLine(int(number)), row);
    // The last row of a picture stored row by row ends it.
    if (!r->Interlaced && number + 1 == r->Height)
        r->RowsDone = true;
}

void PictureRead(png_structp png, png_infop)
{
    static_cast<TPngRead *>(png_get_progressive_ptr(png))->RowsDone = true;
}

// Feeds the file to libpng a piece at a time until the picture's rows are
// complete; false with r.Error set. Only plain values live in this frame:
// libpng may jump back into it.
bool Decode(TPngRead &r)
{
    if (setjmp(png_jmpbuf(r.Png)))
        return false;
    // The program's own limit decides, with its own words, in HeaderRead.
    png_set_user_limits(r.Png, 0x7FFFFFFF, 0x7FFFFFFF);
    // Text and profile chunks are never needed whole.
    png_set_chunk_malloc_max(r.Png, 16 * 1024 * 1024);
    png_set_progressive_read_fn(r.Png, &r, HeaderRead, RowRead, PictureRead);
    // Nothing after the piece that holds the picture's last row is fed:
    // data that runs on past it (a gigabyte of rows that do not exist) is
    // never inflated. libpng inflates a piece whole, so pieces are small.
    const size_t piece = 16 * 1024;
    while (!r.RowsDone && r.At < size_t(r.Bytes.size())) {
        const size_t n = std::min(piece, size_t(r.Bytes.size()) - r.At);
        png_process_data(r.Png, r.Info,
                         reinterpret_cast<png_bytep>(r.Bytes.data()) + r.At, n);
        r.At += n;
    }
    if (!r.RowsDone) {
        r.Error = QStringLiteral("the file ends before the picture does");
        return false;
    }
    return true;
}

} // namespace

void TPngGraphic::LoadFromStream(QIODevice &stream)
{
    TPngRead r;
    r.Bytes = stream.readAll();
    if (!r.Bytes.startsWith("\x89PNG\r\n\x1A\n"))
        throw EVelmoraError(ReasonText(NotThisKindReason).arg(QStringLiteral("PNG")));
    r.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &r, Fail, Warn);
    r.Info = r.Png ? png_create_info_struct(r.Png) : nullptr;
    if (!r.Info)
        throw EVelmoraError(QStringLiteral("Out of memory"));
    if (!Decode(r)) {
        if (!r.HeaderRead)
            throw EVelmoraError(ReasonText(NotThisKindReason).arg(QStringLiteral("PNG")));
        throw EVelmoraError(r.Error == QLatin1String("Picture too large") ||
                                    r.Error == QLatin1String("Out of memory")
                                ? r.Error
                                : QStringLiteral("PNG error: %1").arg(r.Error));
    }
    ConvertToSrgb(r.Image, PngProfile(r.Colour));
    const int orientation = PngExifOrientation(r.Bytes);
    SetImage(orientation != 1 ? Upright(r.Image, orientation) : r.Image);
}

QImage TPngGraphic::ToBitmap() const
{
    // Transparent parts on white, as every kind's are.
    return Image().hasAlphaChannel() ? TGraphic::ToBitmap() : Image();
}
