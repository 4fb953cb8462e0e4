// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileFile.h"

#include "TextEncoding.h"
#include "VelmoraError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <vector>

enum class LineKind
{
    Blank,
    Section,
    Key,
    Other
};

struct Line
{
    QByteArray raw; // the stored bytes without the line end (files of bytes)
    QString text;   // the line's text without its end or a byte order mark
    QString eol;    // "\r\n", "\n", "\r" or nothing on a last line
    LineKind kind = LineKind::Other;
    QString name;  // section or key name, trimmed
    QString value; // key value, trimmed, quotes still on
};

struct TProfileLines
{
    enum class Encoding
    {
        Bytes, // UTF-8 or Windows-1252, line by line
        Utf16LE,
        Utf16BE
    };
    Encoding encoding = Encoding::Bytes;
    // Whether joining the lines gives back the stored bytes; a file that
    // would not is never written.
    bool exact = true;
    std::vector<Line> lines;
};

namespace {

using Encoding = TProfileLines::Encoding;

const QString CrLf = QStringLiteral("\r\n");
const QByteArray Utf8Bom("\xEF\xBB\xBF");
const QByteArray Utf16LeBom("\xFF\xFE");
const QByteArray Utf16BeBom("\xFE\xFF");

// More than any catalogue or language file holds; a larger file reads as
// empty and is never written, rather than taking the memory of the machine.
constexpr qint64 FileSizeLimit = qint64(256) << 20;

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString TrimBlanks(const QString &s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

void Classify(Line &l)
{
    const QString t = TrimBlanks(l.text);
    l.name.clear();
    l.value.clear();
    if (t.isEmpty()) {
        l.kind = LineKind::Blank;
    } else if (t[0] == QLatin1Char('[')) {
        l.kind = LineKind::Section;
        const qsizetype close = t.lastIndexOf(QLatin1Char(']'));
        l.name = TrimBlanks(close > 0 ? t.mid(1, close - 1) : t.mid(1));
    } else if (t[0] == QLatin1Char(';')) {
        l.kind = LineKind::Other;
    } else {
        l.kind = LineKind::Key;
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (eq < 0) {
            l.name = t;
        } else {
            l.name = TrimBlanks(t.left(eq));
            l.value = TrimBlanks(t.mid(eq + 1));
        }
    }
}

bool IsAscii(const QByteArray &bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// A line by itself: a name added by hand on another system does not change
// how the rest of the file reads.
QString DecodeLine(const QByteArray &bytes)
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    return IsValidUtf8(bytes) ? QString::fromUtf8(bytes) : FromWindows1252(bytes);
}

// Splits text at CR LF, LF or CR; each piece is given with its line end.
template <typename Text, typename Add> void SplitLines(const Text &data, Add add)
{
    const qsizetype n = data.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype i = start;
        while (i < n && data[i] != '\r' && data[i] != '\n')
            ++i;
        qsizetype next = i;
        if (i < n)
            next = data[i] == '\r' && i + 1 < n && data[i + 1] == '\n' ? i + 2 : i + 1;
        add(data.mid(start, i - start), data.mid(i, next - i));
        start = next;
    }
}

TProfileLines ParseUtf16(const QByteArray &data, Encoding encoding)
{
    TProfileLines file;
    file.encoding = encoding;
    const QByteArray body = data.mid(2);
    const auto kind =
        encoding == Encoding::Utf16LE ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
    QStringDecoder decoder(kind, QStringConverter::Flag::Stateless);
    const QString text = decoder(body);
    QStringEncoder encoder(kind, QStringConverter::Flag::Stateless);
    const QByteArray back = encoder(text);
    file.exact = !decoder.hasError() && body.size() % 2 == 0 && back == body;
    SplitLines(text, [&](const QString &t, const QString &eol) {
        Line l;
        l.text = t;
        l.eol = eol;
        Classify(l);
        file.lines.push_back(std::move(l));
    });
    return file;
}

TProfileLines Parse(const QByteArray &data)
{
    if (data.startsWith(Utf16LeBom))
        return ParseUtf16(data, Encoding::Utf16LE);
    if (data.startsWith(Utf16BeBom))
        return ParseUtf16(data, Encoding::Utf16BE);
    TProfileLines file;
    SplitLines(data, [&](const QByteArray &raw, const QByteArray &eol) {
        Line l;
        l.raw = raw;
        // A byte order mark stays in the first line's bytes but does not hide
        // the section header behind it.
        const bool first = file.lines.empty();
        l.text = DecodeLine(first && raw.startsWith(Utf8Bom) ? raw.mid(Utf8Bom.size()) : raw);
        l.eol = QString::fromLatin1(eol);
        Classify(l);
        file.lines.push_back(std::move(l));
    });
    return file;
}

QByteArray Join(const TProfileLines &file)
{
    if (file.encoding == Encoding::Bytes) {
        QByteArray out;
        for (const Line &l : file.lines)
            out += l.raw + l.eol.toLatin1();
        return out;
    }
    QString text;
    for (const Line &l : file.lines)
        text += l.text + l.eol;
    const bool le = file.encoding == Encoding::Utf16LE;
    QStringEncoder encoder(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::Stateless);
    return (le ? Utf16LeBom : Utf16BeBom) + QByteArray(encoder(text));
}

// A line the program writes, in the file's own encoding.
Line NewLine(const QString &text)
{
    Line l;
    l.text = text;
    l.raw = text.toUtf8();
    l.eol = CrLf;
    Classify(l);
    return l;
}

TProfileLines ReadAll(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return TProfileLines(); // a missing file reads as an empty one
    if (f.size() > FileSizeLimit) {
        TProfileLines none;
        none.exact = false;
        return none;
    }
    return Parse(f.readAll());
}

bool SameName(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// Index of the first section of that name, or -1. The name is compared as
// the file would give it back once written, or a name with blanks around it
// or a line break would never find its own section.
int FindSection(const std::vector<Line> &lines, const QString &section)
{
    const QString stored = TProfileFile::StoredName(section);
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == LineKind::Section && SameName(lines[i].name, stored))
            return int(i);
    return -1;
}

// One past the last line of the section whose header is at index header.
int SectionEnd(const std::vector<Line> &lines, int header)
{
    int i = header + 1;
    while (i < int(lines.size()) && lines[i].kind != LineKind::Section)
        ++i;
    return i;
}

QString Unquote(const QString &v)
{
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
        return v.mid(1, v.size() - 2);
    return v;
}

QString ValueAsRead(const Line &l)
{
    return Unquote(l.value).left(TProfileFile::ValueLimit);
}

// A line break inside a name or value would split it into lines of its own
// and corrupt the file; it is written as a blank instead.
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

// Whether the folder takes new files by its permission bits, which also
// bind root (CI) here as they bind everyone else.
bool FolderTakesNewFiles(const QString &fileName)
{
    const QString folder = QFileInfo(fileName).absolutePath();
    return QFile::permissions(folder) &
           (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther);
}

void WriteInPlace(const QString &fileName, const QByteArray &data)
{
    QFile f(fileName);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) ||
        f.write(data) != data.size() || !f.flush())
        throw EVelmoraError::UnableToWrite(fileName);
    f.close();
    if (f.error() != QFileDevice::NoError)
        throw EVelmoraError::UnableToWrite(fileName);
}

