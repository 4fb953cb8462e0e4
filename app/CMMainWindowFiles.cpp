// SPDX-License-Identifier: GPL-3.0-or-later
// Cover files: open, save, the recent covers, unsaved changes, dropped files
// and recovery copies.
#include "CMMainWindow.h"

#include "BuiltInTexts.h"
#include "BusyCursor.h"
#include "CoverFile.h"
#include "CoverFileChooser.h"
#include "CoverRecovery.h"
#include "CoverView.h"
#include "MessageBoxes.h"
#include "ProgramOptions.h"
#include "VelmoraError.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

namespace {

constexpr int OpenText = 203;
constexpr int SaveText = 204;
constexpr int SaveAsText = 205;
constexpr int CoverFilesText = 206;
constexpr int SaveChangesToText = 207;
constexpr int SaveChangesText = 208;
constexpr int CannotOpenText = 209;
constexpr int RestoreText = 210;
constexpr int NewCoverText = 211;
constexpr int CannotRestoreText = 212;

constexpr int ChangeStepText = 238;

// How long after a change the recovery copy is written: often enough to
// lose little, seldom enough to cost nothing while the user works.
constexpr int RecoveryDelayMs = 2000;


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
    m_recovery = std::make_unique<TCoverRecovery>(
        !m_setup.RecoveryDir.isEmpty()
            ? m_setup.RecoveryDir
            : QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
                  .filePath(QStringLiteral("recovery")));
    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setSingleShot(true);
    m_recoveryTimer->setInterval(RecoveryDelayMs);
    connect(m_recoveryTimer, &QTimer::timeout, this, [this] { WriteRecoveryCopy(); });
}

void TCoverMakerMainForm::ApplyFileTexts()
{
    Open1->setText(UiText(OpenText));
    Save1->setText(UiText(SaveText));
    SaveAs1->setText(UiText(SaveAsText));
}

QString TCoverMakerMainForm::FileFilter() const
{
    return UiText(CoverFilesText) + QStringLiteral(" (*") + QLatin1String(CoverFileExtension) +
           QLatin1Char(')');
}

bool TCoverMakerMainForm::IsModified() const
{
    return m_document && (m_neverSaved || !m_undo->isClean() ||
                          m_document->Revision() != m_committedRevision);
}

void TCoverMakerMainForm::MarkUnmodified()
{
    CommitStep(ChangeStepText); // what was not yet a step is part of what was saved
    m_undo->setClean();
    m_neverSaved = false;
    m_recoveryTimer->stop();
    m_recovery->Discard();
    UpdateTitle();
}

void TCoverMakerMainForm::DocumentChanged()
{
    ShowModifiedMark();
    if (IsModified() && !m_recoveryTimer->isActive())
        m_recoveryTimer->start();
}

void TCoverMakerMainForm::UpdateTitle()
{
    // The mark shows only with a file: a cover of no file is "Velmora".
    setWindowTitle(m_fileName.isEmpty()
                       ? ProgramCaption()
                       : QFileInfo(m_fileName).fileName() + QStringLiteral("[*] - ") +
                             ProgramCaption());
    ShowModifiedMark();
}

void TCoverMakerMainForm::ShowModifiedMark()
{
    // Only a title with a file has the mark's place.
    setWindowModified(!m_fileName.isEmpty() && IsModified());
}

TCoverFileContent TCoverMakerMainForm::Content() const
{
    TCoverFileContent content;
    content.State = m_document->State();
    content.SelectedArea = CoverView->SelectedArea;
    content.OffsetPixelsPerCm = CoverView->PrinterPixelsPerCm > 0
                                    ? CoverView->PrinterPixelsPerCm
                                    : TCoverView::NoPrinterPixelsPerCm;
    return content;
}

void TCoverMakerMainForm::WriteRecoveryCopy()
{
    m_recoveryTimer->stop();
    if (IsModified())
        m_recovery->Write(Content(), m_fileName);
}

void TCoverMakerMainForm::ShowContent(const TCoverFileContent &content, const QString &fileName,
                                      bool saved)
{
    ApplyContent(content);
    ForgetSteps();
    m_fileName = fileName;
    if (saved) {
        MarkUnmodified();
    } else {
        m_neverSaved = true; // restored changes are unsaved
        UpdateTitle();
        DocumentChanged();
    }
}

