// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClipArtMending.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <map>
#include <vector>

namespace {

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

} // namespace

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
        case 0x020C: // SETWINDOWEXT y, x
            if (end - at >= 10 && facts.WindowExtX == 0 && facts.WindowExtY == 0) {
                facts.WindowExtY = qFromLittleEndian<qint16>(data.constData() + at + 6);
                facts.WindowExtX = qFromLittleEndian<qint16>(data.constData() + at + 8);
            }
            break;
        case 0x02FB: // CREATEFONTINDIRECT: the charset follows five words and three bytes
            create(end - at > 19 ? quint8(data[at + 19]) : 0);
            break;
        case 0x02FC: // CREATEBRUSHINDIRECT: its style first
            if (end - at >= 8 && ReadU16(data, at + 6) == 2) // BS_HATCHED
                facts.PatternBrush = true;
            create(256);
            break;
        case 0x01F9: // CREATEPATTERNBRUSH
        case 0x0142: // DIBCREATEPATTERNBRUSH
            facts.PatternBrush = true;
            create(256);
            break;
        case 0x02FA:
        case 0x00F7:
        case 0x06FF:
            create(256); // a pen, a palette or a region
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

// A text's bytes as characters, by its font's character set.
QString DecodeWmfText(const QByteArray &bytes, quint8 charset)
{
    if (charset == 2)
        return FromSymbol(bytes);
    const char *name = "windows-1252";
    switch (charset) {
    case 77:
        name = "macintosh";
        break;
    case 128:
        name = "Shift_JIS";
        break;
    case 129:
        name = "windows-949";
        break;
    case 134:
        name = "GBK";
        break;
    case 136:
        name = "Big5";
        break;
    case 161:
        name = "windows-1253";
        break;
    case 162:
        name = "windows-1254";
        break;
    case 177:
        name = "windows-1255";
        break;
    case 178:
        name = "windows-1256";
        break;
    case 186:
        name = "windows-1257";
        break;
    case 204:
        name = "windows-1251";
        break;
    case 222:
        name = "windows-874";
        break;
    case 238:
        name = "windows-1250";
        break;
    case 255:
        name = "IBM437";
        break;
    default:
        break;
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
    // libwmf fills every shape at half opacity while the background mode is
    // transparent (as Inkscape and most programs leave it), where GDI fills
    // a solid brush whole: red comes out pink. Only a hatched or patterned
    // brush lets anything through, and where there is one libwmf's half
    // tone stands for it.
    if (!facts.PatternBrush)
        mended.replace(QLatin1String("fill-opacity:0.5;"), QLatin1String("fill-opacity:1.0;"));
    if (mended.contains(QLatin1String("xlink:href")) &&
        !mended.contains(QLatin1String("xmlns:xlink")))
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

QByteArray WithWindowFrame(const QByteArray &data, const TWmfFacts &facts)
{
    const int w = std::abs(facts.WindowExtX);
    const int h = std::abs(facts.WindowExtY);
    if (facts.MapModeEnd < 0 || facts.HasViewportExt || w == 0 || h == 0 || w > 32767 ||
        h > 32767 || ReadU32(data, 0) == 0x9AC6CDD7u)
        return QByteArray();
    char header[22] = {};
    qToLittleEndian<quint32>(0x9AC6CDD7u, header);
    qToLittleEndian<qint16>(qint16(w), header + 10);
    qToLittleEndian<qint16>(qint16(h), header + 12);
    qToLittleEndian<quint16>(96, header + 14);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(header + 2 * i);
    qToLittleEndian<quint16>(checksum, header + 20);
    return QByteArray(header, sizeof header) + data;
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
            const QString text =
                fits ? DecodeWmfText(record.mid(int(offString), int(n)), charset) : QString();
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
