// SPDX-License-Identifier: GPL-3.0-or-later
#include "CMMainWindow.h"
#include "CoverView.h"
#include "DialogSupport.h"
#include "FontSubstitutes.h"
#include "PaintBox.h"
#include "ProgramOptions.h"
#include "RadioGroup.h"
#include "RecordingMessageBoxes.h"
#include "TestFiles.h"
#include "VelmoraError.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

const QByteArray TwoSizes = "[Case A]\r\nSingleWidth=5\r\nSingleHeight=5\r\nLeftWidth=1\r\n"
                            "CenterWidth=3\r\nRightWidth=1\r\nMultipleHeight=5\r\n"
                            "[Case B]\r\nSingleWidth=7\r\nSingleHeight=7\r\nLeftWidth=1\r\n"
                            "CenterWidth=5\r\nRightWidth=1\r\nMultipleHeight=7\r\n";

// A program folder with the data files the test asks for.
struct ProgramFolder
{
    QTemporaryDir dir;
    explicit ProgramFolder(const QByteArray *catalogue, bool gifLibrary = true)
    {
        if (catalogue)
            WriteBytes(dir.filePath("CoverSizes.ini"), *catalogue);
        if (gifLibrary)
            QFile::copy(ProgramBinDir() + "/GIFView.dll", dir.filePath("GIFView.dll"));
        QFile::copy(ProgramBinDir() + "/VMLang.txt", dir.filePath("VMLang.txt"));
    }
};

struct Started
{
    TRecordingMessageBoxes messages;
    TFixedDeviceMetrics metrics{38, 236};
    QTemporaryDir optionsDir; // never the user's own options
    TSettingsOptionsStore options{optionsDir.filePath("options.ini")};
    std::unique_ptr<TCoverMakerMainForm> form;
    explicit Started(const QString &programDir)
    {
        TMainFormSetup setup;
        setup.ProgramDir = programDir;
        setup.Messages = &messages;
        setup.Metrics = &metrics;
        setup.Options = &options;
        setup.RecoveryDir = optionsDir.filePath("recovery");
        form = std::make_unique<TCoverMakerMainForm>(setup);
    }
};

