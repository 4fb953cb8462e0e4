// SPDX-License-Identifier: GPL-3.0-or-later
// The new cover dialog and the size properties dialog through their real
// controls over a real catalogue file; New... and Templates... refusals.
#include "CoverShape.h"
#include "EditCoverSize.h"
#include "NewDocument.h"
#include "ProgramFixture.h"
#include "WindowControls.h"
#include "RadioGroup.h"
#include "SizeListModel.h"
#include "SizeMaker.h"
#include "VelmoraError.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTableView>

namespace {

const QByteArray ThreeSizes = "[Jewel case]\r\nSingleWidth=10.75\r\nSingleHeight=7.25\r\n"
                              "LeftWidth=0.5\r\nCenterWidth=5.25\r\nRightWidth=0.5\r\n"
                              "MultipleHeight=7.5\r\n"
                              "[Slim]\r\nSingleWidth=7.5\r\nSingleHeight=10\r\n"
                              "[Tape]\r\nSingleWidth=4\r\nSingleHeight=4\r\n";

// The two dialogs over a catalogue file of their own.
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

    TDialogs()
    {
        WriteBytes(path, ThreeSizes);
        form.SizeForm = &sizeForm;
        form.Run = [this](const std::function<void()> &command) {
            try {
                command();
            } catch (const EVelmoraError &e) {
                messages.ShowError(&form, QString(), e.Text());
            }
        };
        form.show();
    }
    QStringList Names()
    {
        QStringList names;
        sizes.GetSizeNames(names);
        return names;
    }
    QString Cell(int row, int column) { return form.Rows->index(row, column).data().toString(); }
    void Select(int row) { form.SelectRow(row); }
    // The size form's next showing takes these texts (null: kept) and OK;
    // keptOpen tells whether OK was refused with everything typed still there.
    bool keptOpen = false;
    void Enter(const QStringList &fields)
    {
        runner.Scripts << [this, fields](QDialog &) {
            QCOMPARE(sizeForm.focusWidget(), sizeForm.Edit1); // typing starts in the name
            QLineEdit *edits[] = {sizeForm.Edit1, sizeForm.Edit2, sizeForm.Edit3, sizeForm.Edit4};
            for (int i = 0; i < fields.size(); ++i)
                if (!fields[i].isNull())
                    edits[i]->setText(fields[i]);
            sizeForm.Edit3->setFocus(); // the next showing focuses the name all the same
            sizeForm.OkButton->click();
            keptOpen = sizeForm.isVisible() && sizeForm.Edit1->text() == fields[0];
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
        QTest::addColumn<QString>("typed"); // "paste:" pastes over the whole text
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
        QTest::newRow("digit") << "15" << 1 << "2"
                               << "125" << 2;
        QTest::newRow("paste") << "5" << 1 << "paste:12a"
                               << "5" << 1;
        QTest::newRow("minus over a selection") << "0" << 1 << "select:-15"
                                                << "15" << 2;
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
        if (typed.startsWith(QLatin1String("paste:"))) {
            e->selectAll();
            e->insert(typed.mid(6));
        } else if (typed.startsWith(QLatin1String("select:"))) {
            e->selectAll();
            QTest::keyClicks(e, typed.mid(7));
        } else {
            QTest::keyClicks(e, typed);
        }
        QCOMPARE(e->text(), after);
        QCOMPARE(e->cursorPosition(), caretAfter);
    }

    // A language that writes a decimal comma: the list shows it, and the
    // fields show it and take it as well as a point.
    void numbersInTheLanguagesOwnWay()
    {
        TDialogs d;
        d.unit = 1;
        const TTextLookup comma = [](int n) {
            return n == 265 ? QStringLiteral(",") : BuiltInText(n);
        };
        d.form.ApplyTexts(comma);
        d.sizeForm.ApplyTexts(comma);
        d.form.hide();
        d.form.show();
        QCOMPARE(d.Cell(0, 1), QStringLiteral("27,305 x 18,415 (cm)"));
        TEditCoverSizeData &f = d.sizeForm;
        CoverSize size;
        size.Name = QStringLiteral("Comma");
        size.SingleWidth = 5;
        size.SingleHeight = 12.5 / 2.54;
        f.ShowCoverSize(size);
        QCOMPARE(f.Edit3->text(), QStringLiteral("12,5"));
        for (const auto &[typed, cm] : {std::pair{"3,25", 3.25}, {"3.5", 3.5}}) {
            f.Edit2->selectAll();
            QTest::keyClicks(f.Edit2, QString::fromLatin1(typed));
            QCOMPARE(f.Edit2->text(), QString::fromLatin1(typed));
            QCOMPARE(f.ReadCoverSize().SingleWidth, cm / 2.54);
        }
        QCOMPARE(f.ReadCoverSize().SingleHeight, size.SingleHeight); // left as shown: exact
        QTest::keyClick(f.Edit2, Qt::Key_Comma); // a second separator is refused
        QCOMPARE(f.Edit2->text(), QStringLiteral("3.5"));
    }

    void okNeedsEveryFieldAndSelectsOnFirstClick()
    {
        TDialogs d;
        TEditCoverSizeData &f = d.sizeForm;
        f.ResetFields();
        QVERIFY(f.OkButton->isEnabled());
        QCOMPARE(f.Edit1->cursorPosition(), 0); // a long name opens on its start
        f.Edit7->clear();
        QVERIFY(!f.OkButton->isEnabled());
        f.Edit7->setText(QStringLiteral("1"));
        f.Edit1->setText(QStringLiteral("   ")); // would store no name at all
        QVERIFY(!f.OkButton->isEnabled());

        // A size beyond any cover's is refused, and the dialog stays.
        f.Messages = &d.messages;
        f.Edit1->setText(QStringLiteral("Huge"));
        f.Edit2->setText(QStringLiteral("99999"));
        f.OkButton->click();
        QCOMPARE(d.messages.Texts(), QStringList{BuiltInText(271)});
        QVERIFY(f.result() != QDialog::Accepted);
        f.Edit2->setText(QStringLiteral("5"));

        f.Edit3->setText(QStringLiteral("12.5"));
        QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(f.Edit3, &in);
        QTest::mouseClick(f.Edit3, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(f.Edit3->selectedText(), QStringLiteral("12.5"));
        QTest::mouseClick(f.Edit3, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(f.Edit3->selectedText().isEmpty());
    }

    void numbersRoundTripInEitherUnit_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("inches") << 0 << 7.5 << "7.5";
        QTest::newRow("centimetres") << 1 << 7.5 << "19.05";
        QTest::newRow("15 digits shown as 4 decimals")
            << 1 << CmToInch(3) << "3"; // not 2.99999999999999
        QTest::newRow("tiny, no exponent") << 0 << 4e-5 << "0";
        QTest::newRow("huge, no exponent") << 0 << 2.5e20 << "250000000000000000000";
    }
    void numbersRoundTripInEitherUnit()
    {
        QFETCH(int, unit);
        QFETCH(double, stored);
        QFETCH(QString, shown);
        TDialogs d;
        d.unit = uint8_t(unit);
        d.sizeForm.ShowCoverSize(MakeSize(stored, 1, 1, 1, 1, 1, QStringLiteral("Box")));
        QCOMPARE(d.sizeForm.Edit2->text(), shown);
        QCOMPARE(d.sizeForm.Edit2->cursorPosition(), 0);
        QCOMPARE(d.sizeForm.ReadCoverSize().SingleWidth, stored);
    }

    void listShowsTheCatalogueInFileOrder()
    {
        TDialogs d;
        d.form.hide();
        d.unit = 1;
        d.form.CurrentSizeName = QStringLiteral("Slim");
        d.form.CurrentMode = CoverMode::Multiple;
        d.form.show();
        QCOMPARE(d.Cell(0, 1), QStringLiteral("27.305 x 18.415 (cm)"));
        QCOMPARE(d.Cell(0, 2), QStringLiteral("(1.27 + 13.335 + 1.27) x 19.05 (cm)"));
        QCOMPARE(d.Cell(2, 0), QStringLiteral("Tape"));
        QCOMPARE(d.form.SelectedName(), QStringLiteral("Slim"));
        QCOMPARE(d.form.RadioGroup1->ItemIndex(), 1);
        QVERIFY(!d.form.ListView1->horizontalHeader()->sectionsClickable());
        // End and Home go to the last and the first size, as in a list.
        QTest::keyClick(d.form.ListView1, Qt::Key_End);
        QCOMPARE(d.form.SelectedName(), QStringLiteral("Tape"));
        QTest::keyClick(d.form.ListView1, Qt::Key_Home);
        QCOMPARE(d.form.SelectedName(), d.Cell(0, 0));
    }

    void addAndEditRefuseANameThatIsTaken_data()
    {
        QTest::addColumn<bool>("edit"); // Edit... on row 1, else Add...
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("selected");
        const QStringList three{"Jewel case", "Slim", "Tape"};
        QTest::newRow("add new") << false << "Digipak " << three + QStringList{"Digipak"} << false
                                 << 3;
        QTest::newRow("add duplicate") << false << "Slim" << three << true << 1;
        QTest::newRow("add other case") << false << "SLIM" << three << true << 1;
        QTest::newRow("edit, own name in other case") << true << "SLIM" << three << false << 1;
        QTest::newRow("edit, new name")
            << true << "Slimmer" << three + QStringList{"Slimmer"} << false << 1;
        QTest::newRow("edit onto another") << true << "tape" << three << true << 1;
    }
    void addAndEditRefuseANameThatIsTaken()
    {
        QFETCH(bool, edit);
        QFETCH(QString, name);
        QFETCH(QStringList, names);
        QFETCH(bool, refused);
        QFETCH(int, selected);
        TDialogs d;
        d.Select(1);
        const QByteArray before = ReadBytes(d.path);
        d.runner.Scripts << [](QDialog &) {}; // cancelled first: nothing happens
        (edit ? d.form.EditButton : d.form.AddButton)->click();
        QCOMPARE(ReadBytes(d.path), before);
        d.Enter({name, "11", "2", "3"});
        (edit ? d.form.EditButton : d.form.AddButton)->click();
        QCOMPARE(d.Names(), names);
        QCOMPARE(d.messages.Texts(), refused ? QStringList{BuiltInText(104)} : QStringList());
        QCOMPARE(d.keptOpen, refused);
        if (refused)
            QCOMPARE(ReadBytes(d.path), before);
        else
            QCOMPARE(d.sizes.ReadSize(name).SingleWidth, 11.0);
        QCOMPARE(d.form.SelectedRow(), selected);
    }

    void removeAsksAndSelectsTheFollowingRow()
    {
        TDialogs d;
        d.Select(1);
        d.messages.Answer = false;
        d.form.RemoveButton->click();
        QCOMPARE(d.Names().size(), 3);
        d.messages.Answer = true;
        d.form.RemoveButton->click();
        QCOMPARE(d.form.SelectedName(), QStringLiteral("Tape"));
        d.form.RemoveButton->click(); // the last row: nothing follows it
        QCOMPARE(d.Names(), QStringList{"Jewel case"});
        QCOMPARE(d.form.SelectedRow(), -1);
        d.form.RemoveButton->click(); // no row: no question
        QCOMPARE(d.messages.Texts(), QStringList(3, BuiltInText(102)));
    }

    void catalogueErrorsAreShownAndTheDialogGoesOn()
    {
        TDialogs d;
        QFile::setPermissions(d.path, QFileDevice::ReadOwner);
        d.Enter({"Digipak", "1"});
        d.form.AddButton->click();
        QFile::setPermissions(d.path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const QByteArray before = ReadBytes(d.path);
        d.Enter({"Huge", "1" + QString(400, '0')}); // no double holds it
        d.form.AddButton->click();
        QCOMPARE(ReadBytes(d.path), before);
        QCOMPARE(d.messages.Texts().size(), 2);
        QCOMPARE(d.messages.Texts()[0], "Unable to write to " + d.path);
        QVERIFY(d.messages.Texts()[1].contains(QStringLiteral("not a valid floating point")));
        d.Enter({"Digipak", "1"});
        d.form.AddButton->click();
        QCOMPARE(d.Names().last(), QStringLiteral("Digipak"));

        // An entry that does not read is edited with its readable values.
        WriteBytes(d.path, "[Bad]\r\nSingleWidth=4,5\r\nSingleHeight=2\r\n");
        d.form.FillSizeList();
        d.Select(0);
        d.runner.Scripts << [&](QDialog &) {
            QVERIFY(d.sizeForm.Edit2->text().isEmpty() && !d.sizeForm.OkButton->isEnabled());
            QCOMPARE(d.sizeForm.Edit3->text(), QStringLiteral("2"));
            d.sizeForm.Edit2->setText(QStringLiteral("4.5"));
            d.sizeForm.OkButton->click();
        };
        d.form.EditButton->click();
        QCOMPARE(d.sizes.ReadSize("Bad").SingleWidth, 4.5);
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
        d.Select(0);
        d.form.ListView1DblClick(); // does not close the templates look
        QVERIFY(d.form.isVisible());
        d.form.SetTemplatesMode(false);
        QCOMPARE(d.form.OkButton->geometry(), ok);
        QCOMPARE(d.form.size(), size);
        d.form.ListView1DblClick();
        QCOMPARE(d.form.result(), int(QDialog::Accepted));
    }

    // The picker: a search over names, kinds and sizes; the list by name
    // or by size; the selected size drawn; new shipped sizes taken in.
    void searchSortDrawAndTakeShippedSizes()
    {
        TDialogs d;
        QTest::keyClicks(d.form.SearchEdit, "jewel plain");
        QCOMPARE(d.form.Rows->rowCount(), 1);
        QCOMPARE(d.Cell(0, 0), QStringLiteral("Jewel case"));
        d.form.SearchEdit->clear();
        QTest::keyClicks(d.form.SearchEdit, "(inches) 10.75");
        QCOMPARE(d.form.Rows->rowCount(), 1);
        d.form.SearchEdit->clear();
        QTest::keyClicks(d.form.SearchEdit, "cassette");
        QCOMPARE(d.form.Rows->rowCount(), 0); // "Tape" is no kind the name says
        d.form.SearchEdit->clear();
        QCOMPARE(d.form.Rows->rowCount(), 3);
        // By size the smallest first, by name alphabetically; the selection
        // stays with its entry.
        d.Select(d.form.Rows->RowNamed("Slim", Qt::CaseSensitive));
        d.form.SortCombo->setFocus();
        QTest::keyClick(d.form.SortCombo, Qt::Key_End); // Size
        QCOMPARE(QStringList({d.Cell(0, 0), d.Cell(1, 0), d.Cell(2, 0)}),
                 QStringList({"Tape", "Slim", "Jewel case"}));
        QCOMPARE(d.form.SelectedName(), QStringLiteral("Slim"));
        QTest::keyClick(d.form.SortCombo, Qt::Key_Up); // Name
        QCOMPARE(QStringList({d.Cell(0, 0), d.Cell(1, 0), d.Cell(2, 0)}),
                 QStringList({"Jewel case", "Slim", "Tape"}));
        // The drawing: the Multiple size to scale, 6.25 by 7.5 inches.
        d.Select(0);
        d.form.RadioGroup1->Button(1)->click();
        QImage shape(d.form.ShapeView->size(), QImage::Format_RGB32);
        d.form.ShapeView->render(&shape);
        const auto dark = [&](int x, int y) { return QColor(shape.pixel(x, y)).value() < 180; };
        const auto span = [&](bool across, int at) {
            int first = -1, last = -1;
            for (int i = 0; i < (across ? shape.width() : shape.height()); ++i)
                if (across ? dark(i, at) : dark(at, i)) {
                    first = first < 0 ? i : first;
                    last = i;
                }
            return std::pair{first, last};
        };
        const auto [left, right] = span(true, shape.height() / 3);
        const auto [top, bottom] = span(false, (left + right) / 2 + 20);
        QVERIFY(left >= 0 && top >= 0);
        QVERIFY2(std::abs(double(right - left) / (bottom - top) - 6.25 / 7.5) < 0.03,
                 qPrintable(QStringLiteral("%1 x %2").arg(right - left).arg(bottom - top)));

        // Templates...: the shipped list's sizes the catalogue lacks.
        const QString shipped = d.dir.filePath("CoverSizes.shipped.ini");
        WriteBytes(shipped, QByteArray(ThreeSizes) +
                                "[Maxi]\r\nSingleWidth=6\r\nSingleHeight=4.7\r\n"
                                "[Mini]\r\nSingleWidth=2\r\nSingleHeight=1.5\r\n");
        d.form.ShippedCatalogue = shipped;
        d.form.SetTemplatesMode(true);
        QVERIFY(d.form.ShippedButton->isVisible() && d.form.ShippedButton->isEnabled());
        const QByteArray before = ReadBytes(d.path);
        d.runner.Scripts << [](QDialog &dialog) {
            auto *list = dialog.findChild<QListWidget *>("SizeList");
            QCOMPARE(list->count(), 2);
            list->item(1)->setCheckState(Qt::Unchecked);
            dialog.findChild<QPushButton *>("OkButton")->click();
        };
        d.form.ShippedButton->click();
        QCOMPARE(d.Names(), QStringList({"Jewel case", "Slim", "Tape", "Maxi"}));
        QVERIFY(ReadBytes(d.path).startsWith(before)); // the user's lines stay as they were
        QCOMPARE(d.form.SelectedName(), QStringLiteral("Maxi"));
        QVERIFY(d.form.ShippedButton->isEnabled()); // Mini is still to be had
        d.form.SetTemplatesMode(false);
        QVERIFY(d.form.ShippedButton->isHidden());
    }

    void anUnreadableEntryIsListedRefusedAndStillRemovable()
    {
        // Through the dialogs' real modal loops: an error escaping the list
        // would leave the dialog stuck in its loop, unmapped.
        TProgram p("[Bad]\r\nSingleWidth=4,5\r\n" + ThreeSizes, false);
        p.realModalLoops = true;
        p.Start();
        TCoverMakerMainForm &f = *p.form;
        TNewDocumentForm &d = *Ui(f).NewDocumentForm();
        p.Cover().SetText(1, QStringLiteral("kept"));
        int steps = 0;
        const auto whileShown = [&](const std::function<void()> &step) {
            QTimer::singleShot(0, &d, [&, step] {
                QVERIFY(d.isVisible());
                step();
                ++steps;
            });
            QTimer::singleShot(10000, &d, &QDialog::reject); // never stuck if a step fails
        };
        whileShown([&] {
            QCOMPARE(d.Rows->index(0, 1).data().toString(), BuiltInText(201));
            d.SelectRow(0);
            d.OkButton->click();
            QVERIFY(d.isVisible());
            QCOMPARE(p.messages.Texts().last(), "'4,5' is not a valid floating point value");
            d.CancelButton->click();
        });
        Ui(f).New1()->trigger();
        QCOMPARE(p.Doc().GetText(1), QStringLiteral("kept"));
        whileShown([&] {
            d.SelectRow(0);
            p.messages.Answer = true;
            d.RemoveButton->click();
            QCOMPARE(d.Rows->rowCount(), 3);
            d.OkButton->click(); // Close
        });
        Ui(f).Templates1()->trigger();
        QVERIFY(!ReadBytes(p.dir.filePath("CoverSizes.ini")).contains("Bad"));
        QCOMPARE(steps, 2);
    }

    void newCoverCancelledOrWithoutARowChangesNothing()
    {
        TProgram p(ThreeSizes);
        TCoverMakerMainForm &f = *p.form;
        p.Cover().SetText(1, QStringLiteral("old"));
        p.dialogs.Scripts << [](QDialog &) {};
        p.dialogs.Scripts << [&](QDialog &) {
            Ui(f).NewDocumentForm()->ListView1->clearSelection();
            Ui(f).NewDocumentForm()->OkButton->click();
        };
        Ui(f).New1()->trigger();
        Ui(f).NewButton()->click();
        QCOMPARE(p.Doc().GetText(1), QStringLiteral("old"));
        p.dialogs.Scripts << [&](QDialog &) { QVERIFY(Ui(f).NewDocumentForm()->TemplatesMode); };
        Ui(f).Templates1()->trigger();
        QVERIFY(!Ui(f).NewDocumentForm()->TemplatesMode);
        QCOMPARE(p.dialogs.Shown, 3);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
