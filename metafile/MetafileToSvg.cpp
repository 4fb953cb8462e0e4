// SPDX-License-Identifier: GPL-3.0-or-later
#include "MetafileToSvg.h"

#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QString>
#include <QtEndian>
#include <cmath>
#include <algorithm>
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


// What the records of a Windows metafile say that libwmf's SVG loses: the
// character set of each text's font, and where a placeable picture maps its
// window (MM_ISOTROPIC, MM_ANISOTROPIC) with no viewport of its own.
struct TWmfFacts
{
    QList<quint8> TextCharsets; // per text record, in order
    int MapModeEnd = -1;        // just past the first such SETMAPMODE record
    bool HasViewportExt = false;
};

TWmfFacts ScanWmf(const QByteArray &data, int at)
{
    TWmfFacts facts;
    std::vector<int> objects; // per slot: -1 free, else the font's charset or 256
    quint8 charset = 0;
    const int size = int(data.size());
    while (at + 6 <= size) {
        const quint64 words = ReadU32(data, at);
        const quint16 function = ReadU16(data, at + 4);
        if (words < 3 || quint64(at) + words * 2 > quint64(size) || function == 0)
            break;
        const int end = at + int(words * 2);
        const auto create = [&](int value) {
            const auto free = std::find(objects.begin(), objects.end(), -1);
            if (free == objects.end())
                objects.push_back(value);
            else
                *free = value;
        };
        switch (function) {
        case 0x0103: // SETMAPMODE
            if (end - at >= 8 && facts.MapModeEnd < 0) {
                const quint16 mode = ReadU16(data, at + 6);
                if (mode == 7 || mode == 8)
                    facts.MapModeEnd = end;
            }
            break;
        case 0x020E: // SETVIEWPORTEXT
        case 0x0412: // SCALEVIEWPORTEXT
            facts.HasViewportExt = true;
            break;
        case 0x02FB: // CREATEFONTINDIRECT: the charset follows five words and three bytes
            create(end - at > 19 ? quint8(data[at + 19]) : 0);
            break;
        case 0x02FA: case 0x02FC: case 0x00F7: case 0x01F9: case 0x0142: case 0x06FF:
            create(256); // a pen, a brush, a palette or a region
            break;
        case 0x01F0: // DELETEOBJECT
            if (end - at >= 8 && ReadU16(data, at + 6) < objects.size())
                objects[ReadU16(data, at + 6)] = -1;
            break;
        case 0x012D: // SELECTOBJECT
            if (end - at >= 8 && ReadU16(data, at + 6) < objects.size()) {
                const int object = objects[ReadU16(data, at + 6)];
                if (object >= 0 && object < 256)
                    charset = quint8(object);
            }
            break;
        case 0x0521: // TEXTOUT
        case 0x0A32: // EXTTEXTOUT
            facts.TextCharsets << charset;
            break;
        default:
            break;
        }
        at = end;
    }
    return facts;
}

// Symbol's letters are Greek.
QString FromSymbol(const QByteArray &bytes)
{
    static const char16_t upper[] = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";
    static const char16_t lower[] = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";
    QString text;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 'A' && b <= 'Z')
            text += QChar(upper[b - 'A']);
        else if (b >= 'a' && b <= 'z')
            text += QChar(lower[b - 'a']);
        else
            text += QChar(b);
    }
    return text;
}

// A text's bytes as characters, by its font's character set.
QString DecodeWmfText(const QByteArray &bytes, quint8 charset)
{
    if (charset == 2)
        return FromSymbol(bytes);
    const char *name = "windows-1252";
    switch (charset) {
    case 77: name = "macintosh"; break;
    case 128: name = "Shift_JIS"; break;
    case 129: name = "windows-949"; break;
    case 134: name = "GBK"; break;
    case 136: name = "Big5"; break;
    case 161: name = "windows-1253"; break;
    case 162: name = "windows-1254"; break;
    case 177: name = "windows-1255"; break;
    case 178: name = "windows-1256"; break;
    case 186: name = "windows-1257"; break;
    case 204: name = "windows-1251"; break;
    case 222: name = "windows-874"; break;
    case 238: name = "windows-1250"; break;
    case 255: name = "IBM437"; break;
    default: break;
    }
    QStringDecoder decoder(name);
    if (!decoder.isValid())
        decoder = QStringDecoder("windows-1252");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder(bytes);
}

// libwmf writes a text's bytes into the SVG as they are: an "&" or "<"
// makes it invalid and a byte above 0x7F is no character. Each text is
// decoded by its font's character set and escaped; an open polyline is
// not filled, as GDI never fills one.
QByteArray MendWmfSvg(const QByteArray &svg, const TWmfFacts &facts)
{
    QByteArray out;
    qsizetype from = 0;
    int text = 0;
    for (;;) {
        const qsizetype open = svg.indexOf("<text", from);
        const qsizetype tagEnd = open < 0 ? -1 : svg.indexOf('>', open);
        const qsizetype close = tagEnd < 0 ? -1 : svg.indexOf("</text>", tagEnd);
        if (close < 0)
            break;
        out += svg.mid(from, tagEnd + 1 - from);
        const quint8 charset = text < facts.TextCharsets.size() ? facts.TextCharsets[text] : 0;
        out += DecodeWmfText(svg.mid(tagEnd + 1, close - tagEnd - 1), charset)
                   .toHtmlEscaped()
                   .toUtf8();
        from = close;
        ++text;
    }
    out += svg.mid(from);
    static const QRegularExpression polyline(QStringLiteral("<polyline([^>]*?)style=\""));
    // libwmf places an image by its rectangle and again by a transform that
    // scales it by its own position: the rectangle alone is where it goes.
    static const QRegularExpression imageTransform(
        QStringLiteral("(<image[^>]*?)\\s+transform=\"[^\"]*\""));
    QString mended = QString::fromUtf8(out)
                         .replace(polyline, QStringLiteral("<polyline\\1style=\"fill:none; "))
                         .replace(imageTransform, QStringLiteral("\\1"));
    if (mended.contains(QLatin1String("xlink:href")) && !mended.contains(QLatin1String("xmlns:xlink")))
        mended.replace(QLatin1String("<svg "),
                       QLatin1String("<svg xmlns:xlink=\"http://www.w3.org/1999/xlink\" "));
    return mended.toUtf8();
}

