// SPDX-License-Identifier: GPL-3.0-or-later
// Each area's one line on screen, as the renderer lays it out: the drawn text
// is kept while nothing it depends on changes, and drawn over whatever lies
// beneath.
#include "CoverView.h"

#include <QPainter>

void TCoverView::DrawAreaText(CoverArea area, QImage &canvas, const TAreaLayout &layout)
{
    if (!layout.HasText)
        return;
    const TRect &box = layout.TextBox;
    const QSize boxSize(box.Right - box.Left, box.Bottom - box.Top);
    if (boxSize.width() <= 0 || boxSize.height() <= 0 || layout.TextWidth <= 0 ||
        layout.TextHeight <= 0)
        return;

    // The text stands over what the canvas already shows, the area's
    // background and picture; the drawn text is kept for the next paint,
    // never what lies beneath it.
    const QString text = FDocument->GetText(area);
    const QColor color = FDocument->GetFont(area).Color();
    const bool vertical = FDocument->GetOrientation(area) == toVert;
    QImage drawn;
    TTextMemo &memo = m_drawnText.at(size_t(area - 1));
    if (memo.Text == text && memo.Font == layout.Font && memo.Color == color &&
        memo.Vertical == vertical && memo.Image.size() == boxSize) {
        drawn = memo.Image;
    } else if (m_liveResize && memo.Text == text && memo.Color == color &&
               memo.Vertical == vertical && CloseInSize(memo.Image.size(), boxSize)) {
        // Mid-resize the last drawing, scaled; the exact one follows.
        QPainter p(&canvas);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(QRect(QPoint(box.Left, box.Top), boxSize), memo.Image);
        return;
    } else {
        drawn = RenderTextLine(text, layout.Font, color, layout.Measure, boxSize, vertical);
        memo = TTextMemo{text, layout.Font, color, vertical, drawn};
    }
    QPainter p(&canvas);
    p.drawImage(QPoint(box.Left, box.Top), drawn);
}
