// SPDX-License-Identifier: GPL-3.0-or-later
// The new cover dialog and the size properties dialog through their real
// controls, over a real catalogue file; New... and Templates... in the main
// window.
#include "CoverView.h"
#include "EditCoverSize.h"
#include "NewDocument.h"
#include "ProgramFixture.h"
#include "RadioGroup.h"
#include "ScriptedDialogs.h"
#include "SizeMaker.h"
#include "VelmoraError.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QByteArray ThreeSizes = "[Jewel case]\r\nSingleWidth=10.75\r\nSingleHeight=7.25\r\n"
                              "LeftWidth=0.5\r\nCenterWidth=5.25\r\nRightWidth=0.5\r\n"
                              "MultipleHeight=7.5\r\n"
                              "[Slim]\r\nSingleWidth=7.5\r\nSingleHeight=10\r\nLeftWidth=0\r\n"
                              "CenterWidth=7.5\r\nRightWidth=0\r\nMultipleHeight=10\r\n"
                              "[Tape]\r\nSingleWidth=4\r\nSingleHeight=4\r\nLeftWidth=1\r\n"
                              "CenterWidth=2\r\nRightWidth=1\r\nMultipleHeight=4\r\n";

// The two dialogs over a catalogue file in a folder of their own.
struct TDialogs
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("CoverSizes.ini"));
    TSizeList sizes{path};
    uint8_t unit = 0;
    TRecordingMessageBoxes messages;
    TScriptedRunner runner;
    TEditCoverSizeData sizeForm{unit};
    TNewDocumentForm form{sizes, unit, messages, runner};

    explicit TDialogs(const QByteArray &catalogue = ThreeSizes)
    {
        WriteBytes(path, catalogue);
        form.SizeForm = &sizeForm;
        form.Run = [this](const std::function<void()> &command) {
            try {
                command();
            } catch (const EVelmoraError &e) {
                messages.ShowError(&form, QStringLiteral("Error"), e.Text());
            }
        };
    }
    QStringList Names()
    {
        QStringList names;
        sizes.GetSizeNames(names);
        return names;
    }
    QString Row(int row, int column = 0)
    {
        QTreeWidgetItem *item = form.ListView1->topLevelItem(row);
        return item ? item->text(column) : QString();
    }
    void Select(int row) { form.ListView1->setCurrentItem(form.ListView1->topLevelItem(row)); }
    // The size form's next showing takes these texts and OK.
    void Enter(const QStringList &fields)
    {
        runner.Scripts << [this, fields](QDialog &) {
            QLineEdit *edits[] = {sizeForm.Edit1, sizeForm.Edit2, sizeForm.Edit3, sizeForm.Edit4,
                                  sizeForm.Edit5, sizeForm.Edit6, sizeForm.Edit7};
            for (int i = 0; i < fields.size(); ++i)
                if (!fields[i].isNull())
                    edits[i]->setText(fields[i]);
            sizeForm.OkButton->click();
        };
    }
};

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void numberFieldsRefuseAllButDigitsAndOnePoint_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caretAfter");
        QTest::newRow("letter") << "5" << 1 << "a"
                                << "5" << 1;
        QTest::newRow("minus") << "5" << 0 << "-"
                               << "5" << 0;
        QTest::newRow("comma") << "1.5" << 1 << ","
                               << "1.5" << 1;
        QTest::newRow("second point") << "1.5" << 3 << "."
                                      << "1.5" << 3;
        QTest::newRow("digit in the middle") << "15" << 1 << "2"
                                             << "125" << 2;
        QTest::newRow("first point") << "15" << 2 << "."
                                     << "15." << 3;
    }
    void numberFieldsRefuseAllButDigitsAndOnePoint()
    {
        QFETCH(QString, before);
        QFETCH(int, caret);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        QFETCH(int, caretAfter);
        TDialogs d;
        QLineEdit *e = d.sizeForm.Edit4;
        e->setText(before);
        e->setCursorPosition(caret);
        QTest::keyClicks(e, typed);
        QCOMPARE(e->text(), after);
        QCOMPARE(e->cursorPosition(), caretAfter);
        QCOMPARE(d.sizeForm.LastGoodText[4], after);
    }

    void pasteAndOkEnabling()
    {
        TDialogs d;
        TEditCoverSizeData &f = d.sizeForm;
        f.ResetFields();
        QCOMPARE(f.Edit1->text(), BuiltInText(105));
        QVERIFY(f.OkButton->isEnabled());
        f.Edit2->setText(QStringLiteral("5"));
        f.Edit2->selectAll();
        f.Edit2->insert(QStringLiteral("12a")); // a paste over the text
        QCOMPARE(f.Edit2->text(), QStringLiteral("5"));
        for (QLineEdit *e : {f.Edit1, f.Edit7}) {
            const QString kept = e->text();
            e->clear();
            QVERIFY(!f.OkButton->isEnabled());
            e->setText(kept);
            QVERIFY(f.OkButton->isEnabled());
        }
        f.Edit1->setText(QStringLiteral("   ")); // would store no name at all
        QVERIFY(!f.OkButton->isEnabled());
    }

    void firstClickAfterEnteringSelectsTheWholeText()
    {
        TDialogs d;
        QLineEdit *e = d.sizeForm.Edit3;
        e->setText(QStringLiteral("12.5"));
        QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(e, &in);
        QTest::mouseClick(e, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(e->selectedText(), QStringLiteral("12.5"));
        QTest::mouseClick(e, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(e->selectedText().isEmpty());
    }

    void unitsAndPlainNumbersRoundTrip_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("inches") << 0 << 7.5 << "7.5";
        QTest::newRow("centimetres") << 1 << 7.5 << "19.05";
        QTest::newRow("tiny, no exponent") << 0 << 5e-5 << "0.00005";
        QTest::newRow("huge, no exponent") << 0 << 2.5e20 << "250000000000000000000";
    }
    void unitsAndPlainNumbersRoundTrip()
    {
        QFETCH(int, unit);
        QFETCH(double, stored);
        QFETCH(QString, shown);
        TDialogs d;
        d.unit = uint8_t(unit);
        CoverSize s = MakeSize(stored, 1, 1, 1, 1, 1, QStringLiteral("Box"));
        d.sizeForm.ShowCoverSize(s);
        QCOMPARE(d.sizeForm.Edit2->text(), shown);
        QCOMPARE(d.sizeForm.Edit2->cursorPosition(), 0);
        QCOMPARE(d.sizeForm.ReadCoverSize().SingleWidth, stored);
    }

    void listShowsTheCatalogueInFileOrder()
    {
        TDialogs d;
        d.form.CurrentSizeName = QStringLiteral("Slim");
        d.form.CurrentMode = CoverMode::Multiple;
        d.form.show();
        QCOMPARE(d.form.ListView1->topLevelItemCount(), 3);
        QCOMPARE(d.Row(0, 1), QStringLiteral("10.75 x 7.25 (inches)"));
        QCOMPARE(d.Row(0, 2), QStringLiteral("(0.5 + 5.25 + 0.5) x 7.5 (inches)"));
        QCOMPARE(d.form.SelectedName(), QStringLiteral("Slim"));
        QCOMPARE(d.form.RadioGroup1->ItemIndex(), 1);
        QVERIFY(!d.form.ListView1->header()->sectionsClickable());
        QCOMPARE(d.form.ListView1->editTriggers(), QAbstractItemView::NoEditTriggers);
        d.form.hide();

        d.unit = 1;
        d.form.CurrentSizeName = QStringLiteral("slim"); // exact names only
        d.form.CurrentMode = CoverMode::Single;
        d.form.show();
        QCOMPARE(d.Row(1, 1), QStringLiteral("19.05 x 25.4 (cm)"));
        QCOMPARE(d.form.SelectedRow(), -1);
        QCOMPARE(d.form.RadioGroup1->ItemIndex(), 0);
    }

    void addAppendsOrRefusesAnyLetterCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("added");
        QTest::addColumn<int>("selected");
        QTest::newRow("new") << "Digipak " << true << 3;
        QTest::newRow("exact duplicate") << "Slim" << false << 1;
        QTest::newRow("other case") << "SLIM" << false << 1;
    }
    void addAppendsOrRefusesAnyLetterCase()
    {
        QFETCH(QString, name);
        QFETCH(bool, added);
        QFETCH(int, selected);
        TDialogs d;
        const QByteArray before = ReadBytes(d.path);
        d.runner.Scripts << [](QDialog &) {}; // cancelled: nothing happens
        d.form.AddButton->click();
        QCOMPARE(ReadBytes(d.path), before);
        d.Enter({name, "1", "2", "3", "4", "5", "6"});
        d.form.AddButton->click();
        QCOMPARE(d.messages.Texts(), added ? QStringList() : QStringList({BuiltInText(104)}));
        if (added) {
            QCOMPARE(d.Names().last(), QStringLiteral("Digipak"));
            QCOMPARE(d.sizes.ReadSize(QStringLiteral("Digipak")).RightWidth, 5.0);
        } else {
            QCOMPARE(ReadBytes(d.path), before);
        }
        QCOMPARE(d.form.SelectedRow(), selected);
    }

    void editReplacesRenamesOrRefuses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("refused");
        QTest::newRow("same name")
            << "Slim" << QStringList({"Jewel case", "Slim", "Tape"}) << false;
        QTest::newRow("own name, other case")
            << "SLIM" << QStringList({"Jewel case", "Slim", "Tape"}) << false;
        QTest::newRow("new name") << "Slimmer"
                                  << QStringList({"Jewel case", "Slim", "Tape", "Slimmer"})
                                  << false;
        QTest::newRow("onto another entry")
            << "tape" << QStringList({"Jewel case", "Slim", "Tape"}) << true;
    }
    void editReplacesRenamesOrRefuses()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, names);
        QFETCH(bool, refused);
        TDialogs d;
        d.form.show();
        d.Select(1);
        const QByteArray before = ReadBytes(d.path);
        d.Enter({name, QString(), "11"});
        d.form.EditButton->click();
        QCOMPARE(d.sizeForm.Edit2->text(), QStringLiteral("7.5")); // shown before editing
        QCOMPARE(d.Names(), names);
        QCOMPARE(d.messages.Boxes.size(), refused ? 1 : 0);
        if (refused)
            QCOMPARE(ReadBytes(d.path), before);
        else
            QCOMPARE(d.sizes.ReadSize(name).SingleHeight, 11.0);
        QCOMPARE(d.form.SelectedRow(), 1);
    }

    void removeAsksAndSelectsTheFollowingRow()
    {
        TDialogs d;
        d.form.show();
        d.Select(1);
        d.messages.Answer = false;
        d.form.RemoveButton->click();
        QCOMPARE(d.Names().size(), 3);
        QCOMPARE(d.messages.Texts(), QStringList({BuiltInText(102)}));
        d.messages.Answer = true;
        d.form.RemoveButton->click();
        QCOMPARE(d.Names(), QStringList({"Jewel case", "Tape"}));
        QCOMPARE(d.form.SelectedName(), QStringLiteral("Tape"));
        d.form.RemoveButton->click(); // the last row: nothing follows it
        QCOMPARE(d.form.SelectedRow(), -1);
        d.form.RemoveButton->click(); // no row: no question
        QCOMPARE(d.messages.Boxes.size(), 3);
    }

    void catalogueErrorsAreShownAndTheDialogGoesOn()
    {
        TDialogs d;
        d.form.show();
        QFile::setPermissions(d.path, QFileDevice::ReadOwner);
        d.Enter({"Digipak", "1", "1", "1", "1", "1", "1"});
        d.form.AddButton->click();
        QCOMPARE(d.messages.Texts(), QStringList({"Unable to write to " + d.path}));
        QFile::setPermissions(d.path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        // A number no double holds is refused before anything is written.
        const QByteArray before = ReadBytes(d.path);
        d.Enter({"Huge", "1" + QString(400, '0')});
        d.form.AddButton->click();
        QCOMPARE(d.messages.Boxes.size(), 2);
        QVERIFY(d.messages.Boxes[1].text.contains(QStringLiteral("not a valid floating point")));
        QCOMPARE(ReadBytes(d.path), before);
        d.Enter({"Digipak", "1", "1", "1", "1", "1", "1"});
        d.form.AddButton->click();
        QCOMPARE(d.Names().last(), QStringLiteral("Digipak"));
    }

    void templatesLookAndBack()
    {
        TDialogs d;
        const QRect ok = d.form.OkButton->geometry();
        const QSize size = d.form.size();
        d.form.SetTemplatesMode(true);
        QVERIFY(d.form.CancelButton->isHidden() && d.form.RadioGroup1->isHidden());
        QCOMPARE(d.form.OkButton->geometry(), ok.translated(80, -40));
        QCOMPARE(d.form.size(), size - QSize(0, 40));
        QCOMPARE(d.form.windowTitle(), BuiltInText(82));
        QCOMPARE(d.form.OkButton->text(), BuiltInText(83));
        d.form.show();
        d.Select(0);
        d.form.ListView1DblClick(); // does not close the templates look
        QVERIFY(d.form.isVisible());
        d.form.hide();
        d.form.SetTemplatesMode(false);
        QVERIFY(!d.form.CancelButton->isHidden() && !d.form.RadioGroup1->isHidden());
        QCOMPARE(d.form.OkButton->geometry(), ok);
        QCOMPARE(d.form.size(), size);
        d.form.show();
        d.Select(0);
        d.form.ListView1DblClick();
        QCOMPARE(d.form.result(), int(QDialog::Accepted));
    }

    void newCoverFromTheMainWindow()
    {
        TProgram p(ThreeSizes);
        TCoverMakerMainForm &f = *p.form;
        p.Doc().SetText(1, QStringLiteral("old"));
        f.CoverView->SelectArea(1);
        p.dialogs.Scripts << [](QDialog &) {}; // cancelled
        p.dialogs.Scripts << [&](QDialog &) {
            f.NewDocumentForm->ListView1->clearSelection(); // OK with no row
            f.NewDocumentForm->OkButton->click();
        };
        f.New1->trigger();
        f.NewButton->click();
        QCOMPARE(p.Doc().GetText(1), QStringLiteral("old"));
        QCOMPARE(p.Doc().Size().Name.Text(), QStringLiteral("Jewel case"));

        p.dialogs.Scripts << [&](QDialog &) {
            QCOMPARE(f.NewDocumentForm->SelectedName(), QStringLiteral("Jewel case"));
            f.NewDocumentForm->ListView1->setCurrentItem(
                f.NewDocumentForm->ListView1->topLevelItem(2));
            f.NewDocumentForm->RadioGroup1->SetItemIndex(1);
            f.NewDocumentForm->OkButton->click();
        };
        f.New1->trigger();
        QCOMPARE(p.Doc().GetText(1), QString());
        QCOMPARE(p.Doc().Mode(), CoverMode::Multiple);
        QCOMPARE(p.Doc().Size().Name.Text(), QStringLiteral("Tape"));
        QCOMPARE(p.Doc().Size().CenterWidth, 2.0);
        QCOMPARE(f.CoverView->SelectedArea, -1);
        QVERIFY(f.MultiButton->isChecked());

        p.dialogs.Scripts << [&](QDialog &) {
            QVERIFY(f.NewDocumentForm->TemplatesMode);
            QVERIFY(f.NewDocumentForm->CancelButton->isHidden());
        };
        f.Templates1->trigger();
        QVERIFY(!f.NewDocumentForm->TemplatesMode);
        QCOMPARE(p.dialogs.Shown, 4);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
