// SPDX-License-Identifier: GPL-3.0-or-later
#include "Rounding.h"
#include "VelmoraError.h"

#include <QTest>
#include <cmath>
#include <limits>

class TestRounding : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundHalvesToEven_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("expected");
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("3.5") << 3.5 << 4;
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("2.4999") << 2.4999 << 2;
        QTest::newRow("2.5001") << 2.5001 << 3;
        QTest::newRow("-2.6") << -2.6 << -3;
        QTest::newRow("max") << 2147483647.0 << 2147483647;
        QTest::newRow("min") << -2147483648.0 << int(std::numeric_limits<int32_t>::min());
    }
    void roundHalvesToEven()
    {
        QFETCH(double, x);
        QFETCH(int, expected);
        QCOMPARE(Round(x), expected);
    }

    void roundOutOfRangeIsRangeCheckError()
    {
        for (double x : {2147483647.5 + 1.0, -2147483649.0, std::nan(""), HUGE_VAL}) {
            try {
                Round(x);
                QFAIL("no error");
            } catch (const EVelmoraError &e) {
                QCOMPARE(e.Text(), QStringLiteral("Range check error"));
            }
        }
    }

    void truncDropsTheFraction()
    {
        QCOMPARE(Trunc(7.9), 7);
        QCOMPARE(Trunc(-7.9), -7);
        QCOMPARE(Trunc(-0.2), 0);
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, Trunc(3e9));
    }

    void divTruncatesTowardZero()
    {
        QCOMPARE(Div(-3, 2), -1);
        QCOMPARE(Div(3, 2), 1);
        QCOMPARE(Div(-5, 2), -2);
        QCOMPARE(Div(7, -2), -3);
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, Div(1, 0));
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, Div(std::numeric_limits<int32_t>::min(), -1));
    }

    void checkedArithmeticRaisesIntegerOverflow()
    {
        QCOMPARE(CheckedAdd(2147483600, 47), 2147483647);
        QCOMPARE(CheckedSub(-2147483647, 1), std::numeric_limits<int32_t>::min());
        QCOMPARE(CheckedMul(46340, 46340), 2147395600);
        try {
            CheckedAdd(2147483600, 100);
            QFAIL("no error");
        } catch (const EVelmoraError &e) {
            QCOMPARE(e.Text(), QStringLiteral("Integer overflow"));
        }
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, CheckedSub(std::numeric_limits<int32_t>::min(), 1));
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, CheckedMul(65536, 32768));
    }

    void errorTextsAreTheProgramsOwn()
    {
        QCOMPARE(EVelmoraError::UnableToWrite(QStringLiteral("/x/CoverSizes.ini")).Text(),
                 QStringLiteral("Unable to write to /x/CoverSizes.ini"));
        QCOMPARE(EVelmoraError::InvalidFloat(QStringLiteral("1,5")).Text(),
                 QStringLiteral("'1,5' is not a valid floating point value"));
        QCOMPARE(EVelmoraError::InvalidFloat(QString()).Text(),
                 QStringLiteral("'' is not a valid floating point value"));
    }
};

QTEST_GUILESS_MAIN(TestRounding)
#include "tst_rounding.moc"
