// SPDX-License-Identifier: GPL-3.0-or-later
// Program options across restarts, the menus, and the language file: the
// shipped one and files written for the test.
#include "AboutBox.h"
#include "BuiltInTexts.h"
#include "CoverView.h"
#include "EditCoverSize.h"
#include "LanguageController.h"
#include "NewDocument.h"
#include "ProgramFixture.h"
#include "RadioGroup.h"

#include <QAction>
#include <QActionGroup>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QToolButton>
#include <map>
#include <set>

namespace {

const QByteArray TwoSizes = "[Case A]\r\nSingleWidth=5\r\nSingleHeight=5\r\nLeftWidth=1\r\n"
                            "CenterWidth=3\r\nRightWidth=1\r\nMultipleHeight=5\r\n"
                            "[Case B]\r\nSingleWidth=7\r\nSingleHeight=7\r\nLeftWidth=1\r\n"
                            "CenterWidth=5\r\nRightWidth=1\r\nMultipleHeight=7\r\n";

void Store(const QString &path, const std::map<QString, QVariant> &values)
{
    QSettings s(path, QSettings::IniFormat);
    for (const auto &[name, value] : values)
        s.setValue(name, value);
}

QStringList Captions(const QMenu *menu)
{
    QStringList captions;
    for (QAction *a : menu->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return captions;
}

QSize Screen()
{
    return QGuiApplication::primaryScreen()->size();
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstStartThenEveryOptionComesBack()
    {
        TProgram p(TwoSizes, false);
        p.Start();
        TCoverMakerMainForm *f = p.form.get();
        QCOMPARE(f->OuterBounds(), QRect(266, 133, 791, 541));
        QCOMPARE(f->MeasureUnit, uint8_t(0));
        QCOMPARE(f->Languages().CurrentLanguage, QStringLiteral("English"));
        QCOMPARE(p.Doc().Size().Name.Text(), QStringLiteral("Case A"));

        f->SetOuterBounds(QRect(40, 30, 700, 500));
        f->Centimetres1->trigger();
        f->ShowActualScale1->trigger();
        f->LanguageItems->actions().at(1)->trigger(); // Deutsch
        p.Doc().SetCoverSize(p.form->SizeList()->ReadSize(QStringLiteral("Case B")));
        f->MultiButton->click();
        p.Restart();
        f = p.form.get();
        QVERIFY(p.messages.Boxes.isEmpty());
        QCOMPARE(f->OuterBounds(), QRect(40, 30, 700, 500));
        QCOMPARE(f->MeasureUnit, uint8_t(1));
        QVERIFY(f->CoverView->ShowScale);
        QCOMPARE(f->Languages().CurrentLanguage, QStringLiteral("Deutsch"));
        QCOMPARE(f->FontButton->text(), QStringLiteral("Schrift..."));
        QCOMPARE(p.Doc().Size().Name.Text(), QStringLiteral("Case B"));
        QCOMPARE(p.Doc().Mode(), CoverMode::Multiple);
        QVERIFY(f->MultiButton->isChecked());
    }

    void storedValuesAreCheckedAsTheyAreRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("expected");
        const QSize screen = Screen();
        QTest::newRow("X at the screen width") << "X" << QVariant(screen.width()) << screen.width();
        QTest::newRow("X one more") << "X" << QVariant(screen.width() + 1) << 0;
        QTest::newRow("X of -1") << "X" << QVariant(-1) << 0;
        QTest::newRow("Y one more") << "Y" << QVariant(screen.height() + 1) << 0;
        QTest::newRow("X not a number") << "X" << QVariant("left") << 266;
        QTest::newRow("Metrics 256") << "Metrics" << QVariant(256) << 0;
        QTest::newRow("Metrics 2") << "Metrics" << QVariant(2) << 1;
        QTest::newRow("Metrics garbage") << "Metrics" << QVariant("cm") << 0;
    }
    void storedValuesAreCheckedAsTheyAreRead()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, stored);
        QFETCH(int, expected);
        TProgram p(TwoSizes, false);
        Store(p.optionsPath, {{name, stored}, {QStringLiteral("Cover"), "Case B"}});
        p.Start();
        const QRect bounds = p.form->OuterBounds();
        const int actual = name == "X"   ? bounds.x()
                           : name == "Y" ? bounds.y()
                                         : int(p.form->MeasureUnit);
        QCOMPARE(actual, expected);
        QCOMPARE(bounds.size(), QSize(791, 541)); // the values not stored
        QCOMPARE(p.Doc().Size().Name.Text(), QStringLiteral("Case B"));
    }

    void storeWithoutACoverNameOpensTheDefaultCover()
    {
        TProgram p(TwoSizes, false);
        Store(p.optionsPath, {{QStringLiteral("Lang"), "Deutsch"}});
        p.Start();
        QCOMPARE(p.Doc().Size().Name.Text(), QStringLiteral("<noname>"));
        QCOMPARE(p.form->Languages().CurrentLanguage, QStringLiteral("Deutsch"));
        Store(p.optionsPath, {{QStringLiteral("Cover"), "<noname>"}});
        p.Restart(); // "<noname>" is looked up like any other name
        QCOMPARE(p.Doc().Size().Name.Text(), QStringLiteral("<noname>"));
        QCOMPARE(p.Doc().Size().SingleWidth, 0.0);
    }

    void maximisedAtExitStartsMaximised()
    {
        TProgram p(TwoSizes, false);
        p.Start();
        p.form->SetOuterBounds(QRect(50, 60, 600, 400));
        p.form->showMaximized();
        p.Restart();
        QVERIFY(p.form->windowState() & Qt::WindowMaximized);
        QSettings stored(p.optionsPath, QSettings::IniFormat);
        QCOMPARE(stored.value("WindowMaximized").toInt(), 1);
        QCOMPARE(stored.value("W").toInt(), 600); // the bounds it returns to
    }

    void anUnwritableStoreIsReportedOnceAndTheWindowCloses()
    {
        TProgram p(TwoSizes, false);
        // A file where the store's folder should be: no user can write there.
        WriteBytes(p.optionsDir.filePath("blocked"), "x");
        p.optionsPath = p.optionsDir.filePath("blocked/options.ini");
        p.Start();
        QVERIFY(p.form->close());
        QCOMPARE(p.messages.Boxes.size(), 1);
        QVERIFY(p.messages.Boxes[0].text.contains(QStringLiteral("blocked")));
        QVERIFY(!p.form->isVisible());
    }

    void aFailedStartWritesNoOptions()
    {
        TProgram p(TwoSizes, false);
        QFile::remove(p.dir.filePath("GIFView.dll"));
        p.Start();
        QVERIFY(p.form->TerminateRequested());
        p.form->close();
        QVERIFY(!QFile::exists(p.optionsPath));
    }

    void menusAndHelp()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        QCOMPARE(Captions(f.Configure1),
                 QStringList({"Templates...", "-", "Inches", "Centimetres", "-",
                              "Show Actual Scale", "-", "English", "Deutsch", "Français", "Español",
                              "Italiano", "Nederlands", "Polski", "Português"}));
        QCOMPARE(Captions(f.Help1), QStringList({"Index", "Home Page", "-", "About..."}));
        QCOMPARE(f.Index1->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(f.About1->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F1));

        f.MeasureUnit = 1;
        f.CoverView->SetShowScale(true);
        f.Configure1Click();
        QVERIFY(f.Centimetres1->isChecked() && !f.Inches1->isChecked());
        QVERIFY(f.ShowActualScale1->isChecked());
        QVERIFY(f.LanguageItems->actions().at(0)->isChecked());
        f.ShowActualScale1->trigger();
        QVERIFY(!f.CoverView->ShowScale);
        f.Inches1->trigger();
        QCOMPARE(f.MeasureUnit, uint8_t(0));

        f.Index1->trigger();
        f.HomePage1->trigger();
        QCOMPARE(p.urls.Opened, QList<QUrl>({QUrl::fromLocalFile(p.dir.filePath(ManualFileName)),
                                             QUrl(QString::fromLatin1(HomePageAddress))}));
        // The manual and its picture are shipped beside the program.
        const QString manual = ReadBytes(ProgramBinDir() + "/" + ManualFileName);
        QVERIFY(manual.contains(QStringLiteral("src=\"VelmoraScreenshot.png\"")));
        QVERIFY(QFile::exists(ProgramBinDir() + "/VelmoraScreenshot.png"));
        QCOMPARE(f.NewButton->toolTip(), QStringLiteral("New cover"));
        QCOMPARE(f.ZoomInButton->toolTip(), QStringLiteral("Zoom In"));
    }

    void switchingLanguageChangesEveryWindowAtOnce()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        f.CoverView->SelectArea(1);
        QCOMPARE(f.AlignRadio->ItemIndex(), 1);
        f.LanguageItems->actions().at(2)->trigger(); // Français
        QCOMPARE(f.Languages().CurrentLanguage, QStringLiteral("Français"));
        QCOMPARE(f.TextLabel->text(), QStringLiteral("Texte :"));
        QCOMPARE(f.New1->text(), QStringLiteral("Nouvelle..."));
        QCOMPARE(f.Change1->text(), QStringLiteral("&Changer..."));
        QCOMPARE(f.AlignRadio->Items(), QStringList({"Gauche", "Centre", "Droite"}));
        QCOMPARE(f.NewDocumentForm->AddButton->text(), QStringLiteral("Ajouter..."));
        QCOMPARE(f.EditCoverSizeData->DataGroupBox->title(),
                 QStringLiteral("Format de la couverture"));
        // The panels show their choices again.
        QCOMPARE(f.AlignRadio->ItemIndex(), 1);
        QCOMPARE(f.ImageView->ItemIndex(), 0);
    }

    void aboutBoxShowsTheProductAndFollowsTheLanguage()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        TAboutBox &about = *f.AboutBox;
        p.dialogs.Scripts << [&](QDialog &shown) {
            QCOMPARE(&shown, static_cast<QDialog *>(&about));
            QCOMPARE(about.windowTitle(), QStringLiteral("About Velmora"));
            QCOMPARE(about.ProductName->text(), QStringLiteral("Velmora"));
            QCOMPARE(about.Version->text(), QStringLiteral("Version 2.0"));
            QCOMPARE(about.Maker->text(), QStringLiteral("Made by The Velmora Project"));
            QCOMPARE(about.OKButton->text(), QStringLiteral("OK"));
            QCOMPARE(about.Image1->pixmap().size(), QSize(567, 283));
            QTest::mouseClick(about.Label1, Qt::LeftButton);
            about.OKButton->click();
        };
        f.About1->trigger();
        QCOMPARE(p.dialogs.Shown, 1);
        QCOMPARE(p.urls.Opened, QList<QUrl>({QUrl(QString::fromLatin1(HomePageAddress))}));

        f.LanguageItems->actions().at(1)->trigger(); // Deutsch
        QCOMPARE(about.windowTitle(), QStringLiteral("Über Velmora"));
        QCOMPARE(about.Maker->text(), QStringLiteral("Von The Velmora Project"));
        QCOMPARE(about.OKButton->text(), QStringLiteral("OK"));
        QCOMPARE(about.Label1->text(), QString::fromLatin1(HomePageAddress));
    }

    void aboutBoxCaptionWithoutItsText()
    {
        TProgram p(TwoSizes, false);
        WriteBytes(p.dir.filePath("VMLang.txt"), "[English]\r\n120=Version\r\n");
        p.Start();
        QCOMPARE(p.form->AboutBox->windowTitle(), QStringLiteral(" Velmora"));
        QCOMPARE(p.form->AboutBox->Version->text(), QStringLiteral("Version 2.0"));
    }

    void languageFileRules_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: no file at all
        QTest::addColumn<QString>("stored");  // the stored "Lang", if any
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("newCaption");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("checked"); // language item marked, -1 none
        const QByteArray two = "[English]\r\n31=New...\r\n[Deutsch]\r\n31=Neu...\r\n";
        QTest::newRow("two languages") << two << QString() << "English"
                                       << "New..." << QStringList({"English", "Deutsch"}) << 0;
        QTest::newRow("stored in another case")
            << two << "english"
            << "english"
            << "New..." << QStringList({"English", "Deutsch"}) << -1;
        QTest::newRow("leading zero")
            << QByteArray("[English]\r\n031=New...\r\n") << QString() << "English"
            << "" << QStringList({"English"}) << 0;
        QTest::newRow("empty file") << QByteArray("\r\n") << QString() << ""
                                    << "" << QStringList() << -1;
        QTest::newRow("no file") << QByteArray() << QString() << ""
                                 << "" << QStringList() << -1;
    }
    void languageFileRules()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, stored);
        QFETCH(QString, current);
        QFETCH(QString, newCaption);
        QFETCH(QStringList, items);
        QFETCH(int, checked);
        TProgram p(TwoSizes, false);
        QFile::remove(p.dir.filePath("VMLang.txt"));
        if (!file.isEmpty())
            WriteBytes(p.dir.filePath("VMLang.txt"), file);
        if (!stored.isEmpty())
            Store(p.optionsPath, {{QStringLiteral("Lang"), stored}});
        p.Start();
        TCoverMakerMainForm &f = *p.form;
        QCOMPARE(f.Languages().CurrentLanguage, current);
        QCOMPARE(f.New1->text(), newCaption);
        QCOMPARE(f.TextLabel->text(), QString()); // no file here holds number 4
        QStringList listed;
        for (QAction *a : f.LanguageItems->actions())
            listed << a->text();
        QCOMPARE(listed, items);
        f.Configure1Click();
        for (int i = 0; i < listed.size(); ++i)
            QCOMPARE(f.LanguageItems->actions().at(i)->isChecked(), i == checked);
    }

    void shippedLanguageFileIsComplete()
    {
        TLanguageController table;
        table.LoadLanguageFile(SourceDir() + "/data/VMLang.txt");
        QStringList languages;
        table.GetLanguages(languages);
        QVERIFY(languages.size() >= 8);
        QCOMPARE(languages.first(), QStringLiteral("English"));
        // Items that share a menu, and so their accelerator letters.
        const QList<QList<int>> menus = {{30, 34, 38},
                                         {31, 32, 33},
                                         {35, 36, 37, 42},
                                         {39, 40, 41},
                                         {50, 51, 52, 53, 54, 55, 56, 57, 58}};
        for (const QString &language : languages) {
            table.SetLanguage(language);
            for (int number : UsedTextNumbers()) {
                const QString text = table.GetString(number);
                QVERIFY2(!text.isEmpty(),
                         qPrintable(language + " lacks " + QString::number(number)));
                if (language == QLatin1String("English"))
                    QCOMPARE(text, BuiltInText(number));
            }
            for (const QList<int> &menu : menus) {
                std::set<QChar> letters;
                for (int number : menu) {
                    const QString text = table.GetString(number);
                    const qsizetype at = text.indexOf(QLatin1Char('&'));
                    if (at < 0 || at + 1 >= text.size())
                        continue;
                    const QChar letter = text.at(at + 1).toLower();
                    QVERIFY2(letters.insert(letter).second,
                             qPrintable(language + " repeats &" + letter + " in a menu"));
                }
            }
        }
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