QImage Picture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    return img;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { RegisterFontSubstitutes(); }

    void firstStartOpensTheFirstCatalogueEntry()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        QVERIFY(s.messages.Boxes.isEmpty());
        QVERIFY(!s.form->TerminateRequested());
        QCOMPARE(s.form->Document()->Size().Name.Text(), QStringLiteral("Case A"));
        QCOMPARE(s.form->Document()->Size().SingleWidth, 5.0);
        QCOMPARE(s.form->MeasureUnit, uint8_t(0));
        QCOMPARE(s.form->windowTitle(), QStringLiteral("Velmora"));
        QCOMPARE(s.form->width(), 791);
        QCOMPARE(s.form->height(), 541);
        QCOMPARE(s.form->Document()->Mode(), CoverMode::Single);
        QVERIFY(s.form->SingleButton->isChecked());
        QVERIFY(!s.form->MultiButton->isChecked());
        QCOMPARE(s.form->CoverView->Document, s.form->Document());
        QVERIFY(s.form->CoverView->AllowDrag);
        QCOMPARE(s.form->CoverView->SelectedArea, -1);
    }

    void emptyCatalogueGivesTheNonameCover()
    {
        const QByteArray empty;
        ProgramFolder folder(&empty);
        Started s(folder.dir.path());
        TCoverDocument *d = s.form->Document();
        QCOMPARE(d->Size().Name.Text(), QStringLiteral("<noname>"));
        QCOMPARE(d->Size().SingleWidth, 10.0);
        QCOMPARE(d->Size().LeftWidth, 1.0);
        QCOMPARE(d->Size().CenterWidth, 8.0);
        QCOMPARE(d->Size().MultipleHeight, 10.0);
        QCOMPARE(d->GetText(2), QStringLiteral("Click Cover\\New to add any sizes"));
        QCOMPARE(d->GetFont(2).Size(), 38);
        QCOMPARE(d->GetFont(2).Color(), QColor(255, 0, 0));
        QCOMPARE(d->GetBackColor(2), TColorRef(0));
        QCOMPARE(d->GetText(1), QString());
        // The hint shows once the cover is in Multiple mode.
        s.form->MultiButton->click();
        QCOMPARE(d->Mode(), CoverMode::Multiple);
        QVERIFY(s.form->CoverView->AreaRect[2].Right > s.form->CoverView->AreaRect[2].Left);
    }

    void missingFilesAreReportedAndEndTheProgram()
    {
        {
            ProgramFolder folder(nullptr, true);
            Started s(folder.dir.path());
            QCOMPARE(s.messages.Boxes.size(), 1);
            QCOMPARE(s.messages.Boxes[0].caption, QStringLiteral("Error"));
            QCOMPARE(s.messages.Boxes[0].text,
                     QStringLiteral("File \"CoverSizes.ini\" not found."));
            QVERIFY(s.form->TerminateRequested());
            // Start-up still ran to its end.
            QCOMPARE(s.form->Document()->Size().Name.Text(), QStringLiteral("<noname>"));
        }
        {
            ProgramFolder folder(&TwoSizes, false);
            Started s(folder.dir.path());
            QCOMPARE(s.messages.Texts(), QStringList({"File \"GIFView.dll\" not found."}));
            QVERIFY(s.form->TerminateRequested());
        }
        {
            ProgramFolder folder(nullptr, false);
            Started s(folder.dir.path());
            QCOMPARE(s.messages.Texts(), QStringList({"File \"CoverSizes.ini\" not found.",
                                                      "File \"GIFView.dll\" not found."}));
            QVERIFY(s.form->TerminateRequested());
        }
    }

    void damagedFirstEntryIsReportedAndTheDefaultCoverUsed()
    {
        const QByteArray bad = "[Bad]\r\nSingleWidth=1,5\r\n";
        ProgramFolder folder(&bad);
        Started s(folder.dir.path());
        QCOMPARE(s.messages.Texts(), QStringList({"'1,5' is not a valid floating point value"}));
        QVERIFY(!s.form->TerminateRequested());
        QCOMPARE(s.form->Document()->Size().Name.Text(), QStringLiteral("<noname>"));
    }

    void nothingSelectedDisablesTheAreaControls()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        TCoverMakerMainForm &f = *s.form;
        for (QWidget *w :
             {static_cast<QWidget *>(f.ChangeButton), static_cast<QWidget *>(f.ClearButton),
              static_cast<QWidget *>(f.ImageView), static_cast<QWidget *>(f.CenterButton),
              static_cast<QWidget *>(f.BGColorButton), static_cast<QWidget *>(f.TextLabel),
              static_cast<QWidget *>(f.ImageTextEdit), static_cast<QWidget *>(f.AlignRadio),
              static_cast<QWidget *>(f.TextOrientRadio), static_cast<QWidget *>(f.TextPosRadio),
              static_cast<QWidget *>(f.FontButton)})
            QVERIFY2(!w->isEnabled(), qPrintable(w->metaObject()->className()));
        QVERIFY(f.ZoomInButton->isHidden());
        QVERIFY(f.ZoomOutButton->isHidden());
        QCOMPARE(f.ImageTextEdit->text(), QString());
        QCOMPARE(f.AlignRadio->ItemIndex(), -1);
        QCOMPARE(f.TextOrientRadio->ItemIndex(), -1);
        QCOMPARE(f.TextPosRadio->ItemIndex(), -1);
        QVERIFY(f.SingleButton->isEnabled() && f.MultiButton->isEnabled());
        QVERIFY(f.NewButton->isEnabled() && f.PrintButton->isEnabled());
    }

    void selectingAnAreaFillsThePanels()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        TCoverMakerMainForm &f = *s.form;
        TCoverDocument *d = f.Document();
        d->SetText(1, "Title");
        d->SetAlignment(1, taRight);
        d->SetTextPosition(1, tpBottom);
        d->SetAutosize(1, true);
        f.CoverView->SelectArea(1);
        QVERIFY(f.ChangeButton->isEnabled());
        QVERIFY(!f.ClearButton->isEnabled());  // no picture yet
        QVERIFY(!f.CenterButton->isEnabled()); // not user defined
        QCOMPARE(f.ImageView->ItemIndex(), 1);
        QVERIFY(f.ZoomInButton->isHidden());
        QCOMPARE(f.ImageTextEdit->text(), QStringLiteral("Title"));
        QCOMPARE(f.AlignRadio->ItemIndex(), 2); // Right is the third choice
        QCOMPARE(f.TextPosRadio->ItemIndex(), 2);
        QCOMPARE(f.TextOrientRadio->ItemIndex(), 0);
        // Refreshing wrote the same values back, changing nothing.
        QCOMPARE(d->GetAlignment(1), uint8_t(taRight));
        QCOMPARE(d->GetText(1), QStringLiteral("Title"));

        const QImage pic = Picture(40, 20);
        f.CoverView->SetAreaPicture(1, &pic);
        f.ImageView->SetItemIndex(2);
        QVERIFY(f.ClearButton->isEnabled());
        QVERIFY(f.CenterButton->isEnabled());
        QVERIFY(!f.ZoomInButton->isHidden());
        QVERIFY(!f.ZoomOutButton->isHidden());
        QVERIFY(!d->GetStretch(1) && !d->GetAutosize(1));
    }

    void panelControlsChangeTheSelectedArea()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        TCoverMakerMainForm &f = *s.form;
        TCoverDocument *d = f.Document();
        f.CoverView->SelectArea(1);
        QTest::keyClicks(f.ImageTextEdit, "Hi");
        QCOMPARE(d->GetText(1), QStringLiteral("Hi"));
        f.ImageTextEdit->clear();
        QCOMPARE(d->GetText(1), QString());
        f.AlignRadio->SetItemIndex(1);
        QCOMPARE(d->GetAlignment(1), uint8_t(taCenter));
        f.AlignRadio->SetItemIndex(2);
        QCOMPARE(d->GetAlignment(1), uint8_t(taRight));
        f.AlignRadio->SetItemIndex(0);
        QCOMPARE(d->GetAlignment(1), uint8_t(taLeft));
        f.TextOrientRadio->SetItemIndex(1);
        QCOMPARE(d->GetOrientation(1), uint8_t(toVert));
        f.TextPosRadio->SetItemIndex(0);
        QCOMPARE(d->GetTextPosition(1), uint8_t(tpTop));
        f.ImageView->SetItemIndex(1);
        QVERIFY(d->GetAutosize(1));
        f.ImageView->SetItemIndex(0);
        QVERIFY(d->GetStretch(1));
    }

    void selectingAUserDefinedAreaRunsTheUserDefinedCommand()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        TCoverMakerMainForm &f = *s.form;
        TCoverDocument *d = f.Document();
        const QImage pic = Picture(40, 20);
        d->SetPicture(1, &pic);
        d->SetStretch(1, false); // user defined, picture far outside the area
        d->SetOffset(1, TPoint{-100000, -100000});
        QCOMPARE(f.ImageView->ItemIndex(), -1);
        f.CoverView->SelectArea(1);
        QCOMPARE(f.ImageView->ItemIndex(), 2);
        QVERIFY(d->GetOffset(1) != (TPoint{-100000, -100000})); // re-centred
        QVERIFY(!f.CoverView->IsPictureLost(1));
    }

    void toolPanelTakesOneRowWhenWideEnough()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        TCoverMakerMainForm &f = *s.form;
        f.show();
        // r + w + 2 = 321 + 529 + 2 = 852
        f.ToolPanel->setFixedWidth(852);
        f.ToolPanelResize();
        QCOMPARE(f.ToolPanel->height(), 85);
        QCOMPARE(f.TextPropPanel->pos(), QPoint(0, 40));
        f.ToolPanel->setFixedWidth(853);
        QCoreApplication::processEvents();
        QCOMPARE(f.ToolPanel->maximumHeight(), 44);
        QCOMPARE(f.TextPropPanel->pos(), QPoint(323, 0));
        f.ToolPanel->setFixedWidth(852);
        QCoreApplication::processEvents();
        QCOMPARE(f.ToolPanel->maximumHeight(), 85);
        QCOMPARE(f.TextPropPanel->pos(), QPoint(0, 40));
    }

    void viewFillsWhatThePanelsLeave()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        TCoverMakerMainForm &f = *s.form;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        // The view fills its sunken edge, and the edge what the panels leave.
        const QWidget *edge = f.CoverView->parentWidget();
        QCOMPARE(f.CoverView->geometry(), edge->contentsRect());
        const QRect outer = edge->geometry();
        QCOMPARE(f.PropertiesPanel->width(), 185);
        QCOMPARE(outer.right() + 1, f.PropertiesPanel->x());
        QCOMPARE(outer.top(), f.ToolPanel->height());
        QCOMPARE(outer.left(), 0);
        QCOMPARE(outer.bottom() + 1, f.centralWidget()->height());
        const QRect view = f.CoverView->geometry();
        // The cover was laid out for the view's real size.
        const TRect r = f.CoverView->AreaRect[1];
        QCOMPARE(r.Right - r.Left, r.Bottom - r.Top); // a square cover
        QVERIFY(r.Left >= 10 && r.Right <= view.width() - 10);
    }

    void commandErrorsAreShownAndTheProgramGoesOn()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        s.form->Run([] { throw EVelmoraError::IntegerOverflow(); });
        s.form->Run([] { throw EVelmoraError::UnableToWrite("/tmp/x.ini"); });
        QCOMPARE(s.messages.Texts(),
                 QStringList({"Integer overflow", "Unable to write to /tmp/x.ini"}));
        QCOMPARE(s.messages.Boxes[0].caption, QStringLiteral("Error"));
        s.form->MultiButton->click();
        QCOMPARE(s.form->Document()->Mode(), CoverMode::Multiple);
    }

    void designFacesResolveToMetricCompatibleOnes()
    {
        QCOMPARE(QFontInfo(DesignFont()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(QFont("Times New Roman")).family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(QFontInfo(DesignFont()).pixelSize(), 11);
    }

    void centerOnScreenHalvesTowardZero()
    {
        QWidget dialog;
        dialog.resize(301, 201);
        CenterOnScreen(&dialog);
        const QSize screen = dialog.screen()->size();
        QCOMPARE(dialog.x(), screen.width() / 2 - 150);
        QCOMPARE(dialog.y(), screen.height() / 2 - 100);
    }

    void previewShowsTheSelectedPictureFitted()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        TCoverMakerMainForm &f = *s.form;
        QImage pic(300, 100, QImage::Format_RGB32);
        pic.fill(Qt::red);
        f.CoverView->SelectArea(1);
        f.CoverView->SetAreaPicture(1, &pic);
        const QImage shot = f.PaintBox1->grab().toImage();
        QCOMPARE(shot.size(), QSize(153, 145));
        // s = 0.51: drawn into left 0, top 47, right 153, bottom 98
        QCOMPARE(QColor(shot.pixel(0, 47)), QColor(Qt::red));
        QCOMPARE(QColor(shot.pixel(152, 97)), QColor(Qt::red));
        QVERIFY(QColor(shot.pixel(76, 46)) != QColor(Qt::red));
        QVERIFY(QColor(shot.pixel(76, 98)) != QColor(Qt::red));
        QVERIFY(!f.ClearButton->isEnabled()); // panels refresh on selection only
        f.ClearButtonClick();
        QVERIFY(f.Document()->GetPicture(1).isNull());
        QVERIFY(QColor(f.PaintBox1->grab().toImage().pixel(76, 70)) != QColor(Qt::red));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
