// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverView.h"
#include "VelmoraError.h"
#include "ViewFixture.h"

#include <QTest>

namespace {

// A view on a document, laid out at a given control size.
struct Fixture
{
    TFixedDeviceMetrics metrics{38, 236};
    TCoverDocument document;
    TCoverView view{nullptr, metrics};

    void Layout(int w, int h, CoverMode mode, const CoverSize &size)
    {
        view.resize(w, h);
        document.SetMode(mode);
        document.SetCoverSize(size);
        if (!view.Document())
            view.SetDocument(&document);
        view.Relayout();
    }
};

} // namespace

class TestCoverViewLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void createdWithNothingSelected()
    {
        TFixedDeviceMetrics m(38, 236);
        TCoverView v(nullptr, m);
        QCOMPARE(v.SelectedArea(), -1);
        QCOMPARE(v.DragArea(), -1);
        QCOMPARE(v.focusPolicy(), Qt::StrongFocus);
        QVERIFY(!v.AllowDrag());
        // Before any layout the caption reads 0%.
        v.UpdateDisplayRatio();
        QCOMPARE(v.DisplayRatio(), TCoverView::NoDisplayHeightRatio);
        QCOMPARE(v.ScaleCaption(), QStringLiteral("0%"));
    }

    void singleCoverIsCentred()
    {
        Fixture f;
        f.Layout(520, 320, CoverMode::Single, MakeSize(5, 5, 1, 1, 1, 1));
        QCOMPARE(f.view.Scale(), 60.0);
        QCOMPARE(f.view.AreaRect()[1], (TRect{110, 10, 410, 310}));
        QCOMPARE(f.view.ScreenPixelsPerCm(), 38);
        QCOMPARE(f.view.PrinterPixelsPerCm(), 236);
        f.view.UpdateDisplayRatio();
        QCOMPARE(f.view.DisplayRatio(), 12.7 * 38 / 300);
    }

    void multipleCoverHasFourEqualGaps()
    {
        Fixture f;
        f.Layout(1040, 620, CoverMode::Multiple, MakeSize(1, 1, 1, 8, 1, 10));
        QCOMPARE(f.view.Scale(), 60.0);
        QCOMPARE(f.view.AreaRect()[1], (TRect{110, 10, 170, 610}));
        QCOMPARE(f.view.AreaRect()[2], (TRect{280, 10, 760, 610}));
        QCOMPARE(f.view.AreaRect()[3], (TRect{870, 10, 930, 610}));
    }

    void areaOfZeroWidthLeavesTheControlAndTakesNoGap()
    {
        Fixture f;
        f.Layout(1040, 620, CoverMode::Multiple, MakeSize(1, 1, 0, 8, 1, 10));
        QCOMPARE(f.view.AreaRect()[1], (TRect{-5, -5, -5, -5}));
        QCOMPARE(f.view.AreaRect()[2], (TRect{166, 10, 646, 610}));
        QCOMPARE(f.view.AreaRect()[3], (TRect{812, 10, 872, 610}));
        // The displayed height is that of the areas that are laid out.
        f.view.UpdateDisplayRatio();
        QCOMPARE(f.view.DisplayRatio(), 25.4 * 38 / 600);
        QCOMPARE(f.view.ScaleCaption(), QStringLiteral("62%"));
    }

    void pixelWidthsRoundHalfToEven()
    {
        Fixture f;
        f.Layout(120, 120, CoverMode::Single, MakeSize(2.5, 100, 0, 0, 0, 0));
        QCOMPARE(f.view.Scale(), 1.0);
        QCOMPARE(f.view.AreaRect()[1], (TRect{59, 10, 61, 110}));
        f.document.SetCoverSize(MakeSize(3.5, 100, 0, 0, 0, 0));
        QCOMPARE(f.view.AreaRect()[1], (TRect{58, 10, 62, 110}));
    }

    void zeroDimensionsGiveScaleOne()
    {
        Fixture f;
        f.Layout(300, 300, CoverMode::Single, MakeSize(0, 5, 0, 0, 0, 0));
        QCOMPARE(f.view.Scale(), 1.0);
        f.document.SetMode(CoverMode::Multiple);
        QCOMPARE(f.view.Scale(), 1.0);
        f.view.UpdateDisplayRatio();
        QCOMPARE(f.view.DisplayRatio(), TCoverView::NoDisplayHeightRatio);
    }

    void tinyControlGivesANegativeScaleWithoutFailing()
    {
        Fixture f;
        f.Layout(10, 10, CoverMode::Multiple, MakeSize(5, 5, 1, 8, 1, 10));
        QVERIFY(f.view.Scale() < 0);
        f.view.UpdateDisplayRatio();
        QCOMPARE(f.view.DisplayRatio(), TCoverView::NoDisplayHeightRatio);
        QCOMPARE(f.view.grab().size(), QSize(10, 10)); // paints without failing
    }

    void noPrinterMeans400()
    {
        TFixedDeviceMetrics m(38, 0);
        TCoverDocument d;
        TCoverView v(nullptr, m);
        v.SetDocument(&d);
        QCOMPARE(v.PrinterPixelsPerCm(), 400);
    }

    void layoutBeginsWithOnChangeAndFollowsResizes()
    {
        Fixture f;
        int changes = 0;
        f.view.SetOnChange([&](TCoverView *sender) {
            QCOMPARE(sender, &f.view);
            ++changes;
        });
        f.Layout(520, 320, CoverMode::Single, MakeSize(5, 5, 1, 1, 1, 1));
        const int afterLayout = changes;
        QVERIFY(afterLayout >= 1);
        f.view.show();
        f.view.resize(720, 320);
        QCoreApplication::processEvents();
        QVERIFY(changes > afterLayout);
        QCOMPARE(f.view.AreaRect()[1], (TRect{210, 10, 510, 310}));
    }

    void switchingToSingleDropsASideSelection()
    {
        Fixture f;
        f.Layout(1040, 620, CoverMode::Multiple, MakeSize(5, 5, 1, 8, 1, 10));
        int selectionChanges = 0;
        f.view.SetOnSelectionChange([&](TCoverView *) { ++selectionChanges; });
        f.view.SelectArea(3);
        QCOMPARE(selectionChanges, 1);
        f.document.SetMode(CoverMode::Single);
        QCOMPARE(f.view.SelectedArea(), -1);
        QCOMPARE(selectionChanges, 2);
        f.view.SelectArea(1);
        f.document.SetMode(CoverMode::Multiple);
        f.document.SetMode(CoverMode::Single);
        QCOMPARE(f.view.SelectedArea(), 1);
    }

    void conversionsBetweenScreenAndPrinterPixels()
    {
        Fixture f;
        f.Layout(520, 320, CoverMode::Single, MakeSize(5, 5, 1, 1, 1, 1));
        QCOMPARE(f.view.ScreenToPrinter(TPoint{10, -3}), (TPoint{62, -18}));
        QCOMPARE(f.view.PrinterToScreen(TPoint{62, -18}), (TPoint{9, -2}));
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, f.view.ScreenToPrinter(TPoint{100000000, 0}));
    }

    void documentAndViewForgetEachOther()
    {
        TFixedDeviceMetrics m(38, 236);
        auto *d = new TCoverDocument;
        {
            TCoverView v(nullptr, m);
            v.SetDocument(d);
            QCOMPARE(d->View, static_cast<IDocumentView *>(&v));
        }
        QCOMPARE(d->View, nullptr);
        TCoverView v(nullptr, m);
        v.SetDocument(d);
        delete d;
        QCOMPARE(v.Document(), nullptr);
        v.Relayout(); // still lays out, with nothing to show
    }
};

QTEST_MAIN(TestCoverViewLayout)
#include "tst_coverview_layout.moc"
