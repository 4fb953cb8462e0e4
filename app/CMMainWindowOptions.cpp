// SPDX-License-Identifier: GPL-3.0-or-later
// The menus, the program options and the language of the main window.
#include "CMMainWindow.h"

#include "AboutBox.h"
#include "BuiltInTexts.h"
#include "CoverView.h"
#include "DialogSupport.h"
#include "EditCoverSize.h"
#include "LanguageController.h"
#include "MessageBoxes.h"
#include "NewDocument.h"
#include "CoverRecovery.h"
#include "PaintBox.h"
#include "ProgramOptions.h"
#include "QtTranslations.h"
#include "ReasonTexts.h"
#include "RadioGroup.h"
#include "WindowPlacement.h"

#include <QAction>
#include <QLineEdit>
#include <QActionGroup>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

const char HomePageAddress[] = "https://www.velmora-covers.org/";
const char ManualFileName[] = "VelmoraManual.html";

namespace {

const char LanguageFileName[] = "VMLang.txt";
constexpr int OptionsNotSavedText = 200;
constexpr int NothingToOpenText = 260;
constexpr int LocaleNameText = 266;

} // namespace

bool TDesktopUrlOpener::Open(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

void TCoverMakerMainForm::OpenUrl(const QUrl &url, const QString &where)
{
    // Without a browser the platform says so only on standard error.
    if (!m_setup.Urls->Open(url))
        m_setup.Messages->ShowError(this, ProgramCaption(), UiText(NothingToOpenText).arg(where));
}

QString TCoverMakerMainForm::UiText(int number) const
{
    // The file wins wherever it gives the number, even with an empty text;
    // a number it lacks keeps its English text, so that no caption or menu
    // is ever blank.
    if (const std::optional<QString> text = m_setup.Languages->FindString(number))
        return *text;
    return BuiltInText(number);
}

void TCoverMakerMainForm::CreateMenus()
{
    Cover1 = menuBar()->addMenu(QStringLiteral("Cover"));
    New1 = Cover1->addAction(QStringLiteral("New..."));
    New1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(New1, &QAction::triggered, this, Command(&TCoverMakerMainForm::New1Click));
    Print1 = Cover1->addAction(QStringLiteral("Print..."));
    Print1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(Print1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Print1Click));
    Cover1->addSeparator();
    Exit1 = Cover1->addAction(QStringLiteral("Exit"));
    Exit1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    connect(Exit1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Exit1Click));

    Configure1 = menuBar()->addMenu(QStringLiteral("Configure"));
    connect(Configure1, &QMenu::aboutToShow, this, Command(&TCoverMakerMainForm::Configure1Click));
    Templates1 = Configure1->addAction(QStringLiteral("Templates..."));
    connect(Templates1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Templates1Click));
    Configure1->addSeparator();
    Inches1 = Configure1->addAction(QStringLiteral("Inches"));
    Centimetres1 = Configure1->addAction(QStringLiteral("Centimetres"));
    auto *units = new QActionGroup(this);
    for (QAction *a : {Inches1, Centimetres1}) {
        a->setCheckable(true);
        units->addAction(a);
    }
    connect(Inches1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Inches1Click));
    connect(Centimetres1, &QAction::triggered, this,
            Command(&TCoverMakerMainForm::Centimetres1Click));
    Configure1->addSeparator();
    ShowActualScale1 = Configure1->addAction(QStringLiteral("Show Actual Scale"));
    ShowActualScale1->setCheckable(true);
    connect(ShowActualScale1, &QAction::triggered, this,
            Command(&TCoverMakerMainForm::ShowActualScale1Click));
    LangSep = Configure1->addSeparator();
    LanguageItems = new QActionGroup(this);
    LanguageItems->setExclusive(true);

    Help1 = menuBar()->addMenu(QStringLiteral("Help"));
    Index1 = Help1->addAction(QStringLiteral("Index"));
    Index1->setShortcut(QKeySequence(Qt::Key_F1));
    connect(Index1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Index1Click));
    HomePage1 = Help1->addAction(QStringLiteral("Home Page"));
    connect(HomePage1, &QAction::triggered, this, Command(&TCoverMakerMainForm::HomePage1Click));
    Help1->addSeparator();
    About1 = Help1->addAction(QStringLiteral("About..."));
    About1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F1));
    connect(About1, &QAction::triggered, this, Command(&TCoverMakerMainForm::About1Click));
}

void TCoverMakerMainForm::LoadLanguage()
{
    m_setup.Languages->LoadLanguageFile(
        QDir(m_setup.ProgramDir).filePath(QLatin1String(LanguageFileName)));
}

void TCoverMakerMainForm::BuildLanguageMenu()
{
    QStringList languages;
    m_setup.Languages->GetLanguages(languages);
    for (const QString &name : languages) {
        auto *item = new QAction(name, this);
        item->setCheckable(true);
        item->setData(name); // the caption as given, whatever it holds
        LanguageItems->addAction(item);
        Configure1->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, item] { Run([this, item] { LanguageItemClick(item); }); });
    }
}

