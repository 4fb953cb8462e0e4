// SPDX-License-Identifier: GPL-3.0-or-later
// Each area's one line, measured as it is really drawn (faces that stand in
// for missing characters included) and drawn literally, an ampersand as an
// ampersand, into a bitmap for the screen or with the page's own painter.
#include "TextLine.h"

#include "BitmapHelpers.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <cmath>

namespace {

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
