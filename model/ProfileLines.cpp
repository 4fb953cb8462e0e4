// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileLines.h"

#include "ProfileFile.h"
#include "TextEncoding.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cstring>

namespace ProfileText {

using Encoding = TProfileLines::Encoding;

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");
const QByteArray Utf16LeBom("\xFF\xFE");
const QByteArray Utf16BeBom("\xFE\xFF");

// More than any catalogue or language file holds; a larger file reads as
// empty and is never written, rather than taking the memory of the machine.
constexpr qint64 FileSizeLimit = qint64(256) << 20;

inline char16_t Unit(char c)
{
    return static_cast<unsigned char>(c);
}
inline char16_t Unit(QChar c)
{
    return c.unicode();
}

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Finds the kind of a line and where its name and value lie. The marks it
// looks for are ASCII, which neither UTF-8 nor Windows-1252 uses inside
// another character, so the bytes of either can be read alike.
template <typename C> void Classify(Line &l, const C *p, qsizetype n, qsizetype from)
{
    const auto blank = [](C c) { return Unit(c) == u' ' || Unit(c) == u'\t'; };
    qsizetype b = from;
    qsizetype e = n;
    while (b < e && blank(p[b]))
        ++b;
    while (e > b && blank(p[e - 1]))
        --e;
    l.nameFrom = l.nameLength = l.valueFrom = l.valueLength = 0;
    if (b == e) {
        l.kind = LineKind::Blank;
        return;
    }
    const auto trimmed = [&](qsizetype s, qsizetype t, int &at, int &length) {
        while (s < t && blank(p[s]))
            ++s;
        while (t > s && blank(p[t - 1]))
            --t;
        at = int(s);
        length = int(t - s);
    };
    if (Unit(p[b]) == u'[') {
        l.kind = LineKind::Section;
        qsizetype close = e - 1;
        while (close > b && Unit(p[close]) != u']')
            --close;
        trimmed(b + 1, close > b ? close : e, l.nameFrom, l.nameLength);
    } else if (Unit(p[b]) == u';') {
        l.kind = LineKind::Other;
    } else {
        l.kind = LineKind::Key;
        qsizetype eq = b;
        while (eq < e && Unit(p[eq]) != u'=')
            ++eq;
        trimmed(b, eq, l.nameFrom, l.nameLength);
        if (eq < e)
            trimmed(eq + 1, e, l.valueFrom, l.valueLength);
    }
}

bool IsAscii(const char *p, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return false;
    return true;
}

// Calls add(start, length, end) for each line of text split at CR LF, LF
// or CR.
template <typename C, typename Add> void SplitLines(const C *data, qsizetype n, Add add)
{
    qsizetype start = 0;
    while (start < n) {
        qsizetype i = start;
        if constexpr (sizeof(C) == 1) {
            // Most lines end in LF: memchr finds it, and a CR before it
            // (or alone, further on) is looked for only within the line.
            const void *lf = std::memchr(data + start, '\n', size_t(n - start));
            const qsizetype to = lf ? static_cast<const C *>(lf) - data : n;
            const void *cr = std::memchr(data + start, '\r', size_t(to - start));
            i = cr ? static_cast<const C *>(cr) - data : to;
        } else {
            while (i < n && Unit(data[i]) != u'\r' && Unit(data[i]) != u'\n')
                ++i;
        }
        Line::End end = Line::End::None;
        qsizetype next = i;
        if (i < n && Unit(data[i]) == u'\r' && i + 1 < n && Unit(data[i + 1]) == u'\n') {
            end = Line::End::CrLf;
            next = i + 2;
        } else if (i < n) {
            end = Unit(data[i]) == u'\r' ? Line::End::Cr : Line::End::Lf;
            next = i + 1;
        }
        add(start, i - start, end);
        start = next;
    }
}

const char *EndText(Line::End end)
{
    switch (end) {
    case Line::End::CrLf:
        return "\r\n";
    case Line::End::Lf:
        return "\n";
    case Line::End::Cr:
        return "\r";
    case Line::End::None:
        break;
    }
    return "";
}

// The units of a byte file's line and of a UTF-16 file's line.
QByteArrayView Bytes(const TProfileLines &f, const Line &l)
{
    if (l.written >= 0)
        return f.writtenBytes[size_t(l.written)];
    return QByteArrayView(f.data.constData() + l.start, l.length);
}

QStringView Chars(const TProfileLines &f, const Line &l)
{
    if (l.written >= 0)
        return f.writtenTexts[l.written];
    return QStringView(f.text).mid(l.start, l.length);
}

// Text from a range of a line. A byte line is decoded as a whole decides:
// UTF-8 when the line is valid UTF-8, Windows-1252 otherwise, so that a
// name added by hand on another system does not change how the rest of the
// file reads.
QString Decode(const TProfileLines &f, const Line &l, int from, int length)
{
    if (f.encoding != Encoding::Bytes)
        return Chars(f, l).mid(from, length).toString();
    const QByteArrayView line = Bytes(f, l);
    const QByteArray part = QByteArray::fromRawData(line.data() + from, length);
    if (IsAscii(part.constData(), part.size()))
        return QString::fromLatin1(part);
    if (IsValidUtf8(QByteArray::fromRawData(line.data(), line.size())))
        return QString::fromUtf8(part);
    return FromWindows1252(part);
}

bool SameName(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

void ClassifyUnits(const TProfileLines &f, Line &l, qsizetype from)
{
    if (f.encoding == Encoding::Bytes) {
        const QByteArrayView units = Bytes(f, l);
        Classify(l, units.data(), units.size(), from);
    } else {
        const QStringView units = Chars(f, l);
        Classify(l, units.data(), units.size(), from);
    }
}

void ClassifyLine(TProfileLines &f, Line &l, qsizetype from = 0)
{
    ClassifyUnits(f, l, from);
    l.section = -1;
    if (l.kind == LineKind::Section) {
        l.section = int(f.sectionNames.size());
        f.sectionNames << KeyName(f, l);
    }
}

qsizetype UnitCount(const TProfileLines &f)
{
    return f.encoding == Encoding::Bytes ? f.data.size() : f.text.size();
}

template <typename C> bool StartsSection(const C *p, qsizetype n)
{
    qsizetype i = 0;
    while (i < n && (Unit(p[i]) == u' ' || Unit(p[i]) == u'\t'))
        ++i;
    return i < n && Unit(p[i]) == u'[';
}

// Calls add(line) for the lines between two places of the file's units,
// each classified; Keep::Headers passes over every other line unread.
template <typename Add>
void ParseLines(const TProfileLines &file, qsizetype from, qsizetype to, Keep keep, Add add)
{
    const auto each = [&](const auto *units) {
        SplitLines(units + from, to - from, [&](qsizetype start, qsizetype length, Line::End end) {
            Line l;
            l.start = from + start;
            l.length = int(length);
            l.end = end;
            // A byte order mark stays in the first line's bytes but does not
            // hide the section header behind it.
            const qsizetype skip =
                l.start == 0 && file.encoding == Encoding::Bytes && file.data.startsWith(Utf8Bom)
                    ? Utf8Bom.size()
                    : 0;
            if (keep == Keep::Headers && !StartsSection(units + l.start + skip, length - skip))
                return;
            ClassifyUnits(file, l, skip);
            add(l);
        });
    };
    if (file.encoding == Encoding::Bytes)
        each(file.data.constData());
    else
        each(file.text.constData());
}

TProfileLines Parse(const QByteArray &data, Keep keep)
{
    TProfileLines file;
    if (data.startsWith(Utf16LeBom) || data.startsWith(Utf16BeBom)) {
        file.encoding = data.startsWith(Utf16LeBom) ? Encoding::Utf16LE : Encoding::Utf16BE;
        const QByteArray body = data.mid(2);
        const auto kind = file.encoding == Encoding::Utf16LE ? QStringConverter::Utf16LE
                                                             : QStringConverter::Utf16BE;
        QStringDecoder decoder(kind, QStringConverter::Flag::Stateless);
        file.text = decoder(body);
        QStringEncoder encoder(kind, QStringConverter::Flag::Stateless);
        const QByteArray back = encoder(file.text);
        file.exact = !decoder.hasError() && body.size() % 2 == 0 && back == body;
    } else {
        file.data = data;
    }
    ParseLines(file, 0, UnitCount(file), keep, [&](Line l) {
        if (l.kind == LineKind::Section) {
            l.section = int(file.sectionNames.size());
            file.sectionNames << KeyName(file, l);
        }
        file.lines.push_back(l);
    });
    return file;
}

} // namespace

QStringView TrimBlanks(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

QString KeyName(const TProfileLines &f, const Line &l)
{
    return Decode(f, l, l.nameFrom, l.nameLength);
}

// Whether a key line holds that key, without decoding an ASCII name.
bool KeyIs(const TProfileLines &f, const Line &l, const QString &key)
{
    if (f.encoding != Encoding::Bytes)
        return Chars(f, l).mid(l.nameFrom, l.nameLength).compare(key, Qt::CaseInsensitive) == 0;
    const char *name = Bytes(f, l).data() + l.nameFrom;
    if (!IsAscii(name, l.nameLength))
        return SameName(KeyName(f, l), key);
    if (l.nameLength != key.size())
        return false; // an ASCII name matches only a key of as many characters
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    for (int i = 0; i < l.nameLength; ++i)
        if (lower(Unit(name[i])) != lower(key[i].unicode()))
            return key[i].unicode() >= 0x80 && SameName(KeyName(f, l), key);
    return true;
}

// A value without one pair of enclosing quotes, cut to the value limit. The
// quotes are ASCII, so they are found before anything is decoded.
QString ValueAsRead(const TProfileLines &f, const Line &l)
{
    int from = l.valueFrom;
    int length = l.valueLength;
    const auto unit = [&](int i) {
        return f.encoding == Encoding::Bytes ? Unit(Bytes(f, l)[i]) : Unit(Chars(f, l)[i]);
    };
    if (length >= 2 && (unit(from) == u'"' || unit(from) == u'\'') &&
        unit(from + length - 1) == unit(from)) {
        ++from;
        length -= 2;
    }
    const QString value = Decode(f, l, from, length);
    return value.size() > TProfileFile::ValueLimit ? value.left(TProfileFile::ValueLimit) : value;
}

const QString &SectionName(const TProfileLines &f, const Line &l)
{
    return f.sectionNames[l.section];
}

// The lines of a section's body, after its header up to the next one.
std::vector<Line> SectionBody(const TProfileLines &file, size_t header)
{
    const Line &h = file.lines[header];
    const qsizetype from = h.start + h.length + qsizetype(std::strlen(EndText(h.end)));
    const qsizetype to =
        header + 1 < file.lines.size() ? file.lines[header + 1].start : UnitCount(file);
    std::vector<Line> body;
    body.reserve(8);
    ParseLines(file, from, to, Keep::Everything, [&](const Line &l) { body.push_back(l); });
    return body;
}

QByteArray Join(const TProfileLines &file)
{
    if (file.encoding == Encoding::Bytes) {
        QByteArray out;
        out.reserve(file.data.size() + 256);
        for (const Line &l : file.lines) {
            const QByteArrayView units = Bytes(file, l);
            out.append(units.data(), units.size());
            out += EndText(l.end);
        }
        return out;
    }
    QString text;
    for (const Line &l : file.lines) {
        text += Chars(file, l);
        text += QLatin1String(EndText(l.end));
    }
    const bool le = file.encoding == Encoding::Utf16LE;
    QStringEncoder encoder(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::Stateless);
    return (le ? Utf16LeBom : Utf16BeBom) + QByteArray(encoder(text));
}

// A line the program writes: UTF-8 in a byte file, the text itself in a
// UTF-16 one.
Line NewLine(TProfileLines &f, const QString &text)
{
    Line l;
    if (f.encoding == Encoding::Bytes) {
        l.written = int(f.writtenBytes.size());
        f.writtenBytes.push_back(text.toUtf8());
    } else {
        l.written = int(f.writtenTexts.size());
        f.writtenTexts << text;
    }
    l.end = Line::End::CrLf;
    ClassifyLine(f, l);
    return l;
}

TProfileLines ReadAll(const QString &fileName, Keep keep)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return TProfileLines(); // a missing file reads as an empty one
    if (f.size() > FileSizeLimit) {
        TProfileLines none;
        none.exact = false;
        return none;
    }
    return Parse(f.readAll(), keep);
}

// Index of the first section of that name, or -1. The name is compared as
// the file would give it back once written, or a name with blanks around it
// or a line break would never find its own section.
int FindSection(const TProfileLines &file, const QString &section)
{
    const QString stored = TProfileFile::StoredName(section);
    for (size_t i = 0; i < file.lines.size(); ++i) {
        const Line &l = file.lines[i];
        if (l.kind == LineKind::Section && SameName(SectionName(file, l), stored))
            return int(i);
    }
    return -1;
}

int SectionEnd(const std::vector<Line> &lines, int header)
{
    int i = header + 1;
    while (i < int(lines.size()) && lines[i].kind != LineKind::Section)
        ++i;
    return i;
}

QString SafeText(QString s)
{
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

QString KeyLine(const QString &key, const QString &value)
{
    return SafeText(key) + QLatin1Char('=') + SafeText(value.left(TProfileFile::ValueLimit));
}

} // namespace ProfileText
