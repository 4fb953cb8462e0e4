// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverController.h"

#include "BuiltInTexts.h"
#include "CoverFile.h"
#include "CoverLayout.h"
#include "CoverSteps.h"
#include "ReasonTexts.h"
#include "VelmoraError.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QUndoStack>

namespace {

constexpr int CannotOpenText = 209;
constexpr int CannotRestoreText = 212;
constexpr int LostPicturesText = 275;
constexpr int NewCoverStep = 233;
constexpr int ChangeStep = 238;

// How long after a change the recovery copy is written: often enough to
// lose little, seldom enough to cost nothing while the user works.
constexpr int RecoveryDelayMs = 2000;

// Runs work; what it raises comes back as the outcome's text.
TOutcome Captured(const std::function<void()> &work)
{
    bool cancelled = false;
    const QString error = ErrorTextOf([&] {
        try {
            work();
        } catch (const ECancelled &) {
            cancelled = true;
        }
    });
    if (cancelled)
        return TOutcome::Cancel();
    return error.isEmpty() ? TOutcome{} : TOutcome::Failed(error);
}

} // namespace

TCoverController::TCoverController(const QString &recoveryDir, QObject *parent)
    : QObject(parent), m_document(std::make_unique<TCoverDocument>()),
      m_steps(new QUndoStack(this))
{
    if (!recoveryDir.isEmpty()) {
        m_recovery = std::make_unique<TCoverRecovery>(recoveryDir);
        // Told on the writer's thread; heard on this one.
        m_recovery->SetOnWritten([this](const QString &why) {
            QMetaObject::invokeMethod(
                this, [this, why] { Q_EMIT RecoveryWritten(why); }, Qt::QueuedConnection);
        });
    }
    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setSingleShot(true);
    m_recoveryTimer->setInterval(RecoveryDelayMs);
    connect(m_recoveryTimer, &QTimer::timeout, this, [this] { WriteRecoveryCopy(); });
    connect(m_steps, &QUndoStack::indexChanged, this, [this] { Q_EMIT StepsChanged(); });
    connect(m_steps, &QUndoStack::cleanChanged, this, [this](bool clean) {
        // Undone back to what is saved: nothing is left to recover.
        if (clean && !m_neverSaved && !IsModified() && m_recovery)
            m_recovery->Discard();
        Q_EMIT TitleChanged();
    });
    m_document->OnChanged = [this] { DocumentChanged(); };
    ForgetSteps();
    m_steps->setClean();
}

TCoverController::~TCoverController()
{
    // No word of a write may reach this object as it goes: one being told
    // is waited for.
    if (m_recovery) {
        m_recovery->SetOnWritten(nullptr);
        m_recovery->Wait();
    }
    // The steps go before the document their applying reaches.
    m_document->OnChanged = nullptr;
    delete m_steps;
    m_steps = nullptr;
}

void TCoverController::SetTexts(std::function<QString(int)> texts)
{
    m_texts = std::move(texts);
}

QString TCoverController::Text(int number) const
{
    const QString text = m_texts ? m_texts(number) : QString();
    return text.isEmpty() ? BuiltInText(number) : text;
}

void TCoverController::StartAfresh()
{
    ForgetSteps();
    MarkUnmodified();
    Q_EMIT StepsChanged();
}

bool TCoverController::IsModified() const
{
    return m_neverSaved || !m_steps->isClean() || m_document->Revision() != m_committedRevision;
}

TCoverFileContent TCoverController::Content() const
{
    TCoverFileContent content;
    content.State = m_document->State();
    content.SelectedArea = m_selectedArea;
    content.OffsetPixelsPerCm = OffsetUnits();
    return content;
}

bool TCoverController::Shown(int32_t area) const
{
    return area >= 1 && area <= (m_document->Mode() == CoverMode::Multiple ? 3 : 1);
}

bool TCoverController::HasPicture(int32_t area) const
{
    if (!Shown(area))
        return false;
    const QSize p = m_document->PictureSize(area);
    return p.width() > 0 && p.height() > 0;
}

