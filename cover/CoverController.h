// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Album.h"
#include "CoverDescription.h"
#include "CoverDocuments.h"
#include "CoverRecovery.h"
#include "CoverRenderer.h"
#include "PrintExtras.h"
#include "WorkProgress.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class ICoverLayout;
class QMimeData;
class QPrinter;
class QTimer;
class QUndoStack;

// How a command ended: done, cancelled by a question it asked, or with the
// text the user reads of what went wrong.
struct TOutcome
{
    QString Error; // empty: no error
    bool Cancelled = false;
    QString Notice; // done, with something the user should know

    bool Ok() const { return Error.isEmpty() && !Cancelled; }
    static TOutcome Failed(const QString &text)
    {
        TOutcome o;
        o.Error = text;
        return o;
    }
    static TOutcome Cancel()
    {
        TOutcome o;
        o.Cancelled = true;
        return o;
    }
};

// The cover being made, and every command that changes it: the main window,
// the command line and the tests all work through this one object. It owns
// the document, its history of steps, the file it came from, whether it has
// changed since, and the recovery copy kept while it has. Each command makes
// one step of history (typing in one area merges into one) and returns what
// went wrong as a value.
class TCoverController : public QObject
{
    Q_OBJECT
public:
    // Recovery copies go under recoveryDir; empty keeps none (the command
    // line, which never holds unsaved work).
    explicit TCoverController(const QString &recoveryDir, QObject *parent = nullptr);
    ~TCoverController() override;

    TCoverDocument &Document() { return *m_document; }
    const TCoverDocument &Document() const { return *m_document; }
    QUndoStack &Steps() const { return *m_steps; }
    // Undoes the newest step and leaves nothing of it to redo, as though it
    // never was: for a step that came to nothing (a text block added and
    // left empty).
    void WithdrawLastStep();
    // Null when recovery copies are not kept.
    TCoverRecovery *Recovery() const { return m_recovery.get(); }

    // Step names and messages in the user's language, by text number.
    void SetTexts(std::function<QString(int)> texts);
    // The steps' names again, in the language the texts now give.
    void RenameSteps();
    // The view that lays the cover out; null for none (offsets then count
    // in the units set below, and centring works from the cover's size).
    void SetLayout(ICoverLayout *layout) { m_layout = layout; }
    // With no view, the printer resolution offsets count in (that of the
    // printer a cover is printed on); NoPrinterPixelsPerCm until set.
    void SetOffsetUnits(int32_t pixelsPerCm) { m_offsetUnits = pixelsPerCm; }
    // What draws the cover as it is now, on paper or into a PDF file.
    TCoverRenderer Renderer() const;

    // The cover file shown, empty for a cover of no file.
    QString FileName() const { return m_fileName; }
    // Whether the cover has changed since it was last saved, opened or made.
    bool IsModified() const;
    // The area the user works on; kept in the cover's file and steps.
    int32_t SelectedArea() const { return m_selectedArea; }
    void SetSelectedArea(int32_t area) { m_selectedArea = area; }
    // What a cover file or a step holds of the cover as it is now.
    TCoverFileContent Content() const;

    // The cover as it is now is where its history starts, unchanged.
    void StartAfresh();

    // The commands. Those of an area do nothing for an area the cover does
    // not show.
    TOutcome PlacePicture(int32_t area, const QString &fileName);
    TOutcome PlacePictureBytes(int32_t area, const QByteArray &bytes, const QString &kind);
    TOutcome PlaceImage(int32_t area, const QImage &image);
    // The picture's own file first, then a copied picture file, then the
    // pixels; an error when the data holds no picture.
    TOutcome PlaceMimeData(int32_t area, const QMimeData *data);
    // Several picture files on the areas in order from area, as one step.
    TOutcome PlacePictureFiles(int32_t area, const QStringList &files);
    TOutcome ClearPicture(int32_t area);
    enum class TPlacement
    {
        Stretch,
        Autosize,
        UserDefined
    };
    TOutcome SetPlacement(int32_t area, TPlacement placement);
    TOutcome CenterPicture(int32_t area);
    TOutcome ZoomIn(int32_t area);
    TOutcome ZoomOut(int32_t area);
    TOutcome SetBackColor(int32_t area, TColorRef color);
    TOutcome SetText(int32_t area, const QString &text);
    TOutcome SetFont(int32_t area, const TCoverFont &font);
    TOutcome SetAlignment(int32_t area, uint8_t code);
    TOutcome SetOrientation(int32_t area, uint8_t code);
    TOutcome SetTextPosition(int32_t area, uint8_t code);
    TOutcome SetMode(CoverMode mode);
    // A new cover of that size and mode, of no file and unchanged; a step
    // of its own, which Undo takes back.
    TOutcome NewCover(const CoverSize &size, CoverMode mode);
    // Opens a cover file. mayReplace, when given, is asked once the file is
    // known to open (unsaved changes); false cancels and keeps the cover.
    TOutcome Open(const QString &fileName, const std::function<bool()> &mayReplace = {});
    TOutcome Save(const QString &fileName);
    // A new cover of that size and mode made from an album, as one step: its
    // picture on the front, its track list on the back, its name along the
    // spines (the title of a single cover). What could not be used is the
    // outcome's notice.
    TOutcome ImportAlbum(const TAlbum &album, const CoverSize &size, CoverMode mode);
    TOutcome ExportPdf(const QString &fileName, const TPrintExtras &extras);
    // Prints the cover on the printer as it is set up: the printer's own
    // page, margins and calibration (in extras).
    TOutcome Print(QPrinter &printer, const TPrintExtras &extras);
    // Told of the progress of Open, ExportPdf and Print, which it may stop
    // (the outcome is then cancelled and nothing is written or changed).
    void SetProgress(TWorkProgress progress) { m_progress = std::move(progress); }
    // A left recovery copy made the cover: its changes are unsaved.
    TOutcome Restore(const TCoverRecovery::TLeftCopy &copy);
    // The area's picture as the clipboard takes it; null for an empty area.
    QMimeData *PictureData(int32_t area) const;

