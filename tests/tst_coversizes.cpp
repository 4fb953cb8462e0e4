// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverSizes.h"
#include "FloatText.h"
#include "SizeMaker.h"
#include "TestFiles.h"
#include "VelmoraError.h"

#include <QFile>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTest>

namespace {

CoverSize Box(const QString &name, double sw, double sh, double l, double c, double r, double mh)
{
    return MakeSize(sw, sh, l, c, r, mh, name);
}

QStringList Names(TSizeList &list)
{
    QStringList names;
    list.GetSizeNames(names);
    return names;
}

} // namespace

class TestCoverSizes : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_n = 0;
    QString FreshPath() { return m_dir.filePath(QStringLiteral("CoverSizes%1.ini").arg(++m_n)); }

private Q_SLOTS:
    void inchesAndCentimetres()
    {
        QCOMPARE(InchToCm(1), 2.54);
        QCOMPARE(CmToInch(2.54), 1.0);
        QCOMPARE(InchToCm(10), 25.4);
        const CoverSize cm = TSizeList::ToCentimetres(Box("b", 1, 2, 3, 4, 5, 10));
        QCOMPARE(cm.Name.Text(), QStringLiteral("b"));
        QCOMPARE(cm.SingleHeight, 5.08);
        QCOMPARE(cm.MultipleHeight, 25.4);
        QCOMPARE(TSizeList::ToInches(cm).RightWidth, 5.0);
    }

    void addWritesTheSevenLinesOfTheFormat()
    {
        const QString path = FreshPath();
        TSizeList list(path);
        QVERIFY(list.AddSize(Box("Box 10", 10, 10, 1, 8, 1, 10)));
        QCOMPARE(ReadBytes(path), QByteArray("[Box 10]\r\nSingleWidth=10\r\nSingleHeight=10\r\n"
                                             "LeftWidth=1\r\nCenterWidth=8\r\nRightWidth=1\r\n"
                                             "MultipleHeight=10\r\n"));
        QCOMPARE(list.ReadSize("Box 10"), Box("Box 10", 10, 10, 1, 8, 1, 10));
    }

    void handWrittenCatalogueReadsBackExactly()
    {
        const QString path = FreshPath();
        WriteBytes(path, "[B]\nsinglewidth = 4.75\nSingleHeight=7.5\nLeftWidth=.5\n"
                         "CenterWidth=+3E0\nRightWidth=-0.25\nMultipleHeight=2.5E1\n"
                         "[A]\r\nSingleWidth=1\r\n");
        TSizeList list(path);
        QStringList names{"stale"}; // replaced, not added to
        list.GetSizeNames(names);
        QCOMPARE(names, QStringList({"B", "A"}));
        QCOMPARE(list.ReadSize("b"), Box("b", 4.75, 7.5, 0.5, 3, -0.25, 25));
        // A section without some keys reads 0 for those only.
        QCOMPARE(list.ReadSize("A"), Box("A", 1, 0, 0, 0, 0, 0));
        QCOMPARE(list.ReadSize("Nowhere"), Box("Nowhere", 0, 0, 0, 0, 0, 0));
    }

    void addingAnExactNameChangesNothing()
    {
        const QString path = FreshPath();
        TSizeList list(path);
        QVERIFY(list.AddSize(Box("CD", 1, 2, 3, 4, 5, 6)));
        const QByteArray before = ReadBytes(path);
        QVERIFY(!list.AddSize(Box("CD", 9, 9, 9, 9, 9, 9)));
        QCOMPARE(ReadBytes(path), before);
    }

    void aNameDifferingOnlyInCaseIsNotNew()
    {
        const QString path = FreshPath();
        TSizeList list(path);
        list.AddSize(Box("BOX", 1, 1, 1, 1, 1, 1));
        const QByteArray before = ReadBytes(path);
        QVERIFY(!list.AddSize(Box("box", 2, 3, 4, 5, 6, 7)));
        QCOMPARE(ReadBytes(path), before);
        // Replacing under another case still writes the stored entry.
        list.ReplaceSize(Box("box", 2, 3, 4, 5, 6, 7));
        QCOMPARE(Names(list), QStringList({"BOX"}));
        QCOMPARE(list.ReadSize("BOX"), Box("BOX", 2, 3, 4, 5, 6, 7));
    }

    void everyAcceptedNameIsOneEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("blank after") << "Box "
                                     << "Box";
        QTest::newRow("blanks around") << " \tBox\t "
                                       << "Box";
        QTest::newRow("line break") << "Box\r\nslim"
                                    << "Box  slim";
        QTest::newRow("Latin-1") << "Bo\u00eete \u00e0 CD"
                                 << "Bo\u00eete \u00e0 CD";
        QTest::newRow("en dash") << "DVD \u2013 slim"
                                 << "DVD \u2013 slim";
        QTest::newRow("euro") << "Box \u20ac"
                              << "Box \u20ac";
        QTest::newRow("Cyrillic") << "\u041a\u043e\u0440\u043e\u0431\u043a\u0430"
                                  << "\u041a\u043e\u0440\u043e\u0431\u043a\u0430";
    }
    void everyAcceptedNameIsOneEntry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        const QString path = FreshPath();
        TSizeList list(path);
        list.AddSize(Box("First", 1, 1, 1, 1, 1, 1));
        QVERIFY(list.AddSize(Box(typed, 2, 3, 4, 5, 6, 7)));
        QCOMPARE(Names(list), QStringList({"First", stored}));
        QCOMPARE(list.ReadSize(stored), Box(stored, 2, 3, 4, 5, 6, 7));
        QVERIFY(!list.AddSize(Box(typed, 9, 9, 9, 9, 9, 9)));
        list.ReplaceSize(Box(typed, 8, 8, 8, 8, 8, 8));
        QCOMPARE(Names(list).size(), 2);
        QCOMPARE(list.ReadSize(typed), Box(stored, 8, 8, 8, 8, 8, 8));
        list.DeleteSize(typed);
        QCOMPARE(Names(list), QStringList({"First"}));
    }

    void mixedEncodingsAndUnreadableEntriesKeepEveryOtherLine()
    {
        // UTF-8, with one name added by hand in Windows-1252 and one value
        // written with a decimal comma.
        const QString path = FreshPath();
        const QByteArray before = "[Bo\xc3\xaete \xe2\x82\xac]\r\nSingleWidth=5\r\n"
                                  "[Caf\xe9 \x96 slim]\r\nSingleWidth=4,5\r\nSingleHeight=7\r\n"
                                  "[Huge]\r\nSingleWidth=5\r\nSingleHeight=1e308\r\n";
        WriteBytes(path, before);
        TSizeList list(path);
        const QStringList names{"Bo\u00eete \u20ac", "Caf\u00e9 \u2013 slim", "Huge"};
        QCOMPARE(Names(list), names);
        const QList<TSizeEntry> entries = list.ReadEntries();
        QCOMPARE(entries.size(), 3);
        // Beyond any cover, so beyond what the view and a print can count.
        QCOMPARE(entries[2].Error, QStringLiteral("'1e308' is not a size a cover can have"));
        QVERIFY(entries[0].Readable());
        QCOMPARE(entries[1].Error, QStringLiteral("'4,5' is not a valid floating point value"));
        QCOMPARE(entries[1].Size.SingleHeight, 7.0);
        QVERIFY(entries[1].Unreadable[0] && !entries[1].Unreadable[1]);
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, list.ReadSize(names[1]));

        list.AddSize(Box("\u041a", 1, 1, 1, 1, 1, 1));
        QCOMPARE(Names(list), names + QStringList{"\u041a"});
        QVERIFY(ReadBytes(path).startsWith(before));
        list.DeleteSize("\u041a");
        QCOMPARE(ReadBytes(path), before);
    }

    void replaceAppendsOrRewrites()
    {
        const QString path = FreshPath();
        TSizeList list(path);
        list.ReplaceSize(Box("New", 1, 2, 3, 4, 5, 6));
        QCOMPARE(list.ReadSize("New"), Box("New", 1, 2, 3, 4, 5, 6));
        list.ReplaceSize(Box("New", 6, 5, 4, 3, 2, 1));
        QCOMPARE(list.ReadSize("New"), Box("New", 6, 5, 4, 3, 2, 1));
        // Replace leaves no overwrite mode behind for a later add.
        QVERIFY(!list.AddSize(Box("New", 0, 0, 0, 0, 0, 0)));
        QCOMPARE(list.ReadSize("New"), Box("New", 6, 5, 4, 3, 2, 1));
    }

    void replaceClearsOverwriteWhenTheWriteFails()
    {
        const QString path = FreshPath();
        TSizeList list(path);
        list.AddSize(Box("X", 1, 1, 1, 1, 1, 1));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser);
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, list.ReplaceSize(Box("X", 2, 2, 2, 2, 2, 2)));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ReadUser | QFileDevice::WriteUser);
        const QByteArray before = ReadBytes(path);
        QVERIFY(!list.AddSize(Box("X", 3, 3, 3, 3, 3, 3)));
        QCOMPARE(ReadBytes(path), before);
    }

    void deleteRemovesOneEntry()
    {
        const QString path = FreshPath();
        TSizeList list(path);
        list.AddSize(Box("A", 1, 1, 1, 1, 1, 1));
        list.AddSize(Box("B", 2, 2, 2, 2, 2, 2));
        list.DeleteSize("a");
        QCOMPARE(Names(list), QStringList({"B"}));
    }

    void centimetresSurviveTheRoundTrip()
    {
        const QString path = FreshPath();
        TSizeList list(path);
        CoverSize cm = Box("Metric", 13.5, 12, 1, 2, 3, 4);
        list.AddSize(TSizeList::ToInches(cm));
        QVERIFY(ReadBytes(path).contains("SingleWidth=5.31496062992126\r\n"));
        const CoverSize back = TSizeList::ToCentimetres(list.ReadSize("Metric"));
        QCOMPARE(FloatToText(back.SingleWidth), QStringLiteral("13.5"));
        QCOMPARE(FloatToText(back.SingleHeight), QStringLiteral("12"));
    }

    void decimalCommaInTheFileFailsWithTheValueQuoted()
    {
        const QString path = FreshPath();
        WriteBytes(path, "[C]\r\nSingleWidth=1\r\nSingleHeight=4,5\r\nLeftWidth=\r\n");
        TSizeList list(path);
        try {
            list.ReadSize("C");
            QFAIL("no error");
        } catch (const EVelmoraError &e) {
            QCOMPARE(e.Text(), QStringLiteral("'4,5' is not a valid floating point value"));
        }
        WriteBytes(path, "[C]\r\nSingleWidth=\r\n");
        try {
            list.ReadSize("C");
            QFAIL("no error");
        } catch (const EVelmoraError &e) {
            QCOMPARE(e.Text(), QStringLiteral("'' is not a valid floating point value"));
        }
    }

    void longNamesAreCutTo255()
    {
        const QString path = FreshPath();
        TSizeList list(path);
        const QString name(300, 'n');
        CoverSize s = Box(name, 1, 1, 1, 1, 1, 1);
        QCOMPARE(s.Name.Text().size(), 255);
        list.AddSize(s);
        QCOMPARE(Names(list), QStringList({QString(255, 'n')}));
        QCOMPARE(list.ReadSize(name).Name.Text(), QString(255, 'n'));
    }

    void eachOperationSeesOutsideEdits()
    {
        const QString path = FreshPath();
        TSizeList list(path);
        list.AddSize(Box("A", 1, 1, 1, 1, 1, 1));
        WriteBytes(path, "[Z]\r\nSingleWidth=3\r\n");
        QCOMPARE(Names(list), QStringList({"Z"}));
        QCOMPARE(list.ReadSize("Z").SingleWidth, 3.0);
    }

    // Every shipped entry names its source above it and has the sizes of
    // the case it names, its panels adding up to its whole.
    void shippedCatalogueMakesTheCasesItNames()
    {
        const QString path = SourceDir() + "/data/CoverSizes.ini";
        TSizeList list(path);
        QStringList names;
        list.GetSizeNames(names);
        QVERIFY(names.size() >= 40);
        QCOMPARE(names.first(), QStringLiteral("CD jewel case booklet front"));
        const QStringList lines = QString::fromUtf8(ReadBytes(path)).split(QStringLiteral("\r\n"));
        // Width and height in millimetres, and the middle panel's width
        // (a spine) where the case has one; the first pattern that matches.
        struct TRule
        {
            const char *Pattern;
            double W0, W1, H0, H1, Spine0 = 0, Spine1 = 1e9;
        };
        const TRule rules[] = {
            {"tray inlay$|J8435B", 150, 155.5, 117, 122.5, 137, 139},
            {"tray inlay, no spines", 137, 139, 117, 118},
            {"tray spine label", 5, 7, 114, 120},
            {"booklet front|Slim jewel case insert|Hama 50430", 119, 121.5, 119, 121},
            {"CD jewel case booklet, 4 pages", 238, 242, 119, 121},
            {"card with flap", 138, 142, 119, 121},
            {"Slim jewel case wrap", 255, 265, 119, 121},
            {"Maxi-CD case booklet, 2", 152, 154, 120, 121},
            {"Maxi-CD case booklet, 4", 273, 276, 120, 121},
            {"paper sleeve$", 120, 126, 120, 126},
            {"paper sleeve with flap", 120, 126, 135, 145},
            {"Slim DVD", 262, 270, 182, 184, 4, 10},
            {"DVD case wrap, 1.5x", 278, 283, 182, 184, 20, 22},
            {"DVD double", 284, 288, 182, 184, 26, 28},
            {"DVD keep case|Xbox 360|PS2|Hama 50435", 270, 276, 182, 185, 12, 15},
            {"inside booklet", 121, 124, 181, 184},
            {"Blu-ray|4K UHD|Xbox One", 262, 272, 147, 150, 11, 15},
            {"PS4", 268, 274, 170, 173, 10, 15},
            {"Switch", 210, 220, 165, 171, 9, 12},
            {"Digipak 4", 280, 290, 124, 127, 5, 7},
            {"Digipak 6", 415, 430, 124, 127},
            {"J-card, 4-panel", 150, 160, 100, 102},
            {"J-card, short", 90, 96, 100, 102, 12, 13},
            {"J-card$", 100, 103, 100, 102, 12, 13},
            {"Cassette label", 85, 92, 40, 45},
            {"MiniDisc", 50, 54, 34, 38},
            {"VHS sleeve", 185, 195, 250, 260},
            {"VHS spine", 140, 150, 15, 21},
            {"VHS face", 75, 80, 45, 48},
            {"VHS-C", 95, 100, 90, 93},
            {"Video-8", 150, 160, 95, 100},
            {"12-inch LP", 304, 318, 304, 318},
            {"10-inch record jacket", 254, 262, 254, 262},
            {"7-inch single sleeve", 178, 191, 178, 191},
            {"12-inch record label", 98, 102, 98, 102},
            {"7-inch record label", 88, 93, 88, 93},
            {"Zip", 95, 105, 195, 205},
            {"J8435A", 150, 160, 120, 130},
        };
        const auto mm = [](double inches) { return InchToCm(inches) * 10; };
        for (const QString &n : names) {
            const CoverSize s = list.ReadSize(n);
            const int at = int(lines.indexOf(QLatin1Char('[') + n + QLatin1Char(']')));
            QVERIFY2(at > 0 && lines[at - 1].startsWith(QStringLiteral("; Source: ")) &&
                         lines[at - 1].size() > 30,
                     qPrintable(n));
            const TRule *rule = nullptr;
            for (const TRule &r : rules)
                if (!rule && QRegularExpression(QLatin1String(r.Pattern)).match(n).hasMatch())
                    rule = &r;
            QVERIFY2(rule, qPrintable(n + " has no rule"));
            const double w = mm(s.SingleWidth), h = mm(s.SingleHeight);
            QVERIFY2(w >= rule->W0 && w <= rule->W1 && h >= rule->H0 && h <= rule->H1,
                     qPrintable(QStringLiteral("%1: %2 x %3").arg(n).arg(w).arg(h)));
            QVERIFY2(std::abs(mm(s.LeftWidth + s.CenterWidth + s.RightWidth) - w) < 0.01 &&
                         std::abs(mm(s.MultipleHeight) - h) < 0.01,
                     qPrintable(n));
            if (s.LeftWidth > 0 || s.RightWidth > 0)
                QVERIFY2(mm(s.CenterWidth) >= rule->Spine0 && mm(s.CenterWidth) <= rule->Spine1,
                         qPrintable(n));
            for (QChar c : n)
                QVERIFY(c.unicode() < 128);
        }
        const CoverSize dvd = list.ReadSize("DVD keep case wrap");
        QCOMPARE(dvd.SingleWidth, 10.75);
        QCOMPARE(dvd.SingleHeight, 7.25);
        QCOMPARE(FloatToText(InchToCm(dvd.CenterWidth) * 10), QStringLiteral("14"));
    }
};

QTEST_GUILESS_MAIN(TestCoverSizes)
#include "tst_coversizes.moc"
