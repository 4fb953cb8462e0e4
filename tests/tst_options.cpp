// SPDX-License-Identifier: GPL-3.0-or-later
// Program options across restarts, the menus and Help, the About box, and the
// language file: the shipped one and files written for the test.
#include "AboutBox.h"
#include "BuiltInTexts.h"
#include "CoverView.h"
#include "EditCoverSize.h"
#include "LanguageController.h"
#include "NewDocument.h"
#include "ProgramFixture.h"
#include "WindowControls.h"
#include "RadioGroup.h"

#include <QAction>
#include <QActionGroup>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMoveEvent>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStringEncoder>
#include <QLineEdit>
#include <QRadioButton>
#include <QLibraryInfo>
#include <QTest>
#include <QToolButton>
#include <set>

namespace {

const QByteArray TwoSizes = "[Case A]\r\nSingleWidth=5\r\nSingleHeight=5\r\n"
                            "[Case B]\r\nSingleWidth=7\r\nSingleHeight=7\r\n";

void Store(const QString &path, const QVariantMap &values)
{
    QSettings s(path, QSettings::IniFormat);
    for (auto it = values.begin(); it != values.end(); ++it)
        s.setValue(it.key(), it.value());
}

QStringList Captions(const QMenu *menu)
{
    QStringList captions;
    for (QAction *a : menu->actions())
        if (a->isVisible())
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return captions;
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void storedValuesAreCheckedAsTheyAreRead_data()
    {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("cover");
        const int w = QGuiApplication::primaryScreen()->size().width();
        const int h = QGuiApplication::primaryScreen()->size().height();
        const QRect design(266, 133, 791, 541); // frame included
        QTest::newRow("nothing stored") << QVariantMap() << design << 0 << "Case A";
        QTest::newRow("X one more, Y -1")
            << QVariantMap{{"X", w + 1}, {"Y", -1}, {"Cover", "case b"}} << QRect(0, 0, 791, 541)
            << 0 << "case b";
        QTest::newRow("Y one more, garbage W")
            << QVariantMap{{"Y", h + 1}, {"W", "wide"}} << QRect(266, 0, 791, 541) << 0 << "Case A";
        QTest::newRow("Metrics 256") << QVariantMap{{"Metrics", 256}} << design << 0 << "Case A";
        QTest::newRow("Metrics 2") << QVariantMap{{"Metrics", 2}} << design << 1 << "Case A";
        QTest::newRow("Metrics garbage")
            << QVariantMap{{"Metrics", "cm"}} << design << 0 << "Case A";
        // What a store from an older version, another desktop or a hand edit
        // holds: each gives a usable window on this screen.
        const QRect fitted(w - 791, 133, 791, 541);
        QTest::newRow("X at the screen width, past the Part's clamp")
            << QVariantMap{{"X", w}} << fitted << 0 << "Case A";
        QTest::newRow("only a corner on the screen")
            << QVariantMap{{"X", w - 50}} << fitted << 0 << "Case A";
        QTest::newRow("title bar under the bottom edge")
            << QVariantMap{{"Y", h - 10}} << QRect(qMin(266, w - 791), h - 541, 791, 541) << 0
            << "Case A";
        QTest::newRow("huge")
            << QVariantMap{{"W", 2147483647}, {"H", 2147483647}} << design << 0 << "Case A";
        QTest::newRow("larger than the screen")
            << QVariantMap{{"X", 0}, {"Y", 0}, {"W", w + 1}, {"H", 100000}}
            << QRect(0, 0, 791, 541) << 0 << "Case A";
        QTest::newRow("tiny") << QVariantMap{{"W", 1}, {"H", 0}} << design << 0 << "Case A";
        QTest::newRow("negative size")
            << QVariantMap{{"W", -400}, {"H", 300}} << design << 0 << "Case A";
        QTest::newRow("removed cover") << QVariantMap{{"Cover", "Gone"}} << design << 0 << "Case A";
        QTest::newRow("<noname> not in the catalogue")
            << QVariantMap{{"Cover", "<noname>"}} << design << 0 << "Case A";
        QTest::newRow("a language the file lacks")
            << QVariantMap{{"Lang", "Klingon"}} << design << 0 << "Case A";
    }
    void storedValuesAreCheckedAsTheyAreRead()
    {
        QFETCH(QVariantMap, stored);
        QFETCH(QRect, bounds);
        QFETCH(int, unit);
        QFETCH(QString, cover);
        TProgram p(TwoSizes, false);
        Store(p.optionsPath, stored);
        p.Start();
        QCOMPARE(p.form->OuterBounds(), bounds);
        QCOMPARE(int(p.form->Unit()), unit);
        QCOMPARE(p.Doc().Size().Name.Text(), cover);
        QCOMPARE(p.form->Languages().CurrentLanguage, QStringLiteral("English"));
        QCOMPARE(Ui(*p.form).New1()->text(), QStringLiteral("New..."));
    }

    void outerBoundsComeBackUnderAWindowManagersFrame_data()
    {
        QTest::addColumn<bool>("late");
        QTest::newRow("frame known at once") << false;
        QTest::newRow("frame known after showing") << true;
    }
    void outerBoundsComeBackUnderAWindowManagersFrame()
    {
        QFETCH(bool, late);
        TProgram p(TwoSizes, false);
        const QMargins frame(4, 25, 4, 4);
        const QRect stored(100, 80, 600, 400);
        Store(p.optionsPath, {{"X", 100}, {"Y", 80}, {"W", 600}, {"H", 400}});
        if (!late)
            p.metrics.Frame = frame;
        p.Start();
        if (late) {
            // The window manager frames the window and moves its inside.
            p.metrics.Frame = frame;
            QMoveEvent framed(p.form->pos(), p.form->pos());
            QCoreApplication::sendEvent(p.form.get(), &framed);
        }
        QCOMPARE(p.form->OuterBounds(), stored);
        QCOMPARE(p.form->size(), QSize(592, 371));
        for (int run = 0; run < 2; ++run) {
            p.Restart();
            QCOMPARE(p.form->OuterBounds(), stored);
        }
        QCOMPARE(QSettings(p.optionsPath, QSettings::IniFormat).value("H").toInt(), 400);
    }

    void closingWritesWhatItCanOnceStarted()
    {
        TProgram p(TwoSizes, false);
        // A store damaged on disk reads what it can and is written whole
        // again at exit, with nothing to report.
        WriteBytes(p.optionsPath, "[General]\nMulti=1\ngarbage line\n");
        p.Start();
        QCOMPARE(p.Doc().Mode(), CoverMode::Multiple);
        p.Restart();
        QVERIFY(p.messages.Boxes.isEmpty());
        QCOMPARE(QSettings(p.optionsPath, QSettings::IniFormat).status(), QSettings::NoError);
        p.form->SetOuterBounds(QRect(50, 60, 600, 400));
        p.form->showMaximized();
        p.Restart();
        QVERIFY(p.form->windowState() & Qt::WindowMaximized);
        QCOMPARE(QSettings(p.optionsPath, QSettings::IniFormat).value("W").toInt(), 600);

        // A store no user can write (a file where its folder should be) is
        // reported once, and the window closes all the same.
        WriteBytes(p.optionsDir.filePath("blocked"), "x");
        p.optionsPath = p.optionsDir.filePath("blocked/options.ini");
        p.Restart();
        QVERIFY(p.form->close());
        QCOMPARE(p.messages.Boxes.size(), 1);
        QCOMPARE(p.messages.Boxes[0].text,
                 BuiltInText(200).arg(p.optionsDir.filePath("blocked/options.ini")));

        // A start that misses a data file writes nothing.
        QFile::remove(p.dir.filePath("GIFView.dll"));
        p.optionsPath = p.optionsDir.filePath("never.ini");
        p.Start();
        QVERIFY(p.form->TerminateRequested());
        p.form->close();
        QVERIFY(!QFile::exists(p.optionsPath));
    }

    void menusHelpAndTheAboutBox()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        QCOMPARE(Captions(Ui(f).Cover1()),
                 QStringList({"New...", "Import Album...", "Open...", "Save", "Save As...", "-", "Print Preview...",
                              "Print...", "Print Sheet...", "Export PDF...", "-", "Exit"}));
        QCOMPARE(Captions(Ui(f).Configure1()).mid(0, 8),
                 QStringList({"Templates...", "Calibrate Printer...", "-", "Inches",
                              "Centimetres", "-", "Show Actual Scale", "-"}));
        QCOMPARE(Captions(Ui(f).Help1()), QStringList({"Index", "Home Page", "-", "About..."}));
        Ui(f).Centimetres1()->trigger();
        Ui(f).CoverView()->SetShowScale(true);
        ShowMenu(Ui(f).Configure1());
        QVERIFY(Ui(f).Centimetres1()->isChecked() && Ui(f).ShowActualScale1()->isChecked());
        QVERIFY(Ui(f).LanguageItems()->actions().at(0)->isChecked());
        QCOMPARE(Ui(f).ZoomInButton()->toolTip(), QStringLiteral("Zoom In")); // no accelerator mark

        p.dialogs.Scripts << [&](QDialog &) {
            QCOMPARE(Ui(f).AboutBox()->windowTitle(), QStringLiteral("About Velmora"));
            QCOMPARE(Ui(f).AboutBox()->Maker->text(), QStringLiteral("Made by The Velmora Project"));
            QCOMPARE(Ui(f).AboutBox()->Image1->pixmap().size(), QSize(567, 283));
            QTest::mouseClick(Ui(f).AboutBox()->Label1, Qt::LeftButton);
        };
        Ui(f).About1()->trigger();
        Ui(f).Index1()->trigger();
        QCOMPARE(p.urls.Opened, QList<QUrl>({QUrl(QString::fromLatin1(HomePageAddress)),
                                             QUrl::fromLocalFile(p.dir.filePath(ManualFileName))}));
        const QString manual = ReadBytes(ProgramBinDir() + "/" + ManualFileName);
        QVERIFY(manual.contains(QStringLiteral("src=\"VelmoraScreenshot.png\"")));
        QVERIFY(QFile::exists(ProgramBinDir() + "/VelmoraScreenshot.png"));
        // With no browser, a box says where the manual and the page are.
        QVERIFY(p.messages.Boxes.isEmpty());
        p.urls.Browser = false;
        Ui(f).Index1()->trigger();
        Ui(f).HomePage1()->trigger();
        QCOMPARE(p.messages.Texts(),
                 QStringList({BuiltInText(260).arg(QDir::toNativeSeparators(p.dir.filePath(ManualFileName))),
                              BuiltInText(260).arg(QString::fromLatin1(HomePageAddress))}));
    }

