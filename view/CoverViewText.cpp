// SPDX-License-Identifier: GPL-3.0-or-later
// Texts: each area's one line, measured as it is really drawn (faces that
// stand in for missing characters included), placed in its area and drawn
// literally, an ampersand as an ampersand. On screen the drawn text is kept
// while nothing it depends on changes, and drawn over whatever lies beneath.
#include "BitmapHelpers.h"
#include "CoverView.h"
#include "Rounding.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <cmath>

namespace {

// Text box placement: the RectAlign code for each step, by orientation.
uint8_t HorzFirst(uint8_t alignment)
{
    switch (alignment) {
    case taLeft:
        return uint8_t(RectAlign::Left);
    case taRight:
        return uint8_t(RectAlign::Right);
    case taCenter:
        return uint8_t(RectAlign::HCenter);
    default:
        return 255;
    }
}

uint8_t HorzSecond(uint8_t position)
{
    switch (position) {
    case tpTop:
        return uint8_t(RectAlign::Top);
    case tpBottom:
        return uint8_t(RectAlign::Bottom);
    case tpCenter:
        return uint8_t(RectAlign::VCenter);
    default:
        return 255;
    }
}

uint8_t VertFirst(uint8_t position)
{
    switch (position) {
    case tpTop:
        return uint8_t(RectAlign::Left);
    case tpBottom:
        return uint8_t(RectAlign::Right);
    case tpCenter:
        return uint8_t(RectAlign::HCenter);
    default:
        return 255;
    }
}

uint8_t VertSecond(uint8_t alignment)
{
    switch (alignment) {
    case taLeft:
        return uint8_t(RectAlign::Bottom);
    case taRight:
        return uint8_t(RectAlign::Top);
    case taCenter:
        return uint8_t(RectAlign::VCenter);
    default:
        return 255;
    }
}

// The one line of a text as Qt lays it out, with no wrapping.
void LayOutLine(QTextLayout &layout)
{
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

} // namespace

TTextMeasure MeasureTextLine(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    LayOutLine(layout);
    const QTextLine line = layout.lineAt(0);
    TTextMeasure m;
    m.Width = line.naturalTextWidth();
    m.Ascent = line.ascent();
    m.Descent = line.descent();
    // A face that stands in for characters the font lacks may reach higher
    // or lower than the font itself: the line is as tall as what is drawn.
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QRawFont face = run.rawFont();
        m.Ascent = std::max(m.Ascent, face.ascent());
        m.Descent = std::max(m.Descent, face.descent());
    }
    return m;
}

namespace {

// The line drawn in its reading direction, scaled to fill reading (in the
// painter's units) from the painter's origin.
void DrawReadingLine(QPainter &p, const QString &text, const QFont &font, const QColor &color,
                     const TTextMeasure &measure, QSizeF reading)
{
    const double tw = std::ceil(measure.Width);
    const double th = std::ceil(measure.Ascent + measure.Descent);
    if (!(tw > 0 && th > 0))
        return;
    QTextLayout layout(text, font);
    LayOutLine(layout);
    p.setPen(color);
    p.scale(reading.width() / tw, reading.height() / th);
    // The baseline stands as far down as the tallest face reaches up.
    layout.draw(&p, QPointF(0, measure.Ascent - layout.lineAt(0).ascent()));
}

} // namespace

QImage RenderTextLine(const QString &text, const QFont &font, const QColor &color,
                      const TTextMeasure &measure, QSize box, bool vertical)
{
    // Drawn in the text's reading direction straight at the box's size: a
    // text of any length costs a bitmap no larger than its box.
    const QSize reading = vertical ? box.transposed() : box;
    QImage b(reading, QImage::Format_ARGB32_Premultiplied);
    if (b.isNull())
        return b;
    b.fill(Qt::transparent);
    {
        QPainter p(&b);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        DrawReadingLine(p, text, font, color, measure, reading);
    }
    if (!vertical)
        return b;
    QImage turned;
    RotateBitmapLeft(b, turned);
    return turned;
}

double TCoverView::PrintPrinterPixelsPerCm() const
{
    if (m_printPrinterPixelsPerCm > 0)
        return m_printPrinterPixelsPerCm;
    return FPrinterPixelsPerCm;
}

double TCoverView::TextPixelSize(const TCoverFont &font, bool forPrint) const
{
    // Points become pixels at the screen's resolution, as the font dialog
    // and every other program show them.
    if (!forPrint)
        return std::max(1, Round(font.Size() * double(logicalDpiY()) / 72.0));
    // On paper a point is a 72nd of an inch, at the print bitmap's exact
    // resolution.
    const double bitmapDpi = PrintPrinterPixelsPerCm() * 2.54 / PrintDivisor;
    return std::max(1.0, font.Size() * bitmapDpi / 72.0);
}

