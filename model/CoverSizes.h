// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ProfileFile.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>

// A name of at most 255 characters, in the form the catalogue file stores it
// (no line breaks, no blanks around it): whatever is put into it becomes that.
class TSizeName
{
public:
    static constexpr int MaxLength = 255;
    TSizeName() = default;
    TSizeName(const QString &text) : m_text(Cut(TProfileFile::StoredName(text))) {} // NOLINT
    TSizeName(const char *text) : TSizeName(QString::fromLatin1(text)) {}
    operator const QString &() const { return m_text; }
    const QString &Text() const { return m_text; }
    bool operator==(const TSizeName &o) const { return m_text == o.m_text; }

private:
    static QString Cut(const QString &text);
    QString m_text;
};

// One cover size; every dimension in inches.
struct CoverSize
{
    TSizeName Name;
    double SingleWidth = 0;
    double SingleHeight = 0;
    double LeftWidth = 0;
    double CenterWidth = 0;
    double RightWidth = 0;
    double MultipleHeight = 0;

    bool operator==(const CoverSize &o) const;
};

// The largest side a cover may have, in inches (25.4 m): far beyond any
// printer's paper, and within what the view lays out and a print computes in
// 32 bits. The one bound of the catalogue, the size dialog and cover files.
constexpr double MaxCoverInches = 1000;
// Whether a number is a dimension a cover may have: no larger than
// MaxCoverInches either way (the catalogue takes a negative one as it is).
bool IsCoverDimension(double inches);

// x times 2.54 and x divided by 2.54, formed in extended precision.
double InchToCm(double x);
double CmToInch(double x);

// One catalogue entry as listed: its size, or what makes it unreadable.
struct TSizeEntry
{
    CoverSize Size;                     // a value that does not read stands as 0
    QString Error;                      // the first unreadable value's error; empty when whole
    std::array<bool, 6> Unreadable{};   // per dimension, in the order of the fields
    bool Readable() const { return Error.isEmpty(); }
};

// One reading of the catalogue: its names at once, each entry read from the
// same reading when it is asked for, so that listing a long catalogue costs
// only the entries shown.
class TSizeListSnapshot
{
public:
    explicit TSizeListSnapshot(const TProfileSnapshot &file);
    const QStringList &Names() const { return m_names; }
    // The entry listed at that place, read or marked unreadable.
    TSizeEntry Entry(int listed) const;

private:
    TProfileSnapshot m_file;
    QStringList m_names;
};

// The catalogue "CoverSizes.ini". It keeps nothing in memory but the path:
// each operation reads the file once and every write reaches it at once, so
// an outside edit is seen at the next operation.
class TSizeList
{
public:
    explicit TSizeList(const QString &fileName);

    void GetSizeNames(QStringList &list) const;
    // Raises "'%s' is not a valid floating point value" for a value that
    // does not read.
    CoverSize ReadSize(const QString &name) const;
    // Every entry in file order, each read or marked unreadable; never raises.
    QList<TSizeEntry> ReadEntries() const;
    TSizeListSnapshot Read() const { return TSizeListSnapshot(CatalogueFile->Read()); }
    // One entry, read or marked unreadable; never raises.
    TSizeEntry ReadEntry(const QString &name) const;
    // True when the name was new. A name that differs from a stored one only
    // in letter case is not new: the file cannot hold both.
    bool AddSize(const CoverSize &size);
    // Whether the catalogue holds that name, in any letter case.
    bool HasSize(const QString &name) const;
    void ReplaceSize(const CoverSize &size);
    void DeleteSize(const QString &name);

    static CoverSize ToCentimetres(const CoverSize &size);
    static CoverSize ToInches(const CoverSize &size);

    QString FileName() const { return CatalogueFile->FileName(); }

private:
    std::unique_ptr<TProfileFile> CatalogueFile;
    bool Overwrite = false;
};