void TCoverMakerMainForm::LanguageItemClick(QAction *item)
{
    m_setup.Languages->SetLanguage(item->data().toString());
    m_cover->RenameSteps();
    ApplyLanguage();
    const TTextLookup texts = [this](int number) { return UiText(number); };
    AboutBox->ApplyTexts(texts, ProgramCaption());
    NewDocumentForm->ApplyTexts(texts);
    EditCoverSizeData->ApplyTexts(texts);
    // Refilled radio groups show no choice until the panels say it again.
    SelectionChanged();
}

void TCoverMakerMainForm::ApplyLanguage()
{
    if (!m_qtTexts)
        m_qtTexts = std::make_unique<TQtTranslations>();
    m_qtTexts->Apply(UiText(LocaleNameText), m_setup.ProgramDir);
    SetReasonTexts([this](int number) { return UiText(number); });
    NewButton->setToolTip(WithoutMnemonic(UiText(26)));
    PrintButton->setToolTip(WithoutMnemonic(UiText(27)));
    SingleButton->setToolTip(WithoutMnemonic(UiText(2)));
    MultiButton->setToolTip(WithoutMnemonic(UiText(3)));
    TextLabel->setText(UiText(4));
    TextLabel->adjustSize();
    const struct
    {
        TRadioGroup *group;
        int caption;
        int first;
        int count;
    } groups[] = {{AlignRadio, 5, 6, 3}, {TextOrientRadio, 9, 10, 2}, {TextPosRadio, 12, 13, 3}};
    for (const auto &g : groups) {
        g.group->setTitle(UiText(g.caption));
        QStringList items;
        for (int i = 0; i < g.count; ++i)
            items << UiText(g.first + i);
        g.group->SetItems(items);
    }
    FontButton->setText(UiText(16));
    FitTextPropPanel();
    ImgPropLabel->setText(UiText(17));
    ImgPropLabel->adjustSize();
    ChangeButton->setText(UiText(18));
    ClearButton->setText(UiText(19));
    ImageView->setTitle(UiText(20));
    ImageView->SetItems({UiText(21), UiText(22), UiText(23)});
    ZoomInButton->setToolTip(WithoutMnemonic(UiText(56)));
    ZoomOutButton->setToolTip(WithoutMnemonic(UiText(57)));
    CenterButton->setText(UiText(24));
    BGColorButton->setText(UiText(25));
    const std::pair<QAction *, int> menus[] = {
        {Cover1->menuAction(), 30},
        {New1, 31},
        {Print1, 32},
        {Exit1, 33},
        {Configure1->menuAction(), 34},
        {Templates1, 35},
        {Inches1, 36},
        {Centimetres1, 37},
        {ShowActualScale1, 42},
        {Help1->menuAction(), 38},
        {Index1, 39},
        {HomePage1, 40},
        {About1, 41},
        {Change1, 50},
        {Clear1, 51},
        {Stretch1, 52},
        {Autosize1, 53},
        {UserDefined1, 54},
        {Center1, 55},
        {ZoomIn1, 56},
        {ZoomOut1, 57},
        {Background1, 58},
    };
    for (const auto &[item, number] : menus)
        item->setText(UiText(number));
    ApplyFileTexts();
    ApplyEditTexts();
    ApplyPrintTexts();
    ApplyBlockTexts();
    ApplySheetTexts();
    ApplyAlbumTexts();
    // The radio groups made their buttons anew.
    if (CoverView)
        SetTabOrder();
}

void TCoverMakerMainForm::Configure1Click()
{
    (MeasureUnit == 0 ? Inches1 : Centimetres1)->setChecked(true);
    ShowActualScale1->setChecked(CoverView->ShowScale());
    for (QAction *item : LanguageItems->actions())
        if (item->data().toString() == m_setup.Languages->CurrentLanguage)
            item->setChecked(true);
}

void TCoverMakerMainForm::Inches1Click()
{
    MeasureUnit = 0;
}

void TCoverMakerMainForm::Centimetres1Click()
{
    MeasureUnit = 1;
}

void TCoverMakerMainForm::ShowActualScale1Click()
{
    CoverView->SetShowScale(!CoverView->ShowScale());
}

void TCoverMakerMainForm::Index1Click()
{
    const QString manual = QDir(m_setup.ProgramDir).filePath(QLatin1String(ManualFileName));
    OpenUrl(QUrl::fromLocalFile(manual), QDir::toNativeSeparators(manual));
}

void TCoverMakerMainForm::HomePage1Click()
{
    OpenUrl(QUrl(QLatin1String(HomePageAddress)), QLatin1String(HomePageAddress));
}

void TCoverMakerMainForm::About1Click()
{
    CenterOnScreen(AboutBox);
    m_setup.Dialogs->ShowModal(*AboutBox);
}

