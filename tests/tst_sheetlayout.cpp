// SPDX-License-Identifier: GPL-3.0-or-later
// Covers laid out on sheets: within the paper, never over one another, each
// turned where that takes fewer sheets.
#include "SheetLayout.h"

#include <QTest>

Q_DECLARE_METATYPE(std::vector<TSheetItem>)

namespace {

constexpr double Mm = 1 / 25.4;

TSheetItem Item(double wMm, double hMm, int copies = 1)
{
    return TSheetItem{QSizeF(wMm * Mm, hMm * Mm), copies};
}

} // namespace

class TestSheetLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void coversShareSheetsWithoutOverlapping_data()
    {
        QTest::addColumn<std::vector<TSheetItem>>("items");
        QTest::addColumn<QSizeF>("paper");
        QTest::addColumn<int>("sheets");
        const QSizeF a4(210 * Mm, 297 * Mm), letter(8.5, 11);
        // Two booklets side by side do not fit across A4, one above the
        // other do.
        QTest::newRow("two CD booklets on A4") << std::vector{Item(120, 120, 2)} << a4 << 1;
        // Together larger than Letter: two sheets, the wrap turned upright.
        QTest::newRow("DVD wrap and CD booklet on Letter")
            << std::vector{Item(120, 120), Item(273, 183)} << letter << 2;
        // Three to a sheet: one across, two turned below it.
        QTest::newRow("ten 4-panel J-cards on A4") << std::vector{Item(156.6, 101.6, 10)} << a4 << 4;
        // With 7 mm of marks all round a booklet takes 134 mm: two to a
        // sheet, one above the other.
        QTest::newRow("marked booklets on A4") << std::vector{Item(134, 134, 4)} << a4 << 2;
        // Spines go in the strip beside two stacked booklets.
        QTest::newRow("booklets and spines on A4")
            << std::vector{Item(120, 120, 2), Item(14, 183, 2)} << a4 << 1;
    }
    void coversShareSheetsWithoutOverlapping()
    {
        QFETCH(std::vector<TSheetItem>, items);
        QFETCH(QSizeF, paper);
        QFETCH(int, sheets);
        int unfit = 0;
        const std::vector<TSheet> laid = LayOutSheets(items, paper, &unfit);
        QCOMPARE(unfit, -1);
        QCOMPARE(int(laid.size()), sheets);
        int copies = 0;
        for (const TSheetItem &i : items)
            copies += i.Copies;
        int placed = 0;
        const QRectF room(QPointF(0, 0), paper);
        for (const TSheet &sheet : laid) {
            QVERIFY(!sheet.empty());
            for (size_t i = 0; i < sheet.size(); ++i) {
                const TSheetItem &item = items[size_t(sheet[i].Item)];
                const QRectF r = sheet[i].Rect(item);
                // True size, turned or not.
                QCOMPARE(r.size(), sheet[i].Rotated ? item.Inches.transposed() : item.Inches);
                QVERIFY2(room.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(r), "off the paper");
                for (size_t j = 0; j < i; ++j) {
                    const QRectF o = sheet[j].Rect(items[size_t(sheet[j].Item)]);
                    QVERIFY2(r.intersected(o).width() < 1e-9 || r.intersected(o).height() < 1e-9,
                             "two covers overlap");
                }
            }
            placed += int(sheet.size());
        }
        QCOMPARE(placed, copies);
    }

    void aCoverLargerThanThePaperIsNamed()
    {
        int unfit = -1;
        const std::vector<TSheet> laid =
            LayOutSheets({Item(120, 120), Item(314, 314), Item(101.6, 101.6)}, QSizeF(8.5, 11), &unfit);
        QCOMPARE(unfit, 1);
        QCOMPARE(laid.size(), size_t(1));
        QCOMPARE(laid[0].size(), size_t(2));
        // A cover that only fits turned is turned.
        const std::vector<TSheet> upright = LayOutSheets({Item(273, 183)}, QSizeF(8.5, 11), &unfit);
        QCOMPARE(unfit, -1);
        QVERIFY(upright[0][0].Rotated);
    }
};

QTEST_GUILESS_MAIN(TestSheetLayout)
#include "tst_sheetlayout.moc"
