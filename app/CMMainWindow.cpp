// SPDX-License-Identifier: GPL-3.0-or-later
#include "CMMainWindow.h"

#include "AboutBox.h"
#include "Big_DPI_Fix.h"
#include "CalibrationDialog.h"
#include "CoverFileChooser.h"
#include "CoverRecovery.h"
#include "CoverView.h"
#include "QtTranslations.h"
#include "DeviceMetrics.h"
#include "DialogSupport.h"
#include "EditCoverSize.h"
#include "NewDocument.h"
#include "FontSubstitutes.h"
#include "GifSupport.h"
#include "LanguageController.h"
#include "MessageBoxes.h"
#include "MetafileGraphic.h"
#include "PaintBox.h"
#include "PictureChooser.h"
#include "TextBlockPanel.h"
#include "ProgramOptions.h"
#include "RadioGroup.h"
#include "Rounding.h"
#include "StandardDialogs.h"
#include "ToolIcons.h"
#include "VelmoraError.h"

#include <QAction>
#include <QActionGroup>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QToolButton>
#include <QUndoStack>

namespace {

const char CatalogueFileName[] = "CoverSizes.ini";
const char GifLibraryFileName[] = "GIFView.dll";

// The text properties' design geometry, inside a panel of TextPropWidth.
constexpr QRect AlignRadioRect(2, 4, 169, 37);
constexpr QRect TextOrientRadioRect(182, 4, 97, 37);
constexpr QRect TextPosRadioRect(288, 4, 169, 37);
constexpr QRect FontButtonRect(464, 10, 63, 31);
constexpr int TextPropWidth = 529;

QToolButton *SpeedButton(QWidget *parent, const QIcon &icon, const QRect &geometry)
{
    auto *b = new QToolButton(parent);
    b->setAutoRaise(true);
    b->setIcon(icon);
    b->setIconSize(QSize(32, 32));
    b->setGeometry(geometry);
    return b;
}

QPushButton *Button(QWidget *parent, const QString &caption, const QRect &geometry)
{
    auto *b = new QPushButton(caption, parent);
    b->setGeometry(geometry);
    return b;
}

// The interface's own service unless the caller gave one.
template <typename Own, typename Interface>
Interface *OwnIfUnset(Interface *given, std::unique_ptr<Interface> &own)
{
    if (given)
        return given;
    own = std::make_unique<Own>();
    return own.get();
}

} // namespace

TCoverMakerMainForm::TCoverMakerMainForm(const TMainFormSetup &setup, QWidget *parent)
    : QMainWindow(parent), m_setup(setup)
{
    if (!m_setup.Metrics) {
        m_ownMetrics = std::make_unique<TQtDeviceMetrics>(m_printer);
        m_setup.Metrics = m_ownMetrics.get();
    }
    m_setup.Pictures = OwnIfUnset<TQtPictureChooser>(m_setup.Pictures, m_ownPictures);
    m_setup.Colors = OwnIfUnset<TQtColorChooser>(m_setup.Colors, m_ownColors);
    m_setup.Fonts = OwnIfUnset<TQtFontChooser>(m_setup.Fonts, m_ownFonts);
    m_setup.Dialogs = OwnIfUnset<TExecRunner>(m_setup.Dialogs, m_ownDialogs);
    m_setup.Printers = OwnIfUnset<TQtPrinterChooser>(m_setup.Printers, m_ownPrinters);
    m_setup.Options = OwnIfUnset<TSettingsOptionsStore>(m_setup.Options, m_ownOptions);
    m_setup.Languages = OwnIfUnset<TLanguageController>(m_setup.Languages, m_ownLanguages);
    m_setup.Urls = OwnIfUnset<TDesktopUrlOpener>(m_setup.Urls, m_ownUrls);
    // Qt's dialogs with texts of the program's own speak the window's language.
    const auto texts = [this](int number) { return UiText(number); };
    if (auto *dialog = dynamic_cast<TQtPrinterChooser *>(m_setup.Printers))
        dialog->Texts = texts;
    if (auto *dialog = dynamic_cast<TQtFontChooser *>(m_setup.Fonts))
        dialog->Texts = texts;
    if (auto *dialog = dynamic_cast<TQtPictureChooser *>(m_setup.Pictures))
        dialog->Texts = texts;
    setWindowTitle(ProgramCaption());
    setFont(DesignFont());
    SetOuterBounds(QRect(DesignLeft, DesignTop, DesignWidth, DesignHeight));
    CreateControls();
    CreateMenus();
    CreateFileMenu();
    CreateAreaPopupMenu();
    FormCreate();
    CreateDialogs();
    CreateEditMenu();
    CreatePrintItems();
    CreateBlockItems();
    CreateSheetItems();
    CreateAlbumItems();
    SetTabOrder();
    NameControls();
    // What start-up put on the cover (the layout the last session left) is
    // no change of the user's, and the title says so.
    m_cover->StartAfresh();
    UpdateTitle();
    connect(m_cover, &TCoverController::CoverReplaced, this, [this] { Run([this] { CoverReplaced(); }); });
    connect(m_cover, &TCoverController::Changed, this, [this] { Run([this] { CoverChanged(); }); });
    connect(m_cover, &TCoverController::TitleChanged, this, [this] { UpdateTitle(); });
    connect(m_cover, &TCoverController::StepsChanged, this, [this] { ApplyEditTexts(); });
    connect(m_cover, &TCoverController::RecoveryWritten, this,
            [this](const QString &why) { Run([&] { RecoveryWritten(why); }); });
    ApplyEditTexts();
}

