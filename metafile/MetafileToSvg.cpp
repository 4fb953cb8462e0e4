// SPDX-License-Identifier: GPL-3.0-or-later
#include "MetafileToSvg.h"

#include <QtEndian>
#include <cmath>
#include <cstdlib>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace {

// Largest picture the program will place; see Graphic.h.
const double MaxPixels = 100000000;
const double MaxSide = 32767;

uint32_t ReadU32(const QByteArray &d, int at)
{
    return qFromLittleEndian<quint32>(d.constData() + at);
}

int32_t ReadS32(const QByteArray &d, int at)
{
    return qFromLittleEndian<qint32>(d.constData() + at);
}

uint16_t ReadU16(const QByteArray &d, int at)
{
    return qFromLittleEndian<quint16>(d.constData() + at);
}

[[noreturn]] void Invalid()
{
    throw std::runtime_error("Metafile is not valid");
}

void CheckSize(double w, double h)
{
    if (!(w >= 1 && h >= 1 && w <= MaxSide && h <= MaxSide && w * h <= MaxPixels))
        Invalid();
}

// libwmf's API object, destroyed on every way out.
struct WmfApi
{
    wmfAPI *api = nullptr;
    ~WmfApi()
    {
        if (api)
            wmf_api_destroy(api);
    }
};

QByteArray WmfToSvg(const QByteArray &data, double dpi, int &width, int &height)
{
    WmfApi w;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&w.api, flags, &options) != wmf_E_None)
        Invalid();
    // libwmf reads the buffer only, whatever its signature says.
    QByteArray copy = data;
    if (wmf_mem_open(w.api, reinterpret_cast<unsigned char *>(copy.data()), long(copy.size())) !=
        wmf_E_None)
        Invalid();
    wmfD_Rect bbox{};
    if (wmf_scan(w.api, 0, &bbox) != wmf_E_None)
        Invalid();
    unsigned int dw = 0;
    unsigned int dh = 0;
    if (wmf_display_size(w.api, &dw, &dh, dpi, dpi) != wmf_E_None)
        Invalid();
    CheckSize(dw, dh);
    width = int(dw);
    height = int(dh);

    wmf_svg_t *svg = WMF_SVG_GetData(w.api);
    svg->out = wmf_stream_create(w.api, nullptr);
    if (!svg->out)
        Invalid();
    svg->Description = const_cast<char *>("Velmora");
    svg->bbox = bbox;
    svg->width = dw;
    svg->height = dh;
    const wmf_error_t played = wmf_play(w.api, 0, &bbox);
    char *buffer = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(w.api, svg->out, &buffer, &length);
    QByteArray out;
    if (buffer) {
        out = QByteArray(buffer, int(length));
        wmf_free(w.api, buffer);
    }
    if (played != wmf_E_None || out.isEmpty())
        Invalid();
    return out;
}

QByteArray EmfToSvg(const QByteArray &data, double dpi, int &width, int &height)
{
    if (data.size() < 88 || ReadU32(data, 4) < 88 || ReadU32(data, 4) > uint32_t(data.size()))
        Invalid();
    // The frame, in hundredths of a millimetre, inclusive; the bounds in
    // reference device pixels when a writer left the frame empty.
    double w = double(ReadS32(data, 32)) - ReadS32(data, 24);
    double h = double(ReadS32(data, 36)) - ReadS32(data, 28);
    if (w > 0 && h > 0) {
        w = w / 2540.0 * dpi;
        h = h / 2540.0 * dpi;
    } else {
        w = double(ReadS32(data, 16)) - ReadS32(data, 8) + 1;
        h = double(ReadS32(data, 20)) - ReadS32(data, 12) + 1;
    }
    CheckSize(w, h);
    width = int(std::nearbyint(w));
    height = int(std::nearbyint(h));
    CheckSize(width, height);

    QByteArray copy = data;
    generatorOptions options{};
    options.nameSpace = const_cast<char *>("svg");
    options.svgDelimiter = true;
    options.emfplus = true;
    options.imgWidth = width;
    options.imgHeight = height;
    char *svg = nullptr;
    size_t length = 0;
    const int ok = emf2svg(copy.data(), size_t(copy.size()), &svg, &length, &options);
    QByteArray out;
    if (svg) {
        out = QByteArray(svg, qsizetype(length));
        std::free(svg);
    }
    if (!ok || out.isEmpty())
        Invalid();
    return out;
}

} // namespace

MetafileFormat DetectMetafile(const QByteArray &data)
{
    if (data.size() >= 22 && ReadU32(data, 0) == 0x9AC6CDD7u)
        return MetafileFormat::Windows; // placeable
    if (data.size() >= 18 && (ReadU16(data, 0) == 1 || ReadU16(data, 0) == 2) &&
        ReadU16(data, 2) == 9 && (ReadU16(data, 4) == 0x0100 || ReadU16(data, 4) == 0x0300))
        return MetafileFormat::Windows;
    if (data.size() >= 88 && ReadU32(data, 0) == 1 && ReadU32(data, 40) == 0x464D4520u)
        return MetafileFormat::Enhanced;
    return MetafileFormat::None;
}

TMetafileSvg MetafileToSvg(const QByteArray &data, double dpi)
{
    TMetafileSvg r;
    r.Format = DetectMetafile(data);
    if (r.Format == MetafileFormat::Enhanced)
        r.Svg = EmfToSvg(data, dpi, r.Width, r.Height);
    else if (r.Format == MetafileFormat::Windows)
        r.Svg = WmfToSvg(data, dpi, r.Width, r.Height);
    else
        Invalid();
    return r;
}
