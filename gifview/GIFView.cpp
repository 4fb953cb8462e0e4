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

// What a graphic control extension says of the image block after it.
struct TControl
{
    int Transparent = NO_TRANSPARENT_COLOR;
    int Delay = 0;
};

bool SkipExtension(GifFileType *gif, TControl &control)
{
    int code = 0;
    GifByteType *ext = nullptr;
    if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR)
        return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) {
        GraphicsControlBlock gcb;
        if (DGifExtensionToGCB(ext[0], ext + 1, &gcb) == GIF_OK) {
            control.Transparent = gcb.TransparentColor;
            control.Delay = gcb.DelayTime;
        }
    }
    while (ext) {
        if (DGifGetExtensionNext(gif, &ext) == GIF_ERROR)
            return false;
    }
    return true;
}

// The canvas for the first image block: the logical screen, or the block's
// own reach where a writer left the screen at 0 x 0. Null for sizes past
// the limits, refused before anything is allocated.
GIFViewBitmap *NewCanvas(const GifFileType *gif)
{
    const GifImageDesc &d = gif->Image;
    long long w = gif->SWidth > 0 ? gif->SWidth : (long long)d.Left + d.Width;
    long long h = gif->SHeight > 0 ? gif->SHeight : (long long)d.Top + d.Height;
    if (w <= 0 || h <= 0 || w > GIFVIEW_MAX_SIDE || h > GIFVIEW_MAX_SIDE ||
        w * h > GIFVIEW_MAX_PIXELS)
        return nullptr;
    auto *b = static_cast<GIFViewBitmap *>(
        GIFViewAlloc(sizeof(GIFViewBitmap) + size_t(w) * size_t(h) * sizeof(uint32_t)));
    if (!b)
        return nullptr;
    b->Magic = GIFVIEW_MAGIC;
    b->Width = int32_t(w);
    b->Height = int32_t(h);
    b->Reserved = 0;
    uint32_t *pixels = GIFViewPixels(b);
    for (long long i = 0; i < w * h; ++i)
        pixels[i] = White;
    return b;
}

// Draws the image block just described onto the canvas: its transparent
// pixels leave what lies beneath (white, under the first). False when the
// block is past the limits or its data does not decode.
bool DrawBlock(GifFileType *gif, GIFViewBitmap *canvas, int transparent)
{
    const GifImageDesc &d = gif->Image;
    const ColorMapObject *map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    // A block placed or sized past the largest side is refused before
    // anything is read of it, even where the canvas would cut it.
    if (!map || d.Width <= 0 || d.Height <= 0 || d.Left < 0 || d.Top < 0 ||
        (long long)d.Left + d.Width > GIFVIEW_MAX_SIDE ||
        (long long)d.Top + d.Height > GIFVIEW_MAX_SIDE ||
        (long long)d.Width * d.Height > GIFVIEW_MAX_PIXELS)
        return false;
    const long long w = canvas->Width;
    const long long h = canvas->Height;
    uint32_t *pixels = GIFViewPixels(canvas);

    uint32_t palette[256];
    for (int i = 0; i < 256; ++i) {
        if (i < map->ColorCount) {
            const GifColorType &c = map->Colors[i];
            palette[i] = 0xFF000000u | (uint32_t(c.Red) << 16) | (uint32_t(c.Green) << 8) | c.Blue;
        } else {
            palette[i] = 0xFF000000u; // an index past the map draws black
        }
    }

    std::vector<GifPixelType> line(size_t(d.Width));
    auto putRow = [&](int frameRow) {
        const long long y = (long long)d.Top + frameRow;
        if (y < 0 || y >= h)
            return;
        uint32_t *row = pixels + y * w;
        for (int x = 0; x < d.Width; ++x) {
            const long long px = (long long)d.Left + x;
            if (px < w && line[size_t(x)] != transparent)
                row[px] = palette[line[size_t(x)]];
        }
    };
    if (d.Interlace) {
        static const int start[4] = {0, 4, 2, 1};
        static const int step[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass) {
            for (int y = start[pass]; y < d.Height; y += step[pass]) {
                if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR)
                    return false;
                putRow(y);
            }
        }
    } else {
        for (int y = 0; y < d.Height; ++y) {
            if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR)
                return false;
            putRow(y);
        }
    }
    return true;
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
    // The first frame: every image block up to the first that is shown
    // for a while (a delay), as true-colour GIFs are written, each block with
    // a palette of its own.
    TControl control;
    BlockOwner owner;
    long long drawn = 0;
    int blocks = 0;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            return reinterpret_cast<intptr_t>(owner.Release());
        switch (type) {
        case EXTENSION_RECORD_TYPE:
            if (!SkipExtension(gif, control))
                return reinterpret_cast<intptr_t>(owner.Release());
            break;
        case IMAGE_DESC_RECORD_TYPE: {
            if (DGifGetImageDesc(gif) == GIF_ERROR)
                return reinterpret_cast<intptr_t>(owner.Release());
            if (!owner.block && !(owner.block = NewCanvas(gif)))
                return 0;
            // However many blocks, no more decoding than a picture's worth.
            drawn += (long long)gif->Image.Width * gif->Image.Height;
            ++blocks;
            // A first block that does not decode is no picture; a later one
            // ends the picture where it stands.
            if (drawn > GIFVIEW_MAX_PIXELS || !DrawBlock(gif, owner.block, control.Transparent))
                return blocks == 1 ? 0 : reinterpret_cast<intptr_t>(owner.Release());
            if (control.Delay > 0)
                return reinterpret_cast<intptr_t>(owner.Release());
            control = TControl();
            break;
        }
        default:
            // The trailer, or a record type giflib does not know.
            return reinterpret_cast<intptr_t>(owner.Release());
        }
    }
}
