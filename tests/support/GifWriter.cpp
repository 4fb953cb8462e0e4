// SPDX-License-Identifier: GPL-3.0-or-later
#include "GifWriter.h"

#include <gif_lib.h>
#include <stdexcept>

namespace {

int WriteToArray(GifFileType *gif, const GifByteType *data, int count)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), count);
    return count;
}

void Check(int result, const char *what)
{
    if (result == GIF_ERROR)
        throw std::runtime_error(std::string("giflib failed: ") + what);
}

ColorMapObject *MapOf(const std::vector<QRgb> &palette)
{
    std::vector<GifColorType> colours;
    for (QRgb c : palette)
        colours.push_back(
            GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))});
    return GifMakeMapObject(int(colours.size()), colours.data());
}

} // namespace

QByteArray WriteGif(int screenWidth, int screenHeight, const std::vector<QRgb> &palette,
                    const std::vector<TGifFrame> &frames)
{
    QByteArray out;
    int err = 0;
    GifFileType *gif = EGifOpen(&out, WriteToArray, &err);
    if (!gif)
        throw std::runtime_error("EGifOpen failed");
    ColorMapObject *map = MapOf(palette);
    EGifSetGifVersion(gif, true);
    Check(EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, 0, map), "screen");
    for (const TGifFrame &f : frames) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.DelayTime = f.Delay;
        gcb.TransparentColor = f.Transparent >= 0 ? f.Transparent : NO_TRANSPARENT_COLOR;
        GifByteType ext[4];
        const size_t len = EGifGCBToExtension(&gcb, ext);
        Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(len), ext), "gcb");
        ColorMapObject *own = f.Palette.empty() ? nullptr : MapOf(f.Palette);
        const int put = EGifPutImageDesc(gif, f.Left, f.Top, f.Width, f.Height, f.Interlaced, own);
        GifFreeMapObject(own);
        Check(put, "image");
        auto putRow = [&](int y) {
            std::vector<GifPixelType> line(f.Indices.begin() + y * f.Width,
                                           f.Indices.begin() + (y + 1) * f.Width);
            Check(EGifPutLine(gif, line.data(), f.Width), "line");
        };
        if (f.Interlaced) {
            const int start[4] = {0, 4, 2, 1};
            const int step[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < f.Height; y += step[pass])
                    putRow(y);
        } else {
            for (int y = 0; y < f.Height; ++y)
                putRow(y);
        }
        // giflib keeps a copy of a block's own colour table and frees it
        // neither at the next block without one nor on closing.
        GifFreeMapObject(gif->Image.ColorMap);
        gif->Image.ColorMap = nullptr;
    }
    GifFreeMapObject(map);
    Check(EGifCloseFile(gif, &err), "close");
    return out;
}
