// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverController.h"
#include "CoverDocuments.h"
#include "CoverSizes.h"
#include "PrintExtras.h"

#include <QMainWindow>
#include <QMargins>
#include <QPrinter>
#include <QUrl>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class TAboutBox;
class TColorChooser;
class TLanguageController;
class TOptionsStore;
class TUrlOpener;
class TEditCoverSizeData;
class TModalRunner;
class TNewDocumentForm;
class TCoverView;
class TCalibrationDialog;
class TQtTranslations;
class TCoverFileChooser;
class QMimeData;
class QTimer;
class TFontChooser;
class TPrinterChooser;
class TDeviceMetrics;
class TMessageBoxes;
class TPaintBox;
class TPictureChooser;
class TPanel;
class TRadioGroup;
class TTextBlockPanel;

// What the main window is given from outside: where its data files are, how
// it shows message boxes and how it measures its devices.
struct TMainFormSetup
{
    QString ProgramDir;
    TMessageBoxes *Messages = nullptr;
    TDeviceMetrics *Metrics = nullptr;        // null: the real screen and printer
    TPictureChooser *Pictures = nullptr;      // null: the open-picture dialog
    TColorChooser *Colors = nullptr;          // null: the colour dialog
    TFontChooser *Fonts = nullptr;            // null: the font dialog with colour
    TPrinterChooser *Printers = nullptr;      // null: the print dialog
    TModalRunner *Dialogs = nullptr;          // null: the dialogs' own modal loops
    TOptionsStore *Options = nullptr;         // null: the user's own options store
    TLanguageController *Languages = nullptr; // null: a table of the window's own
    TUrlOpener *Urls = nullptr;               // null: the platform's opener
    TCoverFileChooser *CoverFiles = nullptr;  // null: the file dialogs
    QString RecoveryDir;                      // empty: the per-user data folder's
};

// The catalogue's entry an imported album takes when the user chooses none.
extern const char DefaultAlbumSize[];

// The product's home page, opened by Help > Home Page and the About box.
extern const char HomePageAddress[];
// The user manual beside the executable, opened by Help > Index.
extern const char ManualFileName[];

// Opens web addresses and documents with the platform's opener; tests record
// them instead.
class TUrlOpener
{
public:
    virtual ~TUrlOpener() = default;
    // False when no program took it.
    virtual bool Open(const QUrl &url) = 0;
};

class TDesktopUrlOpener : public TUrlOpener
{
public:
    bool Open(const QUrl &url) override;
};

