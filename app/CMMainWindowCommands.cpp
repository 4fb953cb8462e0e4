// SPDX-License-Identifier: GPL-3.0-or-later
// The image and text commands, the image popup menu and printing.
#include "CMMainWindow.h"

#include "AboutBox.h"
#include "Big_DPI_Fix.h"
#include "BuiltInTexts.h"
#include "BusyCursor.h"
#include "CoverView.h"
#include "DialogSupport.h"
#include "EditCoverSize.h"
#include "GraphicKinds.h"
#include "MessageBoxes.h"
#include "NewDocument.h"
#include "PaintBox.h"
#include "PictureChooser.h"
#include "RadioGroup.h"
#include "StandardDialogs.h"

#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace {

// Texts that the language file may translate, by number.
constexpr int NewCoverStepText = 233;

} // namespace

void TCoverMakerMainForm::CreateAreaPopupMenu()
{
    AreaPopupMenu = new QMenu(this);
    Change1 = AreaPopupMenu->addAction(QStringLiteral("&Change..."));
    AreaPopupMenu->setDefaultAction(Change1);
    Clear1 = AreaPopupMenu->addAction(QStringLiteral("C&lear"));
    AreaPopupMenu->addSeparator();
    Stretch1 = AreaPopupMenu->addAction(QStringLiteral("Stretch"));
    Autosize1 = AreaPopupMenu->addAction(QStringLiteral("Autosize"));
    UserDefined1 = AreaPopupMenu->addAction(QStringLiteral("User Defined"));
    auto *placement = new QActionGroup(this);
    placement->setExclusive(true);
    for (QAction *a : {Stretch1, Autosize1, UserDefined1}) {
        a->setCheckable(true);
        placement->addAction(a);
    }
    AreaPopupMenu->addSeparator();
    Center1 = AreaPopupMenu->addAction(QStringLiteral("Center"));
    ZoomIn1 = AreaPopupMenu->addAction(QStringLiteral("Zoom &In"));
    ZoomOut1 = AreaPopupMenu->addAction(QStringLiteral("Zoom &Out"));
    AreaPopupMenu->addSeparator();
    Background1 = AreaPopupMenu->addAction(QStringLiteral("BG Color..."));
    AreaPopupMenu->addSeparator();
    PastePicture1 = AreaPopupMenu->addAction(QStringLiteral("Paste"));

    const std::pair<QAction *, void (TCoverMakerMainForm::*)()> commands[] = {
        {Change1, &TCoverMakerMainForm::ChangeButtonClick},
        {Clear1, &TCoverMakerMainForm::ClearButtonClick},
        {Stretch1, &TCoverMakerMainForm::Stretch1Click},
        {Autosize1, &TCoverMakerMainForm::Autosize1Click},
        {UserDefined1, &TCoverMakerMainForm::UserDefined1Click},
        {Center1, &TCoverMakerMainForm::CenterButtonClick},
        {ZoomIn1, &TCoverMakerMainForm::ZoomInButtonClick},
        {ZoomOut1, &TCoverMakerMainForm::ZoomOutButtonClick},
        {Background1, &TCoverMakerMainForm::BGColorButtonClick},
        {PastePicture1, &TCoverMakerMainForm::Paste1Click},
    };
    for (const auto &[action, handler] : commands)
        connect(action, &QAction::triggered, this, Command(handler));
}

void TCoverMakerMainForm::AreaPopup(int x, int y)
{
    Change1->setEnabled(ChangeButton->isEnabled());
    Clear1->setEnabled(ClearButton->isEnabled());
    for (QAction *a : {Stretch1, Autosize1, UserDefined1})
        a->setEnabled(ImageView->isEnabled());
    Center1->setEnabled(CenterButton->isEnabled());
    Background1->setEnabled(BGColorButton->isEnabled());
    PastePicture1->setEnabled(ChangeButton->isEnabled());
    // Visible within the window, whether or not the window is on screen.
    ZoomIn1->setEnabled(ZoomInButton->isVisibleTo(this));
    ZoomOut1->setEnabled(ZoomOutButton->isVisibleTo(this));

    switch (ImageView->ItemIndex()) {
    case 0:
        Stretch1->setChecked(true);
        break;
    case 1:
        Autosize1->setChecked(true);
        break;
    case 2:
        UserDefined1->setChecked(true);
        break;
    default:
        break;
    }
    AreaPopupMenu->popup(CoverView->mapToGlobal(QPoint(x, y)));
}