TOutcome TCoverController::Step(int nameText, int mergeKey, const std::function<void()> &work)
{
    ++m_depth;
    TOutcome outcome = Captured(work);
    // What the work changed before an error is one step all the same.
    if (--m_depth == 0) {
        const TOutcome committed = Captured([&] { CommitStep(nameText, mergeKey); });
        if (outcome.Error.isEmpty())
            outcome.Error = committed.Error;
    }
    return outcome;
}

void TCoverController::RenameSteps()
{
    // The stack hands its steps out read-only; they are ours all the same.
    for (int i = 0; i < m_steps->count(); ++i) {
        auto *step = const_cast<QUndoCommand *>(m_steps->command(i));
        step->setText(Text(static_cast<TCoverStep *>(step)->NameText()));
    }
}

void TCoverController::CommitStep(int nameText, int mergeKey)
{
    if (m_applyingStep || m_document->Revision() == m_committedRevision)
        return;
    TCoverFileContent after = Content();
    // QUndoStack merges no step into the state the file was saved in, so
    // that undoing back to it finds it.
    m_steps->push(new TCoverStep(nameText, Text(nameText), mergeKey, m_committed, after,
                                 [this](const TCoverFileContent &c) { ApplyStep(c); }));
    m_committed = after;
    m_committedRevision = m_document->Revision();
}

void TCoverController::CommitGesture(int nameText, int mergeKey)
{
    Step(nameText, mergeKey, [] {});
}

TOutcome TCoverController::Batch(int nameText, const std::function<void()> &work)
{
    return Step(nameText, -1, work);
}

void TCoverController::WithdrawLastStep()
{
    const int index = m_steps->index();
    if (index == 0)
        return;
    m_steps->undo();
    // A step made obsolete is dropped, not redone, when the stack is asked
    // to redo it.
    const_cast<QUndoCommand *>(m_steps->command(index - 1))->setObsolete(true);
    m_steps->redo();
    // The stack says nothing of a step it drops: there is nothing to redo.
    Q_EMIT StepsChanged();
}

void TCoverController::ForgetSteps()
{
    m_steps->clear();
    m_committed = Content();
    m_committedRevision = m_document->Revision();
}

void TCoverController::ApplyStep(const TCoverFileContent &content)
{
    ApplyContent(content);
    m_committed = Content();
    m_committedRevision = m_document->Revision();
    Q_EMIT TitleChanged();
    DocumentChanged();
}

int32_t TCoverController::OffsetUnits() const
{
    const int32_t ppcm = m_layout ? m_layout->OffsetPixelsPerCm() : m_offsetUnits;
    return ppcm > 0 ? ppcm : NoPrinterPixelsPerCm;
}

bool TCoverController::Fits(const TCoverFileContent &content, QString &why) const
{
    // Checked before anything is shown: a cover half shown and then refused
    // would leave neither the old one nor the new.
    const TOutcome rescaled = Captured([&] {
        for (const TAreaState &a : content.State.Areas)
            RescaledOffset(a.Offset, content.OffsetPixelsPerCm, OffsetUnits());
    });
    if (!rescaled.Ok())
        why = Text(PictureTooFarReason);
    return rescaled.Ok();
}

void TCoverController::ApplyContent(const TCoverFileContent &content)
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
    const int32_t now = OffsetUnits();
    if (content.OffsetPixelsPerCm > 0 && content.OffsetPixelsPerCm != now) {
        for (TAreaState &a : state.Areas)
            a.Offset = RescaledOffset(a.Offset, content.OffsetPixelsPerCm, now);
    }
    m_document->SetState(state);
    // An area the cover does not show cannot stay selected.
    m_selectedArea = Shown(content.SelectedArea) ? content.SelectedArea : -1;
    Q_EMIT CoverReplaced();
}

void TCoverController::ShowContent(const TCoverFileContent &content, const QString &fileName,
                                   bool saved)
{
    ApplyContent(content);
    ForgetSteps();
    m_fileName = fileName;
    if (saved) {
        MarkUnmodified();
    } else {
        m_neverSaved = true; // restored changes are unsaved
        Q_EMIT TitleChanged();
        DocumentChanged();
    }
    Q_EMIT StepsChanged();
}

void TCoverController::MarkUnmodified()
{
    CommitStep(ChangeStep); // what was not yet a step is part of what was saved
    m_steps->setClean();
    m_neverSaved = false;
    m_recoveryTimer->stop();
    if (m_recovery)
        m_recovery->Discard();
    Q_EMIT TitleChanged();
}

