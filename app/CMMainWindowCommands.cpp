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
#include <QDir>
#include <QLabel>
#include <QActionGroup>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

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
    const int32_t area = CoverView->SelectedArea();
    if (area == -1)
        return;
    QColor color = ColorRefToQColor(m_document->GetBackColor(area));
    if (m_setup.Colors->Choose(this, color))
        Show(m_cover->SetBackColor(area, QColorToColorRef(color)));
}

void TCoverMakerMainForm::FontButtonClick()
{
    const int32_t area = CoverView->SelectedArea();
    if (area == -1)
        return;
    TCoverFont font;
    font.Assign(m_document->GetFont(area));
    if (m_setup.Fonts->Choose(this, font))
        Show(m_cover->SetFont(area, font));
}

void TCoverMakerMainForm::AreaDblClicked()
{
    ChangeButtonClick();
}

void TCoverMakerMainForm::ChangeButtonClick()
{
    const int32_t area = CoverView->SelectedArea();
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
    const int32_t area = CoverView ? CoverView->SelectedArea() : -1;
    if (area == -1 || !m_document)
        return;
    const QSize size = m_document->PictureSize(area);
    const int w = size.width();
    const int h = size.height();
    if (w == 0 || h == 0)
        return;
    // The smaller copy where there is one: all this box needs, and there at
    // once while a large picture still decodes.
    const QImage &reduced = m_document->GetReducedPicture(area);
    const QImage &pic = reduced.isNull() ? m_document->GetPicture(area) : reduced;
    const TRect r = FitRect(TRect{0, 0, W, H}, w, h);
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, true);
    canvas.drawImage(QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)), pic);
}

void TCoverMakerMainForm::ImageViewClick()
{
    const int32_t area = CoverView->SelectedArea();
    if (area == -1)
        return;
    using P = TCoverController::TPlacement;
    switch (ImageView->ItemIndex()) {
    case 0:
        Show(m_cover->SetPlacement(area, P::Stretch));
        break;
    case 1:
        Show(m_cover->SetPlacement(area, P::Autosize));
        break;
    case 2:
        Show(m_cover->SetPlacement(area, P::UserDefined));
        break;
    default:
        break;
    }
    UpdateImagePanel(area);
}

void TCoverMakerMainForm::AlignRadioClick()
{
    const int32_t area = CoverView->SelectedArea();
    if (area == -1)
        return;
    const uint8_t current = m_document->GetAlignment(area);
    const uint8_t code = IndexToAlignment(AlignRadio->ItemIndex(), current);
    if (AlignRadio->ItemIndex() >= 0 && AlignRadio->ItemIndex() <= 2)
        Show(m_cover->SetAlignment(area, code));
}

void TCoverMakerMainForm::TextOrientRadioClick()
{
    const int32_t area = CoverView->SelectedArea();
    if (area == -1 || TextOrientRadio->ItemIndex() < 0)
        return;
    Show(m_cover->SetOrientation(area, uint8_t(TextOrientRadio->ItemIndex())));
}

void TCoverMakerMainForm::TextPosRadioClick()
{
    const int32_t area = CoverView->SelectedArea();
    if (area == -1 || TextPosRadio->ItemIndex() < 0)
        return;
    Show(m_cover->SetTextPosition(area, uint8_t(TextPosRadio->ItemIndex())));
}

void TCoverMakerMainForm::ImageTextEditChange()
{
    const int32_t area = CoverView->SelectedArea();
    if (area == -1)
        return;
    Show(m_cover->SetText(area, ImageTextEdit->text()));
}

void TCoverMakerMainForm::ClearButtonClick()
{
    const int32_t area = CoverView->SelectedArea();
    if (area == -1)
        return;
    Show(m_cover->ClearPicture(area));
    UpdateImagePanel(area);
}

void TCoverMakerMainForm::CenterButtonClick()
{
    Show(m_cover->CenterPicture(CoverView->SelectedArea()));
}

void TCoverMakerMainForm::ZoomInButtonClick()
{
    Show(m_cover->ZoomIn(CoverView->SelectedArea()));
}

