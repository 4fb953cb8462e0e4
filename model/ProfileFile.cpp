// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileFile.h"

#include "ProfileLines.h"
#include "VelmoraError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <vector>

using namespace ProfileText;

namespace {

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
    if (index >= 0 && index < int(lines.size()) && lines[index].end == Line::End::None)
        lines[index].end = Line::End::CrLf;
}

void Store(const QString &fileName, const TProfileLines &file)
{
    if (!file.exact)
        throw EVelmoraError::CannotWriteBack(fileName);
    WriteAll(fileName, Join(file));
}

// Sets each key of the section, appending the section or the keys it lacks.
void SetKeys(TProfileLines &file, const QString &section,
             const TProfileSnapshot::TKeyValues &values)
{
    std::vector<Line> &lines = file.lines;
    int header = FindSection(file, section);
    if (header < 0) {
        EndLine(lines, int(lines.size()) - 1);
        lines.push_back(NewLine(file, QLatin1Char('[') +
                                          SafeText(TProfileFile::StoredName(section)) +
                                          QLatin1Char(']')));
        header = int(lines.size()) - 1;
    }
    for (const auto &[key, value] : values) {
        const int end = SectionEnd(lines, header);
        int lastFilled = header;
        bool replaced = false;
        for (int i = header + 1; i < end && !replaced; ++i) {
            Line &l = lines[i];
            if (l.kind == LineKind::Key && KeyIs(file, l, key)) {
                // The stored spelling of the key stays; only its value changes.
                l = NewLine(file, KeyLine(KeyName(file, l), value));
                replaced = true;
            } else if (l.kind != LineKind::Blank) {
                lastFilled = i;
            }
        }
        if (replaced)
            continue;
        EndLine(lines, lastFilled);
        lines.insert(lines.begin() + lastFilled + 1, NewLine(file, KeyLine(key, value)));
    }
}

} // namespace

TProfileSnapshot::TProfileSnapshot(const QString &fileName)
    : m_lines(std::make_shared<const TProfileLines>(ReadAll(fileName, Keep::Headers)))
{
    const std::vector<Line> &lines = m_lines->lines;
    m_firstSection.reserve(lines.size());
    m_readHeaders.reserve(qsizetype(lines.size()));
    for (size_t i = 0; i < lines.size(); ++i) {
        // The first section of a name stays the one that is read.
        if (lines[i].kind == LineKind::Section)
            m_readHeaders << m_firstSection.try_emplace(SectionName(*m_lines, lines[i]), int(i))
                                 .first->second;
    }
}

size_t TProfileSnapshot::TCaseBlindHash::operator()(const QString &name) const
{
    size_t h = 14695981039346656037ull;
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t c = name[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), name[++i].unicode());
        h = (h ^ QChar::toCaseFolded(c)) * 1099511628211ull;
    }
    return h;
}

bool TProfileSnapshot::TCaseBlindEqual::operator()(const QString &a, const QString &b) const
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

TProfileSnapshot::~TProfileSnapshot() = default;

int TProfileSnapshot::FindSection(const QString &section) const
{
    const auto it = m_firstSection.find(TProfileFile::StoredName(section));
    return it == m_firstSection.end() ? -1 : it->second;
}

QStringList TProfileSnapshot::ReadSectionNames() const
{
    return m_lines->sectionNames;
}

QString TProfileSnapshot::ReadString(const QString &section, const QString &key,
                                     const QString &defaultValue) const
{
    return ReadStrings(section, {key}, defaultValue).constFirst();
}

QStringList TProfileSnapshot::ReadStrings(const QString &section, const QStringList &keys,
                                          const QString &defaultValue) const
{
    return ReadStringsFrom(FindSection(section), keys, defaultValue);
}

QStringList TProfileSnapshot::ReadStringsAt(int listed, const QStringList &keys,
                                            const QString &defaultValue) const
{
    return ReadStringsFrom(m_readHeaders.value(listed, -1), keys, defaultValue);
}

QStringList TProfileSnapshot::ReadStringsFrom(int header, const QStringList &keys,
                                              const QString &defaultValue) const
{
    QStringList values(keys.size(), defaultValue);
    if (header < 0)
        return values;
    const TProfileLines &file = *m_lines;
    const std::vector<Line> body = SectionBody(file, size_t(header));
    for (qsizetype k = 0; k < keys.size(); ++k) {
        for (const Line &l : body) {
            if (l.kind == LineKind::Key && KeyIs(file, l, keys[k])) {
                values[k] = ValueAsRead(file, l);
                break;
            }
        }
    }
    return values;
}

TProfileSnapshot::TKeyValues TProfileSnapshot::ReadSection(const QString &section) const
{
    TKeyValues values;
    const int header = FindSection(section);
    if (header < 0)
        return values;
    const TProfileLines &file = *m_lines;
    for (const Line &l : SectionBody(file, size_t(header)))
        if (l.kind == LineKind::Key)
            values.append({KeyName(file, l), ValueAsRead(file, l)});
    return values;
}

TProfileFile::TProfileFile(const QString &fileName) : m_fileName(fileName) {}

QString TProfileFile::StoredName(const QString &name)
{
    const QString safe = SafeText(name);
    const QStringView trimmed = TrimBlanks(safe);
    return trimmed.size() == safe.size() ? safe : trimmed.toString();
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
    SetKeys(file, section, values);
    Store(m_fileName, file);
}

void TProfileFile::EraseSection(const QString &section)
{
    TProfileLines file = ReadAll(m_fileName);
    const int header = FindSection(file, section);
    if (header < 0)
        return;
    // Comment lines right above a header are that section's (the shipped
    // catalogue names each entry's source so): they go with it, and those
    // above the next header stay with that one.
    int from = header;
    while (from > 0 && file.lines[size_t(from - 1)].kind == LineKind::Other)
        --from;
    int to = SectionEnd(file.lines, header);
    while (to < int(file.lines.size()) && to > header + 1 &&
           file.lines[size_t(to - 1)].kind == LineKind::Other)
        --to;
    file.lines.erase(file.lines.begin() + from, file.lines.begin() + to);
    Store(m_fileName, file);
}
