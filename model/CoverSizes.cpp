// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverSizes.h"

#include "FloatText.h"

#include <algorithm>

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
    CoverSize size;
    size.Name = name;
    for (const Key &k : Keys)
        size.*k.field =
            TextToFloat(CatalogueFile->ReadString(size.Name, QLatin1String(k.name), "0"));
    return size;
}

bool TSizeList::HasSize(const QString &name) const
{
    QStringList names;
    GetSizeNames(names);
    return std::any_of(names.begin(), names.end(), [&](const QString &n) {
        return QString::compare(n, TSizeName(name).Text(), Qt::CaseInsensitive) == 0;
    });
}

bool TSizeList::AddSize(const CoverSize &size)
{
    const bool isNew = !HasSize(size.Name);
    if (isNew || Overwrite) {
        for (const Key &k : Keys)
            CatalogueFile->WriteString(size.Name, QLatin1String(k.name),
                                       FloatToText(size.*k.field));
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
