// SPDX-License-Identifier: GPL-3.0-or-later
#include "FloatText.h"
#include "VelmoraError.h"

#include <QTest>
#include <clocale>
#include <cmath>

class TestFloatText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void formatsInGeneralNotation_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << 10.0 << "10";
        QTest::newRow("fraction") << 13.5 << "13.5";
        QTest::newRow("quarter") << 0.25 << "0.25";
        QTest::newRow("15 digits") << 13.5 / 2.54 << "5.31496062992126";
        QTest::newRow("negative") << -2.75 << "-2.75";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("1E-4 fixed") << 0.0001 << "0.0001";
        QTest::newRow("5E-5") << 0.00005 << "5E-5";
        QTest::newRow("1.25E-7") << 1.25e-7 << "1.25E-7";
        QTest::newRow("2.5E20") << 2.5e20 << "2.5E20";
        QTest::newRow("15 integer digits") << 999999999999999.0 << "999999999999999";
        QTest::newRow("16 integer digits") << 1e15 << "1E15";
        QTest::newRow("rounds 15th digit") << 0.1 + 0.2 << "0.3";
        QTest::newRow("large integer") << 123456.0 << "123456";
        QTest::newRow("tiny negative") << -0.00005 << "-5E-5";
        QTest::newRow("inch") << 120 / 25.4 << "4.7244094488189";
    }
    void formatsInGeneralNotation()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FloatToText(value), text);
    }

    void readsStrictly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "10" << true << 10.0;
        QTest::newRow("spaces") << "  4.5  " << true << 4.5;
        QTest::newRow("plus") << "+2" << true << 2.0;
        QTest::newRow("minus") << "-0.5" << true << -0.5;
        QTest::newRow("leading point") << ".5" << true << 0.5;
        QTest::newRow("trailing point") << "5." << true << 5.0;
        QTest::newRow("point alone") << "." << true << 0.0;
        QTest::newRow("exponent") << "2.5E20" << true << 2.5e20;
        QTest::newRow("small exponent") << "5e-5" << true << 5e-5;
        QTest::newRow("signed exponent") << "1E+2" << true << 100.0;
        QTest::newRow("underflow reads zero") << "1E-400" << true << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("blank") << "   " << false << 0.0;
        QTest::newRow("comma") << "1,5" << false << 0.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0;
        QTest::newRow("tab") << "\t1" << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("sign alone") << "-" << false << 0.0;
        QTest::newRow("exponent without digits") << "1E" << false << 0.0;
        QTest::newRow("overflow") << "1E400" << false << 0.0;
        QTest::newRow("huge mantissa") << "9999" + QString(400, '9') << false << 0.0;
        QTest::newRow("long fraction, exponent makes up")
            << "0." + QString(100000, '0') + "25E100001" << true << 2.5;
        QTest::newRow("long integer, exponent makes up")
            << "25" + QString(100000, '0') + "E-100000" << true << 25.0;
        QTest::newRow("zero with a huge exponent") << "0E99999999999999999999" << true << 0.0;
        QTest::newRow("huge exponent") << "1E99999999999999999999" << false << 0.0;
        QTest::newRow("inner space") << "1 2" << false << 0.0;
        QTest::newRow("nan") << "NAN" << false << 0.0;
        QTest::newRow("hex") << "0x10" << false << 0.0;
    }
    void readsStrictly()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        double v = -1;
        QCOMPARE(TryTextToFloat(text, v), ok);
        if (ok)
            QCOMPARE(v, value);
    }

    void roundTripsWithFifteenDigits()
    {
        for (double v : {1.0, 4.7244094488189, 10.75, 0.000123, 7.125, -3.3, 1e-7}) {
            const double back = TextToFloat(FloatToText(v));
            QVERIFY2(std::fabs(back - v) <= std::fabs(v) * 1e-14, qPrintable(FloatToText(v)));
        }
    }

    void ignoresTheRegionalDecimalComma()
    {
        // Under a locale with a decimal comma the text keeps its point.
        const char *old = std::setlocale(LC_ALL, nullptr);
        const QByteArray saved = old ? QByteArray(old) : QByteArray("C");
        const bool haveGerman = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(FloatToText(13.5), QStringLiteral("13.5"));
        QCOMPARE(TextToFloat(QStringLiteral("13.5")), 13.5);
        try {
            TextToFloat(QStringLiteral("13,5"));
            QFAIL("a decimal comma must not read");
        } catch (const EVelmoraError &e) {
            QCOMPARE(e.Text(), QStringLiteral("'13,5' is not a valid floating point value"));
        }
        QLocale::setDefault(QLocale::c());
        std::setlocale(LC_ALL, saved.constData());
        if (!haveGerman)
            qInfo("de_DE.UTF-8 is not installed; checked under the Qt German locale only");
    }
};

QTEST_GUILESS_MAIN(TestFloatText)
#include "tst_floattext.moc"
