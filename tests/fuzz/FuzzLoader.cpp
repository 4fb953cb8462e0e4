// SPDX-License-Identifier: GPL-3.0-or-later
// One picture loader fed arbitrary bytes: built as a libFuzzer target, and as
// a replay of the seed corpus for the test suite. FUZZ_EXTENSION picks the
// loader; GIFView.dll is compiled in for the GIF decoder's own target.
#include "FuzzPictures.h"
#include "MetafileGraphic.h"
#include "PictureLoading.h"
#include "VelmoraError.h"

#include <QBuffer>
#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>

#ifdef FUZZ_PROGRAM_DIRECT
#include "GIFViewBitmap.h"
extern "C" intptr_t GetGIFBuffer(const void *buffer, int32_t length);
#endif

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    StartPictureFuzzing(argc, argv, QStringLiteral(FUZZ_PROGRAM_DIR));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
#ifdef FUZZ_PROGRAM_DIRECT
    if (size > 0x7FFFFFFF)
        return 0;
    const intptr_t handle = GetGIFBuffer(data, int32_t(size));
    if (handle) {
        auto *b = reinterpret_cast<GIFViewBitmap *>(handle);
        volatile uint32_t sink = GIFViewPixels(b)[size_t(b->Width) * size_t(b->Height) - 1];
        (void)sink;
        GIFViewFree(b);
    }
#else
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    std::unique_ptr<TGraphic> picture = PictureForExtension(QStringLiteral(FUZZ_EXTENSION));
    if (!picture)
        std::abort();
    try {
        picture->LoadFromStream(buffer);
        if (!picture->Empty())
            (void)picture->ToBitmap();
    } catch (const EVelmoraError &) {
    } catch (const std::bad_alloc &) {
    }
    // The metafile helper is a process of its own: a memory error there
    // only fails the load, so its sanitizer report is looked for here.
    const QByteArray helper = TMetafileGraphic::LastHelperDiagnostics();
    if (helper.contains("ERROR: AddressSanitizer") || helper.contains("runtime error:")) {
        std::fwrite(helper.constData(), 1, size_t(helper.size()), stderr);
        std::abort();
    }
#endif
    return 0;
}