bool TCoverMakerMainForm::LoadOptions()
{
    TProgramOptions o;
    if (!o.Load(*m_setup.Options))
        return false;
    if (o.WindowMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    if (!o.WindowMaximized) {
        const QSize screen = QGuiApplication::primaryScreen()->size();
        const int x = o.X < 0 || o.X > screen.width() ? 0 : o.X;
        const int y = o.Y < 0 || o.Y > screen.height() ? 0 : o.Y;
        SetOuterBounds(UsableBounds(x, y, o.W, o.H));
    }
    CoverView->SetShowScale(o.ShowScale);
    MeasureUnit = (o.Metrics & 0xFF) != 0 ? 1 : 0;
    m_setup.Languages->SetLanguage(o.Lang);
    SavedCoverName = o.Cover;
    m_recent = o.Recent;
    ShowRecent();
    m_document->SetMode(o.Multi ? CoverMode::Multiple : CoverMode::Single);
    return true;
}

QRect TCoverMakerMainForm::UsableBounds(int x, int y, int width, int height) const
{
    QList<QRect> screens{QGuiApplication::primaryScreen()->availableGeometry()};
    for (const QScreen *s : QGuiApplication::screens())
        if (s != QGuiApplication::primaryScreen())
            screens << s->availableGeometry();
    TWindowPlacement placement;
    placement.Start = QSize(DesignWidth, DesignHeight);
    placement.Minimum = QSize(MinimumWidth, MinimumHeight);
    return placement.Place(x, y, width, height, screens);
}

void TCoverMakerMainForm::SaveOptions()
{
    TProgramOptions o;
    o.WindowMaximized = isMaximized();
    // A maximised window keeps the bounds it returns to.
    const QRect outer = windowState() == Qt::WindowNoState ? OuterBounds() : m_outerBounds;
    o.X = outer.x();
    o.Y = outer.y();
    o.W = outer.width();
    o.H = outer.height();
    o.ShowScale = CoverView->ShowScale();
    o.Metrics = MeasureUnit;
    o.Lang = m_setup.Languages->CurrentLanguage;
    o.Cover = m_document->Size().Name;
    o.Multi = m_document->Mode() == CoverMode::Multiple;
    o.Recent = m_recent;
    if (!o.Save(*m_setup.Options))
        m_setup.Messages->ShowError(this, UiText(ErrorCaptionText),
                                    UiText(OptionsNotSavedText).arg(m_setup.Options->Location()));
}

void TCoverMakerMainForm::closeEvent(QCloseEvent *event)
{
    // Unsaved changes are never lost without a word; Cancel keeps the
    // program open.
    bool leave = true;
    if (!m_terminate)
        Run([&] { leave = ConfirmDiscardChanges(); });
    if (!leave) {
        event->ignore();
        return;
    }
    FormClose();
    // Saved or discarded: nothing is left to recover.
    m_cover->DiscardRecoveryCopy();
    QMainWindow::closeEvent(event);
}

void TCoverMakerMainForm::FormClose()
{
    // A start-up that found a data file missing ends without writing.
    if (!m_terminate)
        Run([this] { SaveOptions(); });
}

QRect TCoverMakerMainForm::OuterBounds() const
{
    return geometry().marginsAdded(m_setup.Metrics->WindowFrame(*this));
}

void TCoverMakerMainForm::SetOuterBounds(const QRect &bounds)
{
    // A copy: the change below reports back into m_outerBounds, which may be
    // what bounds refers to.
    const QRect target = bounds;
    m_frameAsSet = m_setup.Metrics->WindowFrame(*this);
    setGeometry(target.marginsRemoved(m_frameAsSet));
    m_innerAsSet = size();
    m_boundsAsked = target;
    m_outerBounds = target;
}

void TCoverMakerMainForm::FrameChanged()
{
    // A window manager frames the window some time after it is shown: until
    // then the whole of the asked bounds went to the inside, and the window
    // would grow by its frame at every start. Once the frame is known the
    // inside is made smaller by it, unless the user has resized meanwhile.
    if (m_boundsAsked.isNull() || windowState() != Qt::WindowNoState)
        return;
    if (size() != m_innerAsSet) {
        m_boundsAsked = QRect();
        return;
    }
    if (m_setup.Metrics->WindowFrame(*this) != m_frameAsSet)
        SetOuterBounds(m_boundsAsked);
}

void TCoverMakerMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown || event->spontaneous())
        return;
    m_shown = true;
    // Some platforms know the frame once the window is shown, others only
    // once the window manager has framed and mapped the window, which the
    // window hears of as its exposure, without a move or a resize.
    FrameChanged();
    if (QWindow *window = windowHandle())
        window->installEventFilter(this);
    QMetaObject::invokeMethod(this, [this] { FrameChanged(); }, Qt::QueuedConnection);
}

bool TCoverMakerMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose)
        FrameChanged();
    if (watched == CoverView)
        CoverViewInputDone(event);
    if (watched == ImageTextEdit && TextBoxUndoKey(event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void TCoverMakerMainForm::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    FrameChanged();
    if (m_shown && windowState() == Qt::WindowNoState)
        m_outerBounds = OuterBounds();
}

void TCoverMakerMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FrameChanged();
    if (m_shown && windowState() == Qt::WindowNoState)
        m_outerBounds = OuterBounds();
}
