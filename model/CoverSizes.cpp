// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverSizes.h"

#include "FloatText.h"
#include "VelmoraError.h"

#include <algorithm>
#include <cmath>

namespace {

struct Key
{
    const char *name;
    double CoverSize::*field;
};

// The order in which a record's keys are written and read.
const Key Keys[] = {
    {"SingleWidth", &CoverSize::SingleWidth}, {"SingleHeight", &CoverSize::SingleHeight},
    {"LeftWidth", &CoverSize::LeftWidth},     {"CenterWidth", &CoverSize::CenterWidth},
    {"RightWidth", &CoverSize::RightWidth},   {"MultipleHeight", &CoverSize::MultipleHeight},
};

const QStringList &KeyNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (const Key &k : Keys)
            n << QLatin1String(k.name);
        return n;
    }();
    return names;
}

} // namespace

bool IsCoverDimension(double inches)
{
    return std::abs(inches) <= MaxCoverInches; // false for NaN
}

namespace {

// An entry from the texts of its six keys.
TSizeEntry EntryOf(const QString &name, const QStringList &texts)
{
    TSizeEntry entry;
    entry.Size.Name = name;
    for (size_t i = 0; i < std::size(Keys); ++i) {
        double number = 0;
        const bool read = TryTextToFloat(texts[qsizetype(i)], number);
        if (read && IsCoverDimension(number)) {
            entry.Size.*Keys[i].field = number;
        } else {
            entry.Unreadable[i] = true;
            if (entry.Error.isEmpty())
                entry.Error = (read ? EVelmoraError::InvalidSize(texts[qsizetype(i)])
                                    : EVelmoraError::InvalidFloat(texts[qsizetype(i)]))
                                  .Text();
        }
    }
    return entry;
}

TSizeEntry ReadEntryFrom(const TProfileSnapshot &file, const QString &name)
{
    return EntryOf(name, file.ReadStrings(TSizeName(name), KeyNames(), QStringLiteral("0")));
}

bool HasName(const QStringList &names, const QString &name)
{
    return std::any_of(names.begin(), names.end(), [&](const QString &n) {
        return QString::compare(n, TSizeName(name).Text(), Qt::CaseInsensitive) == 0;
    });
}

template <typename F> CoverSize MapDimensions(const CoverSize &size, F f)
{
    CoverSize r = size;
    for (const Key &k : Keys)
        r.*k.field = f(size.*k.field);
    return r;
}

} // namespace

QString TSizeName::Cut(const QString &text)
{
    if (text.size() <= MaxLength)
        return text;
    // Never half a character: a surrogate pair stays whole or goes.
    const int n = text.at(MaxLength - 1).isHighSurrogate() ? MaxLength - 1 : MaxLength;
    return text.left(n);
}

bool CoverSize::operator==(const CoverSize &o) const
{
    for (const Key &k : Keys)
        if (this->*k.field != o.*k.field)
            return false;
    return Name == o.Name;
}

double InchToCm(double x)
{
    return double(static_cast<long double>(x) * 2.54L);
}

double CmToInch(double x)
{
    return double(static_cast<long double>(x) / 2.54L);
}

TSizeList::TSizeList(const QString &fileName)
    : CatalogueFile(std::make_unique<TProfileFile>(fileName))
{
}

void TSizeList::GetSizeNames(QStringList &list) const
{
    list = CatalogueFile->ReadSectionNames();
}

CoverSize TSizeList::ReadSize(const QString &name) const
{
    const TSizeEntry entry = ReadEntry(name);
    if (!entry.Readable())
        throw EVelmoraError(entry.Error);
    return entry.Size;
}

TSizeEntry TSizeList::ReadEntry(const QString &name) const
{
    return ReadEntryFrom(CatalogueFile->Read(), name);
}

QList<TSizeEntry> TSizeList::ReadEntries() const
{
    const TSizeListSnapshot file = Read();
    QList<TSizeEntry> entries;
    entries.reserve(file.Names().size());
    for (int i = 0; i < file.Names().size(); ++i)
        entries << file.Entry(i);
    return entries;
}

TSizeListSnapshot::TSizeListSnapshot(const TProfileSnapshot &file)
    : m_file(file), m_names(file.ReadSectionNames())
{
}

TSizeEntry TSizeListSnapshot::Entry(int listed) const
{
    return EntryOf(m_names.value(listed),
                   m_file.ReadStringsAt(listed, KeyNames(), QStringLiteral("0")));
}

bool TSizeList::HasSize(const QString &name) const
{
    return HasName(CatalogueFile->ReadSectionNames(), name);
}

bool TSizeList::AddSize(const CoverSize &size)
{
    const bool isNew = !HasSize(size.Name);
    if (isNew || Overwrite) {
        // One write for the whole record: a refused write leaves none of it.
        TProfileSnapshot::TKeyValues values;
        for (const Key &k : Keys)
            values.append({QLatin1String(k.name), FloatToText(size.*k.field)});
        CatalogueFile->WriteStrings(size.Name, values);
    }
    return isNew;
}

void TSizeList::ReplaceSize(const CoverSize &size)
{
    struct Restore
    {
        bool &flag;
        ~Restore() { flag = false; }
    } restore{Overwrite};
    Overwrite = true;
    AddSize(size);
}

void TSizeList::DeleteSize(const QString &name)
{
    CatalogueFile->EraseSection(name);
}

CoverSize TSizeList::ToCentimetres(const CoverSize &size)
{
    return MapDimensions(size, InchToCm);
}

CoverSize TSizeList::ToInches(const CoverSize &size)
{
    return MapDimensions(size, CmToInch);
}
