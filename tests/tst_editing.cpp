// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverStates.h"
#include "CoverSteps.h"
#include "CoverView.h"
#include "GifSupport.h"
#include "NewDocument.h"
#include "PaintBox.h"
#include "PictureLoading.h"
#include "ProgramFixture.h"
#include "WindowControls.h"
#include "RadioGroup.h"
#include "SampleFiles.h"

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

namespace {

QPoint Centre(TCoverMakerMainForm &f, CoverArea area)
{
    const TRect &r = Ui(f).CoverView()->AreaRect()[area];
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// What the panels must say of the document, whatever brought it there.
void CheckPanels(TCoverMakerMainForm &f)
{
    const int area = Ui(f).CoverView()->SelectedArea();
    TCoverDocument &d = f.Cover().Document();
    QCOMPARE(Ui(f).MultiButton()->isChecked(), d.Mode() == CoverMode::Multiple);
    if (area == -1)
        return;
    QCOMPARE(Ui(f).ClearButton()->isEnabled(), !d.GetPicture(area).isNull());
    const bool user = !d.GetStretch(area) && !d.GetAutosize(area);
    QCOMPARE(Ui(f).CenterButton()->isEnabled(), user);
    QCOMPARE(Ui(f).ZoomInButton()->isVisibleTo(&f), user);
    QCOMPARE(Ui(f).ImageTextEdit()->text(), d.GetText(area));
    QCOMPARE(Ui(f).TextPosRadio()->ItemIndex(), int(d.GetTextPosition(area)));
    QCOMPARE(Ui(f).TextOrientRadio()->ItemIndex(), int(d.GetOrientation(area)));
}

void Drop(TCoverMakerMainForm &f, const QPoint &at, QMimeData &data)
{
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f, &drop);
    QCoreApplication::processEvents(); // placed once the drop is over
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        RegisterPictureKinds();
        RegisterGifSupport();
    }