void TCoverMakerMainForm::ZoomOutButtonClick()
{
    Show(m_cover->ZoomOut(CoverView->SelectedArea()));
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
    NewDocumentForm->ShippedCatalogue =
        QDir(m_setup.ProgramDir).filePath(QStringLiteral("CoverSizes.shipped.ini"));
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
    const bool multiple = NewDocumentForm->RadioGroup1->ItemIndex() == 1;
    Show(m_cover->NewCover(size, multiple ? CoverMode::Multiple : CoverMode::Single));
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

int TCoverMakerMainForm::AlignmentToIndex(uint8_t alignment)
{
    switch (alignment) {
    case taLeft:
        return 0;
    case taCenter:
        return 1;
    case taRight:
        return 2;
    default:
        return -1;
    }
}

uint8_t TCoverMakerMainForm::IndexToAlignment(int index, uint8_t unchanged)
{
    switch (index) {
    case 0:
        return taLeft;
    case 1:
        return taCenter;
    case 2:
        return taRight;
    default:
        return unchanged;
    }
}

void TCoverMakerMainForm::UpdateImagePanel(int32_t area)
{
    const bool selected = area != -1;
    if (selected) {
        if (m_document->GetStretch(area))
            ImageView->SetItemIndex(0);
        else if (m_document->GetAutosize(area))
            ImageView->SetItemIndex(1);
        else
            ImageView->SetItemIndex(2);
    }
    ChangeButton->setEnabled(selected);
    ImageView->setEnabled(selected);
    BGColorButton->setEnabled(selected);
    ClearButton->setEnabled(selected && !CoverView->IsAreaEmpty(area));
    CenterButton->setEnabled(selected && !m_document->GetStretch(area) &&
                             !m_document->GetAutosize(area));
    const bool zoom = selected && ImageView->ItemIndex() == 2;
    ZoomInButton->setVisible(zoom);
    ZoomOutButton->setVisible(zoom);
}

void TCoverMakerMainForm::UpdateTextPanel(int32_t area)
{
    const bool selected = area != -1;
    for (QWidget *w : {static_cast<QWidget *>(TextLabel), static_cast<QWidget *>(ImageTextEdit),
                       static_cast<QWidget *>(AlignRadio), static_cast<QWidget *>(TextOrientRadio),
                       static_cast<QWidget *>(TextPosRadio), static_cast<QWidget *>(FontButton)})
        w->setEnabled(selected);
    if (!selected) {
        ImageTextEdit->setText(QString());
        AlignRadio->SetItemIndex(-1);
        TextOrientRadio->SetItemIndex(-1);
        TextPosRadio->SetItemIndex(-1);
        return;
    }
    ImageTextEdit->setText(m_document->GetText(area));
    // A long text shows from its start, not from where the caret lands.
    ImageTextEdit->setCursorPosition(0);
    AlignRadio->SetItemIndex(AlignmentToIndex(m_document->GetAlignment(area)));
    TextOrientRadio->SetItemIndex(m_document->GetOrientation(area));
    TextPosRadio->SetItemIndex(m_document->GetTextPosition(area));
}

void TCoverMakerMainForm::SelectionChanged()
{
    m_cover->SetSelectedArea(CoverView->SelectedArea());
    UpdateImagePanel(CoverView->SelectedArea());
    UpdateTextPanel(CoverView->SelectedArea());
    PaintBox1->update();
    if (Edit1)
        Edit1Click();
}

void TCoverMakerMainForm::PictureChanged()
{
    PaintBox1->update();
    if (Edit1)
        Edit1Click();
}

void TCoverMakerMainForm::CoverChanged()
{
    ShowModifiedMark();
    UpdateBlockPanel();
    // The panels follow every change of the cover, not only a new
    // selection: a picture placed or cleared changes what the image panel
    // offers, a new layout turns the side areas' texts. Each control is
    // touched only where it shows something else: a drag changes the cover
    // at every move of the mouse.
    const int32_t area = CoverView->SelectedArea();
    if (area == -1)
        return;
    UpdateImagePanel(area);
    // Not while the user types: the box holds the text already.
    if (ImageTextEdit->text() != m_document->GetText(area))
        ImageTextEdit->setText(m_document->GetText(area));
    AlignRadio->SetItemIndex(AlignmentToIndex(m_document->GetAlignment(area)));
    TextOrientRadio->SetItemIndex(m_document->GetOrientation(area));
    TextPosRadio->SetItemIndex(m_document->GetTextPosition(area));
    // The preview is drawn anew only for another picture.
    const auto shown = m_document->PlacedPicture(area);
    if (shown.get() != m_previewed) {
        m_previewed = shown.get();
        PictureChanged();
    }
}

void TCoverMakerMainForm::CoverReplaced()
{
    const bool multiple = m_document->Mode() == CoverMode::Multiple;
    (multiple ? MultiButton : SingleButton)->setChecked(true);
    CoverView->SelectArea(m_cover->SelectedArea());
    SelectionChanged();
    UpdateBlockPanel();
}
