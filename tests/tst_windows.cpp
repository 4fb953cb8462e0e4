// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as a user meets them, on the offscreen platform and again on a
// real X server: what is typed stays typed, nothing is left behind unseen,
// and what the window says matches what it does.
#include "CoverView.h"
#include "GifSupport.h"
#include "PictureLoading.h"
#include "ProgramFixture.h"
#include "WindowControls.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
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
        QVERIFY(editor);
        QCOMPARE(editor->font().family(), QStringLiteral("Liberation Serif"));
        QVERIFY(editor->font().italic());
        QCOMPARE(editor->document()->defaultTextOption().alignment(), Qt::AlignRight);
        // More than a block holds, pasted: refused, said, the text kept.
        QApplication::clipboard()->setText(QString(70 * 1024, QLatin1Char('x')));
        editor->paste();
        QCOMPARE(p.messages.Texts().value(0),
                 QStringLiteral("A text block holds at most 64 KB of text: what was pasted is not "
                                "taken."));
        QCOMPARE(block().Text, QStringLiteral("Intro"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(p.Doc().GetBlocks(1).size(), size_t(1)); // typed into: it stays

        // Typed, not stepped: the whole number, once Return ends it.
        QDoubleSpinBox *spacing = Ui(f).BlockSpacingSpin();
        spacing->setFocus();
        spacing->selectAll();
        QTest::keyClicks(spacing, "1.5");
        QTest::keyClick(spacing, Qt::Key_Return);
        QCOMPARE(block().LineSpacing, 1.5);
        QCOMPARE(spacing->text(), QStringLiteral("1.50"));
        // In German with a comma, typed and shown.
        for (QAction *language : Ui(f).LanguageItems()->actions())
            if (language->text().remove('&') == QStringLiteral("Deutsch"))
                language->trigger();
        QCOMPARE(spacing->text(), QStringLiteral("1,50"));
        spacing->selectAll();
        QTest::keyClicks(spacing, "2,25");
        QTest::keyClick(spacing, Qt::Key_Return);
        QCOMPARE(block().LineSpacing, 2.25);
        QCOMPARE(spacing->text(), QStringLiteral("2,25"));
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

    // The recovery copy comes and goes with the changes, through Save, an
    // undo back to what was saved and Exit, and Qt has nothing to say.
    void recoveryCopiesComeAndGoInSilence()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("lock|[Rr]ecover")));
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        TCoverController &cover = f.Cover();
        ClickArea(f, 1);
        QTest::keyClicks(Ui(f).ImageTextEdit(), "Side A");
        cover.WriteRecoveryCopy();
        cover.Recovery()->Wait();
        p.coverFiles.Answer = p.dir.filePath("side.vmcover");
        Ui(f).Save1()->trigger();
        QVERIFY(!cover.IsModified());
        QTest::keyClicks(Ui(f).ImageTextEdit(), "!");
        cover.WriteRecoveryCopy();
        cover.Recovery()->Wait();
        Ui(f).Undo1()->trigger(); // back to what was saved
        QVERIFY(!cover.IsModified());
        cover.Recovery()->Wait();
        QVERIFY(QDir(p.recoveryPath).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)
                    .isEmpty());
        QTest::keyClicks(Ui(f).ImageTextEdit(), "?");
        cover.WriteRecoveryCopy();
        cover.Recovery()->Wait();
        p.messages.SaveAnswer = TSaveAnswer::Discard;
        QVERIFY(f.close());
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
