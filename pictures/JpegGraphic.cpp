// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegGraphic.h"

#include "ColourProfiles.h"
#include "ExifOrientation.h"
#include "JpegDecodeJob.h"
#include "LargeBitmap.h"
#include "VelmoraError.h"

#include <QIODevice>
#include <QPainter>
#include <QThread>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace {

// A progressive file may have any number of scans; real ones have a dozen.
const int MaxScans = 500;

struct ErrorManager
{
    jpeg_error_mgr pub;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    qint64 maxScanPixels;
    int scans;
};

// The progress manager first, so libjpeg's pointer to it leads back here.
struct ProgressManager
{
    jpeg_progress_mgr pub;
    ErrorManager *errors;
};

[[noreturn]] void Stop(j_common_ptr cinfo, const char *why)
{
    auto *e = reinterpret_cast<ErrorManager *>(cinfo->err);
    std::snprintf(e->message, sizeof e->message, "%s", why);
    std::longjmp(e->jump, 1);
}

void ErrorExit(j_common_ptr cinfo)
{
    auto *e = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, e->message);
    std::longjmp(e->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return; // trace messages
    // Data that ends early, with or without an end marker after it: the
    // rest would come out flat grey, so there is no point going on. Other
    // warnings (stray bytes before a marker) are harmless.
    const int code = cinfo->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)
        Stop(cinfo, "Premature end of JPEG data");
    cinfo->err->num_warnings++;
}

void ProgressMonitor(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor)
        return;
    auto *d = reinterpret_cast<j_decompress_ptr>(cinfo);
    auto *e = reinterpret_cast<ErrorManager *>(cinfo->err);
    e->scans = std::max(e->scans, d->input_scan_number);
    const qint64 pixels = qint64(d->image_width) * d->image_height;
    if (d->input_scan_number > MaxScans || qint64(d->input_scan_number) * pixels > e->maxScanPixels)
        Stop(cinfo, "Too many scans for the picture's size");
}

// Whether every coefficient of every component has been read to its last
// bit; a progressive file cut short, or missing scans, has not.
bool ProgressionComplete(j_decompress_ptr cinfo)
{
    if (!cinfo->progressive_mode || !cinfo->coef_bits)
        return true;
    for (int c = 0; c < cinfo->num_components; ++c)
        for (int k = 0; k < DCTSIZE2; ++k)
            if (cinfo->coef_bits[c][k] != 0)
                return false;
    return true;
}

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
const J_COLOR_SPACE Rgb32Space = JCS_EXT_BGRA;
#else
const J_COLOR_SPACE Rgb32Space = JCS_EXT_ARGB;
#endif

uint32_t CmykToRgb(const JSAMPLE *p, bool inverted)
{
    // Adobe writes CMYK inverted; others write it plain.
    int c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    return 0xFF000000u | uint32_t(c * k / 255) << 16 | uint32_t(m * k / 255) << 8 |
           uint32_t(y * k / 255);
}

// Beyond the picture's own bitmap a picture may take 256 MB while it loads:
// the file's bytes, libjpeg's coefficients and its smaller buffers.
constexpr qint64 PromisedDecoderBytes = qint64(256) << 20;
constexpr qint64 DecoderOverheadBytes = qint64(8) << 20;