void TCoverController::DocumentChanged()
{
    if (IsModified() && m_recovery && !m_recoveryTimer->isActive())
        m_recoveryTimer->start();
    Q_EMIT Changed();
}

void TCoverController::WriteRecoveryCopy()
{
    m_recoveryTimer->stop();
    if (IsModified() && m_recovery)
        m_recovery->Write(Content(), m_fileName);
}

void TCoverController::DiscardRecoveryCopy()
{
    m_recoveryTimer->stop();
    if (m_recovery)
        m_recovery->Discard();
}

TOutcome TCoverController::NewCover(const CoverSize &size, CoverMode mode)
{
    const TOutcome outcome = Step(NewCoverStep, -1, [&] {
        m_document->Reset();
        m_document->SetMode(mode);
        m_document->SetCoverSize(size);
        m_selectedArea = -1;
    });
    // A new cover has no file, and nothing to save until it is changed.
    m_fileName.clear();
    MarkUnmodified();
    Q_EMIT CoverReplaced();
    return outcome;
}

TOutcome TCoverController::Open(const QString &fileName, const std::function<bool()> &mayReplace)
{
    TCoverFileContent content;
    QString why;
    bool opened = false;
    const TOutcome read =
        Captured([&] { opened = OpenCoverFile(fileName, content, why, m_progress); });
    if (read.Cancelled)
        return TOutcome::Cancel();
    if (!read.Ok())
        why = read.Error;
    if (!opened || !Fits(content, why))
        return TOutcome::Failed(Text(CannotOpenText).arg(QDir::toNativeSeparators(fileName)) +
                                QStringLiteral("\n\n") + why);
    // Asked once the file is known to open: a file that does not leaves
    // the cover as it was, with nothing to decide.
    if (mayReplace && !mayReplace())
        return TOutcome::Cancel();
    // Whatever showing it raises is still about this file.
    const TOutcome shown =
        Captured([&] { ShowContent(content, QFileInfo(fileName).absoluteFilePath(), true); });
    if (!shown.Ok())
        return TOutcome::Failed(Text(CannotOpenText).arg(QDir::toNativeSeparators(fileName)) +
                                QStringLiteral("\n\n") + shown.Error);
    return {};
}

TOutcome TCoverController::Save(const QString &fileName)
{
    const TOutcome saved = Captured([&] { SaveCoverFile(fileName, Content()); });
    if (!saved.Ok())
        return saved;
    m_fileName = QFileInfo(fileName).absoluteFilePath();
    MarkUnmodified();
    return {};
}

TCoverRenderer TCoverController::Renderer() const
{
    return TCoverRenderer(*m_document, OffsetUnits());
}

TOutcome TCoverController::ExportPdf(const QString &fileName, const TPrintExtras &extras)
{
    return Captured([&] { Renderer().ExportPdf(fileName, extras, m_progress); });
}

TOutcome TCoverController::Print(QPrinter &printer, const TPrintExtras &extras)
{
    return Captured([&] { Renderer().Print(printer, extras, m_progress); });
}

TOutcome TCoverController::Restore(const TCoverRecovery::TLeftCopy &copy)
{
    if (!m_recovery)
        return TOutcome::Cancel();
    TCoverFileContent content;
    QString why;
    QStringList lost;
    if (!m_recovery->Restore(copy, content, why, &lost) || !Fits(content, why))
        return TOutcome::Failed(Text(CannotRestoreText) + QStringLiteral("\n\n") + why);
    ShowContent(content, copy.CoverFile, false);
    TOutcome restored;
    if (!lost.isEmpty())
        restored.Notice = Text(LostPicturesText).arg(lost.join(QStringLiteral("; ")));
    return restored;
}

TOutcome TCoverController::Undo()
{
    const TOutcome committed = Step(ChangeStep, -1, [] {}); // what was not yet a step first
    const TOutcome undone = Captured([this] { m_steps->undo(); });
    return committed.Ok() ? undone : committed;
}

TOutcome TCoverController::Redo()
{
    return Captured([this] { m_steps->redo(); });
}

bool TCoverController::IsCoverFile(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(CoverFileExtension), Qt::CaseInsensitive);
}

