// SPDX-License-Identifier: GPL-3.0-or-later
// The whole road through the real main window, offscreen: a new DVD wrap,
// three pictures of three kinds, one dragged and zoomed, texts with a font,
// a colour and an orientation, the language switched, printing to a PDF that
// is measured, and a restart that brings every option back.
#include "CoverView.h"
#include "FontSubstitutes.h"
#include "GifSupport.h"
#include "LanguageController.h"
#include "MetafileGraphic.h"
#include "NewDocument.h"
#include "PdfPages.h"
#include "ProgramFixture.h"
#include "WindowControls.h"
#include "RadioGroup.h"
#include "SampleFiles.h"
#include "SizeListModel.h"

#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QPageSize>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

class TestRoad : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        RegisterFontSubstitutes();
        RegisterPictureKinds();
        RegisterGifSupport();
    }

    void designPrintAndComeBack()
    {
        TProgram p(ReadBytes(SourceDir() + "/data/CoverSizes.ini"));
        TMetafileGraphic::SetScreenDpi(96); // pictures' sizes as on a 96 dpi screen
        TCoverMakerMainForm *f = p.form.get();
        TCoverView &view = *Ui(*f).CoverView();
        const auto click = [&](CoverArea a) {
            const TRect &r = view.AreaRect()[a];
            QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier,
                              QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        };

        p.dialogs.Scripts << [&](QDialog &) {
            TNewDocumentForm *d = Ui(*f).NewDocumentForm();
            d->SelectRow(d->Rows->RowNamed(QStringLiteral("DVD keep case wrap"), Qt::CaseSensitive));
            Ui(*f).NewDocumentForm()->RadioGroup1->SetItemIndex(1);
            Ui(*f).NewDocumentForm()->OkButton->click();
        };
        Ui(*f).New1()->trigger();
        QCOMPARE(p.Doc().Size().Name.Text(), QStringLiteral("DVD keep case wrap"));
        QCOMPARE(p.Doc().Mode(), CoverMode::Multiple);

        // A picture of each kind, each area chosen by a click.
        const std::pair<QString, QByteArray> pictures[] = {
            {QStringLiteral("back.jpg"), WriteJpeg(SolidPicture(200, 300, Qt::red))},
            {QStringLiteral("spine.gif"), WriteSampleGif(20, 300)},
            {QStringLiteral("front.emf"), WriteEmf(5292, 2646, Qt::blue)}};
        for (CoverArea a = 1; a <= 3; ++a) {
            click(a);
            p.chooser.Answer = p.Save(pictures[a - 1].first, pictures[a - 1].second);
            Ui(*f).ChangeButton()->click();
            QVERIFY2(!p.Doc().GetPicture(a).isNull(), qPrintable(pictures[a - 1].first));
        }
        QVERIFY(p.messages.Boxes.isEmpty());

        // The front's picture placed by hand: half as wide, dragged, on magenta.
        Ui(*f).UserDefined1()->trigger();
        for (int i = 0; i < 5; ++i)
            Ui(*f).ZoomOutButton()->click();
        QVERIFY(qAbs(p.Doc().GetZoom(3) - 0.5) < 1e-9);
        p.colors.Answer = QColor(Qt::magenta);
        Ui(*f).BGColorButton()->click();
        const QPoint grab(view.AreaRect()[3].Left + 10, view.AreaRect()[3].Top + 10);
        QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, grab);
        QMouseEvent move(QEvent::MouseMove, grab + QPoint(15, 5), view.mapToGlobal(grab),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
        QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, grab + QPoint(15, 5));
        QVERIFY(p.Doc().GetOffset(3).X > 0);

        // A white bold title on the back; the spine's text turned.
        click(1);
        QTest::keyClicks(Ui(*f).ImageTextEdit(), QStringLiteral("Summer"));
        Ui(*f).TextPosRadio()->SetItemIndex(0); // at the top, clear of the measured row
        p.fonts.Edit = [](TCoverFont &font) {
            font.SetSize(28);
            font.SetColor(Qt::white);
            font.SetBold(true);
        };
        Ui(*f).FontButton()->click();
        click(2);
        QTest::keyClicks(Ui(*f).ImageTextEdit(), QStringLiteral("SPINE"));
        Ui(*f).TextOrientRadio()->SetItemIndex(1);
        QCOMPARE(p.Doc().GetText(1), QStringLiteral("Summer"));
        QCOMPARE(p.Doc().GetFont(1).Color(), QColor(Qt::white));
        QCOMPARE(p.Doc().GetOrientation(2), uint8_t(toVert));

        // Options that a restart must bring back.
        Ui(*f).LanguageItems()->actions().at(1)->trigger();
        QCOMPARE(Ui(*f).ChangeButton()->text(), QStringLiteral("Ändern..."));
        Ui(*f).Centimetres1()->trigger();
        Ui(*f).ShowActualScale1()->trigger();
        f->SetOuterBounds(QRect(40, 30, 700, 500));

        // Print... into a 1200 dpi PDF on A4, measured near the bottom, clear
        // of the texts and the placed picture: back and front each
        // 129.525 mm, the spine between them 14 mm, all 184.15 mm high.
        const QString pdf = p.dir.filePath(QStringLiteral("wrap.pdf"));
        const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Inch);
        const double margin = 0.2;
        p.printers.SetUp = [&](QPrinter &printer) {
            SetUpPdfPrinter(printer, pdf, 1200, a4, margin);
        };
        Ui(*f).Print1()->trigger();
        QVERIFY(p.messages.Boxes.isEmpty());
        const int dpi = 600;
        const auto px = [&](double inches) { return int(inches * dpi + 0.5); };
        const auto mm = [&](int pixels) { return PixelsToMm(pixels, dpi); };
        const QImage row = RenderPdf(pdf, dpi, QRect(0, px(margin + 7.0), px(a4.height()), 1));
        const TSpan back = RowSpan(row, 0, Qt::red, 60), front = RowSpan(row, 0, Qt::magenta, 60);
        QVERIFY2(qAbs(mm(back.Length()) - 129.525) <= 0.1,
                 qPrintable(QString::number(mm(back.Length()))));
        QVERIFY2(qAbs(mm(front.Length()) - 129.525) <= 0.1, qPrintable(QString("%1 %2 %3 %4")
                                                                       .arg(front.First)
                                                                       .arg(front.Last)
                                                                       .arg(back.First)
                                                                       .arg(back.Last)));
        QVERIFY(qAbs(mm(front.First - back.Last - 1) - 14) <= 0.1);
        const QImage column = RenderPdf(pdf, dpi, QRect(px(margin + 0.1), 0, 1, px(a4.width())));
        QVERIFY(qAbs(mm(ColumnSpan(column, 0, Qt::red, 60).Length()) - 184.15) <= 0.1);

        p.Restart();
        f = p.form.get();
        QVERIFY(p.messages.Boxes.isEmpty());
        QCOMPARE(p.Doc().Size().Name.Text(), QStringLiteral("DVD keep case wrap"));
        QVERIFY(Ui(*f).MultiButton()->isChecked());
        QCOMPARE(f->Languages().CurrentLanguage, QStringLiteral("Deutsch"));
        QCOMPARE(Ui(*f).FontButton()->text(), QStringLiteral("Schrift..."));
        QCOMPARE(f->Unit(), uint8_t(1));
        QVERIFY(Ui(*f).CoverView()->ShowScale());
        QCOMPARE(f->OuterBounds(), QRect(40, 30, 700, 500));
    }
};

QTEST_MAIN(TestRoad)
#include "tst_road.moc"
