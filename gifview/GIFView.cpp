// SPDX-License-Identifier: GPL-3.0-or-later
// "GIFView.dll": decodes the first frame of a GIF file held in memory with
// giflib and hands back a bitmap block (see GIFViewBitmap.h).
#include "GIFViewBitmap.h"

#include <gif_lib.h>

#include <cstring>
#include <vector>

namespace {

struct MemoryReader
{
    const uint8_t *data;
    size_t size;
    size_t pos;
};

int ReadFromMemory(GifFileType *gif, GifByteType *dest, int count)
{
    auto *r = static_cast<MemoryReader *>(gif->UserData);
    if (count <= 0)
        return 0;
    size_t n = size_t(count);
    if (n > r->size - r->pos)
        n = r->size - r->pos;
    std::memcpy(dest, r->data + r->pos, n);
    r->pos += n;
    return int(n);
}

struct GifCloser
{
    GifFileType *gif;
    ~GifCloser()
    {
        int err = 0;
        if (gif)
            DGifCloseFile(gif, &err);
    }
};

struct BlockOwner
{
    GIFViewBitmap *block = nullptr;
    ~BlockOwner() { GIFViewFree(block); }
    GIFViewBitmap *Release()
    {
        GIFViewBitmap *b = block;
        block = nullptr;
        return b;
    }
};

const uint32_t White = 0xFFFFFFFFu;

bool SkipExtension(GifFileType *gif, int &transparent)
{
    int code = 0;
    GifByteType *ext = nullptr;
    if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR)
        return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) {
        GraphicsControlBlock gcb;
        if (DGifExtensionToGCB(ext[0], ext + 1, &gcb) == GIF_OK)
            transparent = gcb.TransparentColor;
    }
    while (ext) {
        if (DGifGetExtensionNext(gif, &ext) == GIF_ERROR)
            return false;
    }
    return true;
}

GIFViewBitmap *DecodeFirstFrame(GifFileType *gif, int transparent)
{
    const GifImageDesc &d = gif->Image;
    const ColorMapObject *map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    if (!map || d.Width <= 0 || d.Height <= 0)
        return nullptr;
    // A frame placed or sized past the largest side is refused before
    // anything is allocated for it, even where the screen would cut it.
    if (d.Left < 0 || d.Top < 0 || (long long)d.Left + d.Width > GIFVIEW_MAX_SIDE ||
        (long long)d.Top + d.Height > GIFVIEW_MAX_SIDE)
        return nullptr;

    // Some writers leave the logical screen at 0 x 0; the frame then sets it.
    long long w = gif->SWidth > 0 ? gif->SWidth : (long long)d.Left + d.Width;
    long long h = gif->SHeight > 0 ? gif->SHeight : (long long)d.Top + d.Height;
    if (w <= 0 || h <= 0 || w > GIFVIEW_MAX_SIDE || h > GIFVIEW_MAX_SIDE ||
        w * h > GIFVIEW_MAX_PIXELS || (long long)d.Width * d.Height > GIFVIEW_MAX_PIXELS)
        return nullptr;

    BlockOwner owner;
    owner.block = static_cast<GIFViewBitmap *>(
        GIFViewAlloc(sizeof(GIFViewBitmap) + size_t(w) * size_t(h) * sizeof(uint32_t)));
    if (!owner.block)
        return nullptr;
    GIFViewBitmap *b = owner.block;
    b->Magic = GIFVIEW_MAGIC;
    b->Width = int32_t(w);
    b->Height = int32_t(h);
    b->Reserved = 0;
    uint32_t *pixels = GIFViewPixels(b);
    for (long long i = 0; i < w * h; ++i)
        pixels[i] = White;

    uint32_t palette[256];
    for (int i = 0; i < 256; ++i) {
        if (i < map->ColorCount) {
            const GifColorType &c = map->Colors[i];
            palette[i] = 0xFF000000u | (uint32_t(c.Red) << 16) | (uint32_t(c.Green) << 8) | c.Blue;
        } else {
            palette[i] = 0xFF000000u; // an index past the map draws black
        }
    }
    if (transparent >= 0 && transparent < 256)
        palette[transparent] = White;

    std::vector<GifPixelType> line(size_t(d.Width));
    auto putRow = [&](int frameRow) {
        const long long y = (long long)d.Top + frameRow;
        if (y < 0 || y >= h)
            return;
        uint32_t *row = pixels + y * w;
        for (int x = 0; x < d.Width; ++x) {
            const long long px = (long long)d.Left + x;
            if (px < w)
                row[px] = palette[line[size_t(x)]];
        }
    };
    if (d.Interlace) {
        static const int start[4] = {0, 4, 2, 1};
        static const int step[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass) {
            for (int y = start[pass]; y < d.Height; y += step[pass]) {
                if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR)
                    return nullptr;
                putRow(y);
            }
        }
    } else {
        for (int y = 0; y < d.Height; ++y) {
            if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR)
                return nullptr;
            putRow(y);
        }
    }
    return owner.Release();
}

} // namespace

extern "C" GIFVIEW_EXPORT intptr_t GIFVIEW_CALL GetGIFBuffer(const void *buffer, int32_t length)
{
    if (!buffer || length <= 0)
        return 0;
    MemoryReader reader{static_cast<const uint8_t *>(buffer), size_t(length), 0};
    int err = 0;
    GifCloser closer{DGifOpen(&reader, ReadFromMemory, &err)};
    GifFileType *gif = closer.gif;
    if (!gif)
        return 0;
    int transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            return 0;
        switch (type) {
        case EXTENSION_RECORD_TYPE:
            if (!SkipExtension(gif, transparent))
                return 0;
            break;
        case IMAGE_DESC_RECORD_TYPE:
            if (DGifGetImageDesc(gif) == GIF_ERROR)
                return 0;
            return reinterpret_cast<intptr_t>(DecodeFirstFrame(gif, transparent));
        default:
            // The trailer, or a record type giflib does not know, before any
            // image: nothing to show.
            return 0;
        }
    }
}
