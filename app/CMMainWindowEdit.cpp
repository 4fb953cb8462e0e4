// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu: undo and redo over whole steps of the cover, copy and paste
// of pictures, and files dropped on the window.
#include "CMMainWindow.h"

#include "BusyCursor.h"
#include "CoverView.h"
#include "MessageBoxes.h"

#include <QAction>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QUndoStack>

namespace {

constexpr int EditText = 213;
constexpr int UndoStepText = 214;
constexpr int UndoText = 215;
constexpr int RedoStepText = 216;
constexpr int RedoText = 217;
constexpr int CopyText = 218;
constexpr int PasteText = 219;
constexpr int MovePictureStep = 222;
constexpr int ZoomInStep = 223;
constexpr int ZoomOutStep = 224;

} // namespace

std::function<void()> TCoverMakerMainForm::Command(void (TCoverMakerMainForm::*handler)())
{
    // Each command makes its step through the controller; here its error
    // is shown.
    return [this, handler] { Run([this, handler] { (this->*handler)(); }); };
}

void TCoverMakerMainForm::Show(const TOutcome &outcome)
{
    if (!outcome.Error.isEmpty())
        m_setup.Messages->ShowError(this, UiText(ErrorCaptionText), outcome.Error);
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
    connect(Undo1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Undo1Click));
    connect(Redo1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Redo1Click));
    connect(Copy1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Copy1Click));
    connect(Paste1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Paste1Click));
    CoverView->installEventFilter(this);
    ImageTextEdit->installEventFilter(this);
    ApplyEditTexts();
}

bool TCoverMakerMainForm::TextBoxUndoKey(QEvent *event)
{
    // The text box's own history would be a second one beside the cover's:
    // its undo keys are the cover's Undo and Redo, whose typing step is the
    // box's typing.
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    QAction *action = key->matches(QKeySequence::Undo)   ? Undo1
                      : key->matches(QKeySequence::Redo) ? Redo1
                                                         : nullptr;
    if (!action)
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->ignore(); // the box does not claim it: the menu's shortcut runs
        return true;
    }
    if (action->isEnabled())
        action->trigger();
    return true;
}

void TCoverMakerMainForm::StepsChanged()
{
    ApplyEditTexts();
}

void TCoverMakerMainForm::ApplyEditTexts()
{
    if (!Edit1)
        return; // the language is applied once before the menu is made
    const QUndoStack &steps = m_cover->Steps();
    Edit1->setTitle(UiText(EditText));
    Undo1->setText(steps.canUndo() ? UiText(UndoStepText).arg(steps.undoText())
                                   : UiText(UndoText));
    Redo1->setText(steps.canRedo() ? UiText(RedoStepText).arg(steps.redoText())
                                   : UiText(RedoText));
    Undo1->setEnabled(steps.canUndo());
    Redo1->setEnabled(steps.canRedo());
    Copy1->setText(UiText(CopyText));
    Paste1->setText(UiText(PasteText));
    PastePicture1->setText(UiText(PasteText));
}

void TCoverMakerMainForm::Edit1Click()
{
    // Kept up to date with the selection, so that the shortcuts work as the
    // menu shows.
    Copy1->setEnabled(!CoverView->IsAreaEmpty(CoverView->SelectedArea()));
    Paste1->setEnabled(CoverView->SelectedArea() != -1);
}

void TCoverMakerMainForm::Undo1Click()
{
    Show(m_cover->Undo());
}

void TCoverMakerMainForm::Redo1Click()
{
    Show(m_cover->Redo());
}

void TCoverMakerMainForm::Copy1Click()
{
    if (QMimeData *data = m_cover->PictureData(CoverView->SelectedArea()))
        QGuiApplication::clipboard()->setMimeData(data);
}

void TCoverMakerMainForm::Paste1Click()
{
    const int32_t area = CoverView->SelectedArea();
    if (area == -1)
        return;
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    // Text pasted on a selected block: a list of tracks becomes its rows,
    // any other text is its text.
    const int block = CoverView->SelectedBlock();
    if (block != -1 && data && data->hasText() && !data->hasImage() && !data->hasUrls()) {
        const QString rows = TrackRowsFromText(data->text());
        Show(m_cover->SetTextBlockText(CoverView->SelectedBlockArea(), block,
                                       rows.isEmpty() ? data->text() : rows));
        return;
    }
    TBusyCursor busy;
    Show(m_cover->PlaceMimeData(area, data));
}

void TCoverMakerMainForm::PlacePictureFile(int32_t area, const QString &fileName)
{
    TOutcome placed;
    {
        // Decoding a camera-sized photograph takes a moment.
        TBusyCursor busy;
        placed = m_cover->PlacePicture(area, fileName);
    }
    Show(placed);
}

void TCoverMakerMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    const QMimeData *data = event->mimeData();
    bool wanted = data->hasImage();
    for (const QUrl &url : data->urls())
        wanted = wanted || (url.isLocalFile() &&
                            (TCoverController::IsCoverFile(url.toLocalFile()) ||
                             TCoverController::IsPictureFile(url.toLocalFile())));
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
        area = CoverView->SelectedArea() != -1 ? CoverView->SelectedArea() : 1;
    auto copy = std::make_shared<QMimeData>();
    for (const QString &format : data->formats())
        copy->setData(format, data->data(format));
    if (data->hasImage())
        copy->setImageData(data->imageData());
    event->acceptProposedAction();
    // Placed once the drop is over: the program that dragged must not wait
    // on a picture's decoding or on a question.
    QTimer::singleShot(0, this,
                       [this, files, area, copy] { Run([&] { DropFiles(files, area, copy.get()); }); });
}

void TCoverMakerMainForm::DropFiles(const QStringList &files, int32_t area, const QMimeData *data)
{
    if (files.size() == 1 && TCoverController::IsCoverFile(files.first())) {
        OpenCover(files.first());
        return;
    }
    CoverView->SelectArea(area);
    bool pictures = false;
    for (const QString &file : files)
        pictures = pictures || TCoverController::IsPictureFile(file);
    TBusyCursor busy;
    Show(pictures ? m_cover->PlacePictureFiles(area, files) : m_cover->PlaceMimeData(area, data));
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
        QTimer::singleShot(0, this, [this, step] { m_cover->CommitGesture(step); });
}
