// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as a user meets them, on the offscreen platform and again on a
// real X server: what is typed stays typed, nothing is left behind unseen,
// and what the window says matches what it does.
#include "BuiltInTexts.h"
#include "CoverView.h"
#include "GifSupport.h"
#include "PictureLoading.h"
#include "ProgramFixture.h"
#include "WindowControls.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTest>
#include <QUndoStack>

class TestWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        RegisterPictureKinds();
        RegisterGifSupport();
    }

    // A text block as the Insert menu makes it: left empty it leaves
    // nothing; typed into, its editor shows its font; its line spacing is
    // typed whole, in the language's way of writing decimals; a paste too
    // long for it is refused with a word.
    void textBlocksTakeWhatIsTypedAndLeaveNothingUnseen()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        TCoverView *view = Ui(f).CoverView();
        QUndoStack &steps = f.Cover().Steps();
        ClickArea(f, 1);
        const int before = steps.count();
        Ui(f).TextBlock1()->trigger();
        QTest::keyClick(view->BlockEditor(), Qt::Key_Escape);
        QVERIFY(p.Doc().GetBlocks(1).empty());
        QCOMPARE(steps.count(), before);
        QVERIFY(!Ui(f).Redo1()->isEnabled());

        Ui(f).TextBlock1()->trigger();
        QTest::keyClicks(view->BlockEditor(), "Intro");
        QTest::keyClick(view->BlockEditor(), Qt::Key_Escape);
        const auto block = [&] { return p.Doc().GetBlocks(1).at(0); };
        QCOMPARE(block().Text, QStringLiteral("Intro"));
        TTextBlock styled = block();
        styled.FontName = QStringLiteral("Liberation Serif");
        styled.Italic = true;
        styled.HAlign = TBlockAlign::End;
        QVERIFY(f.Cover().SetTextBlock(1, 0, styled).Ok());
        QTest::mouseDClick(view, Qt::LeftButton, {}, view->BlockRect(1, 0).center().toPoint());
        QPlainTextEdit *editor = view->BlockEditor();
        QVERIFY(editor && editor->font().family() == "Liberation Serif" && editor->font().italic());
        QCOMPARE(editor->document()->defaultTextOption().alignment(), Qt::AlignRight);
        // More than a block holds, pasted: refused, said, the text kept.
        QApplication::clipboard()->setText(QString(70 * 1024, QLatin1Char('x')));
        editor->paste();
        QCOMPARE(p.messages.Texts().value(0), BuiltInText(410).arg(64));
        QCOMPARE(block().Text, QStringLiteral("Intro"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(p.Doc().GetBlocks(1).size(), size_t(1)); // typed into: it stays

        // Typed, not stepped: the whole number once Return ends it, and in
        // German with a comma.
        QDoubleSpinBox *spacing = Ui(f).BlockSpacingSpin();
        const auto type = [&](const char *text) {
            spacing->setFocus();
            spacing->selectAll();
            QTest::keyClicks(spacing, text);
            QTest::keyClick(spacing, Qt::Key_Return);
        };
        type("1.5");
        QCOMPARE(block().LineSpacing, 1.5);
        ChooseLanguage(f, "Deutsch");
        QCOMPARE(spacing->text(), QStringLiteral("1,50"));
        type("2,25");
        QCOMPARE(block().LineSpacing, 2.25);
    }

    // The mark in the title means unsaved work: an untouched new cover has
    // none, whichever layout the last session left.
    void anUntouchedCoverIsNotMarkedChanged()
    {
        TProgram p;
        const auto marked = [&] {
            return p.form->isWindowModified() || Ui(*p.form).Save1()->isEnabled();
        };
        QVERIFY(!marked());
        Ui(*p.form).MultiButton()->click();
        QVERIFY(marked());
        p.Restart();
        QVERIFY(Ui(*p.form).MultiButton()->isChecked());
        QVERIFY(!marked());
        QVERIFY(!p.form->Cover().IsModified());
    }

};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
