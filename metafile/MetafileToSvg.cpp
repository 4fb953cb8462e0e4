// SPDX-License-Identifier: GPL-3.0-or-later
#include "MetafileToSvg.h"

#include "ClipArtMending.h"

#include <QRegularExpression>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <vector>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace {

// Largest picture the program will place; see Graphic.h.
const double MaxPixels = 100000000;
const double MaxSide = 32767;

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

QByteArray WmfToSvg(const QByteArray &given, double dpi, int &width, int &height)
{
    // A picture scaled by its window alone keeps the window's aspect, as a
    // placeable one keeps its frame's.
    QByteArray source = given;
    if (ReadU32(given, 0) != 0x9AC6CDD7u && given.size() >= 18) {
        const QByteArray framed =
            WithWindowFrame(given, ScanWmf(given, 2 * ReadU16(given, 2)));
        if (!framed.isEmpty())
            source = framed;
    }
    const bool placeable = ReadU32(source, 0) == 0x9AC6CDD7u;
    const int headerAt = placeable ? 22 : 0;
    if (source.size() < headerAt + 18)
        Invalid();
    const int recordsAt = headerAt + 2 * ReadU16(source, headerAt + 2);
    const TWmfFacts facts = ScanWmf(source, recordsAt);
    const bool frameViewport = placeable && facts.MapModeEnd >= 0 && !facts.HasViewportExt &&
                               ReadU16(source, 14) > 0 && ReadS32(source, 6) == 0 &&
                               qFromLittleEndian<qint16>(source.constData() + 10) > 0 &&
                               qFromLittleEndian<qint16>(source.constData() + 12) > 0;
    const QByteArray data = frameViewport ? WithFrameViewport(source, facts, headerAt) : source;
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
    // A placeable metafile says where its picture is: its frame, margins
    // included, not just the box around what it draws.
    if (ReadU32(data, 0) == 0x9AC6CDD7u) {
        const auto s16 = [&](int at) {
            return double(qFromLittleEndian<qint16>(data.constData() + at));
        };
        // libwmf works in points; the frame is in the header's units.
        const double unitsPerInch = ReadU16(data, 14);
        const double left = s16(6), top = s16(8), right = s16(10), bottom = s16(12);
        if (unitsPerInch > 0 && right > left && bottom > top) {
            const double toPoints = 72.0 / unitsPerInch;
            bbox.TL.x = float(left * toPoints);
            bbox.TL.y = float(top * toPoints);
            bbox.BR.x = float(right * toPoints);
            bbox.BR.y = float(bottom * toPoints);
        }
    }
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
    // Bitmaps in the picture (STRETCHDIB, DIBSTRETCHBLT) go into the SVG
    // as images of its own; without this they are left out.
    svg->flags |= WMF_SVG_INLINE_IMAGES;
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
    out = MendWmfSvg(out, facts);
    if (frameViewport) {
        // The viewport was given in the header's units; libwmf took them as points.
        const qsizetype content = out.indexOf('>', out.indexOf("<svg")) + 1;
        const qsizetype end = out.lastIndexOf("</svg>");
        if (content <= 0 || end < content)
            Invalid();
        const double scale = 72.0 / ReadU16(source, 14);
        out = out.left(content) + "<g transform=\"scale(" + QByteArray::number(scale, 'g', 10) +
              ")\">" + out.mid(content, end - content) + "</g>" + out.mid(end);
    }
    return out;
}

// Pens as libemf2svg draws them: a pen made by CREATEPEN is always one
// pixel wide, whatever its width, and a geometric pen's width misses the
// mapping mode's scale. So each pen's width is replaced by a marker number
// that the library passes through (times its own scaling), and the markers
// in the SVG by the true widths.
struct TPenMarks
{
    std::map<quint32, double> Widths; // marker -> width in the SVG's pixels
    double Scaling = 1;               // the library's own, from the header
};

struct TMapping
{
    quint32 Mode = 1; // MM_TEXT
    double WindowX = 1;
    double ViewportX = 1;
};

