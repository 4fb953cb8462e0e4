// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu: undo and redo over whole steps of the cover, copy and paste
// of pictures, and files dropped on the window.
#include "CMMainWindow.h"

#include "BuiltInTexts.h"
#include "BusyCursor.h"
#include "CoverFile.h"
#include "CoverRecovery.h"
#include "CoverSteps.h"
#include "CoverView.h"
#include "GraphicKinds.h"
#include "MessageBoxes.h"
#include "PictureLoading.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

namespace {

constexpr int EditText = 213;
constexpr int UndoStepText = 214;
constexpr int UndoText = 215;
constexpr int RedoStepText = 216;
constexpr int RedoText = 217;
constexpr int CopyText = 218;
constexpr int PasteText = 219;
constexpr int ChangePictureStep = 220;
constexpr int ClearPictureStep = 221;
constexpr int MovePictureStep = 222;
constexpr int ZoomInStep = 223;
constexpr int ZoomOutStep = 224;
constexpr int CentrePictureStep = 225;
constexpr int PictureViewStep = 226;
constexpr int BackgroundStep = 227;
constexpr int TypingStep = 228;
constexpr int FontStep = 229;
constexpr int AlignmentStep = 230;
constexpr int OrientationStep = 231;
constexpr int PositionStep = 232;
constexpr int NewCoverStep = 233;
constexpr int LayoutStep = 234;
constexpr int PastePictureStep = 235;
constexpr int DropPicturesStep = 236;
constexpr int NoPictureText = 237;
constexpr int ChangeStep = 238;

// Typing in one area merges into one step; any other step ends it.
constexpr int TypingMergeKey = 100;

using THandler = void (TCoverMakerMainForm::*)();

// The step each command makes of its change.
int StepText(THandler handler)
{
    using F = TCoverMakerMainForm;
    const std::pair<THandler, int> steps[] = {
        {&F::ChangeButtonClick, ChangePictureStep}, {&F::AreaDblClicked, ChangePictureStep},
        {&F::ClearButtonClick, ClearPictureStep},   {&F::ZoomInButtonClick, ZoomInStep},
        {&F::ZoomOutButtonClick, ZoomOutStep},      {&F::CenterButtonClick, CentrePictureStep},
        {&F::ImageViewClick, PictureViewStep},      {&F::Stretch1Click, PictureViewStep},
        {&F::Autosize1Click, PictureViewStep},      {&F::UserDefined1Click, PictureViewStep},
        {&F::BGColorButtonClick, BackgroundStep},   {&F::ImageTextEditChange, TypingStep},
        {&F::FontButtonClick, FontStep},            {&F::AlignRadioClick, AlignmentStep},
        {&F::TextOrientRadioClick, OrientationStep}, {&F::TextPosRadioClick, PositionStep},
        {&F::New1Click, NewCoverStep},              {&F::SingleButtonClick, LayoutStep},
        {&F::MultiButtonClick, LayoutStep},         {&F::Paste1Click, PastePictureStep},
    };
    for (const auto &[h, text] : steps)
        if (h == handler)
            return text;
    return ChangeStep;
}

// Picture kinds by the MIME type a clipboard holds them under.
const std::pair<const char *, const char *> MimeKinds[] = {
    {"image/jpeg", "jpg"},   {"image/bmp", "bmp"},   {"image/gif", "gif"},
    {"image/x-icon", "ico"}, {"image/x-wmf", "wmf"}, {"image/x-emf", "emf"},
    {"image/png", "png"},    {"image/webp", "webp"}, {"image/tiff", "tif"},
};

QString KindOfMime(const QString &mime)
{
    for (const auto &[type, kind] : MimeKinds)
        if (mime == QLatin1String(type))
            return QLatin1String(kind);
    return QString();
}

QString MimeOfKind(const QString &kind)
{
    // A kind's other extensions share its type.
    const QString k = kind == QLatin1String("jpeg")   ? QStringLiteral("jpg")
                      : kind == QLatin1String("tiff") ? QStringLiteral("tif")
                                                      : kind;
    for (const auto &[type, known] : MimeKinds)
        if (k == QLatin1String(known))
            return QLatin1String(type);
    return QString();
}

bool IsPictureFile(const QString &fileName)
{
    return bool(PictureForExtension(UpperCaseAscii(ExtractFileExt(fileName))));
}

} // namespace

