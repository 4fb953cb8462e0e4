// SPDX-License-Identifier: GPL-3.0-or-later
// The whole road through the real main window, offscreen: a new DVD wrap,
// three pictures of three kinds, one dragged and zoomed, texts with a font,
// a colour and an orientation, the language switched and back, printing to a
// PDF that is measured, and a restart that restores the options.
#include "CoverView.h"
#include "FontSubstitutes.h"
#include "GifSupport.h"
#include "GifWriter.h"
#include "LanguageController.h"
#include "MetafileGraphic.h"
#include "NewDocument.h"
#include "PdfPages.h"
#include "ProgramFixture.h"
#include "RadioGroup.h"
#include "SampleFiles.h"
#include "ViewFixture.h"

#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QPageSize>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

constexpr int MeasureDpi = 600;
constexpr double Margin = 0.2; // inches

QByteArray SolidGif(int w, int h)
{
    TGifFrame frame;
    frame.Width = w;
    frame.Height = h;
    frame.Indices.assign(size_t(w) * size_t(h), 0);
    return WriteGif(w, h, {qRgb(0, 255, 0), qRgb(0, 0, 0)}, {frame});
}

QPoint CentreOf(const TRect &r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

int Px(double inches)
{
    return int(inches * MeasureDpi + 0.5);
}

} // namespace

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
        TCoverView &view = *f->CoverView;

        // New... : the DVD keep case wrap, three areas.
        p.dialogs.Scripts << [&](QDialog &) {
            QTreeWidget *list = f->NewDocumentForm->ListView1;
            const auto rows =
                list->findItems(QStringLiteral("DVD keep case wrap"), Qt::MatchExactly);
            QCOMPARE(rows.size(), 1);
            list->setCurrentItem(rows.first());
            f->NewDocumentForm->RadioGroup1->SetItemIndex(1);
            f->NewDocumentForm->OkButton->click();
        };
        f->New1->trigger();
        QCOMPARE(p.Doc().Mode(), CoverMode::Multiple);
        QCOMPARE(p.Doc().Size().Name.Text(), QStringLiteral("DVD keep case wrap"));

        // A picture of each kind, chosen by clicking each area.
        const struct
        {
            CoverArea area;
            QString name;
            QByteArray bytes;
        } pictures[] = {
            {1, QStringLiteral("back.jpg"), WriteJpeg(SolidPicture(200, 300, Qt::red))},
            {2, QStringLiteral("spine.gif"), SolidGif(20, 300)},
            {3, QStringLiteral("front.emf"), WriteEmf(5292, 2646, Qt::blue)},
        };
        for (const auto &pic : pictures) {
            QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier,
                              CentreOf(view.AreaRect[pic.area]));
            QCOMPARE(view.SelectedArea, pic.area);
            p.chooser.Answer = p.Save(pic.name, pic.bytes);
            f->ChangeButton->click();
            QVERIFY2(!p.Doc().GetPicture(pic.area).isNull(), qPrintable(pic.name));
        }
        QVERIFY(p.messages.Boxes.isEmpty());

        // The front's picture placed by hand: half as wide, dragged, on yellow.
        f->UserDefined1->trigger();
        for (int i = 0; i < 5; ++i)
            f->ZoomOutButton->click();
        QVERIFY(qAbs(p.Doc().GetZoom(3) - 0.5) < 1e-9);
        p.colors.Answer = QColor(Qt::yellow);
        f->BGColorButton->click();
        const QPoint grab(view.AreaRect[3].Left + 10, view.AreaRect[3].Top + 10);
        QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, grab);
        QMouseEvent move(QEvent::MouseMove, grab + QPoint(15, 5), view.mapToGlobal(grab),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
        QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, grab + QPoint(15, 5));
        QVERIFY(p.Doc().GetOffset(3).X > 0);

        // Texts: a title on the back with a font and colour, the spine's turned.
        QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, CentreOf(view.AreaRect[1]));
        QTest::keyClicks(f->ImageTextEdit, QStringLiteral("Summer"));
        f->TextPosRadio->SetItemIndex(0);
        p.fonts.Edit = [](TCoverFont &font) {
            font.SetSize(28);
            font.SetColor(Qt::white);
            font.SetBold(true);
        };
        f->FontButton->click();
        QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, CentreOf(view.AreaRect[2]));
        QTest::keyClicks(f->ImageTextEdit, QStringLiteral("SPINE"));
        f->TextOrientRadio->SetItemIndex(1);
        QCOMPARE(p.Doc().GetText(1), QStringLiteral("Summer"));
        QCOMPARE(p.Doc().GetFont(1).Color(), QColor(Qt::white));
        QCOMPARE(p.Doc().GetOrientation(2), uint8_t(toVert));

        // The language switched and back.
        f->LanguageItems->actions().at(1)->trigger();
        QCOMPARE(f->ChangeButton->text(), QStringLiteral("Ändern..."));
        f->LanguageItems->actions().at(0)->trigger();
        QCOMPARE(f->ChangeButton->text(), QStringLiteral("Change..."));
        f->Centimetres1->trigger();

        // Print... into a 1200 dpi PDF on A4.
        const QString pdf = p.dir.filePath(QStringLiteral("wrap.pdf"));
        const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Inch);
        p.printers.SetUp = [&](QPrinter &printer) {
            SetUpPdfPrinter(printer, pdf, 1200, a4, Margin);
        };
        f->Print1->trigger();
        QVERIFY(p.messages.Boxes.isEmpty());

        // Near the bottom, clear of the texts and the placed picture.
        const double height = p.Doc().Size().MultipleHeight;
        const int y = Px(Margin + height * 0.95);
        const QImage row = RenderPdf(pdf, MeasureDpi, QRect(0, y, Px(a4.height()), 1));
        QVERIFY(!row.isNull());
        const TSpan back = RowSpan(row, 0, Qt::red, 60);
        const TSpan spine = RowSpan(row, 0, Qt::green, 60);
        const TSpan front = RowSpan(row, 0, Qt::yellow, 60);
        const struct
        {
            TSpan span;
            double mm;
        } panels[] = {{back, 130.0}, {spine, 14.0}, {front, 130.0}};
        for (const auto &panel : panels)
            QVERIFY2(qAbs(PixelsToMm(panel.span.Length(), MeasureDpi) - panel.mm) <= 0.1,
                     qPrintable(QString::number(PixelsToMm(panel.span.Length(), MeasureDpi))));
        QCOMPARE(spine.First, back.Last + 1);
        QCOMPARE(front.First, spine.Last + 1);
        const QImage column =
            RenderPdf(pdf, MeasureDpi, QRect(Px(Margin + 0.1), 0, 1, Px(a4.width())));
        QVERIFY(qAbs(PixelsToMm(ColumnSpan(column, 0, Qt::red, 60).Length(), MeasureDpi) - 184.0) <=
                0.1);

        // A restart comes back as it was left.
        p.Restart();
        f = p.form.get();
        QCOMPARE(p.Doc().Size().Name.Text(), QStringLiteral("DVD keep case wrap"));
        QCOMPARE(p.Doc().Mode(), CoverMode::Multiple);
        QCOMPARE(f->MeasureUnit, uint8_t(1));
        QCOMPARE(f->Languages().CurrentLanguage, QStringLiteral("English"));
    }
};

QTEST_MAIN(TestRoad)
#include "tst_road.moc"