void WriteAll(const QString &fileName, const QByteArray &data)
{
    // A read-only file refuses writes, even to a user (root) whom the file
    // system would let replace it.
    const QFileInfo info(fileName);
    if (info.exists() && !(QFile::permissions(fileName) & QFileDevice::WriteOwner))
        throw EVelmoraError::UnableToWrite(fileName);
    // A catalogue in a shared folder, or owned by another user, can be
    // writable where its folder takes no new file: it is then rewritten in
    // place, with every byte still checked.
    if (info.exists() && !FolderTakesNewFiles(fileName)) {
        WriteInPlace(fileName, data);
        return;
    }
    QSaveFile f(fileName);
    f.setDirectWriteFallback(true);
    // Unbuffered, a short write (disk full) shows in write()'s result; through
    // the buffer it can go unnoticed by commit() and truncate the file.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || f.write(data) != data.size() ||
        !f.commit())
        throw EVelmoraError::UnableToWrite(fileName);
}


// Makes sure the line before an insertion ends, so new text starts a line.
void EndLine(std::vector<Line> &lines, int index)
{
    if (index >= 0 && index < int(lines.size()) && lines[index].eol.isEmpty())
        lines[index].eol = CrLf;
}

void Store(const QString &fileName, const TProfileLines &file)
{
    if (!file.exact)
        throw EVelmoraError::CannotWriteBack(fileName);
    WriteAll(fileName, Join(file));
}