// The viewport a program sets up to show a placeable picture in its frame,
// which the picture's own window then maps into: libwmf leaves it out.
// Inserted as the frame in the header's units, which libwmf takes as
// points; the SVG is scaled by points per unit afterwards.
QByteArray WithFrameViewport(const QByteArray &data, const TWmfFacts &facts, int headerAt)
{
    const qint16 right = qFromLittleEndian<qint16>(data.constData() + 10);
    const qint16 bottom = qFromLittleEndian<qint16>(data.constData() + 12);
    QByteArray records;
    const auto add = [&](quint16 function, qint16 y, qint16 x) {
        char r[10];
        qToLittleEndian<quint32>(5, r);
        qToLittleEndian<quint16>(function, r + 4);
        qToLittleEndian<qint16>(y, r + 6);
        qToLittleEndian<qint16>(x, r + 8);
        records.append(r, 10);
    };
    add(0x020D, 0, 0);          // SETVIEWPORTORG
    add(0x020E, bottom, right); // SETVIEWPORTEXT
    QByteArray out = data.left(facts.MapModeEnd) + records + data.mid(facts.MapModeEnd);
    const quint32 words = ReadU32(out, headerAt + 6);
    qToLittleEndian<quint32>(words + 10, out.data() + headerAt + 6);
    return out;
}

QByteArray WmfToSvg(const QByteArray &source, double dpi, int &width, int &height)
{
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


// libemf2svg drops the characters above 0x7F of a text stored in the file's
// 8-bit code page (EXTTEXTOUTA): "Café © 1998" came out "Caf   1998". Each
// such record becomes its wide twin (EXTTEXTOUTW), its bytes decoded by the
// character set of the font selected for it.
QByteArray WidenAnsiText(const QByteArray &emf)
{
    QByteArray out;
    std::map<quint32, quint8> fontCharsets; // object handle -> lfCharSet
    quint8 charset = 0;
    const int size = int(emf.size());
    int at = 0;
    bool changed = false;
    while (at + 8 <= size) {
        const quint32 type = ReadU32(emf, at);
        const quint32 length = ReadU32(emf, at + 4);
        if (length < 8 || length % 4 != 0 || quint64(at) + length > quint64(size))
            break;
        const QByteArray record = emf.mid(at, int(length));
        QByteArray widened;
        if (type == 82 && length >= 12 + 24) { // EXTCREATEFONTINDIRECTW: handle, LOGFONTW
            fontCharsets[ReadU32(emf, at + 8)] = quint8(emf[at + 12 + 23]);
        } else if (type == 37 && length >= 12) { // SELECTOBJECT
            const auto font = fontCharsets.find(ReadU32(emf, at + 8));
            if (font != fontCharsets.end())
                charset = font->second;
        } else if (type == 83 && length >= 76) { // EXTTEXTOUTA
            const quint32 n = ReadU32(record, 44);
            const quint32 offString = ReadU32(record, 48);
            const quint32 options = ReadU32(record, 52);
            const quint32 offDx = ReadU32(record, 72);
            const quint64 dxBytes = quint64(n) * ((options & 0x2000) ? 8 : 4); // ETO_PDY
            const bool fits = n > 0 && n < 65536 && offString >= 76 &&
                              quint64(offString) + n <= length &&
                              (offDx == 0 || (offDx >= 76 && offDx + dxBytes <= length));
            const QString text = fits ? DecodeWmfText(record.mid(int(offString), int(n)), charset)
                                      : QString();
            // A character set of two bytes a character would leave the
            // spacing array out of step: such a record stays as it is.
            if (fits && quint32(text.size()) == n) {
                widened = record.left(76);
                qToLittleEndian<quint32>(84, widened.data());
                qToLittleEndian<quint32>(76, widened.data() + 48);
                QByteArray wide(int(2 * n), '\0');
                for (quint32 i = 0; i < n; ++i)
                    qToLittleEndian<quint16>(text[qsizetype(i)].unicode(), wide.data() + 2 * i);
                wide.append(QByteArray((4 - wide.size() % 4) % 4, '\0'));
                widened += wide;
                qToLittleEndian<quint32>(offDx == 0 ? 0 : quint32(widened.size()),
                                         widened.data() + 72);
                if (offDx != 0)
                    widened += record.mid(int(offDx), int(dxBytes));
                qToLittleEndian<quint32>(quint32(widened.size()), widened.data() + 4);
                changed = true;
            }
        }
        out += widened.isEmpty() ? record : widened;
        at += int(length);
    }
    if (!changed)
        return emf;
    out += emf.mid(at);
    if (out.size() >= 52)
        qToLittleEndian<quint32>(quint32(out.size()), out.data() + 48); // nBytes
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
    return UnmarkPens(out, marks);
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