std::function<void()> TCoverMakerMainForm::Command(void (TCoverMakerMainForm::*handler)())
{
    // The step is taken whether or not the command ends in an error: what it
    // changed before is undone as one.
    // A command run by another (the text box emptied as the layout changes)
    // is part of that one's step.
    return [this, handler] {
        ++m_commandDepth;
        Run([this, handler] { (this->*handler)(); });
        if (--m_commandDepth > 0)
            return;
        const int area = CoverView ? CoverView->SelectedArea : -1;
        Run([this, handler, area] {
            CommitStep(StepText(handler), handler == &TCoverMakerMainForm::ImageTextEditChange
                                              ? TypingMergeKey + area
                                              : -1);
        });
    };
}

void TCoverMakerMainForm::CreateEditMenu()
{
    Edit1 = new QMenu(QStringLiteral("Edit"), this);
    menuBar()->insertMenu(Configure1->menuAction(), Edit1);
    Undo1 = Edit1->addAction(QStringLiteral("Undo"));
    Undo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Redo1 = Edit1->addAction(QStringLiteral("Redo"));
    Redo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                         QKeySequence(Qt::CTRL | Qt::Key_Y)});
    Edit1->addSeparator();
    Copy1 = Edit1->addAction(QStringLiteral("Copy"));
    Copy1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    Paste1 = Edit1->addAction(QStringLiteral("Paste"));
    Paste1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    connect(Undo1, &QAction::triggered, this, [this] { Run([this] { Undo1Click(); }); });
    connect(Redo1, &QAction::triggered, this, [this] { Run([this] { Redo1Click(); }); });
    connect(Copy1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Copy1Click));
    connect(Paste1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Paste1Click));

    m_undo = new QUndoStack(this);
    const auto captions = [this] { Run([this] { ApplyEditTexts(); }); };
    connect(m_undo, &QUndoStack::indexChanged, this, captions);
    connect(m_undo, &QUndoStack::cleanChanged, this, [this](bool clean) {
        Run([this, clean] {
            UpdateTitle();
            // Undone back to what is saved: nothing is left to recover.
            if (clean && !m_neverSaved && !IsModified())
                m_recovery->Discard();
        });
    });
    CoverView->installEventFilter(this);
    ApplyEditTexts();
}

void TCoverMakerMainForm::ApplyEditTexts()
{
    if (!m_undo)
        return; // the language is applied once before the menu is made
    Edit1->setTitle(UiText(EditText));
    Undo1->setText(m_undo->canUndo() ? UiText(UndoStepText).arg(m_undo->undoText())
                                     : UiText(UndoText));
    Redo1->setText(m_undo->canRedo() ? UiText(RedoStepText).arg(m_undo->redoText())
                                     : UiText(RedoText));
    Undo1->setEnabled(m_undo->canUndo());
    Redo1->setEnabled(m_undo->canRedo());
    Copy1->setText(UiText(CopyText));
    Paste1->setText(UiText(PasteText));
    PastePicture1->setText(UiText(PasteText));
}

void TCoverMakerMainForm::Edit1Click()
{
    // Kept up to date with the selection, so that the shortcuts work as the
    // menu shows.
    Copy1->setEnabled(!CoverView->IsAreaEmpty(CoverView->SelectedArea));
    Paste1->setEnabled(CoverView->SelectedArea != -1);
}

