// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

class QIODevice;
class QPainter;
class QRect;
class QRectF;

// Pictures above this many pixels are refused before their pixels are
// allocated; today's largest camera photographs stay well below it.
constexpr qint64 MaxPicturePixels = 100000000;
// And no side may be longer than this, which keeps every pixel
// addressable by the painter.
constexpr int MaxPictureSide = 32767;
// True when a picture of that size may be allocated.
bool PictureSizeAllowed(qint64 width, qint64 height);
// No picture file is read beyond this: the largest of any kind that fits the
// pixel limit stays below it.
constexpr qint64 MaxPictureFileBytes = 512LL * 1024 * 1024;

// The whole of a picture file, read by the same rules as a picture loads
// (a plain file, not beyond MaxPictureFileBytes); raises EVelmoraError.
QByteArray ReadPictureFile(const QString &fileName);

// A picture that can be drawn anew at another size from what it was made of
// (a metafile from its vectors): sharper on paper than its bitmap enlarged.
class TPictureSource
{
public:
    virtual ~TPictureSource() = default;
    // The picture drawn at about that size (its proportions kept), or null
    // when it cannot be drawn larger than its bitmap.
    virtual QImage Render(QSize size) const = 0;
    // Draws the picture's own vectors into target, where the painter can
    // draw them so (a PDF page); false when it cannot, and nothing is drawn.
    virtual bool DrawVectors(QPainter &, const QRectF &) const { return false; }
};

// A picture's full pixels still being decoded on a worker thread: its bitmap
// exists at its full size from the start, and holds the picture once Wait
// returns. Until then only the picture's smaller copy may be drawn.
class TPendingPixels
{
public:
    virtual ~TPendingPixels() = default;
    // Whether the bitmap holds the whole picture, without waiting.
    virtual bool IsWhole() const = 0;
    // Blocks until it does; work that was stopped is finished on the
    // calling thread.
    virtual void Wait() = 0;
    // Waits at most so long, going on with work that was stopped; whether
    // the bitmap is whole.
    virtual bool WaitFor(int milliseconds) = 0;
    // The picture was replaced: the work stops where it is. Resume (the
    // picture is back, by an undo) or Wait finishes it.
    virtual void Stop() = 0;
    virtual void Resume() = 0;
};

// A picture of one of the kinds the program loads. Each kind can read itself
// from a stream, tell its size, draw itself into a rectangle and become a
// bitmap of its own size.
class TGraphic
{
public:
    virtual ~TGraphic() = default;

    // The name of the kind, as an assignment error quotes it.
    virtual QString KindName() const = 0;

    // Raise EVelmoraError when the file cannot be read or is not a picture
    // of this kind.
    void LoadFromFile(const QString &fileName);
    void LoadFromBytes(const QByteArray &bytes);
    virtual void LoadFromStream(QIODevice &stream) = 0;
    // Whether LoadFromStream reads no further than the picture's headers
    // declare, so that it can read a file straight from the disk.
    virtual bool ReadsOnlyWhatItDeclares() const { return false; }
    virtual void SaveToStream(QIODevice &stream) const;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int) {}
    virtual void SetHeight(int) {}
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    bool Transparent() const { return m_transparent; }
    virtual void SetTransparent(bool on);

    virtual void Draw(QPainter &canvas, const QRect &rect) const = 0;
    // A bitmap of the picture's own size with the picture drawn at 0, 0 on
    // white, as a cover area keeps it.
    virtual QImage ToBitmap() const;
    // The same picture smaller, where the kind makes one cheaply while it
    // loads (a large JPEG at half size), for the screen's copies; null
    // otherwise.
    virtual QImage Reduced() const { return QImage(); }
    // A kind that shows its smaller copy first and decodes the rest on a
    // worker thread: the bitmap as it stands (not yet whole) and the work.
    // Null for every other kind, whose ToBitmap is whole at once.
    virtual std::shared_ptr<TPendingPixels> Pending() const { return nullptr; }
    virtual QImage BitmapAsItStands() const { return ToBitmap(); }
    // What the picture can be drawn anew from at another size; none for a
    // picture that is its bitmap.
    virtual std::shared_ptr<const TPictureSource> Source() const { return nullptr; }

    // Copy from another picture; the base accepts none and raises the
    // assignment error "Cannot assign a X to a Y".
    virtual void Assign(const TGraphic *source);
    // Copy into another picture; the base copies into nothing.
    virtual void AssignTo(TGraphic &destination) const;

    std::function<void(TGraphic &)> OnChange;

protected:
    void Changed();
    [[noreturn]] void AssignError(const TGraphic *source) const;

private:
    bool m_transparent = false;
};

// A plain bitmap.
class TBitmapGraphic : public TGraphic
{
public:
    TBitmapGraphic() = default;
    explicit TBitmapGraphic(const QImage &image) : m_image(image) {}

    QString KindName() const override { return QStringLiteral("TBitmap"); }
    void LoadFromStream(QIODevice &stream) override;
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    void Draw(QPainter &canvas, const QRect &rect) const override;
    QImage ToBitmap() const override { return m_image; }
    void Assign(const TGraphic *source) override;

    const QImage &Image() const { return m_image; }
    void SetImage(const QImage &image);

private:
    QImage m_image;
};