const TTextMeasure &TCoverView::MeasuredText(CoverArea area, const QString &text,
                                            const QFont &font) const
{
    TMeasureMemo &memo = m_measured.at(size_t(area - 1));
    if (!memo.Valid || memo.Text != text || memo.Font != font) {
        memo.Measure = MeasureTextLine(text, font);
        memo.Text = text;
        memo.Font = font;
        memo.Valid = true;
    }
    return memo.Measure;
}

bool TCoverView::LayOutText(CoverArea area, bool forPrint, const TRect &rect,
                            TTextLayout &out) const
{
    const QString t = FDocument->GetText(area);
    if (t.isEmpty())
        return false;
    const TCoverFont &coverFont = FDocument->GetFont(area);
    // Fonts come in whole pixels; a size between two is the nearer one
    // drawn larger or smaller by what is left.
    const double pixels = TextPixelSize(coverFont, forPrint);
    const int32_t whole = std::max(1, Round(pixels));
    out.Font = coverFont.Font();
    out.Font.setPixelSize(whole);
    out.Measure = MeasuredText(area, t, out.Font);
    const double scale = pixels / whole;
    out.TextWidth = Trunc(std::ceil(out.Measure.Width * scale));
    out.TextHeight = Trunc(std::ceil((out.Measure.Ascent + out.Measure.Descent) * scale));
    const bool vertical = FDocument->GetOrientation(area) == toVert;

    int32_t bw;
    int32_t bh;
    if (forPrint) {
        bw = out.TextWidth;
        bh = out.TextHeight;
    } else {
        bw = Trunc(out.TextWidth / FDisplayRatio);
        bh = Trunc(out.TextHeight / FDisplayRatio);
    }
    if (vertical)
        std::swap(bw, bh);
    TRect box{0, 0, bw, bh};
    const uint8_t alignment = FDocument->GetAlignment(area);
    const uint8_t position = FDocument->GetTextPosition(area);
    AlignRectTo(box, rect, vertical ? VertFirst(position) : HorzFirst(alignment), box);
    AlignRectTo(box, rect, vertical ? VertSecond(alignment) : HorzSecond(position), box);
    out.Box = RectIntersection(box, rect);
    return true;
}

void DrawTextLine(QPainter &p, const QString &text, const QFont &font, const QColor &color,
                  const TTextMeasure &measure, const QRectF &box, bool vertical)
{
    if (box.isEmpty())
        return;
    p.save();
    // As RenderTextLine draws it, turned by the painter to read upward.
    QSizeF reading = box.size();
    if (vertical) {
        p.translate(box.left(), box.bottom());
        p.rotate(-90);
        reading.transpose();
    } else {
        p.translate(box.topLeft());
    }
    DrawReadingLine(p, text, font, color, measure, reading);
    p.restore();
}

void TCoverView::DrawAreaText(CoverArea area, QImage &canvas, bool forPrint, const TRect &rect)
{
    TTextLayout layout;
    if (!LayOutText(area, forPrint, rect, layout))
        return;
    const TRect &box = layout.Box;
    const QSize boxSize(box.Right - box.Left, box.Bottom - box.Top);
    if (boxSize.width() <= 0 || boxSize.height() <= 0 || layout.TextWidth <= 0 ||
        layout.TextHeight <= 0)
        return;

    // The text stands over what the canvas already shows, the area's
    // background and picture; on screen the drawn text is kept for the next
    // paint, never what lies beneath it.
    const QString text = FDocument->GetText(area);
    const QColor color = FDocument->GetFont(area).Color();
    const bool vertical = FDocument->GetOrientation(area) == toVert;
    QImage drawn;
    TTextMemo &memo = m_drawnText.at(size_t(area - 1));
    if (!forPrint && memo.Text == text && memo.Font == layout.Font && memo.Color == color &&
        memo.Vertical == vertical && memo.Image.size() == boxSize) {
        drawn = memo.Image;
    } else if (!forPrint && m_liveResize && memo.Text == text && memo.Color == color &&
               memo.Vertical == vertical && CloseInSize(memo.Image.size(), boxSize)) {
        // Mid-resize the last drawing, scaled; the exact one follows.
        QPainter p(&canvas);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(QRect(QPoint(box.Left, box.Top), boxSize), memo.Image);
        return;
    } else {
        drawn = RenderTextLine(text, layout.Font, color, layout.Measure, boxSize, vertical);
        if (!forPrint)
            memo = TTextMemo{text, layout.Font, color, vertical, drawn};
    }
    QPainter p(&canvas);
    p.drawImage(QPoint(box.Left, box.Top), drawn);
}