    void tabOrderFollowsTheScreenInEveryLanguage()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        ClickArea(f, 1);
        Ui(f).ImageView()->Button(2)->click(); // the zoom buttons show
        for (QAction *language : {Ui(f).LanguageItems()->actions().first(), Ui(f).LanguageItems()->actions().last()}) {
            language->trigger();
            // Every control Tab reaches, in the order it reaches them.
            QList<QWidget *> reached;
            for (QWidget *w = Ui(f).NewButton(); reached.size() < 40; w = w->nextInFocusChain()) {
                if (w == Ui(f).NewButton() && !reached.isEmpty())
                    break;
                if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&f) && w->isEnabled() &&
                    f.isAncestorOf(w))
                    reached << w;
            }
            const QList<QWidget *> expected{Ui(f).NewButton(),     Ui(f).PrintButton(),   Ui(f).SingleButton(),
                                            Ui(f).MultiButton(),   Ui(f).ImageTextEdit(), Ui(f).AlignRadio()->Button(0)};
            QCOMPARE(reached.mid(0, expected.size()), expected);
            const auto at = [&](QWidget *w) { return reached.indexOf(w); };
            QVERIFY(at(Ui(f).TextPosRadio()->Button(2)) < at(Ui(f).FontButton()));
            QVERIFY(at(Ui(f).FontButton()) < at(Ui(f).CoverView()));
            QVERIFY(at(Ui(f).CoverView()) < at(Ui(f).ChangeButton()));
            QVERIFY(at(Ui(f).ImageView()->Button(2)) < at(Ui(f).ZoomInButton()));
            QVERIFY(at(Ui(f).ZoomOutButton()) < at(Ui(f).CenterButton()));
            QCOMPARE(reached.last(), static_cast<QWidget *>(Ui(f).BGColorButton()));
        }
    }

    void switchingLanguageChangesEveryWindowAtOnce()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        ClickArea(f, 1);
        Ui(f).LanguageItems()->actions().at(2)->trigger(); // Français
        QCOMPARE(Ui(f).TextLabel()->text(), QStringLiteral("Texte\u00a0:"));
        QCOMPARE(Ui(f).Change1()->text(), QStringLiteral("&Changer..."));
        QCOMPARE(Ui(f).NewDocumentForm()->AddButton->text(), QStringLiteral("Ajouter..."));
        QCOMPARE(Ui(f).EditCoverSizeData()->DataGroupBox->title(),
                 QStringLiteral("Format de la couverture"));
        QCOMPARE(Ui(f).AboutBox()->windowTitle(), QStringLiteral("À propos de Velmora"));
        QCOMPARE(Ui(f).EditCoverSizeData()->windowTitle(),
                 QStringLiteral("Propriétés du format de couverture"));
        Ui(f).LanguageItems()->actions().at(11)->trigger(); // 日本語: the name first
        QCOMPARE(Ui(f).AboutBox()->windowTitle(), QStringLiteral("Velmora のバージョン情報"));
        Ui(f).LanguageItems()->actions().at(2)->trigger();
        QCOMPARE(Ui(f).AboutBox()->Label1->text(), QString::fromLatin1(HomePageAddress));
        QCOMPARE(Ui(f).AlignRadio()->ItemIndex(), 1); // the panels show their choice again
        // Qt's own dialogs and buttons switch with it, where Qt's texts are
        // installed (the set-up installs them), and back.
        const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
        QCOMPARE(cancel(), QStringLiteral("Annuler")); // Qt 6's own, which the set-up installs
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        // Why a file does not open, after the first line, in the language too.
        QVERIFY(!f.OpenCover(p.Save("notes.vmcover", "Not a cover")));
        const QString refusal = p.messages.Boxes.value(0).text;
        QVERIFY2(refusal.startsWith(QStringLiteral("Impossible")) &&
                     refusal.endsWith(QStringLiteral(
                         "Ce n’est pas une couverture Velmora (ce n’est pas une archive ZIP).")),
                 qPrintable(refusal));
        Ui(f).LanguageItems()->actions().at(0)->trigger(); // English
        QCOMPARE(cancel(), QStringLiteral("Cancel"));
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral("."));
        // Names in scripts of their own come back from the options as they
        // went in.
        for (const QString &name : {QStringLiteral("Русский"), QStringLiteral("日本語")}) {
            for (QAction *item : Ui(*p.form).LanguageItems()->actions())
                if (item->text() == name)
                    item->trigger();
            p.Restart();
            QCOMPARE(p.form->Languages().CurrentLanguage, name);
        }
        QCOMPARE(Ui(*p.form).New1()->text(), QStringLiteral("新規..."));
    }

    void languageFileRules_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: no file at all
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("newCaption");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("checked"); // the item marked, -1 none
        const QByteArray two = "[English]\r\n31=New...\r\n[Deutsch]\r\n31=Neu...\r\n";
        const QStringList both{"English", "Deutsch"};
        QTest::newRow("two languages") << two << QString() << "English"
                                       << "New..." << both << 0;
        QTest::newRow("stored in another case") << two << "deutsch"
                                                << "deutsch"
                                                << "Neu..." << both << -1;
        QTest::newRow("stored, but the file lacks it") << two << "Klingon"
                                                       << "English"
                                                       << "New..." << both << 0;
        QTest::newRow("twin sections listed once")
            << QByteArray("[English]\r\n31=New...\r\n[ENGLISH]\r\n31=X\r\n") + two.mid(20)
            << "Deutsch"
            << "Deutsch"
            << "Neu..." << both << 1;
        QStringEncoder toUtf16(QStringConverter::Utf16LE);
        QTest::newRow("utf-16 from a Windows editor")
            << "\xFF\xFE" + QByteArray(toUtf16(QString::fromLatin1(two))) << "Deutsch"
            << "Deutsch"
            << "Neu..." << both << 1;
        // A number the file lacks keeps its English text; one it gives,
        // even empty, is the file's.
        QTest::newRow("leading zero") << QByteArray("[English]\r\n031=Neu...\r\n") << QString()
                                      << "English"
                                      << "New..." << QStringList{"English"} << 0;
        QTest::newRow("empty text") << QByteArray("[English]\r\n31=\r\n") << QString()
                                    << "English"
                                    << "" << QStringList{"English"} << 0;
        QTest::newRow("empty file") << QByteArray("\r\n") << QString() << ""
                                    << "New..." << QStringList() << -1;
        QTest::newRow("no file") << QByteArray() << QString() << ""
                                 << "New..." << QStringList() << -1;
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
            Store(p.optionsPath, {{"Lang", stored}});
        p.Start();
        TCoverMakerMainForm &f = *p.form;
        QCOMPARE(f.Languages().CurrentLanguage, current);
        QCOMPARE(Ui(f).New1()->text(), newCaption);
        QCOMPARE(Ui(f).AboutBox()->windowTitle(), QStringLiteral("About Velmora")); // no text 123
        ShowMenu(Ui(f).Configure1());
        QCOMPARE(Ui(f).LanguageItems()->actions().size(), items.size());
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(Ui(f).LanguageItems()->actions().at(i)->text(), items[i]);
            QCOMPARE(Ui(f).LanguageItems()->actions().at(i)->isChecked(), i == checked);
        }
    }

    void shippedLanguageFileIsComplete()
    {
        TLanguageController table;
        table.LoadLanguageFile(SourceDir() + "/data/VMLang.txt");
        QStringList languages;
        table.GetLanguages(languages);
        // Twelve, three of them in scripts of their own.
        QCOMPARE(languages, QStringList({"English", "Deutsch", "Français", "Español", "Italiano",
                                         "Nederlands", "Polski", "Português", "Svenska",
                                         "Русский", "Ελληνικά", "日本語"}));
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
                    const qsizetype at = text.indexOf('&');
                    QVERIFY2(at < 0 || letters.insert(text.at(at + 1).toLower()).second,
                             qPrintable(language + " repeats " + text));
                }
            }
        }
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
