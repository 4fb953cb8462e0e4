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
QImage Adopt(intptr_t handle)
{
    auto *block = reinterpret_cast<GIFViewBitmap *>(handle);
    if (!block)
        return QImage();
    if (block->Magic != GIFVIEW_MAGIC || block->Width <= 0 || block->Height <= 0 ||
        !PictureSizeAllowed(block->Width, block->Height)) {
        GIFViewFree(block);
        return QImage();
    }
    QImage image(reinterpret_cast<uchar *>(GIFViewPixels(block)), block->Width, block->Height,
                 qsizetype(block->Width) * 4, QImage::Format_RGB32, FreeBlock, block);
    if (image.isNull())
        GIFViewFree(block);
    return image;
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

    QLibrary library(QDir(LibraryDir()).filePath(QLatin1String(LibraryFileName)));
    if (library.load()) {
        auto entry = reinterpret_cast<GetGIFBufferProc>(library.resolve("GetGIFBuffer"));
        if (entry && !buffer.isEmpty())
            m_bitmap = Adopt(entry(buffer.constData(), int32_t(buffer.size())));
        library.unload();
    }
    Changed();
    return !m_bitmap.isNull();
}

void TMyGifImage::LoadFromStream(QIODevice &stream)
{
    DecodeGifStream(stream);
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
