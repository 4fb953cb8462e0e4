// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverDocuments.h"
#include "VelmoraError.h"

#include <QTest>
#include <cmath>

namespace {

struct CountingView : IDocumentView
{
    int repaints = 0;
    int relayouts = 0;
    bool detached = false;
    void DocumentRepaint() override { ++repaints; }
    void DocumentRelayout() override { ++relayouts; }
    void DocumentDetached() override { detached = true; }
};

CoverSize Size(double l, double c, double r, double h)
{
    CoverSize s;
    s.Name = QStringLiteral("s");
    s.SingleWidth = 5;
    s.SingleHeight = 5;
    s.LeftWidth = l;
    s.CenterWidth = c;
    s.RightWidth = r;
    s.MultipleHeight = h;
    return s;
}

} // namespace

class TestCoverDocument : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsWithItsDefaults()
    {
        TCoverDocument d;
        QCOMPARE(d.Mode(), CoverMode::Single);
        QCOMPARE(d.Size(), CoverSize());
        for (CoverArea a = 1; a <= 3; ++a) {
            QVERIFY(d.GetPicture(a).isNull());
            QVERIFY(d.GetStretch(a));
            QVERIFY(!d.GetAutosize(a));
            QCOMPARE(d.GetBackColor(a), TColorRef(0xFFFFFF));
            QCOMPARE(d.GetOffset(a), TPoint());
            QCOMPARE(d.GetZoom(a), 1.0);
            QCOMPARE(d.GetText(a), QString());
            QCOMPARE(d.GetAlignment(a), uint8_t(taCenter));
            QCOMPARE(d.GetFont(a).Name(), QStringLiteral("Times New Roman"));
            QCOMPARE(d.GetFont(a).Size(), 30);
            QCOMPARE(d.GetOrientation(a), uint8_t(toHorz));
            QCOMPARE(d.GetTextPosition(a), uint8_t(tpCenter));
        }
    }

    void areaIndexOutsideOneToThreeIsARangeError()
    {
        TCoverDocument d;
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, d.GetText(0));
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, d.SetText(4, "x"));
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, d.GetPicture(-1));
    }

    void zoomNotAboveZeroBecomesOneTenth()
    {
        TCoverDocument d;
        d.SetZoom(1, 0);
        QCOMPARE(d.GetZoom(1), 0.1);
        d.SetZoom(1, -2);
        QCOMPARE(d.GetZoom(1), 0.1);
        d.SetZoom(1, std::nan(""));
        QCOMPARE(d.GetZoom(1), 0.1);
        d.SetZoom(1, 0.05);
        QCOMPARE(d.GetZoom(1), 0.05);
    }

    void placementFlagsAreNeverBothSet()
    {
        TCoverDocument d;
        d.SetAutosize(1, true);
        QVERIFY(!d.GetStretch(1));
        d.SetStretch(1, true);
        QVERIFY(d.GetStretch(1));
        QVERIFY(!d.GetAutosize(1));
        d.SetAutosize(1, true);
        d.SetStretch(1, false);
        QVERIFY(d.GetAutosize(1)); // clearing one leaves the other
        d.SetAutosize(1, false);
        QVERIFY(!d.GetStretch(1) && !d.GetAutosize(1)); // UserDefined
    }

    void orientationsFollowTheAreasShape()
    {
        TCoverDocument d;
        d.SetMode(CoverMode::Multiple);
        d.SetCoverSize(Size(1, 8, 1, 10));
        QCOMPARE(d.GetOrientation(1), uint8_t(toVert));
        QCOMPARE(d.GetOrientation(2), uint8_t(toHorz));
        QCOMPARE(d.GetOrientation(3), uint8_t(toVert));
        d.SetCoverSize(Size(5, 8, 4.99, 10)); // exactly half stays Horz
        QCOMPARE(d.GetOrientation(1), uint8_t(toHorz));
        QCOMPARE(d.GetOrientation(3), uint8_t(toVert));
        d.SetMode(CoverMode::Single);
        for (CoverArea a = 1; a <= 3; ++a)
            QCOMPARE(d.GetOrientation(a), uint8_t(toHorz));
    }

    void chosenOrientationLastsUntilModeOrSizeChanges()
    {
        TCoverDocument d;
        d.SetOrientation(1, toVert);
        QCOMPARE(d.GetOrientation(1), uint8_t(toVert));
        d.SetText(1, "x");
        QCOMPARE(d.GetOrientation(1), uint8_t(toVert));
        d.SetCoverSize(Size(1, 8, 1, 10));
        QCOMPARE(d.GetOrientation(1), uint8_t(toHorz));
        d.SetOrientation(1, toVert);
        d.SetMode(CoverMode::Single);
        QCOMPARE(d.GetOrientation(1), uint8_t(toHorz));
    }

    void resetKeepsFontStyleAndColour()
    {
        TCoverDocument d;
        d.SetCoverSize(Size(1, 8, 1, 10));
        d.SetMode(CoverMode::Multiple);
        TCoverFont &f = d.GetFont(2);
        f.SetBold(true);
        f.SetColor(Qt::red);
        f.SetName("Arial");
        f.SetSize(12);
        QImage pic(4, 4, QImage::Format_RGB32);
        d.SetPicture(2, &pic);
        d.SetText(2, "text");
        d.SetAutosize(2, true);
        d.SetBackColor(2, 0x123456);
        d.SetOffset(2, TPoint{5, 6});
        d.SetZoom(2, 3);
        d.SetAlignment(2, taLeft);
        d.SetTextPosition(2, tpBottom);
        d.SetOrientation(2, toVert);
        d.Reset();
        QVERIFY(d.GetPicture(2).isNull());
        QCOMPARE(d.GetText(2), QString());
        QVERIFY(d.GetStretch(2) && !d.GetAutosize(2));
        QCOMPARE(d.GetBackColor(2), TColorRef(0xFFFFFF));
        QCOMPARE(d.GetOffset(2), TPoint());
        QCOMPARE(d.GetZoom(2), 1.0);
        QCOMPARE(d.GetAlignment(2), uint8_t(taCenter));
        QCOMPARE(d.GetTextPosition(2), uint8_t(tpCenter));
        QCOMPARE(f.Name(), QStringLiteral("Times New Roman"));
        QCOMPARE(f.Size(), 30);
        QVERIFY(f.Bold());
        QCOMPARE(f.Color(), QColor(Qt::red));
        // Mode, size and orientations stay.
        QCOMPARE(d.Mode(), CoverMode::Multiple);
        QCOMPARE(d.Size(), Size(1, 8, 1, 10));
        QCOMPARE(d.GetOrientation(2), uint8_t(toVert));
    }

    void everySetterRepaintsAndLayoutChangesRelayout()
    {
        CountingView v; // outlives the document, which tells it goodbye
        TCoverDocument d;
        d.View = &v;
        QImage pic(2, 2, QImage::Format_RGB32);
        d.SetPicture(1, &pic);
        d.SetStretch(1, true);
        d.SetAutosize(1, false);
        d.SetBackColor(1, 0);
        d.SetOffset(1, TPoint{});
        d.SetZoom(1, 1);
        d.SetText(1, "");
        d.SetText(1, ""); // the same value repaints again
        d.SetAlignment(1, taLeft);
        d.SetOrientation(1, toHorz);
        d.SetTextPosition(1, tpTop);
        QCOMPARE(v.repaints, 11);
        d.GetFont(1).SetSize(12); // font changes notify too
        QCOMPARE(v.repaints, 12);
        QCOMPARE(v.relayouts, 0);
        d.SetMode(CoverMode::Multiple);
        d.SetCoverSize(Size(1, 2, 3, 4));
        QCOMPARE(v.relayouts, 2);
        QCOMPARE(v.repaints, 12);
        d.ClearPlacementFlags(1);
        d.ResetOffsetQuietly(1);
        QCOMPARE(v.repaints, 12);
    }

    void withoutAViewSettersOnlyStore()
    {
        TCoverDocument d;
        d.SetText(3, "hello");
        d.SetCoverSize(Size(1, 2, 3, 4));
        QCOMPARE(d.GetText(3), QStringLiteral("hello"));
        QCOMPARE(d.Size().CenterWidth, 2.0);
    }

    void pictureIsACopyTheCallerMayRelease()
    {
        TCoverDocument d;
        {
            QImage pic(3, 2, QImage::Format_RGB32);
            pic.fill(Qt::green);
            d.SetPicture(1, &pic);
            pic.fill(Qt::red); // the caller's later changes do not reach the area
        }
        QCOMPARE(d.GetPicture(1).size(), QSize(3, 2));
        QCOMPARE(QColor(d.GetPicture(1).pixel(0, 0)), QColor(Qt::green));
        d.SetPicture(1, nullptr);
        QCOMPARE(d.GetPicture(1).width(), 0);
        QCOMPARE(d.GetPicture(1).height(), 0);
    }

    void destroyingTheDocumentDetachesTheView()
    {
        CountingView v;
        {
            TCoverDocument d;
            d.View = &v;
        }
        QVERIFY(v.detached);
    }

    void colourValuesKeepRedInTheLowByte()
    {
        QCOMPARE(QColorToColorRef(QColor(255, 0, 0)), TColorRef(0x0000FF));
        QCOMPARE(ColorRefToQColor(0xFF0000), QColor(0, 0, 255));
        QCOMPARE(ColorRefToQColor(0x123456), QColor(0x56, 0x34, 0x12));
    }
};

QTEST_GUILESS_MAIN(TestCoverDocument)
#include "tst_coverdocument.moc"