bool TCoverMakerMainForm::OpenCover(const QString &fileName)
{
    TCoverFileContent content;
    QString why;
    bool opened = false;
    {
        TBusyCursor busy;
        opened = OpenCoverFile(fileName, content, why);
    }
    if (!opened) {
        m_setup.Messages->ShowError(this, QStringLiteral("Error"),
                                    UiText(CannotOpenText).arg(QDir::toNativeSeparators(fileName)) +
                                        QStringLiteral("\n\n") + why);
        return false;
    }
    // Asked once the file is known to open: a file that does not leaves
    // the cover as it was, with nothing to decide.
    if (!ConfirmDiscardChanges())
        return false;
    ShowContent(content, QFileInfo(fileName).absoluteFilePath(), true);
    AddRecent(m_fileName);
    return true;
}

void TCoverMakerMainForm::Open1Click()
{
    QString fileName = m_fileName;
    if (m_setup.CoverFiles->ChooseOpen(this, TitleOf(UiText(OpenText)), FileFilter(), fileName))
        OpenCover(fileName);
}

void TCoverMakerMainForm::Save1Click()
{
    if (m_fileName.isEmpty())
        SaveAs1Click();
    else
        SaveCover(m_fileName);
}

void TCoverMakerMainForm::SaveAs1Click()
{
    QString fileName = m_fileName;
    if (m_setup.CoverFiles->ChooseSave(this, TitleOf(UiText(SaveAsText)), FileFilter(), fileName))
        SaveCover(fileName);
}

void TCoverMakerMainForm::SaveCover(const QString &fileName)
{
    {
        TBusyCursor busy;
        SaveCoverFile(fileName, Content());
    }
    m_fileName = QFileInfo(fileName).absoluteFilePath();
    MarkUnmodified();
    AddRecent(m_fileName);
}

bool TCoverMakerMainForm::ConfirmDiscardChanges()
{
    if (!IsModified())
        return true;
    const QString text = m_fileName.isEmpty()
                             ? UiText(SaveChangesText)
                             : UiText(SaveChangesToText).arg(QFileInfo(m_fileName).fileName());
    switch (m_setup.Messages->AskSaveChanges(this, ProgramCaption(), text)) {
    case TSaveAnswer::Discard:
        return true;
    case TSaveAnswer::Cancel:
        return false;
    case TSaveAnswer::Save:
        break;
    }
    // A save that fails or is cancelled keeps the cover: nothing is lost.
    bool saved = false;
    Run([&] {
        Save1Click();
        saved = !IsModified();
    });
    return saved;
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

void TCoverMakerMainForm::OpenFromCommandLine(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument.startsWith(QLatin1Char('-')))
            continue; // an option of Qt's that it left
        const QUrl url(argument);
        OpenCover(url.isLocalFile() ? url.toLocalFile() : argument);
        return; // one cover at a time
    }
}

void TCoverMakerMainForm::OfferRecovery()
{
    const QList<TCoverRecovery::TLeftCopy> copies = m_recovery->LeftCopies();
    if (copies.isEmpty())
        return;
    const TCoverRecovery::TLeftCopy &copy = copies.first();
    const QString name =
        copy.CoverFile.isEmpty() ? UiText(NewCoverText) : QFileInfo(copy.CoverFile).fileName();
    const QString when = QLocale().toString(copy.Written, QLocale::ShortFormat);
    if (!m_setup.Messages->AskQuestion(this, ProgramCaption(),
                                       UiText(RestoreText).arg(name + QStringLiteral(", ") + when))) {
        m_recovery->Remove(copy);
        return;
    }
    TCoverFileContent content;
    QString why;
    if (!m_recovery->Restore(copy, content, why)) {
        m_setup.Messages->ShowError(this, QStringLiteral("Error"),
                                    UiText(CannotRestoreText) + QStringLiteral("\n\n") + why);
        return;
    }
    ShowContent(content, copy.CoverFile, false);
}
