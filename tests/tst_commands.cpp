// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's image and text commands, the image popup menu and
// Print..., driven through their controls with the dialogs answered.
#include "CoverView.h"
#include "FontColorDialog.h"
#include "FontSubstitutes.h"
#include "PdfPages.h"
#include "ProgramFixture.h"
#include "RadioGroup.h"
#include "SampleFiles.h"
#include "ViewFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

// A row of the rendered image holding a run of colour c at least length
// pixels long: an underline runs across the gaps between letters.
bool HasRun(const QImage &image, const QColor &c, int length)
{
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = Near(image.pixel(x, y), c, 60) ? run + 1 : 0;
            if (run >= length)
                return true;
        }
    }
    return false;
}

int CountNear(const QImage &image, const QColor &c)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += Near(image.pixel(x, y), c, 60);
    return n;
}

void PdfOnLetter(QPrinter &printer, const QString &path)
{
    SetUpPdfPrinter(printer, path, 300, QSizeF(8.5, 11), 0.25);
}

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { RegisterFontSubstitutes(); }

    void popupMenuMirrorsThePanel()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        QStringList order;
        for (QAction *a : f.AreaPopupMenu->actions())
            order << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(order.join(QLatin1Char('|')),
                 QStringLiteral("&Change...|C&lear|-|Stretch|Autosize|User Defined|-|Center|"
                                "Zoom &In|Zoom &Out|-|BG Color..."));
        QCOMPARE(f.AreaPopupMenu->defaultAction(), f.Change1);

        f.CoverView->SelectArea(1);
        f.AreaPopup(10, 10);
        QVERIFY(f.Change1->isEnabled() && f.Background1->isEnabled() && f.Stretch1->isEnabled());
        QVERIFY(!f.Clear1->isEnabled() && !f.Center1->isEnabled());
        QVERIFY(!f.ZoomIn1->isEnabled() && !f.ZoomOut1->isEnabled());
        QVERIFY(f.Stretch1->isChecked());
        f.AreaPopupMenu->close();

        const QImage pic = SolidPicture(40, 20, Qt::blue);
        f.CoverView->SetAreaPicture(1, &pic);
        f.UserDefined1->trigger();
        QCOMPARE(f.ImageView->ItemIndex(), 2);
        QVERIFY(!p.Doc().GetStretch(1) && !p.Doc().GetAutosize(1));
        f.AreaPopup(10, 10);
        QVERIFY(f.UserDefined1->isChecked() && !f.Stretch1->isChecked());
        QVERIFY(f.Clear1->isEnabled() && f.Center1->isEnabled());
        QVERIFY(f.ZoomIn1->isEnabled() && f.ZoomOut1->isEnabled());
        f.AreaPopupMenu->close();

        f.ZoomIn1->trigger();
        QCOMPARE(p.Doc().GetZoom(1), 1.1);
        f.Autosize1->trigger();
        QVERIFY(p.Doc().GetAutosize(1));
        QVERIFY(f.ZoomIn1->isEnabled()); // items follow the panel only when the menu opens
        f.AreaPopup(10, 10);
        QVERIFY(f.Autosize1->isChecked() && !f.ZoomIn1->isEnabled());
        f.AreaPopupMenu->close();
        f.Clear1->trigger();
        QVERIFY(p.Doc().GetPicture(1).isNull());
    }

    void colourDialogSetsTheBackgroundOnlyWhenConfirmed()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        f.BGColorButtonClick(); // no area: no dialog
        QCOMPARE(p.colors.Asked, 0);
        f.CoverView->SelectArea(1);
        p.Doc().SetBackColor(1, 0x336699);
        f.BGColorButton->click();
        QCOMPARE(p.colors.Shown, ColorRefToQColor(0x336699));
        QCOMPARE(p.Doc().GetBackColor(1), TColorRef(0x336699));
        p.colors.Answer = QColor(10, 20, 30);
        f.Background1->trigger();
        QCOMPARE(p.colors.Asked, 2);
        QCOMPARE(p.Doc().GetBackColor(1), QColorToColorRef(QColor(10, 20, 30)));
    }

    void fontDialogChoiceReachesScreenAndPaper()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        f.CoverView->SelectArea(1);
        f.ImageTextEdit->setText(QStringLiteral("HHHH"));
        const QFont before = p.Doc().GetFont(1).Font();
        f.FontButton->click(); // cancelled
        QCOMPARE(p.fonts.ShownName, before.family());
        QCOMPARE(p.Doc().GetFont(1).Font(), before);
        QCOMPARE(p.Doc().GetFont(1).Color(), QColor(Qt::black));

        p.fonts.Edit = [](TCoverFont &font) {
            font.SetColor(QColor(0, 160, 0));
            font.SetUnderline(true);
            font.SetSize(60);
        };
        f.FontButton->click();
        const TCoverFont &chosen = p.Doc().GetFont(1);
        QCOMPARE(chosen.Color(), QColor(0, 160, 0));
        QVERIFY(chosen.Underline());
        QCOMPARE(chosen.Size(), 60);
        QCOMPARE(chosen.Name(), before.family());

        const QImage screen = f.CoverView->grab().toImage();
        QVERIFY(CountNear(screen, QColor(0, 160, 0)) > 20);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("font.pdf"));
        p.printers.SetUp = [&](QPrinter &printer) { PdfOnLetter(printer, pdf); };
        f.Print1->trigger();
        QVERIFY(p.messages.Boxes.isEmpty());
        const QImage page = RenderPdf(pdf, 100);
        QVERIFY(CountNear(page, QColor(0, 160, 0)) > 100);
        // 60 points of "HHHH" are about 2.5 inches wide; the underline
        // runs across the letters' gaps.
        QVERIFY(HasRun(page, QColor(0, 160, 0), 150));
    }

    void fontColourDialogReturnsWhatItWasGiven()
    {
        TFontColorDialog dialog;
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPointSize(24);
        font.setStrikeOut(true);
        dialog.SetChoice(font, QColor(200, 0, 50));
        QCOMPARE(dialog.ChosenColor(), QColor(200, 0, 50));
        QVERIFY(dialog.ChosenFont().strikeOut());
        QCOMPARE(dialog.ChosenFont().pointSize(), 24);
    }

    void printCommandOutcomes_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<bool>("written");
        QTest::newRow("cancelled") << false << QStringLiteral("cover.pdf") << 0 << false;
        QTest::newRow("printed") << true << QStringLiteral("cover.pdf") << 0 << true;
        QTest::newRow("unwritable")
            << true << QStringLiteral("/nonexistent-folder/cover.pdf") << 1 << false;
    }
    void printCommandOutcomes()
    {
        QFETCH(bool, confirm);
        QFETCH(QString, output);
        QFETCH(int, boxes);
        QFETCH(bool, written);
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        QStringList menu;
        for (QAction *a : f.Cover1->actions())
            menu << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(menu, QStringList({"New...", "Print...", "-", "Exit"}));
        QCOMPARE(f.Print1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        p.Doc().SetText(1, QStringLiteral("kept"));
        const QString path = output.startsWith(QLatin1Char('/')) ? output : p.dir.filePath(output);
        if (confirm)
            p.printers.SetUp = [&](QPrinter &printer) { PdfOnLetter(printer, path); };
        f.PrintButton->click();
        QCOMPARE(p.printers.Asked, 1);
        QCOMPARE(p.messages.Boxes.size(), boxes);
        if (boxes)
            QCOMPARE(p.messages.Boxes[0].text, QStringLiteral("Unable to write to %1").arg(path));
        QCOMPARE(QFile::exists(path), written);
        QCOMPARE(p.Doc().GetText(1), QStringLiteral("kept"));
        QVERIFY(f.isVisible());
    }

    void coverLargerThanThePaperAsksFirst_data()
    {
        QTest::addColumn<bool>("printAnyway");
        QTest::addColumn<int>("unit");
        QTest::newRow("go back, inches") << false << 0;
        QTest::newRow("print anyway, centimetres") << true << 1;
    }
    void coverLargerThanThePaperAsksFirst()
    {
        QFETCH(bool, printAnyway);
        QFETCH(int, unit);
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        f.MeasureUnit = uint8_t(unit);
        // 5 x 5 inches on a landscape page with 4.5 printable inches down.
        const QString path = p.dir.filePath(QStringLiteral("big.pdf"));
        p.printers.SetUp = [&](QPrinter &printer) {
            SetUpPdfPrinter(printer, path, 300, QSizeF(5, 8), 0.25);
        };
        p.messages.Answer = printAnyway;
        f.Print1->trigger();
        QCOMPARE(p.messages.Boxes.size(), 1);
        const QString text = p.messages.Boxes[0].text;
        QVERIFY2(text.contains(unit ? QStringLiteral("1.27 cm at the bottom")
                                    : QStringLiteral("0.50 inches at the bottom")),
                 qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("right")));
        QCOMPARE(QFile::exists(path), printAnyway);
    }

    void textEditShowsALongTextFromItsStart()
    {
        TProgram p;
        p.Doc().SetText(1, QString(200, QLatin1Char('x')) + QStringLiteral("end"));
        p.form->CoverView->SelectArea(1);
        QCOMPARE(p.form->ImageTextEdit->cursorPosition(), 0);
        QCOMPARE(p.form->ImageTextEdit->text().size(), 203);
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