void TCoverMakerMainForm::Stretch1Click()
{
    ImageView->SetItemIndex(0);
}

void TCoverMakerMainForm::Autosize1Click()
{
    ImageView->SetItemIndex(1);
}

void TCoverMakerMainForm::UserDefined1Click()
{
    ImageView->SetItemIndex(2);
}

void TCoverMakerMainForm::BGColorButtonClick()
{
    const int32_t area = CoverView->SelectedArea;
    if (area == -1)
        return;
    QColor color = ColorRefToQColor(m_document->GetBackColor(area));
    if (m_setup.Colors->Choose(this, color))
        m_document->SetBackColor(area, QColorToColorRef(color));
}

void TCoverMakerMainForm::FontButtonClick()
{
    const int32_t area = CoverView->SelectedArea;
    if (area == -1)
        return;
    TCoverFont font;
    font.Assign(m_document->GetFont(area));
    if (m_setup.Fonts->Choose(this, font))
        m_document->GetFont(area).Assign(font);
}

void TCoverMakerMainForm::AreaDblClicked()
{
    ChangeButtonClick();
}

void TCoverMakerMainForm::ChangeButtonClick()
{
    const int32_t area = CoverView->SelectedArea;
    if (area == -1)
        return;
    QString fileName;
    if (m_setup.Pictures->Choose(this, fileName))
        PlacePictureFile(area, fileName);
    UpdateImagePanel(area);
}

void TCoverMakerMainForm::PaintBox1Paint(QPainter &canvas)
{
    const int W = PaintBox1->width();
    const int H = PaintBox1->height();
    canvas.fillRect(0, 0, W, H, PropertiesPanel->palette().color(QPalette::Window));
    const int32_t area = CoverView ? CoverView->SelectedArea : -1;
    if (area == -1 || !m_document)
        return;
    const QImage &pic = m_document->GetPicture(area);
    const int w = pic.width();
    const int h = pic.height();
    if (w == 0 || h == 0)
        return;
    const TRect r = FitRect(TRect{0, 0, W, H}, w, h);
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, true);
    canvas.drawImage(QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)), pic);
}

void TCoverMakerMainForm::ImageViewClick()
{
    const int32_t area = CoverView->SelectedArea;
    if (area == -1)
        return;
    switch (ImageView->ItemIndex()) {
    case 0:
        m_document->SetStretch(area, true);
        break;
    case 1:
        m_document->SetAutosize(area, true);
        break;
    case 2:
        CoverView->SetUserDefined();
        break;
    default:
        break;
    }
    UpdateImagePanel(area);
}

void TCoverMakerMainForm::AlignRadioClick()
{
    const int32_t area = CoverView->SelectedArea;
    if (area == -1)
        return;
    const uint8_t current = m_document->GetAlignment(area);
    const uint8_t code = IndexToAlignment(AlignRadio->ItemIndex(), current);
    if (AlignRadio->ItemIndex() >= 0 && AlignRadio->ItemIndex() <= 2)
        m_document->SetAlignment(area, code);
}

void TCoverMakerMainForm::TextOrientRadioClick()
{
    const int32_t area = CoverView->SelectedArea;
    if (area == -1 || TextOrientRadio->ItemIndex() < 0)
        return;
    m_document->SetOrientation(area, uint8_t(TextOrientRadio->ItemIndex()));
}

