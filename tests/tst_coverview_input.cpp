// SPDX-License-Identifier: GPL-3.0-or-later
#include "Rounding.h"
#include "ViewFixture.h"

#include <QTest>

namespace {

// Multiple cover (110,10,170,610), (280,10,760,610), (870,10,930,610).
struct Multi : TViewFixture
{
    Multi() : TViewFixture(1040, 620, CoverMode::Multiple, MakeSize(5, 5, 1, 8, 1, 10))
    {
        View.show();
        View.SetAllowDrag(true);
    }
};

void Press(QWidget &w, Qt::MouseButton b, QPoint p)
{
    QTest::mousePress(&w, b, Qt::NoModifier, p);
}

void Release(QWidget &w, Qt::MouseButton b, QPoint p)
{
    QTest::mouseRelease(&w, b, Qt::NoModifier, p);
}

void Move(QWidget &w, QPoint p, Qt::MouseButtons held)
{
    QMouseEvent e(QEvent::MouseMove, p, w.mapToGlobal(p), Qt::NoButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

void Key(QWidget &w, int key, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::keyClick(&w, Qt::Key(key), m);
}

} // namespace

class TestCoverViewInput : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pressSelectsByTheEdgeRules()
    {
        Multi f;
        int changes = 0;
        f.View.SetOnSelectionChange([&](TCoverView *) { ++changes; });
        Press(f.View, Qt::LeftButton, QPoint(279, 300)); // the frame just outside area 2
        QCOMPARE(f.View.SelectedArea(), -1);
        Press(f.View, Qt::LeftButton, QPoint(760, 610)); // its right and bottom edges count
        QCOMPARE(f.View.SelectedArea(), 2);
        QCOMPARE(changes, 1);
        Press(f.View, Qt::LeftButton, QPoint(761, 300)); // outside all: unchanged
        QCOMPARE(f.View.SelectedArea(), 2);
        Press(f.View, Qt::MiddleButton, QPoint(110, 10)); // any button selects
        QCOMPARE(f.View.SelectedArea(), 1);
        QCOMPARE(f.View.focusWidget(), &f.View);
        // Only an area the cover shows can be selected.
        f.Document.SetMode(CoverMode::Single);
        f.View.SelectArea(-1);
        for (int hidden : {2, 3, 0, 4})
            f.View.SelectArea(hidden);
        QCOMPARE(f.View.SelectedArea(), -1);
        QCOMPARE(f.View.DownPoint(), (TPoint{110, 10}));
    }

    void selectionChangeByMouseLaysOutAgain()
    {
        Multi f;
        int layouts = 0;
        f.View.SetOnChange([&](TCoverView *) { ++layouts; });
        Press(f.View, Qt::LeftButton, QPoint(300, 300));
        QCOMPARE(layouts, 1);
        Press(f.View, Qt::LeftButton, QPoint(301, 300)); // same area: no layout
        QCOMPARE(layouts, 1);
        Key(f.View, Qt::Key_Right); // keys select without a layout
        QCOMPARE(f.View.SelectedArea(), 3);
        QCOMPARE(layouts, 1);
    }

    void arrowKeys_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("M left from 1") << 1 << 1 << int(Qt::Key_Left) << 3;
        QTest::newRow("M left from 2") << 1 << 2 << int(Qt::Key_Left) << 1;
        QTest::newRow("M left from 3") << 1 << 3 << int(Qt::Key_Left) << 2;
        QTest::newRow("M left from none") << 1 << -1 << int(Qt::Key_Left) << 3;
        QTest::newRow("M right from 1") << 1 << 1 << int(Qt::Key_Right) << 2;
        QTest::newRow("M right from 2") << 1 << 2 << int(Qt::Key_Right) << 3;
        QTest::newRow("M right from 3") << 1 << 3 << int(Qt::Key_Right) << 1;
        QTest::newRow("M right from none") << 1 << -1 << int(Qt::Key_Right) << 1;
        QTest::newRow("S left") << 0 << -1 << int(Qt::Key_Left) << 1;
        QTest::newRow("S right") << 0 << -1 << int(Qt::Key_Right) << 1;
        QTest::newRow("S right from 1") << 0 << 1 << int(Qt::Key_Right) << 1;
        QTest::newRow("M up passes") << 1 << 2 << int(Qt::Key_Up) << 2;
    }
    void arrowKeys()
    {
        QFETCH(int, mode);
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        Multi f;
        f.Document.SetMode(CoverMode(mode));
        f.View.SelectArea(from);
        Key(f.View, key, Qt::ShiftModifier); // shift states are ignored
        QCOMPARE(f.View.SelectedArea(), to);
    }

