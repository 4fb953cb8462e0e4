// SPDX-License-Identifier: GPL-3.0-or-later
#include "LargeBitmap.h"

#include <atomic>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// Pictures are decoded on the preview's thread as well as on the main one.
std::atomic<qint64> g_allocated{0};

#if defined(__linux__)
const size_t HugePage = 2 * 1024 * 1024;
const size_t Threshold = 4 * 1024 * 1024;

void FreeBlock(void *block)
{
    std::free(block);
}
#endif

} // namespace

void PrefaultBitmap(const uchar *bits, qsizetype bytes)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    const auto start = reinterpret_cast<quintptr>(bits);
    if (bytes < qsizetype(Threshold) || start % HugePage != 0)
        return; // only the blocks AllocateBitmap aligns itself
    const size_t rounded = (size_t(bytes) + HugePage - 1) / HugePage * HugePage;
    // The request leaves the pixels as they are: safe while the decoder
    // writes them. A refusal (an older system) only loses the head start.
    (void)madvise(reinterpret_cast<void *>(start), rounded, MADV_POPULATE_WRITE);
#else
    Q_UNUSED(bits);
    Q_UNUSED(bytes);
#endif
}

qint64 AllocatedBitmapBytes()
{
    return g_allocated.load();
}

QImage AllocateBitmap(int width, int height, QImage::Format format)
{
#if defined(__linux__)
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    const qsizetype bytesPerLine = ((qsizetype(width) * depth + 31) / 32) * 4;
    const size_t bytes = size_t(bytesPerLine) * size_t(height);
    if (width > 0 && height > 0 && bytes >= Threshold) {
        const size_t rounded = (bytes + HugePage - 1) / HugePage * HugePage;
        void *block = std::aligned_alloc(HugePage, rounded);
        if (!block)
            return QImage();
        madvise(block, rounded, MADV_HUGEPAGE);
        QImage image(static_cast<uchar *>(block), width, height, bytesPerLine, format, FreeBlock,
                     block);
        if (image.isNull())
            std::free(block);
        else
            g_allocated += qint64(rounded);
        return image;
    }
#endif
    QImage image(width, height, format);
    g_allocated += image.sizeInBytes();
    return image;
}
