// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <memory>
#include <unordered_map>

struct TProfileLines;

// One reading of a profile file, parsed once: as many look-ups as a caller
// needs without going back to the disk. A missing or unreadable file reads
// as an empty one.
class TProfileSnapshot
{
public:
    using TKeyValues = QList<QPair<QString, QString>>;

    explicit TProfileSnapshot(const QString &fileName);
    ~TProfileSnapshot();
    TProfileSnapshot(const TProfileSnapshot &) = default;
    TProfileSnapshot &operator=(const TProfileSnapshot &) = default;

    // Section names in file order.
    QStringList ReadSectionNames() const;
    QString ReadString(const QString &section, const QString &key,
                       const QString &defaultValue) const;
    // Several keys of one section, in the order asked.
    QStringList ReadStrings(const QString &section, const QStringList &keys,
                            const QString &defaultValue) const;
    // The same for the section listed at that place of ReadSectionNames: a
    // name listed twice reads its first section, as a look-up by name does.
    QStringList ReadStringsAt(int listed, const QStringList &keys,
                              const QString &defaultValue) const;
    // The keys and values of the first section of that name, in file order,
    // values unquoted and cut as ReadString gives them.
    TKeyValues ReadSection(const QString &section) const;

private:
    int FindSection(const QString &section) const;
    QStringList ReadStringsFrom(int header, const QStringList &keys,
                                const QString &defaultValue) const;

    std::shared_ptr<const TProfileLines> m_lines;
    // Section names compared as the file compares them, without regard to case.
    struct TCaseBlindHash
    {
        size_t operator()(const QString &name) const;
    };
    struct TCaseBlindEqual
    {
        bool operator()(const QString &a, const QString &b) const;
    };
    std::unordered_map<QString, int, TCaseBlindHash, TCaseBlindEqual> m_firstSection;
    QList<int> m_readHeaders;           // per listed section, the header it reads
};

// Reader and writer of profile ("INI") files with the rules the catalogue and
// the language file were written for on Windows: names matched without regard
// to case, blanks around names and values trimmed and one pair of enclosing
// quotes removed on reading, new sections appended at the end, a rewritten
// value replaced on its own line, a missing key appended at the end of its
// section, CR LF for what is written.
//
// Files come from many editors: each line is read as UTF-8 when it is valid
// UTF-8 and as Windows-1252 otherwise, and a file with a UTF-16 byte order
// mark is read as UTF-16. A write changes only the lines it must: every other
// line goes back byte for byte, and new lines are UTF-8 (UTF-16 in a UTF-16
// file). A file that would not come back exactly as it was read is not
// written at all.
//
// Each call reads the file afresh, and each write has reached the disk when
// it returns. A write goes to a temporary file in the same folder that then
// replaces the old one, so an interrupted write leaves the old file; where the
// folder takes no new file, a writable file is rewritten in place.
class TProfileFile
{
public:
    static constexpr int ValueLimit = 2047; // characters

    explicit TProfileFile(const QString &fileName);

    // A section name as the file gives it back once written: line breaks
    // become blanks, blanks around it are dropped.
    static QString StoredName(const QString &name);
    QString FileName() const { return m_fileName; }

    TProfileSnapshot Read() const { return TProfileSnapshot(m_fileName); }
    QStringList ReadSectionNames() const;
    QString ReadString(const QString &section, const QString &key,
                       const QString &defaultValue) const;

    // Raise "Unable to write to %s" when the file system refuses; the file
    // is then as it was before the call.
    void WriteString(const QString &section, const QString &key, const QString &value);
    // Several keys of one section in one write.
    void WriteStrings(const QString &section, const TProfileSnapshot::TKeyValues &values);
    void EraseSection(const QString &section);

private:
    QString m_fileName;
};