// Logical units to device pixels along x, as the library maps points.
double MappingScale(const TMapping &m, double pxPerMm)
{
    switch (m.Mode) {
    case 2: // MM_LOMETRIC
        return pxPerMm * 0.1;
    case 3: // MM_HIMETRIC
        return pxPerMm * 0.01;
    case 4: // MM_LOENGLISH
        return pxPerMm * 0.254;
    case 5: // MM_HIENGLISH
        return pxPerMm * 0.0254;
    case 6: // MM_TWIPS
        return pxPerMm * 25.4 / 1440;
    case 7: // MM_ISOTROPIC
    case 8: // MM_ANISOTROPIC
        return m.WindowX != 0 ? std::fabs(m.ViewportX / m.WindowX) : 1;
    default:
        return 1;
    }
}

QByteArray MarkPens(const QByteArray &emf, TPenMarks &marks)
{
    QByteArray out = emf;
    const int size = int(emf.size());
    const double devicePx = ReadS32(emf, 72);
    const double deviceMm = ReadS32(emf, 80);
    const double pxPerMm = deviceMm > 0 && devicePx > 0 ? devicePx / deviceMm : 96 / 25.4;
    TMapping mapping;
    std::vector<TMapping> saved;
    quint32 nextMarker = 1000000;
    auto mark = [&](int at, double logicalWidth) {
        const quint32 marker = nextMarker++;
        marks.Widths[marker] = logicalWidth * MappingScale(mapping, pxPerMm);
        qToLittleEndian<quint32>(marker, out.data() + at);
    };
    for (int at = 0; at + 8 <= size;) {
        const quint32 type = ReadU32(emf, at);
        const quint32 length = ReadU32(emf, at + 4);
        if (length < 8 || length % 4 != 0 || quint64(at) + length > quint64(size))
            break;
        switch (type) {
        case 17: // SETMAPMODE
            if (length >= 12)
                mapping.Mode = ReadU32(emf, at + 8);
            break;
        case 9: // SETWINDOWEXTEX
            if (length >= 16)
                mapping.WindowX = ReadS32(emf, at + 8);
            break;
        case 11: // SETVIEWPORTEXTEX
            if (length >= 16)
                mapping.ViewportX = ReadS32(emf, at + 8);
            break;
        case 33: // SAVEDC
            saved.push_back(mapping);
            break;
        case 34: // RESTOREDC, relative to the last saved
            if (length >= 12) {
                const qint32 back = ReadS32(emf, at + 8);
                if (back < 0 && size_t(-qint64(back)) <= saved.size()) {
                    mapping = saved[saved.size() - size_t(-qint64(back))];
                    saved.resize(saved.size() - size_t(-qint64(back)));
                }
            }
            break;
        case 38: // CREATEPEN: style, width.x
            if (length >= 28) {
                const quint32 style = ReadU32(emf, at + 12);
                const qint32 w = ReadS32(emf, at + 16);
                if (w > 1 && (style & 0xFF) != 5) { // wider than a pixel, not PS_NULL
                    qToLittleEndian<quint32>(style | 0x10000, out.data() + at + 12);
                    mark(at + 16, w);
                }
            }
            break;
        case 95: // EXTCREATEPEN: style, width
            if (length >= 52) {
                const quint32 style = ReadU32(emf, at + 28);
                const quint32 w = ReadU32(emf, at + 32);
                if ((style & 0xF0000) == 0x10000 && w > 0 && w < 1000000)
                    mark(at + 32, w);
            }
            break;
        default:
            break;
        }
        at += int(length);
    }
    return out;
}

