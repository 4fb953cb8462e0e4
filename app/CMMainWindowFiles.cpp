// SPDX-License-Identifier: GPL-3.0-or-later
// Cover files: open, save, the recent covers, unsaved changes, dropped files
// and recovery copies.
#include "CMMainWindow.h"

#include "BuiltInTexts.h"
#include "BusyCursor.h"
#include "CoverFile.h"
#include "CoverFileChooser.h"
#include "CoverView.h"
#include "MessageBoxes.h"
#include "ProgramOptions.h"
#include "WorkProgressDialog.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QToolButton>

namespace {

constexpr int OpenText = 203;
constexpr int CancelText = 78;
constexpr int OpeningText = 353;
constexpr int SaveText = 204;
constexpr int SaveAsText = 205;
constexpr int UntitledText = 270;
constexpr int DamagedCopiesText = 272;
constexpr int RecoveryOffText = 273;
constexpr int RemoveCopyText = 274;
constexpr int CoverFilesText = 206;
constexpr int SaveChangesToText = 207;
constexpr int SaveChangesText = 208;
constexpr int RestoreText = 210;
constexpr int NewCoverText = 211;

} // namespace

void TCoverMakerMainForm::CreateFileMenu()
{
    if (!m_setup.CoverFiles) {
        m_ownCoverFiles = std::make_unique<TQtCoverFileChooser>();
        m_setup.CoverFiles = m_ownCoverFiles.get();
    }
    Open1 = new QAction(QStringLiteral("Open..."), this);
    Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Save1 = new QAction(QStringLiteral("Save"), this);
    Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAs1 = new QAction(QStringLiteral("Save As..."), this);
    SaveAs1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    // After New..., before Print...
    Cover1->insertActions(Print1, {Open1, Save1, SaveAs1});
    Cover1->insertSeparator(Print1);
    connect(Open1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Open1Click));
    connect(Save1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Save1Click));
    connect(SaveAs1, &QAction::triggered, this, Command(&TCoverMakerMainForm::SaveAs1Click));
    const QList<QAction *> items = Cover1->actions();
    QAction *exitSeparator = items.at(items.indexOf(Exit1) - 1);
    for (int i = 0; i < TProgramOptions::MaxRecent; ++i) {
        auto *item = new QAction(this);
        item->setVisible(false);
        Cover1->insertAction(exitSeparator, item);
        connect(item, &QAction::triggered, this,
                [this, i] { Run([this, i] { RecentItemClick(i); }); });
        RecentItems << item;
    }
    Cover1->insertSeparator(exitSeparator)->setVisible(false);

    setAcceptDrops(true);
}

void TCoverMakerMainForm::ApplyFileTexts()
{
    Open1->setText(UiText(OpenText));
    Save1->setText(UiText(SaveText));
    SaveAs1->setText(UiText(SaveAsText));
    UpdateTitle();
}

QString TCoverMakerMainForm::FileFilter() const
{
    return UiText(CoverFilesText) + QStringLiteral(" (*") + QLatin1String(CoverFileExtension) +
           QLatin1Char(')');
}

void TCoverMakerMainForm::UpdateTitle()
{
    // As Qt's programs name their documents: a cover of no file is
    // "Untitled", and either shows the mark while it has changes.
    const QString file = m_cover->FileName();
    setWindowTitle((file.isEmpty() ? UiText(UntitledText) : QFileInfo(file).fileName()) +
                   QStringLiteral("[*] - ") + ProgramCaption());
    ShowModifiedMark();
}

void TCoverMakerMainForm::ShowModifiedMark()
{
    const bool modified = m_cover->IsModified();
    setWindowModified(modified);
    // Nothing to save until something changed.
    if (Save1)
        Save1->setEnabled(modified);
}

bool TCoverMakerMainForm::OpenCover(const QString &fileName)
{
    TOutcome opened;
    {
        TBusyCursor busy;
        TWorkProgressDialog progress(this, *m_cover, UiText(OpeningText), UiText(CancelText));
        opened = m_cover->Open(fileName, [this] {
            TBusyCursor::Pause pause;
            return ConfirmDiscardChanges();
        });
    }
    Show(opened);
    if (!opened.Ok())
        return false;
    AddRecent(m_cover->FileName());
    return true;
}

void TCoverMakerMainForm::Open1Click()
{
    QString fileName = m_cover->FileName();
    if (m_setup.CoverFiles->ChooseOpen(this, TitleOf(UiText(OpenText)), FileFilter(), fileName))
        OpenCover(fileName);
}

void TCoverMakerMainForm::Save1Click()
{
    if (m_cover->FileName().isEmpty())
        SaveAs1Click();
    else
        SaveCover(m_cover->FileName());
}

void TCoverMakerMainForm::SaveAs1Click()
{
    QString fileName = m_cover->FileName();
    if (m_setup.CoverFiles->ChooseSave(this, TitleOf(UiText(SaveAsText)), FileFilter(), fileName))
        SaveCover(fileName);
}

