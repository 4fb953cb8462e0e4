// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Reader and writer of profile ("INI") files with the rules the catalogue and
// the language file were written for on Windows: names matched without regard
// to case, blanks around names and values trimmed and one pair of enclosing
// quotes removed on reading, new sections appended at the end, a rewritten
// value replaced on its own line, a missing key appended at the end of its
// section, every other line left byte for byte, CR LF for what is written.
//
// Text is UTF-8; a file that is not valid UTF-8 is read as Windows-1252 and
// written back as UTF-8.
//
// Nothing is cached: each call reads the file, and each write has reached the
// disk when it returns. A write goes to a temporary file in the same folder
// that then replaces the old one, so an interrupted write leaves the old file;
// where the folder takes no new file, a writable file is rewritten in place.
class TProfileFile
{
public:
    static constexpr int SectionListLimit = 16384; // bytes, terminators included
    static constexpr int ValueLimit = 2047;        // characters

    explicit TProfileFile(const QString &fileName);

    // A section name as the file gives it back once written: line breaks
    // become blanks, blanks around it are dropped.
    static QString StoredName(const QString &name);
    QString FileName() const { return m_fileName; }

    // Section names in file order, within the listing limit (the last one
    // may be cut).
    QStringList ReadSectionNames() const;
    QString ReadString(const QString &section, const QString &key,
                       const QString &defaultValue) const;

    // Raise "Unable to write to %s" when the file system refuses; the file
    // is then as it was before the call.
    void WriteString(const QString &section, const QString &key, const QString &value);
    void EraseSection(const QString &section);

private:
    QString m_fileName;
};