    // Text blocks, each command one step. A new block is centred in its
    // area, empty; index, when given, receives where it went. Typing in one
    // block merges into one step.
    TOutcome AddTextBlock(int32_t area, int *index = nullptr);
    TOutcome SetTextBlock(int32_t area, int index, const TTextBlock &block);
    TOutcome SetTextBlockText(int32_t area, int index, const QString &text);
    TOutcome RemoveTextBlock(int32_t area, int index);
    bool HasBlock(int32_t area, int index) const;
    // The merge key of typing in one block, for a gesture that types.
    static int BlockTypingKey(int32_t area, int index);

    // A change the view made by a gesture (a drag, a key) becomes a step of
    // that name (a text number); gestures of one merge key that follow each
    // other make one step.
    void CommitGesture(int nameText, int mergeKey = -1);
    // Runs work as one step of that name, whatever commands it runs.
    TOutcome Batch(int nameText, const std::function<void()> &work);
    TOutcome Undo();
    TOutcome Redo();
    // Writes the recovery copy now, when the cover has unsaved changes.
    void WriteRecoveryCopy();
    // Saved or discarded as the program closes: nothing is left to recover.
    void DiscardRecoveryCopy();

    // Whether a file's name says it is a cover file, or a picture of a kind
    // the program reads.
    static bool IsCoverFile(const QString &fileName);
    static bool IsPictureFile(const QString &fileName);

Q_SIGNALS:
    // The whole cover was replaced (new, open, undo, restore): mode,
    // selection and panels follow it.
    void CoverReplaced();
    // Anything the cover holds changed.
    void Changed();
    // The file name or the modified state changed.
    void TitleChanged();
    // The steps that Undo and Redo would take changed.
    void StepsChanged();
    // After each recovery copy written: empty when it was, else why not.
    void RecoveryWritten(const QString &why);

private:
    // Runs work as a step of that name; a command run by another is part
    // of that one's step. Errors end the work and come back as the outcome;
    // what it changed before is still one step.
    TOutcome Step(int nameText, int mergeKey, const std::function<void()> &work);
    void CommitStep(int nameText, int mergeKey = -1);
    void ForgetSteps();
    void ApplyStep(const TCoverFileContent &content);
    void ApplyContent(const TCoverFileContent &content);
    // The printer resolution offsets count in now.
    int32_t OffsetUnits() const;
    // Whether content can be shown here; why not when it cannot.
    bool Fits(const TCoverFileContent &content, QString &why) const;
    void ShowContent(const TCoverFileContent &content, const QString &fileName, bool saved);
    void MarkUnmodified();
    void DocumentChanged();
    bool Shown(int32_t area) const;
    bool HasPicture(int32_t area) const;
    QString Text(int number) const;

    std::unique_ptr<TCoverDocument> m_document;
    QUndoStack *m_steps = nullptr;
    std::unique_ptr<TCoverRecovery> m_recovery;
    QTimer *m_recoveryTimer = nullptr;
    ICoverLayout *m_layout = nullptr;
    int32_t m_offsetUnits = 0;
    TWorkProgress m_progress;
    std::function<QString(int)> m_texts;
    QString m_fileName;
    int32_t m_selectedArea = -1;
    // The cover as the last step left it.
    TCoverFileContent m_committed;
    quint64 m_committedRevision = 0;
    bool m_applyingStep = false;
    int m_depth = 0;
    // Restored changes that no file holds.
    bool m_neverSaved = false;
};
