// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The lines of a profile file as TProfileFile and TProfileSnapshot work on
// them: found, classified and decoded here, read and written there.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <vector>

enum class LineKind : uint8_t
{
    Blank,
    Section,
    Key,
    Other
};

// One line as read, or as the program wrote it. Reading a file only finds
// where each line's name and value lie; a text is decoded when it is asked
// for, so a large file costs little more than its section names.
struct Line
{
    // Where the line's units (bytes, or UTF-16 characters) lie in the file;
    // a line the program wrote has units of its own.
    qsizetype start = 0;
    int length = 0;
    int written = -1; // the program's own units: in TProfileLines::written
    enum class End : uint8_t
    {
        None,
        CrLf,
        Lf,
        Cr
    } end = End::None;
    LineKind kind = LineKind::Other;
    // A key's name and value (quotes still on), trimmed, as ranges of the
    // line's units.
    int nameFrom = 0, nameLength = 0, valueFrom = 0, valueLength = 0;
    int section = -1; // a section's decoded name: in TProfileLines::sectionNames
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
    QByteArray data; // a byte file as read
    QString text;    // a UTF-16 file as read
    std::vector<Line> lines;
    // Lines the program wrote: UTF-8 in a byte file, text in a UTF-16 one.
    std::vector<QByteArray> writtenBytes;
    QStringList writtenTexts;
    QStringList sectionNames;
};

namespace ProfileText {

// Which lines a parse keeps: every line, to write the file again; or the
// section headers alone, to read it, each section's lines parsed only when
// that section is read. A large file then costs little more than finding
// its headers.
enum class Keep
{
    Everything,
    Headers
};

// Blanks (spaces and tabs) around a name or a value dropped.
QStringView TrimBlanks(QStringView s);
// A line break inside a name or value would split it into lines of its own
// and corrupt the file; it is written as a blank instead.
QString SafeText(QString s);
// The text of a key line the program writes.
QString KeyLine(const QString &key, const QString &value);

// A missing or unreadable file reads as an empty one; a file too large to be
// a profile file reads as empty too, and is never written.
TProfileLines ReadAll(const QString &fileName, Keep keep = Keep::Everything);
// The bytes of the lines, as stored where a line is as read.
QByteArray Join(const TProfileLines &file);
// A line the program writes, added to the file's own units.
Line NewLine(TProfileLines &f, const QString &text);

const QString &SectionName(const TProfileLines &f, const Line &l);
QString KeyName(const TProfileLines &f, const Line &l);
// Whether a key line holds that key, names compared without regard to case.
bool KeyIs(const TProfileLines &f, const Line &l, const QString &key);
// A key's value without one pair of enclosing quotes, cut to the limit.
QString ValueAsRead(const TProfileLines &f, const Line &l);

// Index of the first section of that name among every line, or -1.
int FindSection(const TProfileLines &file, const QString &section);
// One past the last line of the section whose header is at index header.
int SectionEnd(const std::vector<Line> &lines, int header);
// The lines of a section's body, from a reading that kept the headers only.
std::vector<Line> SectionBody(const TProfileLines &file, size_t header);

} // namespace ProfileText
