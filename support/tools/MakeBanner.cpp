// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the About box's banner, 567 x 283 pixels, from the program's own
// icons and colours, and writes it as a JPEG: velmora_make_banner OUTPUT.jpg
// (data/AboutBanner.jpg is made with it).
#include "FontSubstitutes.h"
#include "ToolIcons.h"

#include <QApplication>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora_make_banner OUTPUT.jpg\n");
        return 2;
    }
    RegisterFontSubstitutes();
    QImage banner(567, 283, QImage::Format_RGB32);
    QPainter p(&banner);
    p.setRenderHint(QPainter::Antialiasing);
    // The product name's purple, fading to the dark of a printed cover.
    QLinearGradient sky(0, 0, 567, 283);
    sky.setColorAt(0, QColor(106, 0, 106));
    sky.setColorAt(1, QColor(24, 12, 48));
    p.fillRect(banner.rect(), sky);

    // A case wrap as the view shows it: left side, spine, front, framed.
    const QRect wrap(300, 48, 230, 190);
    const int side = 100;
    const int spine = 22;
    p.fillRect(QRect(wrap.left(), wrap.top(), side, wrap.height()), QColor(240, 140, 60));
    p.fillRect(QRect(wrap.left() + side, wrap.top(), spine, wrap.height()), QColor(30, 30, 50));
    p.fillRect(
        QRect(wrap.left() + side + spine, wrap.top(), wrap.width() - side - spine, wrap.height()),
        QColor(255, 220, 120));
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(wrap);
    p.drawLine(wrap.left() + side, wrap.top(), wrap.left() + side, wrap.bottom());
    p.drawLine(wrap.left() + side + spine, wrap.top(), wrap.left() + side + spine, wrap.bottom());
    // A disc on the front.
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(QPoint(wrap.left() + side + spine + 54, wrap.center().y()), 42, 42);
    p.setBrush(QColor(106, 0, 106));
    p.drawEllipse(QPoint(wrap.left() + side + spine + 54, wrap.center().y()), 8, 8);

    // The tool panel's own pictures, large.
    const QIcon icons[] = {NewCoverIcon(), PrintCoverIcon(), SingleModeIcon(), MultipleModeIcon()};
    for (int i = 0; i < 4; ++i)
        icons[i].paint(&p, QRect(36 + i * 58, 190, 48, 48));

    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(64);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(32, 40, 260, 80), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Velmora"));
    QFont line(QStringLiteral("Arial"));
    line.setPixelSize(18);
    p.setFont(line);
    p.setPen(QColor(255, 220, 120));
    p.drawText(QRect(36, 118, 260, 60), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Covers at their true size"));
    p.end();

    QImageWriter writer(QString::fromLocal8Bit(argv[1])); // the format by the suffix
    writer.setQuality(90);
    return writer.write(banner) ? 0 : 1;
}
