// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue over arbitrary file contents, as a libFuzzer target and as a
// replay of its corpus. Besides not crashing, it must keep its word: a name
// it accepts reads back as one entry with the values written, and a deleted
// name is gone.
#include "CoverSizes.h"
#include "FuzzFile.h"
#include "VelmoraError.h"

#include <QFile>

namespace {

int Listed(TSizeList &list, const QString &name)
{
    QStringList names;
    list.GetSizeNames(names);
    return int(names.count(name));
}

QByteArray Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Exercise(TSizeList &list)
{
    QStringList names;
    list.GetSizeNames(names);
    FuzzCheck(list.ReadEntries().size() == names.size(), "every entry is listed, read or not");
    // A name made from the file's own, so that it meets its bytes.
    CoverSize probe;
    probe.Name = (names.isEmpty() ? QString() : names.first().left(40)) +
                 QStringLiteral(" \u00e9\u20ac\u041a probe");
    probe.SingleWidth = 1.5;
    probe.CenterWidth = 5e-5;
    if (list.HasSize(probe.Name))
        return;
    const QByteArray before = Bytes(list.FileName());
    try {
        FuzzCheck(list.AddSize(probe) && Listed(list, probe.Name) == 1,
                  "an added name is listed once");
    } catch (const EVelmoraError &) {
        // A file that cannot be written back exactly is refused, unchanged.
        FuzzCheck(Bytes(list.FileName()) == before, "a refused write changes nothing");
        return;
    }
    const bool utf16 = before.startsWith("\xFF\xFE") || before.startsWith("\xFE\xFF");
    FuzzCheck(utf16 || Bytes(list.FileName()).startsWith(before),
              "an added entry keeps every other line byte for byte");
    FuzzCheck(list.ReadSize(probe.Name) == probe && !list.AddSize(probe),
              "an added size reads back");
    probe.RightWidth = 4;
    list.ReplaceSize(probe);
    FuzzCheck(Listed(list, probe.Name) == 1 && list.ReadSize(probe.Name) == probe,
              "a replaced size reads back");
    list.DeleteSize(probe.Name);
    FuzzCheck(!list.HasSize(probe.Name), "a deleted name is gone");
}

} // namespace

VELMORA_FUZZ_CORE_APPLICATION

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 20)
        return 0;
    TSizeList list(FuzzFile(QStringLiteral("CoverSizes.ini"), data, size));
    try {
        Exercise(list);
    } catch (const EVelmoraError &) {
        std::abort(); // "Unable to write to %s" cannot happen in our own folder
    }
    return 0;
}
