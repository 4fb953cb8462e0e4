// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfFinishing.h"

#include "VelmoraError.h"

#include <QColorSpace>
#include <QFile>
#include <QIODevice>
#include <map>
#include <memory>
#include <qpdf/Buffer.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace {

// The stand-in's pixels: "VELMOR", then its number, then a check, as no
// picture of four by one pixels is likely to be.
constexpr int StandInWidth = 4;
const unsigned char StandInHead[6] = {'V', 'E', 'L', 'M', 'O', 'R'};
constexpr unsigned char StandInCheck[3] = {0x5A, 0xC3, 0x3C};

QImage MakeStandIn(int number)
{
    QImage image(StandInWidth, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(StandInHead[0], StandInHead[1], StandInHead[2]));
    image.setPixel(1, 0, qRgb(StandInHead[3], StandInHead[4], StandInHead[5]));
    image.setPixel(2, 0, qRgb(0xA5, (number >> 8) & 0xFF, number & 0xFF));
    image.setPixel(3, 0, qRgb(StandInCheck[0], StandInCheck[1], StandInCheck[2]));
    return image;
}

// The stand-in's number, or -1 for any other image.
int StandInNumber(const std::string &rgb)
{
    if (rgb.size() != 3 * StandInWidth || rgb.compare(0, 6, reinterpret_cast<const char *>(StandInHead), 6) != 0 ||
        static_cast<unsigned char>(rgb[6]) != 0xA5 ||
        rgb.compare(9, 3, reinterpret_cast<const char *>(StandInCheck), 3) != 0)
        return -1;
    return static_cast<unsigned char>(rgb[7]) << 8 | static_cast<unsigned char>(rgb[8]);
}

class TDevicePipeline : public Pipeline
{
public:
    explicit TDevicePipeline(QIODevice &device) : Pipeline("velmora output", nullptr), m_device(device) {}
    void write(unsigned char const *data, size_t len) override
    {
        if (m_device.write(reinterpret_cast<const char *>(data), qint64(len)) != qint64(len))
            throw std::runtime_error("write failed");
    }
    void finish() override {}

private:
    QIODevice &m_device;
};

// A JPEG file's bytes handed to the writer as they are; shared, not copied.
class TBytesProvider : public QPDFObjectHandle::StreamDataProvider
{
public:
    explicit TBytesProvider(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    void provideStreamData(QPDFObjGen const &, Pipeline *pipeline) override
    {
        pipeline->write(reinterpret_cast<const unsigned char *>(m_bytes.constData()),
                        size_t(m_bytes.size()));
        pipeline->finish();
    }

private:
    QByteArray m_bytes;
};

std::string Number(double value)
{
    return QByteArray::number(value, 'f', 4).toStdString();
}

// ToUnicode maps: tokens of "<hex>", "[", "]" and words.
struct TToken
{
    enum Kind { Hex, Open, Close, Word } Type;
    QByteArray Text;
};

std::vector<TToken> Tokens(const QByteArray &text, int from, int to)
{
    std::vector<TToken> tokens;
    int i = from;
    while (i < to) {
        const char c = text[i];
        if (c == '<') {
            const int end = text.indexOf('>', i);
            if (end < 0 || end > to)
                break;
            tokens.push_back({TToken::Hex, text.mid(i + 1, end - i - 1).trimmed()});
            i = end + 1;
        } else if (c == '[' || c == ']') {
            tokens.push_back({c == '[' ? TToken::Open : TToken::Close, {}});
            ++i;
        } else if (QChar::isSpace(uchar(c))) {
            ++i;
        } else {
            int end = i;
            while (end < to && !QChar::isSpace(uchar(text[end])) && text[end] != '<' &&
                   text[end] != '[' && text[end] != ']')
                ++end;
            tokens.push_back({TToken::Word, text.mid(i, end - i)});
            i = end;
        }
    }
    return tokens;
}

QString Utf16(const QByteArray &hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    QString s;
    for (int i = 0; i + 1 < bytes.size(); i += 2)
        s += QChar(char16_t(uchar(bytes[i]) << 8 | uchar(bytes[i + 1])));
    return s;
}

QByteArray Hex(const QString &s)
{
    QByteArray bytes;
    for (QChar c : s) {
        bytes += char(c.unicode() >> 8);
        bytes += char(c.unicode() & 0xFF);
    }
    return bytes.toHex().toUpper();
}

// The single character text decomposes to, or 0.
char32_t SingleDecomposition(char32_t c)
{
    const QList<uint> d = QString(QChar::decomposition(c)).toUcs4();
    return d.size() == 1 ? d.front() : 0;
}

// What a glyph mapped to c stands for, given what was typed: c itself when
// typed, else the one typed character c is a variant of.
QString Typed(const QString &mapped, const QSet<char32_t> &typed)
{
    const QList<uint> ucs = mapped.toUcs4();
    if (ucs.size() != 1 || typed.contains(ucs.front()))
        return mapped;
    const char32_t c = ucs.front();
    QSet<char32_t> candidates;
    if (const char32_t d = SingleDecomposition(c); d && typed.contains(d))
        candidates.insert(d);
    for (char32_t t : typed)
        if (SingleDecomposition(t) == c)
            candidates.insert(t);
    // A tab shares the space's empty glyph in most fonts.
    if (QChar::category(c) == QChar::Other_Control && typed.contains(U' '))
        candidates.insert(U' ');
    if (candidates.size() != 1)
        return mapped;
    const char32_t t = *candidates.begin();
    return QString::fromUcs4(&t, 1);
}

} // namespace