// setjmp lives here, where every local after it is plain data, so a
// longjmp from libjpeg skips no destructor. Returns false with the error's
// text in e->message.
bool DecodeInto(jpeg_decompress_struct *cinfo, ErrorManager *e, ProgressManager *progress,
                long maxMemory, const TJpegLimits *limits, const QByteArray *data,
                const TColourConversion *toSrgb, const TColourConversion *cmykToSrgb, QImage *out,
                int *rows)
{
    if (setjmp(e->jump)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    jpeg_create_decompress(cinfo);
    cinfo->mem->max_memory_to_use = maxMemory;
    cinfo->progress = &progress->pub;
    jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char *>(data->constData()),
                 static_cast<unsigned long>(data->size()));
    jpeg_read_header(cinfo, TRUE);
    if (!PictureSizeAllowed(cinfo->image_width, cinfo->image_height)) {
        std::snprintf(e->message, sizeof e->message, "Picture too large");
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    if (limits->BaselineOnly && jpeg_has_multiple_scans(cinfo)) {
        std::snprintf(e->message, sizeof e->message, "Progressive file");
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    cinfo->scale_num = 1;
    cinfo->scale_denom = unsigned(std::max(1, limits->ScaleDenominator));
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : Rgb32Space;
    jpeg_start_decompress(cinfo);
    // A progressive file has been read whole by now, before its bitmap
    // exists.
    if (!ProgressionComplete(cinfo)) {
        std::snprintf(e->message, sizeof e->message, "Premature end of JPEG data");
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    uchar *base = limits->Into;
    qsizetype bytesPerLine = limits->IntoBytesPerLine;
    if (base) {
        if (limits->IntoSize != QSize(int(cinfo->output_width), int(cinfo->output_height))) {
            std::snprintf(e->message, sizeof e->message, "The picture changed its size");
            jpeg_destroy_decompress(cinfo);
            return false;
        }
    } else {
        *out = AllocateBitmap(int(cinfo->output_width), int(cinfo->output_height),
                              QImage::Format_RGB32);
        if (out->isNull()) {
            std::snprintf(e->message, sizeof e->message, "Out of memory");
            jpeg_destroy_decompress(cinfo);
            return false;
        }
        base = out->bits();
        bytesPerLine = out->bytesPerLine();
    }
    JSAMPARRAY cmykRow = nullptr;
    if (cmyk)
        cmykRow = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                              cinfo->output_width * 4, 1);
    // Whole groups of rows per call let libjpeg upsample and convert colours
    // straight into the bitmap instead of row by row through its own buffer.
    const int groupLimit = 32;
    JSAMPROW group[groupLimit];
    // Only the rows asked for: those before are skipped (entropy-decoded
    // only), those after not read at all.
    const int endRow = limits->Into && limits->ToRow >= 0
                           ? std::min(limits->ToRow, int(cinfo->output_height))
                           : int(cinfo->output_height);
#if defined(LIBJPEG_TURBO_VERSION_NUMBER) && LIBJPEG_TURBO_VERSION_NUMBER >= 1005000
    if (limits->Into && limits->FromRow > 0)
        jpeg_skip_scanlines(cinfo, JDIMENSION(std::min(limits->FromRow, endRow)));
#endif
    while (int(cinfo->output_scanline) < endRow) {
        *rows = int(cinfo->output_scanline);
        const int y = int(cinfo->output_scanline);
        if (limits->Stop && limits->Stop->load(std::memory_order_relaxed))
            Stop(reinterpret_cast<j_common_ptr>(cinfo), "Stopped");
        if (!cmyk) {
            const int count = std::min<int>(groupLimit, endRow - y);
            for (int i = 0; i < count; ++i)
                group[i] = base + qsizetype(y + i) * bytesPerLine;
            const int read = int(jpeg_read_scanlines(cinfo, group, JDIMENSION(count)));
            // Converted while the rows are still in the cache, and by
            // whichever thread decodes them.
            if (toSrgb)
                toSrgb->Apply(group[0], int(cinfo->output_width), read, bytesPerLine);
        } else {
            jpeg_read_scanlines(cinfo, cmykRow, 1);
            uchar *row = base + qsizetype(y) * bytesPerLine;
            if (cmykToSrgb) {
                cmykToSrgb->ApplyCmyk(cmykRow[0], row, int(cinfo->output_width));
            } else {
                auto *dst = reinterpret_cast<uint32_t *>(row);
                for (JDIMENSION x = 0; x < cinfo->output_width; ++x)
                    dst[x] = CmykToRgb(cmykRow[0] + 4 * x, cinfo->saw_Adobe_marker);
            }
        }
    }
    *rows = int(cinfo->output_scanline);
    if (endRow < int(cinfo->output_height))
        jpeg_abort_decompress(cinfo);
    else
        jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray &data, const TJpegLimits &limits, TJpegProgress *progress)
{
    if (data.isEmpty())
        throw EVelmoraError(QStringLiteral("JPEG image is empty"));
    jpeg_decompress_struct cinfo{};
    ErrorManager e{};
    e.maxScanPixels = limits.MaxScanPixels;
    ProgressManager monitor{};
    monitor.pub.progress_monitor = ProgressMonitor;
    monitor.errors = &e;
    cinfo.err = jpeg_std_error(&e.pub);
    e.pub.error_exit = ErrorExit;
    e.pub.emit_message = EmitMessage;
    // The profile's conversion, made before libjpeg may jump.
    TJpegPassthrough header;
    ReadJpegHeader(data, header);
    const auto toSrgb = TColourConversion::ToSrgb(header.Icc);
    const auto cmykToSrgb = header.Components == 4
                                ? TColourConversion::CmykToSrgb(header.Icc, header.AdobeInk)
                                : nullptr;
    QImage image;
    int rows = 0;
    const long promised = long(PromisedDecoderBytes - data.size() - DecoderOverheadBytes);
    const long cap = limits.MaxDecoderMemory >= 0 ? limits.MaxDecoderMemory : promised;
    const bool ok =
        DecodeInto(&cinfo, &e, &monitor, std::max(cap, 0L), &limits, &data, toSrgb.get(),
                   cmykToSrgb.get(), &image, &rows);
    if (progress) {
        progress->Scans = e.scans;
        progress->Rows = rows;
    }
    if (!ok && (e.pub.msg_code == JERR_OUT_OF_MEMORY || e.pub.msg_code == JERR_NO_BACKING_STORE))
        throw EVelmoraError(
            QStringLiteral("The JPEG file needs more memory to decode than a picture of its size "
                           "is given (%1 MB at most): it is refused.")
                .arg(std::max(cap, 0L) / (1024 * 1024)));
    if (!ok)
        throw EVelmoraError(
            QStringLiteral("JPEG error: %1").arg(QString::fromLocal8Bit(e.message)));
    return image;
}

namespace {

// The size a JPEG file declares, or an empty size when it does not read.
TJpegPassthrough DeclaredHeader(const QByteArray &data)
{
    TJpegPassthrough info;
    ReadJpegHeader(data, info);
    return info;
}

} // namespace

void TJpegGraphic::LoadFromStream(QIODevice &stream)
{
    const QByteArray data = stream.readAll();
    m_pending.reset();
    m_half = QImage();
    // A camera stores a portrait photograph lying on its side and says so
    // in its EXIF data: the picture is placed the way it was taken.
    const int orientation = JpegExifOrientation(data);
    const TJpegPassthrough header = DeclaredHeader(data);
    const QSize declared(header.Width, header.Height);
    int denominator = 8;
    while (denominator > 1 &&
           std::max(declared.width(), declared.height()) / denominator < ShownFirstSide)
        denominator /= 2;
    if (data.size() <= (1 << 20) || denominator == 1 ||
        !PictureSizeAllowed(declared.width(), declared.height())) {
        m_image = Upright(DecodeJpeg(data), orientation);
        Changed();
        return;
    }
    const bool turned = orientation >= 5; // a quarter turn exchanges the sides
    m_image = AllocateBitmap(turned ? declared.height() : declared.width(),
                             turned ? declared.width() : declared.height(), QImage::Format_RGB32);
    if (m_image.isNull())
        throw EVelmoraError(QStringLiteral("Out of memory"));
    // With a second core the full decode starts first and ends about when a
    // plain decode would; on a single core it starts once the smaller copy
    // is there, so as not to hold up what is shown first.
    const bool alongside = QThread::idealThreadCount() >= 2;
    const auto job =
        TJpegDecodeJob::Make(data, m_image, orientation, alongside && !header.Progressive);
    if (alongside)
        job->Start();
    try {
        // The small decode reads the whole file: what does not decode is
        // refused here, before anything is placed.
        TJpegLimits small;
        small.ScaleDenominator = denominator;
        m_half = Upright(DecodeJpeg(data, small), orientation);
    } catch (...) {
        job->Stop();
        m_image = QImage();
        throw;
    }
    job->SetReduced(m_half);
    if (alongside)
        job->ShareTheWork();
    else
        job->Start();
    m_pending = job;
    Changed();
}

TJpegGraphic::~TJpegGraphic()
{
    // A picture loaded and let go (a preview, a refused file) leaves no
    // decoding behind.
    if (m_pending && !m_handedOut)
        m_pending->Stop();
}

QImage TJpegGraphic::ToBitmap() const
{
    if (m_pending)
        m_pending->Wait();
    return m_image;
}

void TJpegGraphic::Draw(QPainter &canvas, const QRect &rect) const
{
    if (m_pending && !m_pending->IsWhole()) {
        canvas.save();
        canvas.setRenderHint(QPainter::SmoothPixmapTransform, true);
        canvas.drawImage(rect, m_half);
        canvas.restore();
        return;
    }
    canvas.drawImage(rect, m_image);
}

namespace {

// As DecodeInto: setjmp where a longjmp skips no destructor.
// The profile comes out in memory of libjpeg's, freed by the caller.
bool ReadHeaderInto(jpeg_decompress_struct *cinfo, ErrorManager *e, const QByteArray *data,
                    TJpegPassthrough *info, JOCTET **icc, unsigned *iccLength)
{
    if (setjmp(e->jump)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char *>(data->constData()),
                 static_cast<unsigned long>(data->size()));
    jpeg_save_markers(cinfo, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(cinfo, TRUE);
    if (!jpeg_read_icc_profile(cinfo, icc, iccLength)) {
        *icc = nullptr;
        *iccLength = 0;
    }
    const bool cmyk = cinfo->num_components == 4 && (cinfo->jpeg_color_space == JCS_CMYK ||
                                                      cinfo->jpeg_color_space == JCS_YCCK);
    const bool plain = cinfo->data_precision == 8 && !cinfo->arith_code &&
                       ((cinfo->num_components == 1 && cinfo->jpeg_color_space == JCS_GRAYSCALE) ||
                        (cinfo->num_components == 3 && cinfo->jpeg_color_space == JCS_YCbCr) ||
                        (cmyk && *icc));
    info->Width = int(cinfo->image_width);
    info->Height = int(cinfo->image_height);
    info->Components = cinfo->num_components;
    info->Progressive = jpeg_has_multiple_scans(cinfo);
    info->AdobeInk = cinfo->saw_Adobe_marker;
    jpeg_destroy_decompress(cinfo);
    return plain;
}

} // namespace

bool ReadJpegHeader(const QByteArray &data, TJpegPassthrough &info)
{
    if (data.size() < 4)
        return false;
    jpeg_decompress_struct cinfo{};
    ErrorManager e{};
    cinfo.err = jpeg_std_error(&e.pub);
    e.pub.error_exit = ErrorExit;
    e.pub.emit_message = [](j_common_ptr, int) {};
    JOCTET *icc = nullptr;
    unsigned iccLength = 0;
    const bool plain = ReadHeaderInto(&cinfo, &e, &data, &info, &icc, &iccLength);
    info.Icc = icc ? QByteArray(reinterpret_cast<const char *>(icc), qsizetype(iccLength))
                   : QByteArray();
    std::free(icc);
    return plain && info.Width > 0 && info.Height > 0;
}

bool JpegPassthroughInfo(const QByteArray &data, TJpegPassthrough &info)
{
    return JpegExifOrientation(data) == 1 && ReadJpegHeader(data, info);
}