void TCoverMakerMainForm::TextPosRadioClick()
{
    const int32_t area = CoverView->SelectedArea;
    if (area == -1 || TextPosRadio->ItemIndex() < 0)
        return;
    m_document->SetTextPosition(area, uint8_t(TextPosRadio->ItemIndex()));
}

void TCoverMakerMainForm::ImageTextEditChange()
{
    const int32_t area = CoverView->SelectedArea;
    if (area == -1)
        return;
    m_document->SetText(area, ImageTextEdit->text());
}

void TCoverMakerMainForm::ClearButtonClick()
{
    const int32_t area = CoverView->SelectedArea;
    if (area == -1)
        return;
    CoverView->SetAreaPicture(area, nullptr);
}

void TCoverMakerMainForm::CenterButtonClick()
{
    CoverView->CenterPicture(CoverView->SelectedArea);
}

void TCoverMakerMainForm::ZoomInButtonClick()
{
    CoverView->ZoomIn();
}

void TCoverMakerMainForm::ZoomOutButtonClick()
{
    CoverView->ZoomOut();
}

void TCoverMakerMainForm::CreateDialogs()
{
    const int dpi = m_setup.Metrics->ScreenDotsPerInch(*this);
    AboutBox = new TAboutBox(QString::fromLatin1(HomePageAddress), this);
    TglSmallFontsDefence{AboutBox, dpi};
    AboutBox->ApplyTexts([this](int number) { return UiText(number); }, ProgramCaption());
    AboutBox->OnHomePage = [this] { Run([this] { HomePage1Click(); }); };
    NewDocumentForm =
        new TNewDocumentForm(*m_sizeList, MeasureUnit, *m_setup.Messages, *m_setup.Dialogs, this);
    NewDocumentForm->Run = [this](const std::function<void()> &command) { Run(command); };
    TglSmallFontsDefence{NewDocumentForm, dpi};
    NewDocumentForm->ApplyTexts([this](int number) { return UiText(number); });
    EditCoverSizeData = new TEditCoverSizeData(MeasureUnit, this);
    TglSmallFontsDefence{EditCoverSizeData, dpi};
    EditCoverSizeData->ApplyTexts([this](int number) { return UiText(number); });
    NewDocumentForm->SizeForm = EditCoverSizeData;
}

void TCoverMakerMainForm::New1Click()
{
    NewDocumentForm->CurrentSizeName = m_document->Size().Name;
    NewDocumentForm->CurrentMode = m_document->Mode();
    CenterOnScreen(NewDocumentForm);
    if (m_setup.Dialogs->ShowModal(*NewDocumentForm) != QDialog::Accepted)
        return;
    const QString name = NewDocumentForm->SelectedName();
    if (NewDocumentForm->SelectedRow() < 0)
        return;
    // Read before anything is reset: a size that does not read leaves the
    // user's cover as it was.
    const CoverSize size = m_sizeList->ReadSize(name);
    if (!ConfirmDiscardChanges())
        return;
    m_document->Reset();
    const bool multiple = NewDocumentForm->RadioGroup1->ItemIndex() == 1;
    m_document->SetMode(multiple ? CoverMode::Multiple : CoverMode::Single);
    m_document->SetCoverSize(size);
    CoverView->SelectArea(-1);
    // The mode buttons show the mode the new cover has.
    (multiple ? MultiButton : SingleButton)->setChecked(true);
    // A new cover has no file, and nothing to save until it is changed; it
    // is a step of its own, which Undo takes back.
    CommitStep(NewCoverStepText);
    m_fileName.clear();
    MarkUnmodified();
}

void TCoverMakerMainForm::Templates1Click()
{
    NewDocumentForm->SetTemplatesMode(true);
    struct BackToNewCoverLook
    {
        TNewDocumentForm *Form;
        ~BackToNewCoverLook() { Form->SetTemplatesMode(false); }
    } restore{NewDocumentForm};
    CenterOnScreen(NewDocumentForm);
    m_setup.Dialogs->ShowModal(*NewDocumentForm);
}