void TPdfFinishing::SetPage(const QSizeF &page, const QRectF &trim, const QRectF &bleed)
{
    m_page = page;
    m_trim = trim;
    m_bleed = bleed;
}

QImage TPdfFinishing::JpegStandIn(const QByteArray &jpeg, int width, int height, int components,
                                  const QByteArray &icc, bool invertedInk)
{
    for (const TJpeg &j : m_jpegs)
        if (j.Bytes.constData() == jpeg.constData() || j.Bytes == jpeg)
            return j.StandIn;
    const int number = int(m_jpegs.size());
    m_jpegs.push_back({jpeg, width, height, components, icc, invertedInk, MakeStandIn(number)});
    return m_jpegs.back().StandIn;
}

void TPdfFinishing::AddTypedText(const QString &text)
{
    for (uint c : text.toUcs4())
        m_typed.insert(c);
}

QByteArray TPdfFinishing::MendToUnicode(const QByteArray &cmap, const QSet<char32_t> &typed)
{
    const int first = cmap.indexOf("beginbf");
    const int lastChar = cmap.lastIndexOf("endbfchar");
    const int lastRange = cmap.lastIndexOf("endbfrange");
    if (first < 0 || (lastChar < 0 && lastRange < 0))
        return cmap;
    const int start = cmap.lastIndexOf('\n', first) + 1;
    const int end = std::max(lastChar < 0 ? -1 : lastChar + 9, lastRange < 0 ? -1 : lastRange + 10);

    // Source code (with its width in hex digits) to the characters.
    std::map<uint, QString> map;
    int sourceDigits = 4;
    const std::vector<TToken> tokens = Tokens(cmap, start, end);
    enum { None, Chars, Ranges } mode = None;
    for (size_t i = 0; i < tokens.size();) {
        const TToken &t = tokens[i];
        if (t.Type == TToken::Word) {
            mode = t.Text == "beginbfchar" ? Chars : t.Text == "beginbfrange" ? Ranges : mode;
            if (t.Text.startsWith("endbf"))
                mode = None;
            ++i;
            continue;
        }
        bool ok = false;
        if (mode == Chars && t.Type == TToken::Hex && i + 1 < tokens.size() &&
            tokens[i + 1].Type == TToken::Hex) {
            sourceDigits = int(t.Text.size());
            map[t.Text.toUInt(&ok, 16)] = Utf16(tokens[i + 1].Text);
            i += 2;
            continue;
        }
        if (mode == Ranges && t.Type == TToken::Hex && i + 2 < tokens.size() &&
            tokens[i + 1].Type == TToken::Hex) {
            sourceDigits = int(t.Text.size());
            const uint from = t.Text.toUInt(&ok, 16);
            const uint to = tokens[i + 1].Text.toUInt(&ok, 16);
            if (to < from || to - from > 0xFFFF)
                return cmap;
            if (tokens[i + 2].Type == TToken::Hex) {
                QString base = Utf16(tokens[i + 2].Text);
                for (uint code = from; code <= to && !base.isEmpty(); ++code) {
                    map[code] = base;
                    base.back() = QChar(char16_t(base.back().unicode() + 1));
                }
                i += 3;
                continue;
            }
            if (tokens[i + 2].Type == TToken::Open) {
                size_t j = i + 3;
                for (uint code = from; j < tokens.size() && tokens[j].Type == TToken::Hex; ++j, ++code)
                    map[code] = Utf16(tokens[j].Text);
                i = j + 1;
                continue;
            }
        }
        return cmap; // not a map this reads: left as it is
    }

    bool changed = false;
    for (auto &[code, text] : map) {
        const QString mended = Typed(text, typed);
        changed |= mended != text;
        text = mended;
    }
    if (!changed)
        return cmap;
    QByteArray out = cmap.left(start);
    auto it = map.begin();
    while (it != map.end()) {
        const int count = int(std::min<size_t>(100, size_t(std::distance(it, map.end()))));
        out += QByteArray::number(count) + " beginbfchar\n";
        for (int k = 0; k < count; ++k, ++it)
            out += '<' + QByteArray::number(it->first, 16).toUpper().rightJustified(sourceDigits, '0') +
                   "> <" + Hex(it->second) + ">\n";
        out += "endbfchar\n";
    }
    out += cmap.mid(end);
    return out;
}