    void everyCommandIsOneStepBackAndForth()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        QUndoStack &steps = f.Cover().Steps();
        Ui(f).MultiButton()->click();
        const QString jpeg = p.Save("photo.jpg", WriteJpeg(QuarterPicture(64, 48)));
        const QString bmp = p.Save("other.bmp", WriteBmp(QuarterPicture(30, 20)));
        const std::pair<QString, std::function<void()>> commands[] = {
            {"Change picture", [&] {
                 ClickArea(f, 1);
                 p.chooser.Answer = jpeg;
                 Ui(f).ChangeButton()->click();
             }},
            {"Picture view", [&] { Ui(f).ImageView()->Button(2)->click(); }},
            {"Move picture", [&] {
                 const QPoint c = Centre(f, 1);
                 QTest::mousePress(Ui(f).CoverView(), Qt::LeftButton, {}, c);
                 QTest::mouseMove(Ui(f).CoverView(), c + QPoint(5, 3));
                 QTest::mouseMove(Ui(f).CoverView(), c + QPoint(12, 9));
                 QTest::mouseRelease(Ui(f).CoverView(), Qt::LeftButton, {}, c + QPoint(12, 9));
                 QCoreApplication::processEvents();
             }},
            {"Zoom in", [&] { Ui(f).ZoomInButton()->click(); }},
            {"Zoom out", [&] {
                 Ui(f).CoverView()->setFocus();
                 QTest::keyClick(Ui(f).CoverView(), Qt::Key_Minus, Qt::KeypadModifier);
                 QCoreApplication::processEvents();
             }},
            {"Center picture", [&] { Ui(f).CenterButton()->click(); }},
            {"Background color", [&] {
                 p.colors.Answer = QColor(10, 20, 30);
                 Ui(f).BGColorButton()->click();
             }},
            {"Typing", [&] {
                 ClickArea(f, 2);
                 QTest::keyClicks(Ui(f).ImageTextEdit(), "Title");
             }},
            {"Font", [&] {
                 p.fonts.Edit = [](TCoverFont &font) { font.SetBold(true); };
                 Ui(f).FontButton()->click();
             }},
            {"Alignment", [&] { Ui(f).AlignRadio()->Button(0)->click(); }},
            {"Text orientation", [&] { Ui(f).TextOrientRadio()->Button(1)->click(); }},
            {"Text position", [&] { Ui(f).TextPosRadio()->Button(2)->click(); }},
            {"Change picture", [&] {
                 p.chooser.Answer = bmp;
                 Ui(f).ChangeButton()->click();
             }},
            {"Clear picture", [&] { Ui(f).ClearButton()->click(); }},
            {"Layout", [&] { Ui(f).SingleButton()->click(); }},
            {"New cover", [&] {
                 p.dialogs.Scripts << [&](QDialog &d) { d.accept(); };
                 Ui(f).New1()->trigger();
             }},
        };
        QCOMPARE(Ui(f).Undo1()->text(), QStringLiteral("Undo Layout"));
        const int before = steps.count();
        QList<TDocumentState> states{p.Doc().State()};
        for (const auto &[name, command] : commands) {
            command();
            QCOMPARE(steps.count(), before + states.size());
            QCOMPARE(Ui(f).Undo1()->text(), "Undo " + name);
            states << p.Doc().State();
        }
        QVERIFY(p.messages.Boxes.isEmpty());
        // Back to each earlier cover exactly, the panels following.
        for (int i = states.size() - 2; i >= 0; --i) {
            Ui(f).Undo1()->trigger();
            CompareStates(p.Doc().State(), states[i]);
            CheckPanels(f);
        }
        QCOMPARE(Ui(f).Redo1()->text(), QStringLiteral("Redo Change picture"));
        for (int i = 1; i < states.size(); ++i) {
            Ui(f).Redo1()->trigger();
            CompareStates(p.Doc().State(), states[i]);
            CheckPanels(f);
        }
        QCOMPARE(steps.count(), before + states.size() - 1);
    }

    // A text block as the user makes it: the Insert menu, typing in place,
    // a drag, a handle, the keys and the panel; each one step.
    void textBlocksAreEditedWithMouseKeysAndPanel()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        TCoverView *view = Ui(f).CoverView();
        QUndoStack &steps = f.Cover().Steps();
        ClickArea(f, 1);
        QVERIFY(!Ui(f).BlockPanel()->isVisibleTo(&f));
        const int before = steps.count();
        Ui(f).TextBlock1()->trigger();
        QPlainTextEdit *editor = view->BlockEditor();
        QVERIFY(editor && editor->isVisible());
        QTest::keyClicks(editor, "1\tIntro\t1:02");
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, "2\tOutro\t3:04");
        QTest::keyClick(editor, Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(!view->IsEditingBlock());
        const auto block = [&] { return p.Doc().GetBlocks(1).at(0); };
        QCOMPARE(block().Text, QStringLiteral("1\tIntro\t1:02\n2\tOutro\t3:04"));
        QCOMPARE(steps.count(), before + 2);
        QCOMPARE(Ui(f).Undo1()->text(), QStringLiteral("Undo Typing"));
        QVERIFY(Ui(f).BlockPanel()->isVisibleTo(&f));
        QVERIFY(Ui(f).BlockFitCombo()->isEnabled());

        // Dragged by its middle, in whole tenths of a millimetre.
        const QSizeF mm = p.Doc().AreaSizeMm(1);
        const double pxPerMm = view->AreaRect()[1].Width() / mm.width();
        const TTextBlock start = block();
        QPoint c = view->BlockRect(1, 0).center().toPoint();
        QTest::mousePress(view, Qt::LeftButton, {}, c);
        QTest::mouseMove(view, c + QPoint(7, 3));
        QTest::mouseMove(view, c + QPoint(20, 10));
        QTest::mouseRelease(view, Qt::LeftButton, {}, c + QPoint(20, 10));
        QCoreApplication::processEvents();
        QCOMPARE(Ui(f).Undo1()->text(), QStringLiteral("Undo Move text block"));
        QVERIFY(std::abs(block().X - start.X - 20 / pxPerMm) <= 0.05);
        QCOMPARE(std::round(block().X * 10) / 10, block().X);
        QCOMPARE(block().Width, start.Width);
        // Sized by its bottom-right corner; the top-left stays.
        const TTextBlock moved = block();
        c = view->BlockRect(1, 0).bottomRight().toPoint();
        QTest::mousePress(view, Qt::LeftButton, {}, c);
        QTest::mouseMove(view, c + QPoint(-30, 15));
        QTest::mouseRelease(view, Qt::LeftButton, {}, c + QPoint(-30, 15));
        QCoreApplication::processEvents();
        QCOMPARE(Ui(f).Undo1()->text(), QStringLiteral("Undo Resize text block"));
        QCOMPARE(block().X, moved.X);
        QVERIFY(std::abs(block().Width - (moved.Width - 30 / pxPerMm)) <= 0.1);
        QVERIFY(std::abs(block().Height - (moved.Height + 15 / pxPerMm)) <= 0.1);
        // Nudged: a tenth, and with Shift a whole millimetre; one step.
        const TTextBlock sized = block();
        const int count = steps.count();
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(steps.count(), count + 1);
        QCOMPARE(block().X, std::round((sized.X + 0.1) * 10) / 10);
        QCOMPARE(block().Y, std::round((sized.Y + 1) * 10) / 10);
        // The panel: fitting and columns from the keyboard.
        QComboBox *fit = Ui(f).BlockFitCombo();
        fit->setFocus();
        QTest::keyClick(fit, Qt::Key_Down);
        QCOMPARE(block().Fit, TBlockFit::Columns);
        QCOMPARE(Ui(f).Undo1()->text(), QStringLiteral("Undo Text block settings"));
        QTest::keyClick(Ui(f).BlockColumnsSpin(), Qt::Key_Up);
        QCOMPARE(block().Columns, 2);
        // The panel follows the steps, not only the user's own changes.
        Ui(f).Undo1()->trigger();
        QCOMPARE(Ui(f).BlockColumnsSpin()->value(), 1);
        Ui(f).Undo1()->trigger();
        QCOMPARE(Ui(f).BlockFitCombo()->currentIndex(), int(TBlockFit::Shrink));
        Ui(f).Redo1()->trigger();
        Ui(f).Redo1()->trigger();
        QCOMPARE(Ui(f).BlockColumnsSpin()->value(), 2);
        // A double click edits again; Escape ends without a change.
        c = view->BlockRect(1, 0).center().toPoint();
        QTest::mouseDClick(view, Qt::LeftButton, {}, c);
        QVERIFY(view->IsEditingBlock());
        QCOMPARE(view->BlockEditor()->toPlainText(), block().Text);
        QTest::keyClick(view->BlockEditor(), Qt::Key_Escape);
        QVERIFY(!view->IsEditingBlock());
        QCOMPARE(p.chooser.Asked, 0); // no picture was asked for
        // Delete removes it, and Undo brings it back, selected or not.
        const TTextBlock last = block();
        QTest::keyClick(view, Qt::Key_Delete);
        QVERIFY(p.Doc().GetBlocks(1).empty());
        QCOMPARE(Ui(f).Undo1()->text(), QStringLiteral("Undo Delete text block"));
        QVERIFY(!Ui(f).BlockPanel()->isVisibleTo(&f));
        Ui(f).Undo1()->trigger();
        QVERIFY(block() == last);
        // The popup menu adds one more, centred in the area.
        view->SelectBlock(-1, -1);
        ShowMenu(Ui(f).AreaPopupMenu());
        QVERIFY(!Ui(f).DeleteTextBlock1()->isEnabled());
        Ui(f).AddTextBlock1()->trigger();
        QCOMPARE(p.Doc().GetBlocks(1).size(), size_t(2));
        QCOMPARE(view->SelectedBlock(), 1);
        QVERIFY(p.messages.Boxes.isEmpty());
    }

    // One key never means two histories; the panels follow the layout.
    void textBoxUndoIsTheCoversAndPanelsFollowTheLayout()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        ClickArea(f, 1);
        QTest::keyClicks(Ui(f).ImageTextEdit(), "Left");
        p.coverFiles.Answer = p.dir.filePath("saved.vmcover");
        Ui(f).Save1()->trigger();
        QVERIFY(!Ui(f).Save1()->isEnabled());
        QTest::keyClicks(Ui(f).ImageTextEdit(), " side");
        QVERIFY(Ui(f).Save1()->isEnabled() && f.isWindowModified());
        QTest::keyClick(Ui(f).ImageTextEdit(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(p.Doc().GetText(1), QStringLiteral("Left"));
        QCOMPARE(Ui(f).ImageTextEdit()->text(), QStringLiteral("Left"));
        QVERIFY(!f.Cover().IsModified());
        QTest::keyClick(Ui(f).ImageTextEdit(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(p.Doc().GetText(1), QStringLiteral("Left side"));
        Ui(f).Undo1()->trigger();
        QCOMPARE(p.Doc().GetText(1), QStringLiteral("Left"));

        for (QToolButton *mode : {Ui(f).SingleButton(), Ui(f).MultiButton()}) {
            mode->click();
            ClickArea(f, 1);
            CheckPanels(f);
        }
    }

    void savedStateAndSharedPictures()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        Ui(f).MultiButton()->click();
        for (CoverArea a = 1; a <= 3; ++a) {
            ClickArea(f, a);
            p.chooser.Answer = p.Save(QStringLiteral("p%1.jpg").arg(a),
                                      WriteJpeg(QuarterPicture(600, 400)));
            Ui(f).ChangeButton()->click();
        }
        p.coverFiles.Answer = p.dir.filePath("saved.vmcover");
        Ui(f).Save1()->trigger();
        QVERIFY(!f.Cover().IsModified());
        // A hundred steps: typing in turn in each area, each its own step.
        for (int i = 0; i < 100; ++i) {
            Ui(f).CoverView()->SelectArea(i % 3 + 1);
            QTest::keyClick(Ui(f).ImageTextEdit(), Qt::Key_A);
        }
        QCOMPARE(f.Cover().Steps().count(), 1 + 3 + 100); // the layout, the pictures, the typing
        QVERIFY(f.Cover().IsModified());
        // Every step holds the very pictures the cover holds: none is copied.
        for (int i = 0; i < f.Cover().Steps().count(); ++i) {
            const auto *step = static_cast<const TCoverStep *>(f.Cover().Steps().command(i));
            for (size_t a = 0; a < 3; ++a) {
                const auto &before = step->Before().State.Areas[a].Picture;
                if (before)
                    QCOMPARE(before->Bitmap.constBits(), p.Doc().GetPicture(int(a) + 1).constBits());
            }
        }
        // Undo back to what was saved clears the mark; one more sets it.
        for (int i = 0; i < 100; ++i)
            Ui(f).Undo1()->trigger();
        QVERIFY(!f.Cover().IsModified());
        Ui(f).Undo1()->trigger();
        QVERIFY(f.Cover().IsModified());
        Ui(f).Redo1()->trigger();
        QVERIFY(!f.Cover().IsModified());
    }

    void dropsAndPastes()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        Ui(f).MultiButton()->click();
        const QByteArray jpeg = WriteJpeg(QuarterPicture(64, 48));
        const QString a = p.Save("a.jpg", jpeg), b = p.Save("b.bmp", WriteBmp(QuarterPicture(8, 6)));
        const QString c = p.Save("c.gif", WriteSampleGif(10, 5));
        // A drop on each area selects it and places the picture there.
        for (CoverArea area = 1; area <= 3; ++area) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(a)});
            Drop(f, Ui(f).CoverView()->mapTo(&f, Centre(f, area)), data);
            QCOMPARE(Ui(f).CoverView()->SelectedArea(), area);
            QCOMPARE(p.Doc().PlacedPicture(area)->FileBytes, jpeg);
            QCOMPARE(Ui(f).Undo1()->text(), QStringLiteral("Undo Drop pictures"));
        }
        // Several files go on the areas from the one under the pointer.
        QMimeData several;
        several.setUrls({QUrl::fromLocalFile(b), QUrl::fromLocalFile(c), QUrl::fromLocalFile(a)});
        Drop(f, Ui(f).CoverView()->mapTo(&f, Centre(f, 2)), several);
        QCOMPARE(p.Doc().GetPicture(2).size(), QSize(8, 6));
        QCOMPARE(p.Doc().GetPicture(3).size(), QSize(10, 5));
        QCOMPARE(p.Doc().PlacedPicture(1)->FileBytes, jpeg);
        Ui(f).Undo1()->trigger(); // one step for the whole drop
        QCOMPARE(p.Doc().PlacedPicture(2)->FileBytes, jpeg);
        QCOMPARE(p.Doc().PlacedPicture(3)->FileBytes, jpeg);
        // Elsewhere in the window a drop goes to the selected area.
        ClickArea(f, 2);
        QMimeData elsewhere;
        elsewhere.setUrls({QUrl::fromLocalFile(b)});
        Drop(f, Ui(f).ChangeButton()->mapTo(&f, QPoint(2, 2)), elsewhere);
        QCOMPARE(p.Doc().GetPicture(2).size(), QSize(8, 6));

        // Copy puts the picture and its very file on the clipboard; paste
        // places that file.
        ClickArea(f, 1);
        Ui(f).Copy1()->trigger();
        QClipboard *clipboard = QGuiApplication::clipboard();
        QCOMPARE(clipboard->mimeData()->data("image/jpeg"), jpeg);
        ClickArea(f, 3);
        Ui(f).Paste1()->trigger();
        QCOMPARE(p.Doc().PlacedPicture(3)->FileBytes, jpeg);
        QCOMPARE(Ui(f).Undo1()->text(), QStringLiteral("Undo Paste picture"));
        // Pixels alone, from another program.
        clipboard->setImage(QuarterPicture(7, 9));
        Ui(f).PastePicture1()->trigger();
        QCOMPARE(p.Doc().GetPicture(3), QuarterPicture(7, 9));
        // Kept as it came, or as PNG where the clipboard offered that.
        const auto pasted = p.Doc().PlacedPicture(3);
        QVERIFY(pasted->FileBytes.isEmpty() || pasted->FileKind == "png");
        clipboard->setText("not a picture");
        Ui(f).Paste1()->trigger();
        QCOMPARE(p.messages.Texts(), QStringList{"There is no picture on the clipboard."});
        QCOMPARE(p.Doc().GetPicture(3), QuarterPicture(7, 9));
        // A file cut short is refused pasted as Change... refuses it, though
        // the clipboard offers Qt's reading of it (half grey) beside it.
        const QByteArray cut = jpeg.left(jpeg.size() * 2 / 3);
        auto *offered = new QMimeData;
        offered->setData("image/jpeg", cut);
        offered->setImageData(QImage::fromData(cut, "jpg"));
        QVERIFY(offered->hasImage());
        clipboard->setMimeData(offered);
        Ui(f).Paste1()->trigger();
        QString why;
        QVERIFY(!LoadPictureBytes(cut, "jpg", &why));
        QCOMPARE(p.messages.Texts().last(), "Error loading image\n\n" + why);
        QCOMPARE(p.Doc().GetPicture(3), QuarterPicture(7, 9));
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