// Sets each key of the section, appending the section or the keys it lacks.
void SetKeys(std::vector<Line> &lines, const QString &section,
             const TProfileSnapshot::TKeyValues &values)
{
    int header = FindSection(lines, section);
    if (header < 0) {
        EndLine(lines, int(lines.size()) - 1);
        lines.push_back(NewLine(QLatin1Char('[') + SafeText(TProfileFile::StoredName(section)) +
                                QLatin1Char(']')));
        header = int(lines.size()) - 1;
    }
    for (const auto &[key, value] : values) {
        const int end = SectionEnd(lines, header);
        int lastFilled = header;
        bool replaced = false;
        for (int i = header + 1; i < end && !replaced; ++i) {
            Line &l = lines[i];
            if (l.kind == LineKind::Key && SameName(l.name, key)) {
                // The stored spelling of the key stays; only its value changes.
                l = NewLine(KeyLine(l.name, value));
                replaced = true;
            } else if (l.kind != LineKind::Blank) {
                lastFilled = i;
            }
        }
        if (replaced)
            continue;
        EndLine(lines, lastFilled);
        lines.insert(lines.begin() + lastFilled + 1, NewLine(KeyLine(key, value)));
    }
}

} // namespace

TProfileSnapshot::TProfileSnapshot(const QString &fileName)
    : m_lines(std::make_shared<const TProfileLines>(ReadAll(fileName)))
{
    const std::vector<Line> &lines = m_lines->lines;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == LineKind::Section)
            m_firstSection.insert(lines[i].name.toCaseFolded(), int(i)); // first stays
}

TProfileSnapshot::~TProfileSnapshot() = default;

int TProfileSnapshot::FindSection(const QString &section) const
{
    return m_firstSection.value(TProfileFile::StoredName(section).toCaseFolded(), -1);
}

QStringList TProfileSnapshot::ReadSectionNames() const
{
    QStringList names;
    for (const Line &l : m_lines->lines)
        if (l.kind == LineKind::Section)
            names << l.name;
    return names;
}

QString TProfileSnapshot::ReadString(const QString &section, const QString &key,
                                     const QString &defaultValue) const
{
    const int header = FindSection(section);
    if (header < 0)
        return defaultValue;
    const std::vector<Line> &lines = m_lines->lines;
    const int end = SectionEnd(lines, header);
    for (int i = header + 1; i < end; ++i)
        if (lines[i].kind == LineKind::Key && SameName(lines[i].name, key))
            return ValueAsRead(lines[i]);
    return defaultValue;
}

TProfileSnapshot::TKeyValues TProfileSnapshot::ReadSection(const QString &section) const
{
    TKeyValues values;
    const int header = FindSection(section);
    if (header < 0)
        return values;
    const std::vector<Line> &lines = m_lines->lines;
    const int end = SectionEnd(lines, header);
    for (int i = header + 1; i < end; ++i)
        if (lines[i].kind == LineKind::Key)
            values.append({lines[i].name, ValueAsRead(lines[i])});
    return values;
}

TProfileFile::TProfileFile(const QString &fileName) : m_fileName(fileName) {}

QString TProfileFile::StoredName(const QString &name)
{
    return TrimBlanks(SafeText(name));
}

QStringList TProfileFile::ReadSectionNames() const
{
    return Read().ReadSectionNames();
}

QString TProfileFile::ReadString(const QString &section, const QString &key,
                                 const QString &defaultValue) const
{
    return Read().ReadString(section, key, defaultValue);
}

void TProfileFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    WriteStrings(section, {{key, value}});
}

void TProfileFile::WriteStrings(const QString &section, const TProfileSnapshot::TKeyValues &values)
{
    TProfileLines file = ReadAll(m_fileName);
    SetKeys(file.lines, section, values);
    Store(m_fileName, file);
}

void TProfileFile::EraseSection(const QString &section)
{
    TProfileLines file = ReadAll(m_fileName);
    const int header = FindSection(file.lines, section);
    if (header < 0)
        return;
    file.lines.erase(file.lines.begin() + header,
                     file.lines.begin() + SectionEnd(file.lines, header));
    Store(m_fileName, file);
}
