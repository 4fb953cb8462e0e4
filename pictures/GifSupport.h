// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Graphic.h"

// GIF pictures, decoded by the library "GIFView.dll" beside the program. The
// library is loaded for each picture and unloaded right after, so nothing of
// it survives between pictures.
class TMyGifImage : public TGraphic
{
public:
    static constexpr const char *LibraryFileName = "GIFView.dll";

    QString KindName() const override { return QStringLiteral("TMyGifImage"); }
    // As DecodeGifStream, but a picture whose sides are beyond the limit is
    // refused as too large rather than left empty without a word.
    void LoadFromStream(QIODevice &stream) override;
    // Writes nothing.
    void SaveToStream(QIODevice &stream) const override;
    int Width() const override { return m_bitmap.width(); }
    int Height() const override { return m_bitmap.height(); }
    // A GIF picture keeps the size it was decoded at.
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void Draw(QPainter &canvas, const QRect &rect) const override;
    QImage ToBitmap() const override { return m_bitmap; }
    void Assign(const TGraphic *source) override;
    void AssignTo(TGraphic &destination) const override;

    // Hands the whole stream to the library; true when a picture came back.
    // A failed decoding leaves the picture empty and raises nothing.
    bool DecodeGifStream(QIODevice &stream);

    // The folder the library is loaded from: the executable's by default.
    static QString LibraryDir();
    static void SetLibraryDir(const QString &dir);

private:
    QImage m_bitmap;
    bool m_tooLarge = false; // the last decoding's picture was beyond the limit
};

// Enters the kind in the table of picture kinds as "gif", "GIF file".
void RegisterGifSupport();