void TCoverMakerMainForm::CommitStep(int nameText, int mergeKey)
{
    if (m_applyingStep || !m_undo || m_document->Revision() == m_committedRevision)
        return;
    TCoverFileContent after = Content();
    // A step never merges into the state the file was saved in: undoing
    // back to it must find it.
    if (m_undo->isClean())
        mergeKey = -1;
    m_undo->push(new TCoverStep(UiText(nameText), mergeKey, m_committed, after,
                                [this](const TCoverFileContent &c) { ApplyStep(c); }));
    m_committed = after;
    m_committedRevision = m_document->Revision();
    // The step's name is in the language the step was made in.
    ApplyEditTexts();
}

void TCoverMakerMainForm::ForgetSteps()
{
    m_undo->clear();
    m_committed = Content();
    m_committedRevision = m_document->Revision();
    ApplyEditTexts();
}

void TCoverMakerMainForm::ApplyStep(const TCoverFileContent &content)
{
    ApplyContent(content);
    m_committed = Content();
    m_committedRevision = m_document->Revision();
    UpdateTitle();
    DocumentChanged();
}

void TCoverMakerMainForm::ApplyContent(const TCoverFileContent &content)
{
    m_applyingStep = true;
    struct TDone
    {
        bool &Flag;
        ~TDone() { Flag = false; }
    } done{m_applyingStep};
    TDocumentState state = content.State;
    // Offsets are in the pixels of the printer they were made with: on this
    // one the picture lands where it was on paper.
    const int32_t now = CoverView->PrinterPixelsPerCm;
    if (now > 0 && content.OffsetPixelsPerCm > 0 && content.OffsetPixelsPerCm != now) {
        for (TAreaState &a : state.Areas)
            a.Offset = RescaledOffset(a.Offset, content.OffsetPixelsPerCm, now);
    }
    m_document->SetState(state);
    const bool multiple = state.Mode == CoverMode::Multiple;
    (multiple ? MultiButton : SingleButton)->setChecked(true);
    // An area the cover does not show cannot stay selected.
    CoverView->SelectArea(content.SelectedArea <= (multiple ? 3 : 1) ? content.SelectedArea : -1);
    SelectionChanged();
}

void TCoverMakerMainForm::Undo1Click()
{
    CommitStep(ChangeStep); // what was not yet a step becomes one first
    m_undo->undo();
}

void TCoverMakerMainForm::Redo1Click()
{
    m_undo->redo();
}

void TCoverMakerMainForm::Copy1Click()
{
    const int32_t area = CoverView->SelectedArea;
    if (CoverView->IsAreaEmpty(area))
        return;
    const auto picture = m_document->PlacedPicture(area);
    auto *data = new QMimeData;
    data->setImageData(picture->Bitmap);
    // The very file too, for programs (and Velmora) that take it.
    const QString mime = MimeOfKind(picture->FileKind);
    if (!mime.isEmpty())
        data->setData(mime, picture->FileBytes);
    QGuiApplication::clipboard()->setMimeData(data);
}

void TCoverMakerMainForm::Paste1Click()
{
    const int32_t area = CoverView->SelectedArea;
    if (area == -1)
        return;
    if (!PlaceMimeData(area, QGuiApplication::clipboard()->mimeData()))
        m_setup.Messages->ShowError(this, QStringLiteral("Error"), UiText(NoPictureText));
}

bool TCoverMakerMainForm::PlacePictureFile(int32_t area, const QString &fileName)
{
    std::unique_ptr<TGraphic> picture;
    QString why;
    QByteArray bytes;
    {
        // Decoding a camera-sized photograph takes a moment.
        TBusyCursor busy;
        picture = LoadPictureKeepingFile(fileName, bytes, &why);
    }
    if (!picture) { // the Part's text first, then why, so that the user can act on it
        m_setup.Messages->ShowError(this, QStringLiteral("Error"),
                                    QStringLiteral("Error loading image\n\n") + why);
        return false;
    }
    CoverView->SetAreaPicture(area, picture.get(), bytes, ExtractFileExt(fileName).mid(1));
    UpdateImagePanel(area);
    return true;
}

