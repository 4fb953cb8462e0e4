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
#include "WindowControls.h"
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
        QCOMPARE(s.form->Cover().Document().Size().Name.Text(), QStringLiteral("Case A"));
        QCOMPARE(s.form->Cover().Document().Size().SingleWidth, 5.0);
        QCOMPARE(s.form->Unit(), uint8_t(0));
        QCOMPARE(s.form->windowTitle(), QStringLiteral("Untitled[*] - Velmora"));
        QCOMPARE(s.form->width(), 791);
        QCOMPARE(s.form->height(), 541);
        QCOMPARE(s.form->Cover().Document().Mode(), CoverMode::Single);
        QVERIFY(Ui(*s.form).SingleButton()->isChecked());
        QVERIFY(!Ui(*s.form).MultiButton()->isChecked());
        QCOMPARE(Ui(*s.form).CoverView()->Document(), &s.form->Cover().Document());
        QVERIFY(Ui(*s.form).CoverView()->AllowDrag());
        QCOMPARE(Ui(*s.form).CoverView()->SelectedArea(), -1);
    }

    void emptyCatalogueGivesTheNonameCover()
    {
        const QByteArray empty;
        ProgramFolder folder(&empty);
        Started s(folder.dir.path());
        TCoverDocument *d = &s.form->Cover().Document();
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
        Ui(*s.form).MultiButton()->click();
        QCOMPARE(d->Mode(), CoverMode::Multiple);
        QVERIFY(Ui(*s.form).CoverView()->AreaRect()[2].Right > Ui(*s.form).CoverView()->AreaRect()[2].Left);
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
            QCOMPARE(s.form->Cover().Document().Size().Name.Text(), QStringLiteral("<noname>"));
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
        QCOMPARE(s.form->Cover().Document().Size().Name.Text(), QStringLiteral("<noname>"));
    }

    void nothingSelectedDisablesTheAreaControls()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        TCoverMakerMainForm &f = *s.form;
        for (QWidget *w :
             {static_cast<QWidget *>(Ui(f).ChangeButton()), static_cast<QWidget *>(Ui(f).ClearButton()),
              static_cast<QWidget *>(Ui(f).ImageView()), static_cast<QWidget *>(Ui(f).CenterButton()),
              static_cast<QWidget *>(Ui(f).BGColorButton()), static_cast<QWidget *>(Ui(f).TextLabel()),
              static_cast<QWidget *>(Ui(f).ImageTextEdit()), static_cast<QWidget *>(Ui(f).AlignRadio()),
              static_cast<QWidget *>(Ui(f).TextOrientRadio()), static_cast<QWidget *>(Ui(f).TextPosRadio()),
              static_cast<QWidget *>(Ui(f).FontButton())})
            QVERIFY2(!w->isEnabled(), qPrintable(w->metaObject()->className()));
        QVERIFY(Ui(f).ZoomInButton()->isHidden());
        QVERIFY(Ui(f).ZoomOutButton()->isHidden());
        QCOMPARE(Ui(f).ImageTextEdit()->text(), QString());
        QCOMPARE(Ui(f).AlignRadio()->ItemIndex(), -1);
        QCOMPARE(Ui(f).TextOrientRadio()->ItemIndex(), -1);
        QCOMPARE(Ui(f).TextPosRadio()->ItemIndex(), -1);
        QVERIFY(Ui(f).SingleButton()->isEnabled() && Ui(f).MultiButton()->isEnabled());
        QVERIFY(Ui(f).NewButton()->isEnabled() && Ui(f).PrintButton()->isEnabled());
    }

    void selectingAnAreaFillsThePanels()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        TCoverMakerMainForm &f = *s.form;
        TCoverDocument *d = &f.Cover().Document();
        d->SetText(1, "Title");
        d->SetAlignment(1, taRight);
        d->SetTextPosition(1, tpBottom);
        d->SetAutosize(1, true);
        ClickArea(f, 1);
        QVERIFY(Ui(f).ChangeButton()->isEnabled());
        QVERIFY(!Ui(f).ClearButton()->isEnabled());  // no picture yet
        QVERIFY(!Ui(f).CenterButton()->isEnabled()); // not user defined
        QCOMPARE(Ui(f).ImageView()->ItemIndex(), 1);
        QVERIFY(Ui(f).ZoomInButton()->isHidden());
        QCOMPARE(Ui(f).ImageTextEdit()->text(), QStringLiteral("Title"));
        QCOMPARE(Ui(f).AlignRadio()->ItemIndex(), 2); // Right is the third choice
        QCOMPARE(Ui(f).TextPosRadio()->ItemIndex(), 2);
        QCOMPARE(Ui(f).TextOrientRadio()->ItemIndex(), 0);
        // Refreshing wrote the same values back, changing nothing.
        QCOMPARE(d->GetAlignment(1), uint8_t(taRight));
        QCOMPARE(d->GetText(1), QStringLiteral("Title"));

        const QImage pic = Picture(40, 20);
        f.Cover().PlaceImage(1, pic);
        Ui(f).ImageView()->SetItemIndex(2);
        QVERIFY(Ui(f).ClearButton()->isEnabled());
        QVERIFY(Ui(f).CenterButton()->isEnabled());
        QVERIFY(!Ui(f).ZoomInButton()->isHidden());
        QVERIFY(!Ui(f).ZoomOutButton()->isHidden());
        QVERIFY(!d->GetStretch(1) && !d->GetAutosize(1));
    }

    void panelControlsChangeTheSelectedArea()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        TCoverMakerMainForm &f = *s.form;
        TCoverDocument *d = &f.Cover().Document();
        ClickArea(f, 1);
        QTest::keyClicks(Ui(f).ImageTextEdit(), "Hi");
        QCOMPARE(d->GetText(1), QStringLiteral("Hi"));
        Ui(f).ImageTextEdit()->clear();
        QCOMPARE(d->GetText(1), QString());
        Ui(f).AlignRadio()->SetItemIndex(1);
        QCOMPARE(d->GetAlignment(1), uint8_t(taCenter));
        Ui(f).AlignRadio()->SetItemIndex(2);
        QCOMPARE(d->GetAlignment(1), uint8_t(taRight));
        Ui(f).AlignRadio()->SetItemIndex(0);
        QCOMPARE(d->GetAlignment(1), uint8_t(taLeft));
        Ui(f).TextOrientRadio()->SetItemIndex(1);
        QCOMPARE(d->GetOrientation(1), uint8_t(toVert));
        Ui(f).TextPosRadio()->SetItemIndex(0);
        QCOMPARE(d->GetTextPosition(1), uint8_t(tpTop));
        Ui(f).ImageView()->SetItemIndex(1);
        QVERIFY(d->GetAutosize(1));
        Ui(f).ImageView()->SetItemIndex(0);
        QVERIFY(d->GetStretch(1));
    }

    void selectingAUserDefinedAreaRunsTheUserDefinedCommand()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        TCoverMakerMainForm &f = *s.form;
        TCoverDocument *d = &f.Cover().Document();
        const QImage pic = Picture(40, 20);
        d->SetPicture(1, &pic);
        d->SetStretch(1, false); // user defined, picture far outside the area
        d->SetOffset(1, TPoint{-100000, -100000});
        QCOMPARE(Ui(f).ImageView()->ItemIndex(), -1);
        ClickArea(f, 1);
        QCOMPARE(Ui(f).ImageView()->ItemIndex(), 2);
        QVERIFY(d->GetOffset(1) != (TPoint{-100000, -100000})); // re-centred
        QVERIFY(!Ui(f).CoverView()->IsPictureLost(1));
    }

    void toolPanelTakesOneRowWhenWideEnough()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        TCoverMakerMainForm &f = *s.form;
        f.show();
        // r + w + 2 = 321 + 529 + 2 = 852
        Ui(f).ToolPanel()->setFixedWidth(852);
        QCoreApplication::processEvents(); // the panel hears of its new width
        QCOMPARE(Ui(f).ToolPanel()->height(), 85);
        QCOMPARE(Ui(f).TextPropPanel()->pos(), QPoint(0, 40));
        Ui(f).ToolPanel()->setFixedWidth(853);
        QCoreApplication::processEvents();
        QCOMPARE(Ui(f).ToolPanel()->maximumHeight(), 44);
        QCOMPARE(Ui(f).TextPropPanel()->pos(), QPoint(323, 0));
        Ui(f).ToolPanel()->setFixedWidth(852);
        QCoreApplication::processEvents();
        QCOMPARE(Ui(f).ToolPanel()->maximumHeight(), 85);
        QCOMPARE(Ui(f).TextPropPanel()->pos(), QPoint(0, 40));
    }

    void viewFillsWhatThePanelsLeave()
    {
        ProgramFolder folder(&TwoSizes);
        Started s(folder.dir.path());
        TCoverMakerMainForm &f = *s.form;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        // The view fills its sunken edge, and the edge what the panels leave.
        const QWidget *edge = Ui(f).CoverView()->parentWidget();
        QCOMPARE(Ui(f).CoverView()->geometry(), edge->contentsRect());
        const QRect outer = edge->geometry();
        QCOMPARE(Ui(f).PropertiesPanel()->width(), 185);
        QCOMPARE(outer.right() + 1, Ui(f).PropertiesPanel()->x());
        QCOMPARE(outer.top(), Ui(f).ToolPanel()->height());
        QCOMPARE(outer.left(), 0);
        QCOMPARE(outer.bottom() + 1, f.centralWidget()->height());
        const QRect view = Ui(f).CoverView()->geometry();
        // The cover was laid out for the view's real size.
        const TRect r = Ui(f).CoverView()->AreaRect()[1];
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
        Ui(*s.form).MultiButton()->click();
        QCOMPARE(s.form->Cover().Document().Mode(), CoverMode::Multiple);
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
        ClickArea(f, 1);
        f.Cover().PlaceImage(1, pic);
        const QImage shot = Ui(f).PaintBox1()->grab().toImage();
        QCOMPARE(shot.size(), QSize(153, 145));
        // s = 0.51: drawn into left 0, top 47, right 153, bottom 98
        QCOMPARE(QColor(shot.pixel(0, 47)), QColor(Qt::red));
        QCOMPARE(QColor(shot.pixel(152, 97)), QColor(Qt::red));
        QVERIFY(QColor(shot.pixel(76, 46)) != QColor(Qt::red));
        QVERIFY(QColor(shot.pixel(76, 98)) != QColor(Qt::red));
        // The panel follows every change of the cover.
        QVERIFY(Ui(f).ClearButton()->isEnabled());
        Ui(f).ClearButton()->click();
        QVERIFY(f.Cover().Document().GetPicture(1).isNull());
        QVERIFY(!Ui(f).ClearButton()->isEnabled());
        QVERIFY(QColor(Ui(f).PaintBox1()->grab().toImage().pixel(76, 70)) != QColor(Qt::red));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