bool TCoverMakerMainForm::SaveCover(const QString &fileName)
{
    TOutcome saved;
    {
        TBusyCursor busy;
        saved = m_cover->Save(fileName);
    }
    Show(saved);
    if (saved.Ok())
        AddRecent(m_cover->FileName());
    return saved.Ok();
}

bool TCoverMakerMainForm::ConfirmDiscardChanges()
{
    if (!m_cover->IsModified())
        return true;
    const QString file = m_cover->FileName();
    const QString text = file.isEmpty() ? UiText(SaveChangesText)
                                        : UiText(SaveChangesToText).arg(QFileInfo(file).fileName());
    switch (m_setup.Messages->AskSaveChanges(this, ProgramCaption(), text)) {
    case TSaveAnswer::Discard:
        return true;
    case TSaveAnswer::Cancel:
        return false;
    case TSaveAnswer::Save:
        break;
    }
    // A save that fails or is cancelled keeps the cover: nothing is lost.
    Run([&] { Save1Click(); });
    return !m_cover->IsModified();
}

void TCoverMakerMainForm::RecentItemClick(int index)
{
    const QString fileName = m_recent.value(index);
    if (fileName.isEmpty())
        return;
    if (!OpenCover(fileName) && !QFileInfo(fileName).isFile()) {
        // A cover that is gone stays off the list.
        m_recent.removeAll(fileName);
        StoreRecent();
    }
}

void TCoverMakerMainForm::AddRecent(const QString &fileName)
{
    m_recent.removeAll(fileName);
    m_recent.prepend(fileName);
    while (m_recent.size() > TProgramOptions::MaxRecent)
        m_recent.removeLast();
    StoreRecent();
}

void TCoverMakerMainForm::StoreRecent()
{
    ShowRecent();
    // Written at once, so that a crash keeps the list.
    TProgramOptions::WriteRecent(*m_setup.Options, m_recent);
    (void)m_setup.Options->Flush(); // the exit's write reports a store that fails
}

void TCoverMakerMainForm::ShowRecent()
{
    for (int i = 0; i < RecentItems.size(); ++i) {
        QAction *item = RecentItems[i];
        const QString file = m_recent.value(i);
        item->setVisible(!file.isEmpty());
        QString name = QFileInfo(file).fileName();
        item->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name.replace(
            QLatin1Char('&'), QStringLiteral("&&"))));
        item->setToolTip(QDir::toNativeSeparators(file));
        item->setStatusTip(item->toolTip());
    }
    // The separator after the list shows with it.
    const QList<QAction *> items = Cover1->actions();
    items.at(items.indexOf(Exit1) - 1)->setVisible(!m_recent.isEmpty());
}

void TCoverMakerMainForm::OpenFromCommandLine(const QStringList &files)
{
    if (files.isEmpty())
        return;
    // One cover at a time; a file manager may pass it as an address.
    const QUrl url(files.first());
    OpenCover(url.isLocalFile() ? url.toLocalFile() : files.first());
}

void TCoverMakerMainForm::OfferRecovery()
{
    TCoverRecovery *recovery = m_cover->Recovery();
    if (!recovery)
        return;
    const QList<TCoverRecovery::TLeftCopy> copies = recovery->LeftCopies();
    if (!recovery->MovedToDamaged().isEmpty())
        m_setup.Messages->ShowError(
            this, ProgramCaption(),
            UiText(DamagedCopiesText).arg(QDir::toNativeSeparators(recovery->DamagedFolder())));
    if (copies.isEmpty())
        return;
    const TCoverRecovery::TLeftCopy &copy = copies.first();
    const QString name =
        copy.CoverFile.isEmpty() ? UiText(NewCoverText) : QFileInfo(copy.CoverFile).fileName();
    const QString when = QLocale().toString(copy.Written, QLocale::ShortFormat);
    if (!m_setup.Messages->AskQuestion(this, ProgramCaption(),
                                       UiText(RestoreText).arg(name + QStringLiteral(", ") + when))) {
        recovery->Remove(copy);
        return;
    }
    const TOutcome restored = m_cover->Restore(copy);
    if (!restored.Error.isEmpty()) {
        // Kept unless the user says otherwise: it may restore elsewhere.
        if (m_setup.Messages->AskQuestion(this, ProgramCaption(),
                                          restored.Error + QStringLiteral("\n\n") +
                                              UiText(RemoveCopyText)))
            recovery->Remove(copy);
        return;
    }
    if (!restored.Notice.isEmpty())
        m_setup.Messages->ShowError(this, ProgramCaption(), restored.Notice);
}

void TCoverMakerMainForm::RecoveryWritten(const QString &why)
{
    // Said once while it lasts, in the status bar, where it stays until a
    // copy is written again.
    if (why.isEmpty()) {
        if (!m_recoveryProblem.isEmpty())
            statusBar()->clearMessage();
        m_recoveryProblem.clear();
        return;
    }
    if (why == m_recoveryProblem)
        return;
    m_recoveryProblem = why;
    statusBar()->showMessage(UiText(RecoveryOffText).arg(why));
}