    void onlyTheKeypadZooms()
    {
        Multi f;
        const QImage pic = SolidPicture(40, 20, Qt::blue);
        f.View.SetAreaPicture(2, &pic);
        Key(f.View, Qt::Key_Plus, Qt::KeypadModifier); // nothing selected
        QCOMPARE(f.Document.GetZoom(2), 1.0);
        f.View.SelectArea(2);
        Key(f.View, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(f.Document.GetZoom(2), 1.1);
        Key(f.View, Qt::Key_Plus);
        Key(f.View, Qt::Key_Minus);
        QCOMPARE(f.Document.GetZoom(2), 1.1);
        for (int i = 0; i < 12; ++i)
            Key(f.View, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(f.Document.GetZoom(2), 0.1); // never down to 0
        f.View.SelectArea(1);                 // an area without a picture does not zoom
        f.View.ZoomIn();
        QCOMPARE(f.Document.GetZoom(1), 1.0);
    }

    void doubleClickFiresOnceAndStartsNoDrag()
    {
        Multi f;
        const QImage pic = SolidPicture(40, 20, Qt::blue);
        f.View.SetAreaPicture(2, &pic);
        int dbl = 0;
        f.View.SetOnAreaDblClick([&](TCoverView *) {
            ++dbl;
            QVERIFY(f.View.DblClickPending()); // before the second press's handling
        });
        const QPoint p(400, 300);
        Press(f.View, Qt::LeftButton, p);
        QCOMPARE(f.View.DragArea(), 2);
        Release(f.View, Qt::LeftButton, p);
        QTest::mouseDClick(&f.View, Qt::LeftButton, Qt::NoModifier, p);
        QCOMPARE(dbl, 1);
        QCOMPARE(f.View.DblClickPending(), false); // consumed by that press
        QCOMPARE(f.View.DragArea(), -1);
        const TPoint before = f.Document.GetOffset(2);
        Move(f.View, p + QPoint(30, 30), Qt::LeftButton);
        QCOMPARE(f.Document.GetOffset(2), before);
    }

    void onlyTheLeftButtonDoubleClicks_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void onlyTheLeftButtonDoubleClicks()
    {
        QFETCH(Qt::MouseButton, button);
        Multi f;
        const QImage pic = SolidPicture(40, 20, Qt::blue);
        f.View.SetAreaPicture(2, &pic);
        f.View.SelectArea(2);
        int dbl = 0;
        f.View.SetOnAreaDblClick([&](TCoverView *) { ++dbl; });
        const QPoint p(400, 300);
        QTest::mouseDClick(&f.View, button, Qt::NoModifier, p);
        QCOMPARE(dbl, 0);
        QVERIFY(!f.View.DblClickPending());
        // The next left drag is not swallowed.
        const TPoint before = f.Document.GetOffset(2);
        Press(f.View, Qt::LeftButton, p);
        Move(f.View, p + QPoint(30, 30), Qt::LeftButton);
        QVERIFY(f.Document.GetOffset(2) != before);
    }

    void zoomSteppedDownToNothingBecomesATenth()
    {
        Multi f;
        const QImage pic = SolidPicture(40, 20, Qt::blue);
        f.View.SetAreaPicture(2, &pic);
        f.View.SelectArea(2);
        for (int i = 0; i < 10; ++i)
            f.View.ZoomOut();
        QCOMPARE(f.Document.GetZoom(2), 0.1); // not a rounding remainder near 1e-16
        f.Document.SetZoom(2, 0.05);          // a small zoom that is meant stays
        QCOMPARE(f.Document.GetZoom(2), 0.05);
    }

    void doubleClickOutsideTheSelectedAreaFiresNothing()
    {
        Multi f;
        f.View.SelectArea(2);
        int dbl = 0;
        f.View.SetOnAreaDblClick([&](TCoverView *) { ++dbl; });
        QTest::mouseDClick(&f.View, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QCOMPARE(dbl, 0);
    }

    void popupOnRightReleaseInsideTheSelectedArea()
    {
        Multi f;
        QList<QPoint> popups;
        f.View.SetOnAreaPopup([&](TCoverView *, Qt::MouseButton b, Qt::KeyboardModifiers m, int x,
                                 int y) {
            QCOMPARE(b, Qt::RightButton);
            QCOMPARE(m, Qt::KeyboardModifiers(Qt::NoModifier));
            popups << QPoint(x, y);
        });
        Press(f.View, Qt::RightButton, QPoint(400, 300));
        QCOMPARE(f.View.SelectedArea(), 2);
        QCOMPARE(f.View.DragArea(), -1); // the right button drags nothing
        Release(f.View, Qt::RightButton, QPoint(410, 320));
        QCOMPARE(popups, QList<QPoint>({QPoint(410, 320)}));
        Press(f.View, Qt::RightButton, QPoint(400, 300));
        Release(f.View, Qt::RightButton, QPoint(20, 20));
        QCOMPARE(popups.size(), 1);
        Release(f.View, Qt::LeftButton, QPoint(400, 300));
        QCOMPARE(popups.size(), 1);
    }

    void dragFollowsThePointerAtTrueSize()
    {
        // 4 x 4 inches, shown at (almost exactly) true size.
        TViewFixture f(406, 406, CoverMode::Single, MakeSize(4, 4, 0, 0, 0, 0));
        f.View.show();
        f.View.SetAllowDrag(true);
        f.Document.SetStretch(1, false);
        const QImage pic = SolidPicture(40, 40, Qt::blue);
        f.View.SetAreaPicture(1, &pic);
        f.View.UpdateDisplayRatio();
        QVERIFY(std::abs(f.View.DisplayRatio() - 1.0) < 0.001);
        const QPoint grab(100, 100);
        Press(f.View, Qt::LeftButton, grab);
        QCOMPARE(f.View.DragArea(), 1);
        QCOMPARE(f.View.DragOffset(), f.View.ScreenToPrinter(TPoint{100, 100}));
        Move(f.View, QPoint(160, 130), Qt::LeftButton);
        const TPoint o = f.Document.GetOffset(1);
        // The picture's left edge on screen moved with the pointer.
        const int shownX = Trunc(38.0 / 236 * o.X / f.View.DisplayRatio());
        const int shownY = Trunc(38.0 / 236 * o.Y / f.View.DisplayRatio());
        QVERIFY2(std::abs(shownX - 60) <= 1, qPrintable(QString::number(shownX)));
        QVERIFY2(std::abs(shownY - 30) <= 1, qPrintable(QString::number(shownY)));
        Release(f.View, Qt::LeftButton, QPoint(160, 130));
        QCOMPARE(f.View.DragArea(), -1);
        Move(f.View, QPoint(300, 300), Qt::NoButton);
        QCOMPARE(f.Document.GetOffset(1), o);
    }

    void dragAtHalfSizeMovesThePictureHalfAsFar()
    {
        TViewFixture f(147, 147, CoverMode::Single, MakeSize(2, 2, 0, 0, 0, 0), 50, 250);
        f.View.show();
        f.View.SetAllowDrag(true);
        f.Document.SetStretch(1, false);
        const QImage pic = SolidPicture(40, 40, Qt::blue);
        f.View.SetAreaPicture(1, &pic);
        QCOMPARE(f.View.DisplayRatio(), 2.0);
        Press(f.View, Qt::LeftButton, QPoint(20, 20));
        Move(f.View, QPoint(60, 20), Qt::LeftButton);
        const TPoint o = f.Document.GetOffset(1);
        QCOMPARE(o, (TPoint{200, 0})); // 40 screen pixels, 5 printer pixels each
        QCOMPARE(Trunc(50.0 / 250 * o.X / f.View.DisplayRatio()), 20);
    }

    void dragNeedsLeftButtonAllowDragAndAPicture()
    {
        Multi f;
        Press(f.View, Qt::LeftButton, QPoint(400, 300)); // no picture
        QCOMPARE(f.View.DragArea(), -1);
        Release(f.View, Qt::LeftButton, QPoint(400, 300));
        const QImage pic = SolidPicture(40, 20, Qt::blue);
        f.View.SetAreaPicture(2, &pic);
        f.View.SetAllowDrag(false);
        Press(f.View, Qt::LeftButton, QPoint(400, 300));
        QCOMPARE(f.View.DragArea(), -1);
        Release(f.View, Qt::LeftButton, QPoint(400, 300));
        f.View.SetAllowDrag(true);
        Press(f.View, Qt::LeftButton, QPoint(400, 300));
        QCOMPARE(f.View.DragArea(), 2);
        Release(f.View, Qt::LeftButton, QPoint(400, 300));
        Press(f.View, Qt::LeftButton, QPoint(20, 20)); // outside the selected area
        QCOMPARE(f.View.DragArea(), -1);
    }

    void setUserDefinedRecentresOnlyALostPicture()
    {
        Multi f;
        const QImage pic = SolidPicture(40, 20, Qt::blue);
        f.View.SetAreaPicture(2, &pic);
        f.View.SelectArea(2);
        f.Document.SetOffset(2, TPoint{30, 40});
        f.View.SetUserDefined(2);
        QVERIFY(!f.Document.GetStretch(2) && !f.Document.GetAutosize(2));
        QCOMPARE(f.Document.GetOffset(2), (TPoint{30, 40}));
        QVERIFY(!f.View.IsPictureLost(2));

        f.Document.SetOffset(2, TPoint{-10000, 40}); // dragged far to the left
        QVERIFY(f.View.IsPictureLost(2));
        f.View.SetUserDefined(2);
        QVERIFY(!f.View.IsPictureLost(2));
        // Centred: equal margins left and right on screen.
        const TPoint o = f.Document.GetOffset(2);
        const int shownX = Trunc(38.0 / 236 * o.X / f.View.DisplayRatio());
        QCOMPARE(shownX, 0); // zoom 1: the picture is as wide as the area
    }

    void lostMeansFewerThanFivePrinterPixelsInside()
    {
        Multi f;
        const QImage pic = SolidPicture(40, 40, Qt::blue);
        f.View.SetAreaPicture(2, &pic);
        const TRect r = f.View.AreaRect()[2];
        const int aw = Round(double(r.Width() * 236) / 38 * f.View.DisplayRatio());
        f.Document.SetOffset(2, TPoint{aw - 5, 0});
        QVERIFY(!f.View.IsPictureLost(2));
        f.Document.SetOffset(2, TPoint{aw - 4, 0});
        QVERIFY(f.View.IsPictureLost(2));
        QVERIFY(!f.View.IsPictureLost(-1));
        QVERIFY(!f.View.IsPictureLost(1)); // no picture
    }

    void clearingAPictureResetsItsOffset()
    {
        Multi f;
        int changes = 0;
        f.View.SetOnChange([&](TCoverView *) { ++changes; });
        const QImage pic = SolidPicture(40, 20, Qt::blue);
        f.View.SetAreaPicture(3, &pic);
        QCOMPARE(changes, 1);
        f.Document.SetOffset(3, TPoint{7, 8});
        f.View.SetAreaPicture(3, nullptr);
        QCOMPARE(changes, 2);
        QVERIFY(f.View.IsAreaEmpty(3));
        QCOMPARE(f.Document.GetOffset(3), TPoint());
        QVERIFY(f.View.IsAreaEmpty(-1));
    }

    void centerPictureWithNothingToCentre()
    {
        Multi f;
        f.Document.SetOffset(1, TPoint{3, 4});
        f.View.CenterPicture(1); // no picture: unchanged
        f.View.CenterPicture(-1);
        QCOMPARE(f.Document.GetOffset(1), (TPoint{3, 4}));
        f.View.ZoomIn(); // nothing selected
        QCOMPARE(f.Document.GetZoom(1), 1.0);
    }
};

QTEST_MAIN(TestCoverViewInput)
#include "tst_coverview_input.moc"
