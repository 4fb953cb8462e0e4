// SPDX-License-Identifier: GPL-3.0-or-later
#include "BitmapHelpers.h"
#include "Geometry.h"
#include "VelmoraError.h"

#include <QPainter>
#include <QTest>

namespace {

QImage Numbered(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgba(x * 40, y * 40, 7, 255));
    return img;
}

} // namespace

class TestGeometry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pointInRectCountsAllFourEdges()
    {
        const TRect r{0, 0, 10, 20};
        QVERIFY(PointInRect(TPoint{10, 20}, r));
        QVERIFY(PointInRect(TPoint{0, 0}, r));
        QVERIFY(!PointInRect(TPoint{11, 20}, r));
        QVERIFY(!PointInRect(TPoint{-1, 5}, r));
        QVERIFY(!PointInRect(TPoint{5, 21}, r));
    }

    void alignRectToMovesAlongOneAxis_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QRect>("expected"); // left, top, right, bottom packed
        QTest::newRow("left") << 0 << QRect(QPoint(0, 0), QPoint(4, 2));
        QTest::newRow("right") << 1 << QRect(QPoint(5, 0), QPoint(9, 2));
        QTest::newRow("top") << 2 << QRect(QPoint(0, 0), QPoint(4, 2));
        QTest::newRow("bottom") << 3 << QRect(QPoint(0, 7), QPoint(4, 9));
        QTest::newRow("hcenter") << 4 << QRect(QPoint(2, 0), QPoint(6, 2));
        QTest::newRow("vcenter") << 5 << QRect(QPoint(0, 3), QPoint(4, 5));
    }
    void alignRectToMovesAlongOneAxis()
    {
        QFETCH(int, code);
        QFETCH(QRect, expected);
        TRect out{-1, -1, -1, -1};
        AlignRectTo(TRect{0, 0, 4, 2}, TRect{0, 0, 9, 9}, uint8_t(code), out);
        QCOMPARE(out,
                 (TRect{expected.left(), expected.top(), expected.right(), expected.bottom()}));
    }

    void alignRectToTruncatesNegativeHalvesTowardZero()
    {
        // (0 + 1) - 3 - 3 = -5, div 2 = -2
        TRect out;
        AlignRectTo(TRect{3, 0, 3, 1}, TRect{0, 0, 1, 1}, 4, out);
        QCOMPARE(out, (TRect{1, 0, 1, 1}));
    }

    void alignRectToLeavesOutputForUnknownCodes()
    {
        for (int code : {6, 7, 200, 255}) {
            TRect out{1, 2, 3, 4};
            AlignRectTo(TRect{0, 0, 4, 2}, TRect{0, 0, 9, 9}, uint8_t(code), out);
            QCOMPARE(out, (TRect{1, 2, 3, 4}));
        }
    }

    void shiftRectOverflowLeavesOutput()
    {
        TRect out{1, 2, 3, 4};
        try {
            ShiftRect(TRect{0, 0, 2147483600, 10}, 100, 0, out);
            QFAIL("no error");
        } catch (const EVelmoraError &e) {
            QCOMPARE(e.Text(), QStringLiteral("Integer overflow"));
        }
        QCOMPARE(out, (TRect{1, 2, 3, 4}));
        TRect aligned{5, 6, 7, 8};
        QVERIFY_THROWS_EXCEPTION(
            EVelmoraError,
            AlignRectTo(TRect{-10, 0, 0, 10}, TRect{0, 0, 2147483647, 10}, 4, aligned));
        QCOMPARE(aligned, (TRect{5, 6, 7, 8}));
    }

    void rectIntersectionHasNoEmptinessTest()
    {
        QCOMPARE(RectIntersection(TRect{0, 0, 5, 5}, TRect{10, 10, 20, 20}), (TRect{10, 10, 5, 5}));
        QCOMPARE(RectIntersection(TRect{0, 0, 10, 10}, TRect{5, -5, 20, 8}), (TRect{5, 0, 10, 8}));
    }

    void fitRectKeepsProportionsAndCentres()
    {
        QCOMPARE(FitRect(TRect{0, 0, 300, 300}, 100, 50), (TRect{0, 75, 300, 225}));
        QCOMPARE(FitRect(TRect{10, 10, 210, 110}, 50, 100), (TRect{85, 10, 135, 110}));
        // s = 0.51 for 300 x 100 in 153 x 145: margins 0 and 47
        QCOMPARE(FitRect(TRect{0, 0, 153, 145}, 300, 100), (TRect{0, 47, 153, 98}));
        // A margin of exactly half a pixel rounds to the even neighbour: 0.
        QCOMPARE(FitRect(TRect{0, 0, 11, 10}, 10, 10), (TRect{0, 0, 11, 10}));
    }

    void keptMemoryGrowsAndIsGivenBackWhenFarTooLarge()
    {
        QImage memory;
        const auto side = [&](QSize size) {
            return ImageInKeptMemory(memory, size, QImage::Format_RGB32, 1.25), memory.size();
        };
        QCOMPARE(side(QSize(800, 600)), QSize(1000, 750));
        QCOMPARE(side(QSize(700, 500)), QSize(1000, 750)); // smaller: kept
        QCOMPARE(side(QSize(8000, 6000)), QSize(10000, 7500));
        QCOMPARE(side(QSize(5000, 4000)), QSize(10000, 7500)); // within four times
        QCOMPARE(side(QSize(800, 600)), QSize(1000, 750)); // given back
    }

    void rotationsTurnAQuarter()
    {
        QImage src = Numbered(3, 2);
        QImage left;
        RotateBitmapLeft(src, left);
        QCOMPARE(left.size(), QSize(2, 3));
        QCOMPARE(left.pixel(0, 2), src.pixel(0, 0)); // top-left to bottom-left
        QCOMPARE(left.pixel(0, 0), src.pixel(2, 0)); // top-right to top-left
        QCOMPARE(left.pixel(1, 2), src.pixel(0, 1));

        QImage right;
        RotateBitmapRight(src, right);
        QCOMPARE(right.size(), QSize(2, 3));
        QCOMPARE(right.pixel(1, 0), src.pixel(0, 0)); // top-left to top-right
        QCOMPARE(right.pixel(0, 0), src.pixel(0, 1));
        QCOMPARE(right.pixel(1, 2), src.pixel(2, 0));

        QImage back;
        RotateBitmapRight(left, back);
        QCOMPARE(back, src);
    }

    void rotationConvertsTheSourceToThirtyTwoBits()
    {
        QImage src(4, 3, QImage::Format_RGB16);
        src.fill(Qt::red);
        QImage dst;
        RotateBitmapLeft(src, dst);
        QCOMPARE(src.depth(), 32);
        QCOMPARE(dst.depth(), 32);
        QCOMPARE(dst.size(), QSize(3, 4));
        QCOMPARE(QColor(dst.pixel(2, 3)), QColor(Qt::red));
    }

    void rotatingAnEmptyBitmapCopiesNothing()
    {
        QImage src;
        QImage dst(5, 5, QImage::Format_ARGB32);
        RotateBitmapRight(src, dst);
        QCOMPARE(dst.width(), 0);
        QCOMPARE(dst.height(), 0);
    }

    void printBitmapScaledSizesByRoundingHalfToEven()
    {
        QImage page(400, 200, QImage::Format_RGB32);
        page.fill(Qt::white);
        QImage bmp(100, 50, QImage::Format_RGB32);
        bmp.fill(Qt::blue);
        {
            QPainter p(&page);
            PrintBitmapScaled(p, bmp, 10, 20, 3.0);
        }
        // 300 x 150 at (10, 20): last blue pixel at (309, 169)
        QCOMPARE(QColor(page.pixel(10, 20)), QColor(Qt::blue));
        QCOMPARE(QColor(page.pixel(309, 169)), QColor(Qt::blue));
        QCOMPARE(QColor(page.pixel(310, 169)), QColor(Qt::white));
        QCOMPARE(QColor(page.pixel(309, 170)), QColor(Qt::white));
        QCOMPARE(QColor(page.pixel(9, 20)), QColor(Qt::white));

        // 3 x 1 at 2.5: width 7.5 rounds to 8, height 2.5 to 2
        QImage small(20, 10, QImage::Format_RGB32);
        small.fill(Qt::white);
        QImage line(3, 1, QImage::Format_RGB32);
        line.fill(Qt::black);
        {
            QPainter p(&small);
            PrintBitmapScaled(p, line, 0, 0, 2.5);
        }
        QCOMPARE(QColor(small.pixel(7, 1)), QColor(Qt::black));
        QCOMPARE(QColor(small.pixel(8, 1)), QColor(Qt::white));
        QCOMPARE(QColor(small.pixel(7, 2)), QColor(Qt::white));
    }

    void printBitmapScaledCopiesColoursWithoutBlending()
    {
        QImage page(10, 10, QImage::Format_RGB32);
        page.fill(Qt::white);
        QImage half(2, 2, QImage::Format_ARGB32);
        half.fill(qRgba(10, 20, 30, 0)); // alpha must not let the page show through
        {
            QPainter p(&page);
            PrintBitmapScaled(p, half, 0, 0, 2.0);
        }
        QCOMPARE(QColor(page.pixel(1, 1)), QColor(10, 20, 30));
    }

    void printBitmapScaledRangeErrorDrawsNothing()
    {
        QImage page(10, 10, QImage::Format_RGB32);
        page.fill(Qt::white);
        QImage bmp(4, 4, QImage::Format_RGB32);
        bmp.fill(Qt::black);
        QPainter p(&page);
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, PrintBitmapScaled(p, bmp, 0, 0, 1e10));
        p.end();
        QCOMPARE(QColor(page.pixel(0, 0)), QColor(Qt::white));
    }
};

QTEST_GUILESS_MAIN(TestGeometry)
#include "tst_geometry.moc"
