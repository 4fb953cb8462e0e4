// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue over arbitrary file contents: list, read, add, replace and
// delete, as a libFuzzer target and as a replay of its corpus. Besides not
// crashing, the catalogue must keep its word: a name it accepts reads back
// as one entry with the values written, and a deleted name is gone.
#include "CoverSizes.h"
#include "VelmoraError.h"

#include "FuzzFile.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "catalogue broke its word: %s\n", what);
        std::abort();
    }
}

int CountName(const QStringList &names, const QString &name)
{
    int n = 0;
    for (const QString &listed : names)
        n += QString::compare(listed, name, Qt::CaseInsensitive) == 0;
    return n;
}

// Room left in the section listing, or the new name may be cut off by the
// listing limit rather than lost.
bool ListingHasRoom(const QStringList &names)
{
    int bytes = 0;
    for (const QString &n : names)
        bytes += int(n.toUtf8().size()) + 1;
    return bytes < TProfileFile::SectionListLimit - 1024;
}

void Exercise(TSizeList &list)
{
    QStringList names;
    list.GetSizeNames(names);
    for (int i = 0; i < names.size() && i < 16; ++i) {
        try {
            (void)list.ReadSize(names[i]);
        } catch (const EVelmoraError &) {
            // A mangled value is reported, not fatal.
        }
    }

    // A name taken from the file plus something new, so that it meets the
    // file's own bytes.
    const QString probe = (names.isEmpty() ? QString() : names.first().left(40)) +
                          QStringLiteral(" \u00e9\u20ac\u041a probe");
    const CoverSize stored = [&] {
        CoverSize s;
        s.Name = probe;
        s.SingleWidth = 1.5;
        s.SingleHeight = 2.25;
        s.LeftWidth = 0;
        s.CenterWidth = 5e-5;
        s.RightWidth = 3;
        s.MultipleHeight = 7.5;
        return s;
    }();
    if (CountName(names, stored.Name) > 0 || !ListingHasRoom(names))
        return;
    Check(list.AddSize(stored), "a new name is new");
    list.GetSizeNames(names);
    Check(CountName(names, stored.Name) == 1, "an added name is listed once");
    Check(list.ReadSize(stored.Name) == stored, "an added size reads back");
    Check(!list.AddSize(stored), "an added name is present");

    CoverSize changed = stored;
    changed.RightWidth = 4;
    list.ReplaceSize(changed);
    list.GetSizeNames(names);
    Check(CountName(names, stored.Name) == 1, "a replaced name is listed once");
    Check(list.ReadSize(stored.Name) == changed, "a replaced size reads back");

    list.DeleteSize(stored.Name);
    list.GetSizeNames(names);
    Check(CountName(names, stored.Name) == 0, "a deleted name is gone");
    if (!names.isEmpty())
        list.DeleteSize(names.first());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 20)
        return 0;
    const QString path = FuzzFile(QStringLiteral("CoverSizes.ini"), data, size);
    TSizeList list(path);
    try {
        Exercise(list);
    } catch (const EVelmoraError &) {
        // "Unable to write to %s" cannot happen in our own folder.
        std::abort();
    }
    return 0;
}
