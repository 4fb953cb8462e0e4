// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

// One line of text as it is drawn: its advance and how far the faces it is
// drawn in reach above and below the baseline, in pixels.
struct TTextMeasure
{
    double Width = 0;
    double Ascent = 0;
    double Descent = 0;
};
TTextMeasure MeasureTextLine(const QString &text, const QFont &font);

// The text drawn literally in colour, scaled to fill box (a text larger than
// its box is squeezed into it), turned to read upward when vertical.
QImage RenderTextLine(const QString &text, const QFont &font, const QColor &color,
                      const TTextMeasure &measure, QSize box, bool vertical);

// The same text drawn with the painter itself (real text on a PDF page) into
// box, in the painter's units.
void DrawTextLine(QPainter &p, const QString &text, const QFont &font, const QColor &color,
                  const TTextMeasure &measure, const QRectF &box, bool vertical);
