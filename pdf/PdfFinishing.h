// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSet>
#include <QString>
#include <vector>

class QIODevice;

// What Qt's PDF writer cannot say of an exported cover, said by rewriting
// the file it wrote:
// - the page to a hundredth of a millimetre (Qt gives whole points), with
//   its TrimBox and BleedBox for a print shop's preflight;
// - the colours of its pictures as sRGB (an ICCBased space), which is what
//   the program converts every picture into;
// - JPEG files as their own bytes: the painter draws a small stand-in, and
//   the stand-in's stream becomes the file;
// - text that copies as it was typed: Qt maps each glyph back to the first
//   character of the font that shows it, so a Kangxi radical comes back
//   for the ideograph 日, or a tab for a space.
class TPdfFinishing
{
public:
    // In points, from the page's top-left corner as the painter drew it.
    void SetPage(const QSizeF &page, const QRectF &trim, const QRectF &bleed);

    // The picture to draw where the JPEG goes: whole, at any size. The same
    // file given twice gets the same stand-in, and is carried once.
    // A file with a colour profile is carried with it (ICCBased), so that
    // its colours stay the photographer's; Adobe's inverted CMYK says so.
    QImage JpegStandIn(const QByteArray &jpeg, int width, int height, int components,
                       const QByteArray &icc = QByteArray(), bool invertedInk = false);

    // Every text drawn on the page, so that a glyph shared by two
    // characters maps back to the one typed.
    void AddTypedText(const QString &text);

    // Writes the finished PDF from the one Qt wrote at from. Raises
    // EVelmoraError when from does not read or to does not take it.
    void Finish(const QString &from, QIODevice &to, const QString &toName) const;

    // The ToUnicode map with every glyph mapped back to what was typed:
    // the map itself when nothing changes. Public for its tests.
    static QByteArray MendToUnicode(const QByteArray &cmap, const QSet<char32_t> &typed);

private:
    struct TJpeg
    {
        QByteArray Bytes;
        int Width;
        int Height;
        int Components;
        QByteArray Icc;
        bool InvertedInk;
        QImage StandIn;
    };
    std::vector<TJpeg> m_jpegs;
    QSizeF m_page;
    QRectF m_trim;
    QRectF m_bleed;
    QSet<char32_t> m_typed;
};
