// SPDX-License-Identifier: GPL-3.0-or-later
#include "GifSupport.h"

#include "GIFViewBitmap.h"
#include "GraphicKinds.h"
#include "VelmoraError.h"

#include <QCoreApplication>
#include <QDir>
#include <QIODevice>
#include <QLibrary>
#include <QPainter>
#include <limits>

namespace {

QString g_libraryDir;

void FreeBlock(void *block)
{
    GIFViewFree(block);
}

// Takes the library's bitmap block over without copying its pixels: the
// image frees the block when its last copy goes.
QImage Adopt(intptr_t handle, bool &tooLarge)
{
    auto *block = reinterpret_cast<GIFViewBitmap *>(handle);
    if (!block)
        return QImage();
    if (block->Magic != GIFVIEW_MAGIC || block->Width <= 0 || block->Height <= 0 ||
        !PictureSizeAllowed(block->Width, block->Height)) {
        tooLarge = block->Magic == GIFVIEW_MAGIC && block->Width > 0 && block->Height > 0;
        GIFViewFree(block);
        return QImage();
    }
    QImage image(reinterpret_cast<uchar *>(GIFViewPixels(block)), block->Width, block->Height,
                 qsizetype(block->Width) * 4, QImage::Format_RGB32, FreeBlock, block);
    if (image.isNull())
        GIFViewFree(block);
    return image;
}

// The size the library would make the picture: the logical screen, or the
// first image block's reach where a writer left the screen at 0 x 0.
// Empty where the file does not say.
QSize DeclaredReach(const QByteArray &gif)
{
    const auto byte = [&](qsizetype at) { return at < gif.size() ? int(uchar(gif[at])) : -1; };
    const auto u16 = [&](qsizetype at) { return byte(at) | byte(at + 1) << 8; };
    if (gif.size() < 13 || !gif.startsWith("GIF"))
        return QSize();
    if (u16(6) > 0 && u16(8) > 0)
        return QSize(u16(6), u16(8));
    qsizetype at = 13;
    if (byte(10) & 0x80) // the global colour table
        at += 3 * (qsizetype(2) << (byte(10) & 7));
    while (at < gif.size()) {
        if (byte(at) == 0x2C) // an image block's descriptor
            return at + 9 < gif.size() ? QSize(u16(at + 1) + u16(at + 5), u16(at + 3) + u16(at + 7))
                                       : QSize();
        if (byte(at) != 0x21) // neither an extension: no picture said
            return QSize();
        at += 2; // past the extension's label: its sub-blocks up to an empty one
        while (byte(at) > 0)
            at += 1 + byte(at);
        ++at;
    }
    return QSize();
}

} // namespace

QString TMyGifImage::LibraryDir()
{
    return g_libraryDir.isEmpty() ? QCoreApplication::applicationDirPath() : g_libraryDir;
}

void TMyGifImage::SetLibraryDir(const QString &dir)
{
    g_libraryDir = dir;
}

bool TMyGifImage::DecodeGifStream(QIODevice &stream)
{
    const qint64 size = stream.size() - stream.pos();
    if (size > std::numeric_limits<int32_t>::max())
        throw EVelmoraError::RangeCheck();
    const QByteArray buffer = stream.read(size);
    m_bitmap = QImage();
    // A picture beyond the limit is not handed to the library at all, and
    // is told as such rather than as empty.
    const QSize reach = DeclaredReach(buffer);
    m_tooLarge = reach.isValid() && !PictureSizeAllowed(reach.width(), reach.height());
    if (m_tooLarge) {
        Changed();
        return false;
    }

    QLibrary library(QDir(LibraryDir()).filePath(QLatin1String(LibraryFileName)));
    if (library.load()) {
        auto entry = reinterpret_cast<GetGIFBufferProc>(library.resolve("GetGIFBuffer"));
        if (entry && !buffer.isEmpty())
            m_bitmap = Adopt(entry(buffer.constData(), int32_t(buffer.size())), m_tooLarge);
        library.unload();
    }
    Changed();
    return !m_bitmap.isNull();
}

void TMyGifImage::LoadFromStream(QIODevice &stream)
{
    if (!DecodeGifStream(stream) && m_tooLarge)
        throw EVelmoraError(QStringLiteral("Picture too large"));
}

void TMyGifImage::SaveToStream(QIODevice &) const {}

void TMyGifImage::Draw(QPainter &canvas, const QRect &rect) const
{
    canvas.save();
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    canvas.drawImage(rect, m_bitmap);
    canvas.restore();
}

void TMyGifImage::Assign(const TGraphic *source)
{
    const auto *gif = dynamic_cast<const TMyGifImage *>(source);
    if (!gif)
        AssignError(source);
    m_bitmap = gif->ToBitmap();
    Changed();
}

void TMyGifImage::AssignTo(TGraphic &destination) const
{
    if (auto *bitmap = dynamic_cast<TBitmapGraphic *>(&destination))
        bitmap->SetImage(m_bitmap);
}

void RegisterGifSupport()
{
    GraphicKinds().RegisterFileFormat(QStringLiteral("gif"), QStringLiteral("GIF file"),
                                      [] { return std::make_unique<TMyGifImage>(); });
}