// Every number of a stroke width or dash pattern that is a marker times the
// library's scaling (dashes: five times) becomes the true width so scaled.
QByteArray UnmarkPens(const QByteArray &svg, const TPenMarks &marks)
{
    if (marks.Widths.empty())
        return svg;
    static const QRegularExpression attribute(
        QStringLiteral("(stroke-width|stroke-dasharray)=\"([^\"]*)\""));
    static const QRegularExpression number(QStringLiteral("[0-9]+(\\.[0-9]+)?"));
    QString text = QString::fromUtf8(svg);
    QString result;
    qsizetype last = 0;
    auto it = attribute.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        QString value = m.captured(2);
        QString rewritten;
        qsizetype from = 0;
        auto numbers = number.globalMatch(value);
        while (numbers.hasNext()) {
            const QRegularExpressionMatch n = numbers.next();
            rewritten += value.mid(from, n.capturedStart() - from);
            QString replacement = n.captured();
            const double v = n.captured().toDouble() / marks.Scaling;
            for (const double k : {1.0, 5.0}) {
                const double r = v / k;
                const auto found = marks.Widths.find(quint32(std::llround(r)));
                if (std::fabs(r - std::round(r)) < 0.05 && found != marks.Widths.end()) {
                    replacement = QString::number(k * found->second * marks.Scaling, 'f', 4);
                    break;
                }
            }
            rewritten += replacement;
            from = n.capturedEnd();
        }
        rewritten += value.mid(from);
        result += text.mid(last, m.capturedStart(2) - last) + rewritten;
        last = m.capturedEnd(2);
    }
    result += text.mid(last);
    return result.toUtf8();
}

// libemf2svg reads the header's description (and pixel format) wherever
// the header says, without looking: one that does not lie within the header
// is cleared, as the picture does not depend on it.
void ClearStrayHeaderStrings(QByteArray &emf)
{
    const quint64 headerSize = ReadU32(emf, 4);
    const auto within = [&](quint64 offset, quint64 bytes) {
        return bytes > 0 && offset >= 88 && offset + bytes <= headerSize &&
               offset + bytes <= quint64(emf.size());
    };
    // nDescription (UTF-16 characters) and offDescription; an offset with
    // no length makes the library read on to the first zero it finds.
    const quint32 chars = ReadU32(emf, 60);
    const quint32 offset = ReadU32(emf, 64);
    if ((chars != 0 || offset != 0) && !within(offset, quint64(chars) * 2)) {
        qToLittleEndian<quint32>(0, emf.data() + 60);
        qToLittleEndian<quint32>(0, emf.data() + 64);
    }
    // cbPixelFormat and offPixelFormat, in the longer headers.
    if (headerSize >= 100 && emf.size() >= 100) {
        const quint32 bytes = ReadU32(emf, 88);
        if ((bytes != 0 || ReadU32(emf, 92) != 0) && !within(ReadU32(emf, 92), bytes)) {
            qToLittleEndian<quint32>(0, emf.data() + 88);
            qToLittleEndian<quint32>(0, emf.data() + 92);
        }
    }
}

// libemf2svg opens a clip path as <svg:clipPath> inside <svg:defs> and
// closes both without the prefix, which no XML reader takes: any EMF that
// clips (LibreOffice's all do) was refused. Each element opened only with
// the prefix is closed with it.
QByteArray CloseWithPrefix(const QByteArray &svg)
{
    static const QRegularExpression closing(QStringLiteral("</([A-Za-z]+)>"));
    QString text = QString::fromUtf8(svg);
    QStringList names;
    for (const QRegularExpressionMatch &m : closing.globalMatch(text))
        if (!names.contains(m.captured(1)))
            names << m.captured(1);
    for (const QString &name : names) {
        const QRegularExpression unprefixed(QStringLiteral("<%1[\\s>/]").arg(name));
        if (text.contains(QStringLiteral("<svg:") + name) && !text.contains(unprefixed))
            text.replace(QStringLiteral("</%1>").arg(name), QStringLiteral("</svg:%1>").arg(name));
    }
    return text.toUtf8();
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

    TPenMarks marks;
    // The library's scale from the header's bounds to the picture.
    const double boundsWidth = double(ReadS32(data, 16)) - ReadS32(data, 8);
    marks.Scaling = boundsWidth > 0 ? width / boundsWidth : 1;
    QByteArray copy = MarkPens(WidenAnsiText(data), marks);
    ClearStrayHeaderStrings(copy);
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
    return CloseWithPrefix(UnmarkPens(out, marks));
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

int SvgElementCount(const QByteArray &svg)
{
    int count = 0;
    const qsizetype n = svg.size();
    for (qsizetype i = 0; i + 1 < n; ++i)
        if (svg[i] == '<' && svg[i + 1] != '/' && svg[i + 1] != '!' && svg[i + 1] != '?')
            ++count;
    return count;
}