TCoverMakerMainForm::~TCoverMakerMainForm()
{
    // The cover goes before the view and the texts its signals reach; the
    // view forgets its document as it goes. The in-place editor losing its
    // focus as the window goes ends no edit on a cover that is gone.
    CoverView->SetOnBlockEditEnd(nullptr);
    delete m_cover;
    m_cover = nullptr;
}

void TCoverMakerMainForm::Run(const std::function<void()> &command)
{
    const QString text = ErrorTextOf(command);
    if (!text.isEmpty())
        m_setup.Messages->ShowError(this, UiText(ErrorCaptionText), text);
}

void TCoverMakerMainForm::CreateControls()
{
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    ToolPanel = new TPanel(central);
    ToolPanel->setFixedHeight(85);
    NewButton = SpeedButton(ToolPanel, NewCoverIcon(), QRect(0, 0, 41, 41));
    PrintButton = SpeedButton(ToolPanel, PrintCoverIcon(), QRect(40, 0, 41, 41));
    SingleButton = SpeedButton(ToolPanel, SingleModeIcon(), QRect(88, 0, 41, 41));
    MultiButton = SpeedButton(ToolPanel, MultipleModeIcon(), QRect(129, 0, 41, 41));
    SingleButton->setCheckable(true);
    MultiButton->setCheckable(true);
    auto *modeGroup = new QButtonGroup(this);
    modeGroup->setExclusive(true);
    modeGroup->addButton(SingleButton);
    modeGroup->addButton(MultiButton);
    TextLabel = new QLabel(QStringLiteral("Text:"), ToolPanel);
    TextLabel->move(176, 4);
    TextLabel->adjustSize();
    ImageTextEdit = new QLineEdit(ToolPanel);
    ImageTextEdit->setGeometry(176, 18, 145, 21);

    TextPropPanel = new QWidget(ToolPanel);
    TextPropPanel->setGeometry(0, 40, TextPropWidth, 41);
    AlignRadio = new TRadioGroup(QStringLiteral("Alignment"), 3, TextPropPanel);
    AlignRadio->setGeometry(AlignRadioRect);
    AlignRadio->SetItems(
        {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
    TextOrientRadio = new TRadioGroup(QStringLiteral("Orientation"), 2, TextPropPanel);
    TextOrientRadio->setGeometry(TextOrientRadioRect);
    TextOrientRadio->SetItems({QStringLiteral("Horz"), QStringLiteral("Vert")});
    TextPosRadio = new TRadioGroup(QStringLiteral("Text Position"), 3, TextPropPanel);
    TextPosRadio->setGeometry(TextPosRadioRect);
    TextPosRadio->SetItems(
        {QStringLiteral("Top"), QStringLiteral("Center"), QStringLiteral("Bottom")});
    FontButton = Button(TextPropPanel, QStringLiteral("Font..."), FontButtonRect);
    column->addWidget(ToolPanel);

    auto *row = new QHBoxLayout();
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    column->addLayout(row, 1);

    PropertiesPanel = new TPanel(central);
    PropertiesPanel->setFixedWidth(185);
    ImgPropLabel = new QLabel(QStringLiteral("Image properties"), PropertiesPanel);
    QFont bold = ImgPropLabel->font();
    bold.setBold(true);
    ImgPropLabel->setFont(bold);
    QPalette captionColour = ImgPropLabel->palette();
    captionColour.setColor(QPalette::WindowText,
                           palette().color(QPalette::Active, QPalette::Highlight));
    ImgPropLabel->setPalette(captionColour);
    ImgPropLabel->move(48, 8);
    ImgPropLabel->adjustSize();
    PaintBox1 = new TPaintBox(PropertiesPanel);
    PaintBox1->setGeometry(16, 32, 153, 145);
    ChangeButton = Button(PropertiesPanel, QStringLiteral("Change..."), QRect(16, 184, 75, 25));
    ClearButton = Button(PropertiesPanel, QStringLiteral("Clear"), QRect(96, 184, 75, 25));
    ImageView = new TRadioGroup(QStringLiteral("Image View"), 1, PropertiesPanel);
    ImageView->setGeometry(16, 216, 153, 97);
    ImageView->SetItems({QStringLiteral("Stretch image"), QStringLiteral("Autosize image"),
                         QStringLiteral("User defined")});
    ZoomInButton = Button(PropertiesPanel, QStringLiteral("+"), QRect(112, 280, 25, 25));
    ZoomOutButton = Button(PropertiesPanel, QStringLiteral("-"), QRect(136, 280, 25, 25));
    CenterButton = Button(PropertiesPanel, QStringLiteral("Center"), QRect(16, 320, 75, 25));
    BGColorButton = Button(PropertiesPanel, QStringLiteral("BG Color..."), QRect(96, 320, 77, 25));
    // Later siblings stack above earlier ones: the zoom buttons sit on the
    // radio group's third line.
    ZoomInButton->raise();
    ZoomOutButton->raise();

    setCentralWidget(central);
    // The view goes in at its place in start-up; keep the row for it.
    m_viewRow = row;
    row->addWidget(PropertiesPanel);

    ToolPanel->OnResize = [this] { ToolPanelResize(); };
    PaintBox1->OnPaint = [this](QPainter &p) {
        try {
            PaintBox1Paint(p);
        } catch (const std::exception &) {
            // As in the view: a paint cannot report, and the preview stays
            // as far as it was drawn.
        }
    };
    connect(SingleButton, &QToolButton::clicked, this,
            Command(&TCoverMakerMainForm::SingleButtonClick));
    connect(MultiButton, &QToolButton::clicked, this,
            Command(&TCoverMakerMainForm::MultiButtonClick));
    connect(ChangeButton, &QPushButton::clicked, this,
            Command(&TCoverMakerMainForm::ChangeButtonClick));
    connect(ClearButton, &QPushButton::clicked, this,
            Command(&TCoverMakerMainForm::ClearButtonClick));
    connect(CenterButton, &QPushButton::clicked, this,
            Command(&TCoverMakerMainForm::CenterButtonClick));
    connect(ZoomInButton, &QPushButton::clicked, this,
            Command(&TCoverMakerMainForm::ZoomInButtonClick));
    connect(ZoomOutButton, &QPushButton::clicked, this,
            Command(&TCoverMakerMainForm::ZoomOutButtonClick));
    connect(BGColorButton, &QPushButton::clicked, this,
            Command(&TCoverMakerMainForm::BGColorButtonClick));
    connect(FontButton, &QPushButton::clicked, this,
            Command(&TCoverMakerMainForm::FontButtonClick));
    connect(PrintButton, &QToolButton::clicked, this, Command(&TCoverMakerMainForm::Print1Click));
    connect(NewButton, &QToolButton::clicked, this, Command(&TCoverMakerMainForm::New1Click));
    connect(ImageTextEdit, &QLineEdit::textChanged, this,
            Command(&TCoverMakerMainForm::ImageTextEditChange));
    ImageView->OnClick = Command(&TCoverMakerMainForm::ImageViewClick);
    AlignRadio->OnClick = Command(&TCoverMakerMainForm::AlignRadioClick);
    TextOrientRadio->OnClick = Command(&TCoverMakerMainForm::TextOrientRadioClick);
    TextPosRadio->OnClick = Command(&TCoverMakerMainForm::TextPosRadioClick);
}

void TCoverMakerMainForm::SetTabOrder()
{
    // As the screen reads, top left to bottom right: the tool row and its
    // text properties, the cover, then the image properties down the right.
    QList<QWidget *> order{NewButton, PrintButton, SingleButton, MultiButton, ImageTextEdit};
    for (TRadioGroup *group : {AlignRadio, TextOrientRadio, TextPosRadio})
        for (int i = 0; group->Button(i); ++i)
            order << group->Button(i);
    order << FontButton << CoverView << ChangeButton << ClearButton;
    for (int i = 0; ImageView->Button(i); ++i)
        order << ImageView->Button(i);
    order << ZoomInButton << ZoomOutButton << CenterButton << BGColorButton;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

bool TCoverMakerMainForm::CheckDataFile(const QString &fileName)
{
    if (QFileInfo::exists(QDir(m_setup.ProgramDir).filePath(fileName)))
        return true;
    m_setup.Messages->ShowError(this, UiText(ErrorCaptionText),
                                QStringLiteral("File \"%1\" not found.").arg(fileName));
    m_terminate = true;
    return false;
}

void TCoverMakerMainForm::FormCreate()
{
    ApplyFontCompensation();
    CheckDataFile(QLatin1String(CatalogueFileName));
    CheckDataFile(QLatin1String(GifLibraryFileName));
    LoadLanguage();
    BuildLanguageMenu();
    TMyGifImage::SetLibraryDir(m_setup.ProgramDir);
    TMetafileGraphic::SetHelperDir(m_setup.ProgramDir);
    m_sizeList = std::make_unique<TSizeList>(
        QDir(m_setup.ProgramDir).filePath(QLatin1String(CatalogueFileName)));
    CoverView = new TCoverView(centralWidget(), *m_setup.Metrics);
    m_cover = new TCoverController(
        !m_setup.RecoveryDir.isEmpty()
            ? m_setup.RecoveryDir
            : QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
                  .filePath(QStringLiteral("recovery")),
        this);
    m_cover->SetTexts([this](int number) { return UiText(number); });
    m_document = &m_cover->Document();

    QString coverName;
    if (LoadOptions())
        coverName = SavedCoverName;
    else
        MeasureUnit = 0;
    // A stored cover that the catalogue no longer holds would open as a
    // cover of no size: the start goes on as a first start would.
    if (!m_sizeList->HasSize(coverName)) {
        QStringList names;
        m_sizeList->GetSizeNames(names);
        coverName = names.isEmpty() ? QString() : names.first();
    }
    ApplyLanguage();

    bool sized = false;
    if (!coverName.isEmpty()) {
        // A catalogue entry that does not read (a value mangled by hand) is
        // reported, and the program starts with its default cover instead
        // of not starting at all.
        Run([&] {
            m_document->SetCoverSize(m_sizeList->ReadSize(coverName));
            sized = true;
        });
    }
    if (!sized)
        PrepareDefaultCover();

    // The view sits in a sunken edge of its own, so that nothing the view
    // draws near its border is covered by it.
    auto *viewEdge = new QFrame(centralWidget());
    viewEdge->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    viewEdge->setLineWidth(2);
    auto *edgeLayout = new QHBoxLayout(viewEdge);
    edgeLayout->setContentsMargins(0, 0, 0, 0); // inside the frame already
    CoverView->setParent(viewEdge);
    edgeLayout->addWidget(CoverView);
    m_viewRow->insertWidget(0, viewEdge, 1);
    CoverView->SetDocument(m_document);
    m_cover->SetLayout(CoverView);

    CoverView->SetOnSelectionChange([this](TCoverView *) { Run([this] { SelectionChanged(); }); });
    CoverView->SetOnChange([this](TCoverView *) { Run([this] { PictureChanged(); }); });
    CoverView->SetAllowDrag(true);
    CoverView->SetOnAreaDblClick(
        [this](TCoverView *) { Command(&TCoverMakerMainForm::AreaDblClicked)(); });
    CoverView->SetOnAreaPopup([this](TCoverView *, Qt::MouseButton, Qt::KeyboardModifiers, int x,
                                     int y) { Run([this, x, y] { AreaPopup(x, y); }); });
    CoverView->SetOnError([this](const EVelmoraError &e) {
        m_setup.Messages->ShowError(this, UiText(ErrorCaptionText), e.Text());
    });

    SelectionChanged();
    if (m_document->Mode() == CoverMode::Multiple) {
        MultiButton->setChecked(true);
        Run([this] { MultiButtonClick(); });
    } else {
        SingleButton->setChecked(true);
        Run([this] { SingleButtonClick(); });
    }
    // Panels in Qt have no outer bevel to remove.
}

void TCoverMakerMainForm::PrepareDefaultCover()
{
    CoverSize size;
    size.Name = QStringLiteral("<noname>");
    size.SingleWidth = 10;
    size.SingleHeight = 10;
    size.LeftWidth = 1;
    size.CenterWidth = 8;
    size.RightWidth = 1;
    size.MultipleHeight = 10;
    m_document->SetCoverSize(size);
    TCoverFont &font = m_document->GetFont(2);
    font.SetSize(38);
    font.SetColor(QColor(255, 0, 0));
    m_document->SetBackColor(2, 0x000000);
    m_document->SetText(2, QStringLiteral("Click Cover\\New to add any sizes"));
}

void TCoverMakerMainForm::ApplyFontCompensation()
{
    TglSmallFontsDefence{this, m_setup.Metrics->ScreenDotsPerInch(*this)};
}

void TCoverMakerMainForm::Exit1Click()
{
    close();
}

void TCoverMakerMainForm::SingleButtonClick()
{
    Show(m_cover->SetMode(CoverMode::Single));
}

void TCoverMakerMainForm::MultiButtonClick()
{
    Show(m_cover->SetMode(CoverMode::Multiple));
}

// The text properties at their design geometry; a language whose captions
// are longer widens only the controls that need it, keeping the gaps.
void TCoverMakerMainForm::FitTextPropPanel()
{
    const QString font = WithoutMnemonic(FontButton->text());
    const struct
    {
        QWidget *control;
        QRect design;
        int needed;
    } controls[] = {
        {AlignRadio, AlignRadioRect, AlignRadio->NeededWidth()},
        {TextOrientRadio, TextOrientRadioRect, TextOrientRadio->NeededWidth()},
        {TextPosRadio, TextPosRadioRect, TextPosRadio->NeededWidth()},
        {FontButton, FontButtonRect, FontButton->fontMetrics().horizontalAdvance(font) + 12},
    };
    int shift = 0;
    for (const auto &c : controls) {
        const int width = std::max(c.design.width(), c.needed);
        c.control->setGeometry(c.design.x() + shift, c.design.y(), width, c.design.height());
        shift += width - c.design.width();
    }
    TextPropPanel->resize(TextPropWidth + shift, TextPropPanel->height());
    ToolPanelResize();
}

void TCoverMakerMainForm::ToolPanelResize()
{
    const int r = ImageTextEdit->x() + ImageTextEdit->width();
    const int w = TextPropPanel->width();
    // The panel's inner width is its whole width: its bevel is drawn over
    // its edge.
    if (r + w + 2 < ToolPanel->width()) {
        TextPropPanel->move(r + 2, 0);
        ToolPanel->setFixedHeight(44);
    } else {
        TextPropPanel->move(0, 40);
        ToolPanel->setFixedHeight(85);
    }
}

void TCoverMakerMainForm::NameControls()
{
    const std::pair<QObject *, const char *> names[] = {
        {ToolPanel, "ToolPanel"},         {NewButton, "NewButton"},
        {PrintButton, "PrintButton"},     {SingleButton, "SingleButton"},
        {MultiButton, "MultiButton"},     {TextLabel, "TextLabel"},
        {ImageTextEdit, "ImageTextEdit"}, {TextPropPanel, "TextPropPanel"},
        {AlignRadio, "AlignRadio"},       {TextOrientRadio, "TextOrientRadio"},
        {TextPosRadio, "TextPosRadio"},   {FontButton, "FontButton"},
        {PropertiesPanel, "PropertiesPanel"}, {ImgPropLabel, "ImgPropLabel"},
        {PaintBox1, "PaintBox1"},         {ChangeButton, "ChangeButton"},
        {ClearButton, "ClearButton"},     {ImageView, "ImageView"},
        {ZoomInButton, "ZoomInButton"},   {ZoomOutButton, "ZoomOutButton"},
        {CenterButton, "CenterButton"},   {BGColorButton, "BGColorButton"},
        {CoverView, "CoverView"},         {Cover1, "Cover1"},
        {New1, "New1"},                   {Open1, "Open1"},
        {Save1, "Save1"},                 {SaveAs1, "SaveAs1"},
        {PrintPreview1, "PrintPreview1"}, {Print1, "Print1"},
        {ExportPdf1, "ExportPdf1"},       {Exit1, "Exit1"},
        {Edit1, "Edit1"},                 {Undo1, "Undo1"},
        {Redo1, "Redo1"},                 {Copy1, "Copy1"},
        {Paste1, "Paste1"},               {Configure1, "Configure1"},
        {Templates1, "Templates1"},       {Calibrate1, "Calibrate1"},
        {Inches1, "Inches1"},             {Centimetres1, "Centimetres1"},
        {ShowActualScale1, "ShowActualScale1"}, {LanguageItems, "LanguageItems"},
        {Help1, "Help1"},                 {Index1, "Index1"},
        {HomePage1, "HomePage1"},         {About1, "About1"},
        {AboutBox, "AboutBox"},           {NewDocumentForm, "NewDocumentForm"},
        {EditCoverSizeData, "EditCoverSizeData"}, {CalibrationDialog, "CalibrationDialog"},
        {AreaPopupMenu, "AreaPopupMenu"}, {Change1, "Change1"},
        {Clear1, "Clear1"},               {Stretch1, "Stretch1"},
        {Autosize1, "Autosize1"},         {UserDefined1, "UserDefined1"},
        {Center1, "Center1"},             {ZoomIn1, "ZoomIn1"},
        {ZoomOut1, "ZoomOut1"},           {Background1, "Background1"},
        {PastePicture1, "PastePicture1"}, {AddTextBlock1, "AddTextBlock1"},
        {DeleteTextBlock1, "DeleteTextBlock1"}, {Insert1, "Insert1"},
        {TextBlock1, "TextBlock1"},       {BlockPanel, "BlockPanel"},
        {PrintSheet1, "PrintSheet1"},     {ImportAlbum1, "ImportAlbum1"},
    };
    for (const auto &[object, name] : names)
        object->setObjectName(QLatin1String(name));
    for (int i = 0; i < RecentItems.size(); ++i)
        RecentItems[i]->setObjectName(QStringLiteral("RecentItem%1").arg(i + 1));
}
