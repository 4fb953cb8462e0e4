// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileFile.h"

#include "TextEncoding.h"
#include "VelmoraError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <vector>

namespace {

enum class LineKind
{
    Blank,
    Section,
    Key,
    Other
};

struct Line
{
    QByteArray text; // without its line end
    QByteArray eol;  // "\r\n", "\n", "\r" or nothing on a last line
    LineKind kind = LineKind::Other;
    QString name;  // section or key name, trimmed
    QString value; // key value, trimmed, quotes still on
};

const QByteArray CrLf("\r\n");

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray TrimBlanks(const QByteArray &s)
{
    int b = 0;
    int e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

Line Classify(const QByteArray &text, const QByteArray &eol)
{
    Line l;
    l.text = text;
    l.eol = eol;
    const QByteArray t = TrimBlanks(text);
    if (t.isEmpty()) {
        l.kind = LineKind::Blank;
    } else if (t[0] == '[') {
        l.kind = LineKind::Section;
        const int close = t.lastIndexOf(']');
        const QByteArray inner = close > 0 ? t.mid(1, close - 1) : t.mid(1);
        l.name = QString::fromUtf8(TrimBlanks(inner));
    } else if (t[0] == ';') {
        l.kind = LineKind::Other;
    } else {
        l.kind = LineKind::Key;
        const int eq = t.indexOf('=');
        if (eq < 0) {
            l.name = QString::fromUtf8(t);
        } else {
            l.name = QString::fromUtf8(TrimBlanks(t.left(eq)));
            l.value = QString::fromUtf8(TrimBlanks(t.mid(eq + 1)));
        }
    }
    return l;
}

// The lines of a file's bytes, which are UTF-8 (see ReadAll).
std::vector<Line> Parse(const QByteArray &data)
{
    std::vector<Line> lines;
    int start = 0;
    // A byte order mark stays in the first line's bytes but does not hide
    // the section header behind it.
    const QByteArray bom("\xEF\xBB\xBF");
    const int skip = data.startsWith(bom) ? bom.size() : 0;
    const int n = data.size();
    while (start < n) {
        int i = start;
        while (i < n && data[i] != '\r' && data[i] != '\n')
            ++i;
        QByteArray eol;
        int next = i;
        if (i < n) {
            if (data[i] == '\r' && i + 1 < n && data[i + 1] == '\n')
                next = i + 2;
            else
                next = i + 1;
            eol = data.mid(i, next - i);
        }
        const QByteArray text = data.mid(start, i - start);
        if (start == 0 && skip > 0) {
            Line first = Classify(text.mid(skip), eol);
            first.text = text;
            lines.push_back(first);
        } else {
            lines.push_back(Classify(text, eol));
        }
        start = next;
    }
    return lines;
}

QByteArray Join(const std::vector<Line> &lines)
{
    QByteArray out;
    for (const Line &l : lines)
        out += l.text + l.eol;
    return out;
}

// The file's bytes as UTF-8: a file written on Windows in its code page is
// converted as it is read, and written back as UTF-8.
QByteArray ReadAll(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray(); // a missing file reads as an empty one
    return ToUtf8TextFile(f.readAll());
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

// A line break inside a name or value would split it into lines of its own
// and corrupt the file; it is written as a blank instead.
QByteArray SafeBytes(const QString &s)
{
    QByteArray b = s.toUtf8();
    b.replace('\r', ' ');
    b.replace('\n', ' ');
    return b;
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

void WriteAll(const QString &fileName, const std::vector<Line> &lines)
{
    // A read-only file refuses writes, even to a user (root) whom the file
    // system would let replace it.
    const QFileInfo info(fileName);
    if (info.exists() && !(QFile::permissions(fileName) & QFileDevice::WriteOwner))
        throw EVelmoraError::UnableToWrite(fileName);
    const QByteArray data = Join(lines);
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

} // namespace

TProfileFile::TProfileFile(const QString &fileName) : m_fileName(fileName) {}

QString TProfileFile::StoredName(const QString &name)
{
    QString n = name;
    n.replace(QLatin1Char('\r'), QLatin1Char(' '));
    n.replace(QLatin1Char('\n'), QLatin1Char(' '));
    qsizetype b = 0;
    qsizetype e = n.size();
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (b < e && blank(n[b]))
        ++b;
    while (e > b && blank(n[e - 1]))
        --e;
    return n.mid(b, e - b);
}

QStringList TProfileFile::ReadSectionNames() const
{
    QStringList names;
    int used = 0;
    for (const Line &l : Parse(ReadAll(m_fileName))) {
        if (l.kind != LineKind::Section)
            continue;
        const QByteArray name = l.name.toUtf8();
        // Each name takes its terminator, and one more ends the list.
        if (used + name.size() + 2 <= SectionListLimit) {
            names << l.name;
            used += name.size() + 1;
        } else {
            const int room = SectionListLimit - used - 2;
            if (room > 0)
                names << QString::fromUtf8(name.left(room));
            break;
        }
    }
    return names;
}

QString TProfileFile::ReadString(const QString &section, const QString &key,
                                 const QString &defaultValue) const
{
    const std::vector<Line> lines = Parse(ReadAll(m_fileName));
    const int header = FindSection(lines, section);
    if (header < 0)
        return defaultValue;
    const int end = SectionEnd(lines, header);
    for (int i = header + 1; i < end; ++i)
        if (lines[i].kind == LineKind::Key && SameName(lines[i].name, key))
            return Unquote(lines[i].value).left(ValueLimit);
    return defaultValue;
}

void TProfileFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    std::vector<Line> lines = Parse(ReadAll(m_fileName));
    const QByteArray cutValue = SafeBytes(value.left(ValueLimit));
    const int header = FindSection(lines, section);
    if (header < 0) {
        EndLine(lines, int(lines.size()) - 1);
        lines.push_back(Classify("[" + SafeBytes(TProfileFile::StoredName(section)) + "]", CrLf));
        lines.push_back(Classify(SafeBytes(key) + "=" + cutValue, CrLf));
        WriteAll(m_fileName, lines);
        return;
    }
    const int end = SectionEnd(lines, header);
    int lastFilled = header;
    for (int i = header + 1; i < end; ++i) {
        Line &l = lines[i];
        if (l.kind == LineKind::Key && SameName(l.name, key)) {
            // The stored spelling of the key stays; only its value changes.
            l = Classify(l.name.toUtf8() + "=" + cutValue, CrLf);
            WriteAll(m_fileName, lines);
            return;
        }
        if (l.kind != LineKind::Blank)
            lastFilled = i;
    }
    EndLine(lines, lastFilled);
    lines.insert(lines.begin() + lastFilled + 1, Classify(SafeBytes(key) + "=" + cutValue, CrLf));
    WriteAll(m_fileName, lines);
}

void TProfileFile::EraseSection(const QString &section)
{
    std::vector<Line> lines = Parse(ReadAll(m_fileName));
    const int header = FindSection(lines, section);
    if (header < 0)
        return;
    lines.erase(lines.begin() + header, lines.begin() + SectionEnd(lines, header));
    WriteAll(m_fileName, lines);
}
