// SPDX-License-Identifier: GPL-3.0-or-later
// Cover > Import Album...: a new cover from the user's music, of the size the
// New dialog gives, and a pasted list made a track list.
#include "CMMainWindow.h"

#include "AlbumReader.h"
#include "BusyCursor.h"
#include "CoverFileChooser.h"
#include "CoverView.h"
#include "DialogSupport.h"
#include "MessageBoxes.h"
#include "NewDocument.h"
#include "RadioGroup.h"

#include <QAction>
#include <QMenu>

namespace {

constexpr int ImportAlbumText = 326;
constexpr int AudioFilesText = 332;
constexpr int UseFolderText = 333;

} // namespace

// The catalogue's entry an import takes when the user chooses none.
const char DefaultAlbumSize[] = "CD jewel case tray inlay";

void TCoverMakerMainForm::CreateAlbumItems()
{
    ImportAlbum1 = new QAction(QStringLiteral("Import Album..."), this);
    const QList<QAction *> items = Cover1->actions();
    Cover1->insertAction(items.value(items.indexOf(New1) + 1), ImportAlbum1);
    connect(ImportAlbum1, &QAction::triggered, this,
            Command(&TCoverMakerMainForm::ImportAlbum1Click));
    ApplyAlbumTexts();
}

void TCoverMakerMainForm::ApplyAlbumTexts()
{
    if (ImportAlbum1)
        ImportAlbum1->setText(UiText(ImportAlbumText));
}

void TCoverMakerMainForm::ImportAlbum1Click()
{
    if (!ConfirmDiscardChanges())
        return;
    QStringList paths;
    const QString filter = UiText(AudioFilesText) +
                           QStringLiteral(" (*.mp3 *.flac *.ogg *.oga *.opus *.m4a *.mp4 *.wav "
                                          "*.aif *.aiff *.cue)");
    if (!m_setup.CoverFiles->ChooseAlbum(this, TitleOf(UiText(ImportAlbumText)), filter,
                                         UiText(UseFolderText), paths))
        return;
    TAlbum album;
    QString why;
    {
        TBusyCursor busy;
        if (!ReadAlbum(paths, album, why, [this](int number) { return UiText(number); })) {
            Show(TOutcome::Failed(why));
            return;
        }
    }
    // The size as New... chooses it; OK with none chosen takes the tray
    // inlay with its spines.
    NewDocumentForm->CurrentSizeName = QString::fromLatin1(DefaultAlbumSize);
    NewDocumentForm->CurrentMode = CoverMode::Multiple;
    CenterOnScreen(NewDocumentForm);
    if (m_setup.Dialogs->ShowModal(*NewDocumentForm) != QDialog::Accepted)
        return;
    QString name = NewDocumentForm->SelectedName();
    CoverMode mode = NewDocumentForm->RadioGroup1->ItemIndex() == 1 ? CoverMode::Multiple
                                                                    : CoverMode::Single;
    if (NewDocumentForm->SelectedRow() < 0) {
        name = QString::fromLatin1(DefaultAlbumSize);
        mode = CoverMode::Multiple;
    }
    const CoverSize size = m_sizeList->ReadSize(name);
    TOutcome outcome;
    {
        TBusyCursor busy;
        outcome = m_cover->ImportAlbum(album, size, mode);
    }
    Show(outcome);
    if (outcome.Ok() && !outcome.Notice.isEmpty())
        m_setup.Messages->ShowError(this, ProgramCaption(), outcome.Notice);
}
