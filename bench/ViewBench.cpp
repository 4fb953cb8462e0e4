// SPDX-License-Identifier: GPL-3.0-or-later
// How long the cover view takes to paint a Multiple cover of three camera-sized
// pictures, to follow one drag step, and what the same frame costs when the
// pictures already have their on-screen size (the floor).
#include "BenchSupport.h"
#include "CoverView.h"
#include "FontSubstitutes.h"

#include <QApplication>
#include <QThread>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Cover
{
    TFixedDeviceMetrics metrics{38, 236};
    TCoverDocument document;
    TCoverView view{nullptr, metrics};

    explicit Cover(const std::vector<QImage> &pictures)
    {
        view.resize(1600, 1000);
        SetMultipleCover(document, 2, 6, 2, 5);
        view.SetDocument(&document);
        view.SetAllowDrag(true);
        view.show();
        // repaint() paints nothing until the window is on screen.
        for (int i = 0; i < 1000 && !(view.windowHandle() && view.windowHandle()->isExposed()); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        // Area 1 stretched, area 2 fitted, area 3 placed by hand.
        document.SetStretch(1, true);
        document.SetAutosize(2, true);
        document.SetStretch(3, false);
        document.SetZoom(3, 0.8);
        for (CoverArea a = 1; a <= 3; ++a)
            view.SetAreaPicture(a, &pictures[size_t(a - 1)]);
        document.SetText(1, QStringLiteral("Left side"));
        document.SetText(2, QStringLiteral("Velmora benchmark"));
        document.SetText(3, QStringLiteral("Right side, vertical"));
        document.SetOrientation(3, toVert);
        view.repaint();
    }

    // The size each picture is drawn at, as the view places it.
    std::vector<QSize> DrawnSizes()
    {
        std::vector<QSize> sizes;
        for (CoverArea a = 1; a <= 3; ++a) {
            const TRect r = view.ScreenLayout(a).Picture;
            sizes.emplace_back(r.Right - r.Left, r.Bottom - r.Top);
        }
        return sizes;
    }

    void Move(QPoint p)
    {
        QMouseEvent e(QEvent::MouseMove, p, view.mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &e);
        view.repaint();
    }

    void StartDrag(QPoint p)
    {
        QMouseEvent e(QEvent::MouseButtonPress, p, view.mapToGlobal(p), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &e);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RegisterFontSubstitutes();
    std::printf("Preparing three %d x %d pictures...\n", PictureWidth, PictureHeight);
    std::vector<QImage> pictures{CameraPicture(1), CameraPicture(2), CameraPicture(3)};

    Cover cover(pictures);
    const TRect area3 = cover.view.AreaRect()[3];
    const QPoint grab((area3.Left + area3.Right) / 2, (area3.Top + area3.Bottom) / 2);

    // (a) A full paint with every picture scaled afresh.
    const double full = MedianMs(5, [&] {
        cover.view.SetUseScaledPictureCache(false);
        cover.view.repaint();
    });

    // (b) One drag step, mouse move to finished repaint.
    cover.view.SetUseScaledPictureCache(true);
    cover.view.repaint();
    cover.StartDrag(grab);
    int dx = 0;
    const double drag = MedianMs(60, [&] {
        dx = (dx + 3) % 40;
        cover.Move(grab + QPoint(dx, dx / 2));
    });
    cover.view.SetUseScaledPictureCache(false);
    const double dragUncached = MedianMs(5, [&] {
        dx = (dx + 3) % 40;
        cover.Move(grab + QPoint(dx, dx / 2));
    });

    // (c) The floor: the same frame from pictures already at their drawn size.
    std::vector<QImage> prescaled;
    const std::vector<QSize> sizes = cover.DrawnSizes();
    for (size_t i = 0; i < 3; ++i)
        prescaled.push_back(
            pictures[i].scaled(sizes[i], Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    Cover floorCover(prescaled);
    floorCover.document.SetZoom(3, 0.8);
    floorCover.document.SetOffset(3, cover.document.GetOffset(3));
    floorCover.view.SetUseScaledPictureCache(false);
    const double floor = MedianMs(60, [&] { floorCover.view.repaint(); });

    // (d) One resize step, new view size to finished repaint: the drawn
    // sizes change by a few pixels each step, as a window edge dragged
    // gives them. Then the repaint with the exact copies, once the size has
    // held still.
    cover.view.SetUseScaledPictureCache(true);
    QTest::mouseRelease(&cover.view, Qt::LeftButton);
    int step = 0;
    const double resize = MedianMs(40, [&] {
        step = (step + 1) % 20;
        cover.view.resize(1600 - 4 * step, 1000 - 3 * step);
        cover.view.repaint();
    });
    QThread::msleep(100);
    // The end of the resize seen, and the repaint it asks for.
    const double settled = MedianMs(1, [&] {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    });
    cover.view.resize(1600, 1000);

    // (e) Long texts: 200 characters at 72 pt in each area, against the same
    // cover without texts, both after the first paint.
    cover.view.SetUseScaledPictureCache(true);
    const QString words =
        QStringLiteral("Summer evenings by the lake, recorded live in one take. ").repeated(4).left(200);
    for (CoverArea a = 1; a <= 3; ++a) {
        cover.document.SetText(a, QString());
        cover.document.GetFont(a).SetSize(72);
    }
    cover.view.repaint();
    const double untitled = MedianMs(40, [&] { cover.view.repaint(); });
    for (CoverArea a = 1; a <= 3; ++a)
        cover.document.SetText(a, words);
    cover.view.repaint();
    const double titled = MedianMs(40, [&] { cover.view.repaint(); });

    // (f) Text blocks: a 40-line track list flowed into 3 columns on each
    // area, against the same cover without blocks; and one keystroke in a
    // block, its text laid out afresh.
    for (CoverArea a = 1; a <= 3; ++a)
        cover.document.SetText(a, QStringLiteral("Title"));
    cover.view.repaint();
    const double unblocked = MedianMs(40, [&] { cover.view.repaint(); });
    QStringList rows;
    for (int i = 1; i <= 40; ++i)
        rows << QStringLiteral("%1\tA song of the summer, part %1\t%2:%3").arg(i).arg(i % 9).arg(10 + i);
    TTextBlock list;
    list.Text = rows.join(QLatin1Char('\n'));
    list.Fit = TBlockFit::Columns;
    list.Columns = 3;
    list.X = 2;
    list.Y = 2;
    list.Width = 45;
    list.Height = 100;
    for (CoverArea a = 1; a <= 3; ++a)
        cover.document.SetBlocks(a, {list});
    cover.view.repaint();
    const double blocked = MedianMs(40, [&] { cover.view.repaint(); });
    int typed = 0;
    const double relayout = MedianMs(60, [&] {
        list.Text += QChar(QLatin1Char('a' + typed++ % 26));
        LayOutTextBlock(list);
    });
    const double keystroke = MedianMs(30, [&] {
        list.Text += QChar(QLatin1Char('a' + typed++ % 26));
        cover.document.SetBlocks(2, {list});
        cover.view.repaint();
    });

    std::printf(
        "View 1600 x 1000, Multiple cover, three %d x %d pictures, three texts (one vertical)\n",
        PictureWidth, PictureHeight);
    std::printf("(a) full paint, pictures scaled afresh : %8.2f ms  (%.1fx floor)\n", full,
                full / floor);
    std::printf("(b) drag step, move to repaint         : %8.2f ms  (%.2fx floor)\n", drag,
                drag / floor);
    std::printf("    drag step without scaled copies    : %8.2f ms  (%.1fx floor)\n", dragUncached,
                dragUncached / floor);
    std::printf("(c) floor, pictures at drawn size      : %8.2f ms\n", floor);
    std::printf("(d) resize step, new size to repaint   : %8.2f ms  (%.2fx floor)\n", resize,
                resize / floor);
    std::printf("    exact copies once it holds still   : %8.2f ms, once\n", settled);
    std::printf("(e) paint, 200-character 72 pt texts    : %8.2f ms  (%.2fx the paint without, %.2f ms)\n",
                titled, titled / untitled, untitled);
    std::printf("(f) paint, three 40-line blocks in 3 columns: %8.2f ms  (%.2fx the paint without, %.2f ms)\n",
                blocked, blocked / unblocked, unblocked);
    std::printf("    relayout of one block per keystroke : %8.2f ms; keystroke to repaint %.2f ms\n",
                relayout, keystroke);
    std::printf("target: drag step within 1.5x floor and under 16 ms: %s\n",
                drag <= 1.5 * floor && drag < 16.0 ? "met" : "MISSED");
    std::printf("target: resize step within 2x floor and under 16 ms: %s\n",
                resize <= 2 * floor && resize < 16.0 ? "met" : "MISSED");
    std::printf("target: long texts within 2x the paint without: %s\n",
                titled <= 2 * untitled ? "met" : "MISSED");
    std::printf("target: text blocks within 2x the paint without, relayout under 16 ms: %s\n",
                blocked <= 2 * unblocked && relayout < 16.0 ? "met" : "MISSED");
    return 0;
}
