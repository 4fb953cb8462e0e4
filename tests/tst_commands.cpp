// SPDX-License-Identifier: GPL-3.0-or-later
// The image and text commands, the popup menu and Print... through the main
// window, with its dialogs answered.
#include "CoverView.h"
#include "FontSubstitutes.h"
#include "BuiltInTexts.h"
#include "FontColorDialog.h"
#include "PdfPages.h"
#include "ProgramFixture.h"
#include "QtTranslations.h"
#include "WindowControls.h"
#include "RadioGroup.h"
#include "SampleFiles.h"
#include "ViewFixture.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// The longest run of colour c along any row: an underline runs across the
// gaps between letters.
int LongestRun(const QImage &image, const QColor &c)
{
    int longest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0, run = 0; x < image.width(); ++x)
            longest = std::max(longest, run = Near(image.pixel(x, y), c, 60) ? run + 1 : 0);
    return longest;
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
        for (QAction *a : Ui(f).AreaPopupMenu()->actions())
            order << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(order.join('|'),
                 QStringLiteral("&Change...|C&lear|-|Stretch|Autosize|User "
                                "Defined|-|Center|Zoom &In|Zoom &Out|-|BG Color...|-|Paste|-|"
                                "Add &Text Block|&Delete Text Block"));
        QCOMPARE(Ui(f).AreaPopupMenu()->defaultAction(), Ui(f).Change1());
        ClickArea(f, 1);
        const QImage pic = SolidPicture(40, 20, Qt::blue);
        for (const bool userDefined : {false, true}) {
            if (userDefined) {
                f.Cover().PlaceImage(1, pic);
                Ui(f).UserDefined1()->trigger(); // runs the ImageView command
            }
            QTest::mouseClick(Ui(f).CoverView(), Qt::RightButton, {},
                              Centre(Ui(f).CoverView()->AreaRect()[1]));
            QCOMPARE(Ui(f).Stretch1()->isChecked(), !userDefined);
            QCOMPARE(Ui(f).UserDefined1()->isChecked(), userDefined);
            QCOMPARE(Ui(f).Clear1()->isEnabled(), userDefined);
            QCOMPARE(Ui(f).Center1()->isEnabled(), userDefined);
            QCOMPARE(Ui(f).ZoomIn1()->isEnabled(), userDefined);
            QVERIFY(Ui(f).Change1()->isEnabled() && Ui(f).Background1()->isEnabled());
            Ui(f).AreaPopupMenu()->close();
        }
        QVERIFY(!p.Doc().GetStretch(1) && !p.Doc().GetAutosize(1));
        Ui(f).ZoomIn1()->trigger();
        QCOMPARE(p.Doc().GetZoom(1), 1.1);
    }

    void colourAndFontDialogsChangeOnlyWhenConfirmed()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        ClickArea(f, 1);
        Ui(f).ImageTextEdit()->setText(QStringLiteral("HHHH"));
        p.Cover().SetBackColor(1, 0x336699);
        const QFont font = p.Doc().GetFont(1).Font();
        Ui(f).BGColorButton()->click(); // both cancelled
        Ui(f).FontButton()->click();
        QCOMPARE(p.colors.Shown, ColorRefToQColor(0x336699));
        QCOMPARE(p.Doc().GetBackColor(1), TColorRef(0x336699));
        QCOMPARE(p.Doc().GetFont(1).Font(), font);

        p.colors.Answer = QColor(10, 20, 30);
        Ui(f).Background1()->trigger();
        QCOMPARE(p.Doc().GetBackColor(1), QColorToColorRef(QColor(10, 20, 30)));
        p.fonts.Edit = [](TCoverFont &font) {
            font.SetColor(QColor(0, 160, 0));
            font.SetUnderline(true);
            font.SetSize(60);
        };
        Ui(f).FontButton()->click();
        // The colour and the underline reach the screen and the paper.
        QVERIFY(LongestRun(Ui(f).CoverView()->grab().toImage(), QColor(0, 160, 0)) > 20);
        const QString pdf = p.dir.filePath(QStringLiteral("font.pdf"));
        p.printers.SetUp = [&](QPrinter &printer) {
            SetUpPdfPrinter(printer, pdf, 300, QSizeF(8.5, 11), 0.25);
        };
        Ui(f).Print1()->trigger();
        QVERIFY(LongestRun(RenderPdf(pdf, 100), QColor(0, 160, 0)) >= 150);
    }

    void printOutcomes_data()
    {
        QTest::addColumn<QString>("output"); // empty: the dialog is cancelled
        QTest::addColumn<double>("pageHeight");
        QTest::addColumn<bool>("printAnyway");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("language"); // empty: the first
        QTest::newRow("cancelled") << QString() << 11.0 << true << QString() << false << "";
        QTest::newRow("printed") << "cover.pdf" << 11.0 << true << QString() << true << "";
        QTest::newRow("unwritable") << "/nonexistent/cover.pdf" << 11.0 << true
                                    << "Unable to write to /nonexistent/cover.pdf" << false << "";
        // 5 inches high on a PDF page 5 high from a 0.25 margin: asked first.
        QTest::newRow("too large, back")
            << "big.pdf" << 8.0 << false << "0.25 inches at the bottom" << false << "";
        QTest::newRow("too large, anyway")
            << "big.pdf" << 8.0 << true << "0.25 inches" << true << "";
        // Each language's separator and the unit's form for the amount.
        QTest::newRow("French") << "big.pdf" << 8.0 << false << "0,25 pouce en bas" << false
                                << "Français";
        QTest::newRow("Polish") << "big.pdf" << 8.0 << false << "0,25 cala u dołu" << false
                                << "Polski";
        // Cut on both edges: the two amounts joined as the language joins them.
        QTest::newRow("English, both") << "big.pdf" << 4.0 << false
                                       << "1.25 inches on the right, 2.75 inches at the bottom" << false << "";
        QTest::newRow("Japanese, both")
            << "big.pdf" << 4.0 << false << "右側 1.25 インチ、下側 2.75 インチ" << false << "日本語";
    }
    void printOutcomes()
    {
        QFETCH(QString, output);
        QFETCH(double, pageHeight);
        QFETCH(bool, printAnyway);
        QFETCH(QString, box);
        QFETCH(bool, written);
        QFETCH(QString, language);
        TProgram p;
        for (QAction *item : Ui(*p.form).LanguageItems()->actions())
            if (item->text() == language)
                item->trigger();
        p.Cover().SetText(1, QStringLiteral("kept"));
        const QString path =
            output.startsWith('/') || output.isEmpty() ? output : p.dir.filePath(output);
        if (!output.isEmpty())
            p.printers.SetUp = [&](QPrinter &printer) {
                SetUpPdfPrinter(printer, path, 300, QSizeF(pageHeight * 5 / 8, pageHeight), 0.25);
            };
        p.messages.Answer = printAnyway;
        Ui(*p.form).PrintButton()->click();
        QCOMPARE(p.printers.Asked, 1);
        QCOMPARE(p.messages.Boxes.size(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty())
            QVERIFY2(p.messages.Boxes[0].text.contains(box), qPrintable(p.messages.Boxes[0].text));
        if (box.contains(QStringLiteral("inches")))
            QVERIFY(p.messages.Boxes[0].text.endsWith(BuiltInText(202)));
        QCOMPARE(!path.isEmpty() && QFile::exists(path), written);
        QCOMPARE(p.Doc().GetText(1), QStringLiteral("kept"));
    }

    void coverThatFitsOnlyUprightPrintsWholeAndUpright()
    {
        // A VHS sleeve, 189.5 x 256 mm, on A4: landscape cannot hold it.
        TProgram p("[VHS sleeve]\r\nSingleWidth=7.4606\r\nSingleHeight=10.0787\r\n");
        p.Cover().SetBackColor(1, QColorToColorRef(Qt::red));
        const QString pdf = p.dir.filePath(QStringLiteral("vhs.pdf"));
        bool upright = false;
        p.printers.SetUp = [&](QPrinter &printer) {
            upright = printer.pageLayout().orientation() == QPageLayout::Portrait;
            SetUpPdfPrinter(printer, pdf, 300, QSizeF(8.27, 11.69), 0.25);
        };
        Ui(*p.form).Print1()->trigger();
        QVERIFY(upright);
        QVERIFY(p.messages.Boxes.isEmpty()); // nothing is cut off
        const QImage page = RenderPdf(pdf, 300);
        QVERIFY(page.height() > page.width());
        const double across = PixelsToMm(RowSpan(page, 75 + 1512, Qt::red).Length(), 300);
        const double down = PixelsToMm(ColumnSpan(page, 75 + 1119, Qt::red).Length(), 300);
        QVERIFY2(qAbs(across - 189.5) <= 0.2 && qAbs(down - 256.0) <= 0.2,
                 qPrintable(QStringLiteral("%1 x %2 mm").arg(across).arg(down)));
    }

    void fontDialogChangesNothingUntilTheUserDoes_data()
    {
        QTest::addColumn<int>("key"); // pressed in the face list; 0: the OK button
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("OK") << 0 << true;
        QTest::newRow("Enter in the chooser") << int(Qt::Key_Return) << true;
        QTest::newRow("Escape in the chooser") << int(Qt::Key_Escape) << false;
    }
    void fontDialogChangesNothingUntilTheUserDoes()
    {
        QFETCH(int, key);
        QFETCH(bool, confirmed);
        // A name the system draws in another face, as Times New Roman here.
        TCoverFont font;
        font.SetName(QStringLiteral("Times New Roman"));
        font.SetSize(20);
        font.SetItalic(true);
        font.SetColor(Qt::red);
        const QFont before = font.Font();
        bool visibleUntilTheEnd = false;
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<TFontColorDialog *>(QApplication::activeModalWidget());
            QVERIFY(d);
            if (key == 0) {
                d->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            } else {
                QWidget *list = d->FontChooser->focusWidget();
                QTest::keyClick(list ? list : d->FontChooser, Qt::Key(key));

            }
            visibleUntilTheEnd = d->FontChooser->isVisibleTo(d);
            QTimer::singleShot(0, d, &QDialog::reject); // never left open
        });
        TQtFontChooser chooser;
        QCOMPARE(chooser.Choose(nullptr, font), confirmed);
        QVERIFY(visibleUntilTheEnd);
        QCOMPARE(font.Font(), before);
        QCOMPARE(font.Color(), QColor(Qt::red));
    }

    // The chooser opens on the face's own style, whatever language Qt's
    // texts are in: a regular font is not shown italic.
    void fontDialogOpensOnTheFontsOwnStyle()
    {
        for (const char *language : {"ja", "ru", "de", "el", "pt_PT", ""}) {
            TQtTranslations qt;
            qt.Apply(QString::fromLatin1(language), ProgramBinDir());
            for (const bool italic : {false, true}) {
                QFont font(QStringLiteral("Liberation Serif"), 12);
                font.setItalic(italic);
                TFontColorDialog d;
                d.SetChoice(font, Qt::black);
                const QFont shown = d.FontChooser->currentFont();
                QVERIFY2(shown.italic() == italic && !shown.bold(),
                         qPrintable(QStringLiteral("%1: %2").arg(language, shown.toString())));
                QCOMPARE(d.ChosenFont(), font);
            }
        }
        TQtTranslations().Apply(QString(), QString());
    }

    void textEditShowsALongTextFromItsStart()
    {
        TProgram p;
        p.Cover().SetText(1, QString(200, 'x') + QStringLiteral("end"));
        ClickArea(*p.form, 1);
        QCOMPARE(Ui(*p.form).ImageTextEdit()->cursorPosition(), 0);
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
