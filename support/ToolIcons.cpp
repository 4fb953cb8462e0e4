// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolIcons.h"

#include <QBitmap>
#include <QPainter>
#include <QPixmap>

namespace {

const int Side = 32;

QPixmap Blank(const QColor &fill)
{
    QPixmap pm(Side, Side);
    pm.fill(fill);
    return pm;
}

void Sheet(QPainter &p, const QRect &r)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
}

} // namespace

QIcon NewCoverIcon()
{
    // Drawn on yellow, which then becomes transparent, as the design asks.
    const QColor transparent(255, 255, 0);
    QPixmap pm = Blank(transparent);
    {
        QPainter p(&pm);
        const QPolygon page(
            {QPoint(7, 3), QPoint(20, 3), QPoint(26, 9), QPoint(26, 29), QPoint(7, 29)});
        p.setPen(QColor(60, 60, 60));
        p.setBrush(Qt::white);
        p.drawPolygon(page);
        p.drawPolyline(QPolygon({QPoint(20, 3), QPoint(20, 9), QPoint(26, 9)}));
        p.setPen(QPen(QColor(0, 120, 0), 2));
        p.drawLine(11, 19, 21, 19);
        p.drawLine(16, 14, 16, 24);
    }
    pm.setMask(pm.createMaskFromColor(transparent, Qt::MaskInColor));
    return QIcon(pm);
}

QIcon PrintCoverIcon()
{
    QPixmap pm = Blank(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    Sheet(p, QRect(9, 3, 14, 10));
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(3, 12, 26, 11);
    Sheet(p, QRect(8, 20, 16, 9));
    p.setPen(QColor(80, 80, 80));
    p.drawLine(11, 24, 21, 24);
    p.fillRect(24, 15, 2, 2, QColor(0, 160, 0));
    return QIcon(pm);
}

QIcon SingleModeIcon()
{
    QPixmap pm = Blank(Qt::transparent);
    QPainter p(&pm);
    Sheet(p, QRect(6, 5, 20, 22));
    p.fillRect(10, 9, 13, 8, QColor(90, 140, 210));
    return QIcon(pm);
}

QIcon MultipleModeIcon()
{
    QPixmap pm = Blank(Qt::transparent);
    QPainter p(&pm);
    Sheet(p, QRect(2, 5, 5, 22));
    Sheet(p, QRect(7, 5, 18, 22));
    Sheet(p, QRect(25, 5, 5, 22));
    p.fillRect(10, 9, 13, 8, QColor(90, 140, 210));
    return QIcon(pm);
}