class TCoverMakerMainForm : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int DesignLeft = 266;
    static constexpr int DesignTop = 133;
    static constexpr int DesignWidth = 791;
    static constexpr int DesignHeight = 541;
    // Stored bounds smaller than this are of no use and are not restored.
    static constexpr int MinimumWidth = 320;
    static constexpr int MinimumHeight = 240;

    explicit TCoverMakerMainForm(const TMainFormSetup &setup, QWidget *parent = nullptr);
    ~TCoverMakerMainForm() override;

    // A required data file was missing: the program ends once start-up is
    // through, without showing itself or writing options.
    bool TerminateRequested() const { return m_terminate; }

    // Runs one command; an error it raises is shown in a message box and the
    // program goes on.
    void Run(const std::function<void()> &command);

    TSizeList *SizeList() const { return m_sizeList.get(); }
    // The cover and its commands, which the window's controls drive.
    TCoverController &Cover() const { return *m_cover; }

    QStringList RecentFiles() const { return m_recent; }
    // Opens a cover file, after asking about unsaved changes; the current
    // cover stays as it was when the file does not open. False when nothing
    // was opened.
    bool OpenCover(const QString &fileName);
    // The cover files named on the command line: the first is opened.
    void OpenFromCommandLine(const QStringList &files);
    // Offers to restore a cover that a program which did not close normally
    // left unsaved; called once the window shows.
    void OfferRecovery();
    // The program's name, as captions of its boxes show it.
    static QString ProgramCaption() { return QStringLiteral("Velmora"); }

    TLanguageController &Languages() const { return *m_setup.Languages; }
    // The window's outer bounds, frame included, as the options keep them.
    QRect OuterBounds() const;
    void SetOuterBounds(const QRect &bounds);
    // The unit the dialogs show sizes in: 0 inches, 1 centimetres.
    uint8_t Unit() const { return MeasureUnit; }

    // The printer the print dialog sets up and Print... prints on.
    QPrinter &Printer() { return m_printer; }
    // Printer corrections, stored by printer name.
    bool StoredCalibration(const QString &printer, TPrintExtras &extras) const;
    // Null forgets the printer's calibration.
    void StoreCalibration(const QString &printer, const TPrintExtras *extras);
    // The marks and bleed last chosen, and the printer's correction where
    // the printer is a printer (never for a file).
    TPrintExtras PrintExtrasFor(const QPrinter &printer) const;
    TPrintExtras StoredPrintChoices() const;
    // What the print dialog says of the printer's calibration; empty for none.
    QString CalibrationText(const QString &printer) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Controls, named as in the design (and so found by tests).
    TPanel *ToolPanel = nullptr;
    QToolButton *NewButton = nullptr;
    QToolButton *PrintButton = nullptr;
    QToolButton *SingleButton = nullptr;
    QToolButton *MultiButton = nullptr;
    QLabel *TextLabel = nullptr;
    QLineEdit *ImageTextEdit = nullptr;
    QWidget *TextPropPanel = nullptr;
    TRadioGroup *AlignRadio = nullptr;
    TRadioGroup *TextOrientRadio = nullptr;
    TRadioGroup *TextPosRadio = nullptr;
    QPushButton *FontButton = nullptr;
    TPanel *PropertiesPanel = nullptr;
    QLabel *ImgPropLabel = nullptr;
    TPaintBox *PaintBox1 = nullptr;
    QPushButton *ChangeButton = nullptr;
    QPushButton *ClearButton = nullptr;
    TRadioGroup *ImageView = nullptr;
    QPushButton *ZoomInButton = nullptr;
    QPushButton *ZoomOutButton = nullptr;
    QPushButton *CenterButton = nullptr;
    QPushButton *BGColorButton = nullptr;
    TCoverView *CoverView = nullptr;

    QMenu *Cover1 = nullptr;
    QAction *New1 = nullptr;
    QAction *Open1 = nullptr;
    QAction *Save1 = nullptr;
    QAction *SaveAs1 = nullptr;
    QAction *PrintPreview1 = nullptr;
    QAction *Print1 = nullptr;
    QAction *ExportPdf1 = nullptr;
    QAction *PrintSheet1 = nullptr;
    QAction *ImportAlbum1 = nullptr;
    // The covers last opened or saved, newest first, after Print...
    QList<QAction *> RecentItems;
    QAction *Exit1 = nullptr;
    QMenu *Edit1 = nullptr;
    QAction *Undo1 = nullptr;
    QAction *Redo1 = nullptr;
    QAction *Copy1 = nullptr;
    QAction *Paste1 = nullptr;
    QMenu *Configure1 = nullptr;
    QAction *Templates1 = nullptr;
    QAction *Calibrate1 = nullptr;
    QAction *Inches1 = nullptr;
    QAction *Centimetres1 = nullptr;
    QAction *ShowActualScale1 = nullptr;
    QAction *LangSep = nullptr;
    QActionGroup *LanguageItems = nullptr;
    QMenu *Help1 = nullptr;
    QAction *Index1 = nullptr;
    QAction *HomePage1 = nullptr;
    QAction *About1 = nullptr;

    // The secondary windows, created after the main window.
    TAboutBox *AboutBox = nullptr;
    TNewDocumentForm *NewDocumentForm = nullptr;
    TEditCoverSizeData *EditCoverSizeData = nullptr;
    TCalibrationDialog *CalibrationDialog = nullptr;

    // The image popup menu of the cover view.
    QMenu *AreaPopupMenu = nullptr;
    QAction *Change1 = nullptr;
    QAction *Clear1 = nullptr;
    QAction *Stretch1 = nullptr;
    QAction *Autosize1 = nullptr;
    QAction *UserDefined1 = nullptr;
    QAction *Center1 = nullptr;
    QAction *ZoomIn1 = nullptr;
    QAction *ZoomOut1 = nullptr;
    QAction *Background1 = nullptr;
    QAction *PastePicture1 = nullptr;
    QAction *AddTextBlock1 = nullptr;
    QAction *DeleteTextBlock1 = nullptr;

    // Text blocks: the Insert menu and the panel of the selected block.
    QMenu *Insert1 = nullptr;
    QAction *TextBlock1 = nullptr;
    TTextBlockPanel *BlockPanel = nullptr;

    uint8_t MeasureUnit = 0; // 0 inches, 1 centimetres
    QString SavedCoverName;

    // Gives every control its design name as its object name.
    void NameControls();
    void UpdateImagePanel(int32_t area);
    void UpdateTextPanel(int32_t area);
    void ToolPanelResize();
    void FitTextPropPanel();
    static int AlignmentToIndex(uint8_t alignment);
    static uint8_t IndexToAlignment(int index, uint8_t unchanged);
    // Shows a command's outcome: its error in a message box.
    void Show(const TOutcome &outcome);

    // Commands.
    void ChangeButtonClick();
    void SingleButtonClick();
    void MultiButtonClick();
    void ImageViewClick();
    void AlignRadioClick();
    void TextOrientRadioClick();
    void TextPosRadioClick();
    void ImageTextEditChange();
    void ClearButtonClick();
    void CenterButtonClick();
    void ZoomInButtonClick();
    void ZoomOutButtonClick();
    void BGColorButtonClick();
    void FontButtonClick();
    void Print1Click();
    void New1Click();
    void Templates1Click();
    void Configure1Click();
    void Inches1Click();
    void Centimetres1Click();
    void ShowActualScale1Click();
    void Index1Click();
    void HomePage1Click();
    void About1Click();
    void LanguageItemClick(QAction *item);
    void PrintPreview1Click();
    void ExportPdf1Click();
    void Calibrate1Click();
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void RecentItemClick(int index);
    void Edit1Click();
    void Undo1Click();
    void Redo1Click();
    void Copy1Click();
    void Paste1Click();
    void Stretch1Click();
    void Autosize1Click();
    void UserDefined1Click();
    void Exit1Click();
    void TextBlock1Click();
    void PrintSheet1Click();
    void ImportAlbum1Click();
    void DeleteTextBlock1Click();
    void CoverViewBlockEditEnd();
    void BlockFontButtonClick();

    // View callbacks.
    void SelectionChanged();
    void PictureChanged();
    void AreaDblClicked();
    void AreaPopup(int x, int y);
    // The cover was replaced as a whole (new, open, undo): the mode
    // buttons, the selection and the panels show it.
    void CoverReplaced();
    // Anything the cover holds changed: the title's mark and the panels
    // follow.
    void CoverChanged();
    // The cover's steps changed: the Edit menu names them.
    void StepsChanged();

    void FormCreate();
    void FormClose();
    void CreateControls();
    void SetTabOrder();
    void CreateMenus();
    void CreateAreaPopupMenu();
    void CreateBlockItems();
    void CreateSheetItems();
    void CreateAlbumItems();
    void ApplyAlbumTexts();
    void ApplySheetTexts();
    void ApplyBlockTexts();
    // The block panel shows the selected block, and is there while the
    // cover has any.
    void UpdateBlockPanel();
    void CreateDialogs();
    // A user-interface text by its number. The built-in English text
    // stands until the language table answers for it.
    QString UiText(int number) const;
    // The caption of every error box.
    static constexpr int ErrorCaptionText = 357;
    // Before printing: when the cover is larger than the printable area of
    // the chosen paper, says what will be cut off and asks whether to print
    // all the same.
    bool ConfirmCoverFitsPaper(const TPrintExtras &extras);
    void StorePrintChoices(const TPrintExtras &extras);
    void CreatePrintItems();
    // Opens a document or address; where no program takes it, says where it
    // is, so that the user can open it.
    void OpenUrl(const QUrl &url, const QString &where);
    void ApplyPrintTexts();
    // The room on the printer's paper from where the cover starts, in inches.
    bool CheckDataFile(const QString &fileName);
    void ApplyFontCompensation();
    void LoadLanguage();
    void BuildLanguageMenu();
    bool LoadOptions();
    QRect UsableBounds(int x, int y, int width, int height) const;
    void FrameChanged();
    void SaveOptions();
    void ApplyLanguage();
    void PrepareDefaultCover();
    void PaintBox1Paint(QPainter &canvas);
    void CreateFileMenu();
    void CreateEditMenu();
    void ApplyEditTexts();
    // Ctrl+Z and its kin in the text box: the cover's Undo and Redo.
    bool TextBoxUndoKey(QEvent *event);
    void DropFiles(const QStringList &files, int32_t area, const QMimeData *data);
    void CoverViewInputDone(QEvent *event);
    void ApplyFileTexts();
    // A recovery copy was written, or could not be (why).
    void RecoveryWritten(const QString &why);
    // Saves to fileName; false, its error shown, when it cannot.
    bool SaveCover(const QString &fileName);
    // Before the cover is replaced: asks Save, Discard or Cancel when it has
    // unsaved changes; true when it may be replaced.
    bool ConfirmDiscardChanges();
    void UpdateTitle();
    void ShowModifiedMark();
    void AddRecent(const QString &fileName);
    void ShowRecent();
    void StoreRecent();
    QString FileFilter() const;
    // Binds a control's signal to a command run through Run.
    std::function<void()> Command(void (TCoverMakerMainForm::*handler)());
    // Places a picture file on an area as Change... does, errors shown.
    void PlacePictureFile(int32_t area, const QString &fileName);

    TMainFormSetup m_setup;
    std::unique_ptr<TDeviceMetrics> m_ownMetrics;
    std::unique_ptr<TPictureChooser> m_ownPictures;
    std::unique_ptr<TColorChooser> m_ownColors;
    std::unique_ptr<TFontChooser> m_ownFonts;
    std::unique_ptr<TPrinterChooser> m_ownPrinters;
    std::unique_ptr<TModalRunner> m_ownDialogs;
    std::unique_ptr<TOptionsStore> m_ownOptions;
    std::unique_ptr<TLanguageController> m_ownLanguages;
    std::unique_ptr<TUrlOpener> m_ownUrls;
    std::unique_ptr<TCoverFileChooser> m_ownCoverFiles;
    std::unique_ptr<TQtTranslations> m_qtTexts;
    QStringList m_recent;
    // Why the recovery copy cannot be written, while it cannot.
    QString m_recoveryProblem;
    QRect m_outerBounds;
    // The outer bounds last asked for, until the frame around them is known,
    // with the frame and inner size they were set with.
    QRect m_boundsAsked;
    QMargins m_frameAsSet;
    QSize m_innerAsSet;
    bool m_shown = false;
    // At the printer's own resolution: covers print at true size, and a
    // print bitmap at a third of screen resolution would be coarse.
    QPrinter m_printer{QPrinter::HighResolution};
    std::unique_ptr<TSizeList> m_sizeList;
    TCoverController *m_cover = nullptr;
    // The block Insert > Text Block just added, and the step it made; -1
    // once the first edit of it is over.
    struct TNewBlock
    {
        int32_t Area = -1;
        int Index = -1;
        int Step = -1;
    } m_newBlock;
    // The cover's document, which the controller owns.
    TCoverDocument *m_document = nullptr;
    QHBoxLayout *m_viewRow = nullptr;
    // The picture the preview last showed, to draw it anew only for another.
    const TPlacedPicture *m_previewed = nullptr;
    bool m_terminate = false;
};