void TPdfFinishing::Finish(const QString &from, QIODevice &to, const QString &toName) const
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(QFile::encodeName(from).constData());

        if (m_page.width() > 0 && m_page.height() > 0) {
            const double w = m_page.width(), h = m_page.height();
            const auto rectangle = [h](const QRectF &r) {
                return QPDFObjectHandle::newFromRectangle(
                    QPDFObjectHandle::Rectangle(r.left(), h - r.bottom(), r.right(), h - r.top()));
            };
            for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages()) {
                QPDFObjectHandle object = page.getObjectHandle();
                const QPDFObjectHandle::Rectangle drawn = page.getMediaBox().getArrayAsRectangle();
                // Qt draws down from the top of its whole-point page; the
                // drawing moves up to the top of the exact one.
                const double rise = h - (drawn.ury - drawn.lly);
                if (rise != 0)
                    page.addPageContents(
                        QPDFObjectHandle::newStream(&pdf, "1 0 0 1 0 " + Number(rise) + " cm\n"),
                        true);
                object.replaceKey("/MediaBox", rectangle(QRectF(0, 0, w, h)));
                object.removeKey("/CropBox");
                object.replaceKey("/TrimBox", rectangle(m_trim));
                object.replaceKey("/BleedBox", rectangle(m_bleed));
            }
        }

        // One stream for each profile, however many pictures use it.
        std::map<QByteArray, QPDFObjectHandle> profiles;
        const auto iccBased = [&](const QByteArray &icc, int components) {
            QPDFObjectHandle &stream = profiles[icc];
            if (stream.isInitialized())
                return QPDFObjectHandle::newArray({QPDFObjectHandle::newName("/ICCBased"), stream});
            stream = pdf.makeIndirectObject(QPDFObjectHandle::newStream(&pdf, icc.toStdString()));
            QPDFObjectHandle dict = stream.getDict();
            dict.replaceKey("/N", QPDFObjectHandle::newInteger(components));
            dict.replaceKey("/Alternate", QPDFObjectHandle::newName(
                                              components == 1   ? "/DeviceGray"
                                              : components == 4 ? "/DeviceCMYK"
                                                                : "/DeviceRGB"));
            return QPDFObjectHandle::newArray({QPDFObjectHandle::newName("/ICCBased"), stream});
        };
        const QByteArray srgb = QColorSpace(QColorSpace::SRgb).iccProfile();

        for (QPDFObjectHandle object : pdf.getAllObjects()) {
            if (object.isStream()) {
                QPDFObjectHandle dict = object.getDict();
                if (!dict.getKey("/Subtype").isNameAndEquals("/Image"))
                    continue;
                // The pixels Qt wrote are the program's, sRGB.
                if (dict.getKey("/ColorSpace").isNameAndEquals("/DeviceRGB"))
                    dict.replaceKey("/ColorSpace", iccBased(srgb, 3));
                if (m_jpegs.empty() || !dict.getKey("/Width").isInteger() ||
                    dict.getKey("/Width").getIntValue() != StandInWidth ||
                    !dict.getKey("/Height").isInteger() || dict.getKey("/Height").getIntValue() != 1)
                    continue;
                const std::shared_ptr<Buffer> pixels = object.getStreamData(qpdf_dl_generalized);
                const int number = StandInNumber(std::string(
                    reinterpret_cast<const char *>(pixels->getBuffer()), pixels->getSize()));
                if (number < 0 || size_t(number) >= m_jpegs.size())
                    continue;
                const TJpeg &jpeg = m_jpegs[size_t(number)];
                dict.replaceKey("/Width", QPDFObjectHandle::newInteger(jpeg.Width));
                dict.replaceKey("/Height", QPDFObjectHandle::newInteger(jpeg.Height));
                // A colour file without a profile is sRGB, as everywhere.
                dict.replaceKey("/ColorSpace",
                                !jpeg.Icc.isEmpty()     ? iccBased(jpeg.Icc, jpeg.Components)
                                : jpeg.Components == 3 ? iccBased(srgb, 3)
                                                        : QPDFObjectHandle::newName("/DeviceGray"));
                dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
                dict.removeKey("/SMask");
                dict.removeKey("/Decode");
                if (jpeg.Components == 4 && jpeg.InvertedInk)
                    dict.replaceKey("/Decode", QPDFObjectHandle::parse("[1 0 1 0 1 0 1 0]"));
                object.replaceStreamData(std::make_shared<TBytesProvider>(jpeg.Bytes),
                                         QPDFObjectHandle::newName("/DCTDecode"),
                                         QPDFObjectHandle::newNull());
            } else if (object.isDictionary() && object.hasKey("/ToUnicode") && !m_typed.isEmpty()) {
                QPDFObjectHandle cmap = object.getKey("/ToUnicode");
                if (!cmap.isStream())
                    continue;
                const std::shared_ptr<Buffer> data = cmap.getStreamData(qpdf_dl_generalized);
                const QByteArray text(reinterpret_cast<const char *>(data->getBuffer()),
                                      qsizetype(data->getSize()));
                const QByteArray mended = MendToUnicode(text, m_typed);
                if (mended != text)
                    cmap.replaceStreamData(mended.toStdString(), QPDFObjectHandle::newNull(),
                                           QPDFObjectHandle::newNull());
            }
        }

        TDevicePipeline pipeline(to);
        QPDFWriter writer(pdf);
        writer.setOutputPipeline(&pipeline);
        writer.write();
    } catch (const std::exception &) {
        throw EVelmoraError::UnableToWrite(toName);
    }
}