bool TCoverMakerMainForm::PlaceMimeData(int32_t area, const QMimeData *data)
{
    if (!data)
        return false;
    // The picture's own file first, then a copied file, then the pixels.
    for (const QString &format : data->formats()) {
        const QString kind = KindOfMime(format);
        if (kind.isEmpty())
            continue;
        QString why;
        std::unique_ptr<TGraphic> picture;
        const QByteArray bytes = data->data(format);
        {
            TBusyCursor busy;
            picture = LoadPictureBytes(bytes, kind, &why);
        }
        if (picture) {
            CoverView->SetAreaPicture(area, picture.get(), bytes, kind);
            UpdateImagePanel(area);
            return true;
        }
    }
    for (const QUrl &url : data->urls())
        if (url.isLocalFile() && IsPictureFile(url.toLocalFile())) {
            PlacePictureFile(area, url.toLocalFile());
            return true; // placed, or its error already shown
        }
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull() && PictureSizeAllowed(image.width(), image.height())) {
            CoverView->SetAreaPicture(area, &image);
            UpdateImagePanel(area);
            return true;
        }
    }
    return false;
}

void TCoverMakerMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    const QMimeData *data = event->mimeData();
    bool wanted = data->hasImage();
    for (const QUrl &url : data->urls())
        wanted = wanted || (url.isLocalFile() && (IsCoverFile(url.toLocalFile()) ||
                                                  IsPictureFile(url.toLocalFile())));
    if (wanted)
        event->acceptProposedAction();
}

void TCoverMakerMainForm::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    QStringList files;
    for (const QUrl &url : data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    // Where the drop lands: the area under the pointer, else the selected
    // one, else the first.
    const QPoint at = CoverView->mapFrom(this, event->position().toPoint());
    int32_t area = -1;
    if (CoverView->rect().contains(at))
        area = CoverView->AreaAt(TPoint{at.x(), at.y()});
    if (area == -1)
        area = CoverView->SelectedArea != -1 ? CoverView->SelectedArea : 1;
    auto copy = std::make_shared<QMimeData>();
    for (const QString &format : data->formats())
        copy->setData(format, data->data(format));
    if (data->hasImage())
        copy->setImageData(data->imageData());
    event->acceptProposedAction();
    // Placed once the drop is over: the program that dragged must not wait
    // on a picture's decoding or on a question.
    QTimer::singleShot(0, this, [this, files, area, copy] {
        Run([&] { DropFiles(files, area, copy.get()); });
        Run([&] { CommitStep(DropPicturesStep); });
    });
}

void TCoverMakerMainForm::DropFiles(const QStringList &files, int32_t area, const QMimeData *data)
{
    if (files.size() == 1 && IsCoverFile(files.first())) {
        OpenCover(files.first());
        return;
    }
    const int32_t count = m_document->Mode() == CoverMode::Multiple ? 3 : 1;
    CoverView->SelectArea(area);
    QStringList pictures;
    for (const QString &file : files)
        if (IsPictureFile(file))
            pictures << file;
    if (pictures.isEmpty()) {
        PlaceMimeData(area, data);
        return;
    }
    // Several pictures go on the areas in order from the one dropped on.
    for (int i = 0; i < pictures.size() && area + i <= count; ++i)
        PlacePictureFile(area + i, pictures[i]);
}

bool TCoverMakerMainForm::IsCoverFile(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(CoverFileExtension), Qt::CaseInsensitive);
}

void TCoverMakerMainForm::CoverViewInputDone(QEvent *event)
{
    // A whole drag, or a zoom from the keypad, is one step once the view
    // has handled it.
    int step = -1;
    if (event->type() == QEvent::MouseButtonRelease)
        step = MovePictureStep;
    else if (event->type() == QEvent::KeyPress)
        step = static_cast<QKeyEvent *>(event)->key() == Qt::Key_Plus ? ZoomInStep : ZoomOutStep;
    if (step != -1)
        QTimer::singleShot(0, this, [this, step] { Run([&] { CommitStep(step); }); });
}
