// SPDX-License-Identifier: GPL-3.0-or-later
// Cover files over arbitrary bytes, as a libFuzzer target and as a replay of
// its corpus. Besides not crashing, it must keep its word: a file it opens
// saves and opens again as the same cover. An input that is no ZIP archive is
// taken for a description, packed with a picture of every kind per area.
#include "CoverFile.h"
#include "FuzzCoverSet.h"
#include "FuzzFile.h"
#include "FuzzPictures.h"
#include "VelmoraError.h"

#include <QBuffer>

#ifdef __unix__
#include <dlfcn.h>
#endif

namespace {

// The description a content saves as, its pictures by kind and size.
QByteArray Described(const TCoverFileContent &content)
{
    std::array<TPictureEntry, 3> pictures;
    for (size_t i = 0; i < 3; ++i)
        if (const auto &p = content.State.Areas[i].Picture) {
            pictures[i].Kind = p->FileKind;
            pictures[i].Name = PictureEntryName(CoverArea(i + 1), p->FileKind);
            pictures[i].Bytes = p->FileBytes.size();
        }
    return DescribeCover(content, pictures);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    StartPictureFuzzing(argc, argv, QStringLiteral(FUZZ_PROGRAM_DIR));
#ifdef __unix__
    // Held loaded for the whole run: the GIF library is unloaded after each
    // picture, and an instrumented library that goes away takes its
    // coverage counters with it from under the fuzzer.
    (void)dlopen(FUZZ_PROGRAM_DIR "/GIFView.dll", RTLD_NOW | RTLD_NODELETE);
#endif
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!bytes.startsWith("PK")) {
        QList<TArchiveEntry> entries = FuzzCoverPictures();
        entries.prepend(TArchiveEntry{QStringLiteral("cover.json"), bytes, false});
        QByteArray packed;
        QBuffer out(&packed);
        out.open(QIODevice::WriteOnly);
        QString why;
        FuzzCheck(WriteZipArchive(out, entries, why), "an archive of these entries is written");
        bytes = packed;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TCoverFileContent content;
    QString why;
    if (!ReadCoverFile(buffer, content, why)) {
        FuzzCheck(!why.isEmpty(), "a refused file says why");
        return 0;
    }
    const QString path = FuzzFile(QStringLiteral("again.vmcover"), nullptr, 0);
    try {
        SaveCoverFile(path, content);
    } catch (const EVelmoraError &) {
        FuzzCheck(false, "a cover that opens saves");
    }
    TCoverFileContent again;
    FuzzCheck(OpenCoverFile(path, again, why), "a saved cover opens");
    FuzzCheck(Described(again) == Described(content), "a saved cover opens as it was");
    for (size_t i = 0; i < 3; ++i) {
        const auto &a = content.State.Areas[i].Picture;
        const auto &b = again.State.Areas[i].Picture;
        FuzzCheck(!a == !b && (!a || a->FileBytes == b->FileBytes),
                  "pictures are kept byte for byte");
    }
    return 0;
}
