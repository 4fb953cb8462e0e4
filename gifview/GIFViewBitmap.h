/* SPDX-License-Identifier: GPL-3.0-or-later */
/* The contract between the program and its GIF decoding library
 * "GIFView.dll", shared by both sides.
 *
 * Entry point "GetGIFBuffer"(buffer, length): buffer holds a whole GIF file of
 * length bytes (signed 32-bit). The result is 0 when the data cannot be
 * decoded, or else the handle of a bitmap that the caller adopts.
 *
 * Where the platform has no GDI bitmaps, a handle is the address of one heap
 * block: a GIFViewBitmap header followed at once by Width x Height 32-bit
 * pixels, row 0 at the top, each pixel 0xFFRRGGBB in the machine's byte order
 * (opaque; transparent GIF pixels come out white, like the paper they are
 * printed on). The block comes from GIFViewAlloc below, which draws on the
 * process-wide heap rather than the library's own runtime, so that the
 * program can release it with GIFViewFree after the library is unloaded.
 *
 * The library keeps no state between calls and no pointer into the buffer. */
#ifndef GIFVIEW_BITMAP_H
#define GIFVIEW_BITMAP_H

#include <stddef.h>
#include <stdint.h>

#ifdef _WIN32
#include <windows.h>
#define GIFVIEW_CALL WINAPI
#define GIFVIEW_EXPORT __declspec(dllexport)
#else
#include <stdlib.h>
#define GIFVIEW_CALL
#define GIFVIEW_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define GIFVIEW_MAGIC 0x56464947u /* "GIFV" */
/* Pictures above this many pixels are refused before anything is allocated. */
#define GIFVIEW_MAX_PIXELS 100000000LL
/* No side of the picture, and no edge of its frame, beyond this. */
#define GIFVIEW_MAX_SIDE 32767

typedef struct GIFViewBitmap
{
    uint32_t Magic;
    int32_t Width;
    int32_t Height;
    uint32_t Reserved;
    /* Width x Height pixels follow. */
} GIFViewBitmap;

typedef intptr_t(GIFVIEW_CALL *GetGIFBufferProc)(const void *buffer, int32_t length);

static inline uint32_t *GIFViewPixels(GIFViewBitmap *b)
{
    return (uint32_t *)(b + 1);
}

static inline void *GIFViewAlloc(size_t bytes)
{
#ifdef _WIN32
    return HeapAlloc(GetProcessHeap(), 0, bytes);
#else
    return malloc(bytes);
#endif
}

static inline void GIFViewFree(void *block)
{
#ifdef _WIN32
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
#else
    free(block);
#endif
}

#ifdef __cplusplus
}
#endif

#endif
