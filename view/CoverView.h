// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverDocuments.h"
#include "CoverLayout.h"
#include "DeviceMetrics.h"
#include "Geometry.h"
#include "PrintExtras.h"
#include "ScaledPictureCache.h"

#include <QFont>
#include <QImage>
#include <QElapsedTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

class EVelmoraError;
class QPainter;
class QPlainTextEdit;
class QTimer;
class QTransform;
class QPrinter;
class TPdfFinishing;

// AreaRect[1..3]; any other index raises "Range check error".
class TAreaRects
{
public:
    TRect &operator[](CoverArea area);
    const TRect &operator[](CoverArea area) const;

private:
    std::array<TRect, 3> m_rects{};
};

// Where one area goes on paper: its rectangle on the page in printer pixels
// and the size of the bitmap it is rendered into.
struct TPrintSlot
{
    CoverArea Area = 1;
    TRect Page;
    int32_t BitmapWidth = 0;
    int32_t BitmapHeight = 0;
};

// One line of text as it is drawn: its advance and how far the faces it is
// drawn in reach above and below the baseline, in pixels.
struct TTextMeasure
{
    double Width = 0;
    double Ascent = 0;
    double Descent = 0;
};
TTextMeasure MeasureTextLine(const QString &text, const QFont &font);
// The text drawn literally in colour, scaled to fill box (a text larger than
// its box is squeezed into it), turned to read upward when vertical.
QImage RenderTextLine(const QString &text, const QFont &font, const QColor &color,
                      const TTextMeasure &measure, QSize box, bool vertical);

// Starting and ending a print job: errors in the words the user reads, and a
// job that failed part of the way withdrawn (a half-written file removed).
void BeginPrintJob(QPrinter &printer, QPainter &page);
void EndPrintJob(QPrinter &printer, QPainter &page);
void AbandonJob(QPrinter &printer, QPainter &page);
// Whether the job goes into a PDF file (not a printer, not a preview), and
// that file finished once written, its text mapped back as typed.
bool PrintsToPdfFile(QPrinter &printer);
void FinishPrintedPdf(const QString &path, const TPdfFinishing &finishing);
// The printer's stored correction as a transform of its page.
QTransform CalibrationTransform(const QPrinter &printer, const TPrintExtras &extras);

// Cut marks outside the cover's corners and fold marks outside each border
// between areas (slots' page rectangles in device pixels at dpi), in the room
// kept around the cover, on their true lines.
void DrawPrintMarks(QPainter &page, const std::vector<TPrintSlot> &slots,
                    const TPrintExtras &extras, int dpi);

// The same text drawn with the painter itself (real text on a PDF page) into
// box, in the painter's units.
void DrawTextLine(QPainter &p, const QString &text, const QFont &font, const QColor &color,
                  const TTextMeasure &measure, const QRectF &box, bool vertical);

// Shows one cover document to scale, lets the user select areas and drag
// pictures, and prints the cover at true size.
class TCoverView : public QWidget, public IDocumentView, public ICoverLayout
{
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(TCoverView *sender)>;
    using TPopupEvent = std::function<void(TCoverView *sender, Qt::MouseButton button,
                                           Qt::KeyboardModifiers shift, int x, int y)>;
    using TErrorEvent = std::function<void(const EVelmoraError &error)>;
    // What the user did to a text block with the mouse or the keyboard,
    // once the document holds it.
    enum class TBlockGesture
    {
        Move,
        Resize,
        Nudge,
        Delete,
        Typing,
    };
    using TBlockGestureEvent =
        std::function<void(TCoverView *sender, TBlockGesture gesture, int32_t area, int index)>;

    static constexpr double NoDisplayHeightRatio = 9999999.0;
    static constexpr int32_t NoPrinterPixelsPerCm = ::NoPrinterPixelsPerCm;
    static constexpr int32_t PrintDivisor = 3;

    TCoverView(QWidget *owner, TDeviceMetrics &metrics);
    ~TCoverView() override;

    TCoverDocument *Document() const { return FDocument; }
    const TAreaRects &AreaRect() const { return FAreaRect; }
    double Scale() const { return FScale; }
    int32_t ScreenPixelsPerCm() const { return FScreenPixelsPerCm; }
    int32_t PrinterPixelsPerCm() const { return FPrinterPixelsPerCm; }
    int32_t SelectedArea() const { return FSelectedArea; }
    double DisplayRatio() const { return FDisplayRatio; }
    bool ShowScale() const { return FShowScale; }
    bool AllowDrag() const { return FAllowDrag; }
    // The drag under way: the area (-1 for none) and where the pointer holds
    // the picture, in printer pixels; where the last press was; whether a
    // double click waits for its press.
    int32_t DragArea() const { return FDragArea; }
    TPoint DragOffset() const { return FDragOffset; }
    TPoint DownPoint() const { return FDownPoint; }
    bool DblClickPending() const { return FDblClickPending; }

    void SetOnSelectionChange(TNotifyEvent handler) { FOnSelectionChange = std::move(handler); }
    void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
    void SetOnAreaDblClick(TNotifyEvent handler) { FOnAreaDblClick = std::move(handler); }
    void SetOnAreaPopup(TPopupEvent handler) { FOnAreaPopup = std::move(handler); }
    // Errors raised inside the view's own event handlers (a mouse move that
    // overflows, a layout on resize) end up here instead of in the event loop.
    void SetOnError(TErrorEvent handler) { FOnError = std::move(handler); }
    void SetAllowDrag(bool allow) { FAllowDrag = allow; }
    void SetOnBlockGesture(TBlockGestureEvent handler) { FOnBlockGesture = std::move(handler); }
    // Called when another block (or none) is selected.
    void SetOnBlockSelection(TNotifyEvent handler) { FOnBlockSelection = std::move(handler); }

    // The text block selected: its area and index, -1 for none.
    int32_t SelectedBlockArea() const { return FBlockArea; }
    int SelectedBlock() const { return FBlockIndex; }
    // Selects a block (and its area); an index the area lacks selects none.
    void SelectBlock(int32_t area, int index);
    // A block's box on the view, in the view's pixels.
    QRectF BlockRect(int32_t area, int index) const;
    // The block under a point, topmost first; false for none.
    bool BlockAt(TPoint p, int32_t &area, int &index) const;
    // Edits the selected block's text in place, in a box over it, until
    // Ctrl+Enter, Escape or a click elsewhere.
    void EditBlock();
    void EndBlockEdit();
    bool IsEditingBlock() const;
    // The editor while a block is edited; null otherwise.
    QPlainTextEdit *BlockEditor() const;
    // How close to a selected block's handle a press takes it, in pixels.
    static constexpr int HandleReach = 5;
    // Keep on-screen copies of large pictures between paints (see
    // TScaledPictureCache). Off only to measure what it saves.
    void SetUseScaledPictureCache(bool use) { FUseScaledPictureCache = use; }

    void SetDocument(TCoverDocument *document);
    void Relayout();
    void UpdateDisplayRatio();
    QString ScaleCaption() const;
    TPoint ScreenToPrinter(TPoint p) const;
    TPoint PrinterToScreen(TPoint p) const;

    void SelectArea(int32_t area);
    // The area at a point of the view (the later one on a shared edge); -1
    // for none.
    int32_t AreaAt(TPoint p) const;
    // The file's bytes and kind, when given, are what the picture was read
    // from (see TCoverDocument::SetPicture).
    void SetAreaPicture(CoverArea area, const TGraphic *picture, const QByteArray &fileBytes = {},
                        const QString &fileKind = {});
    void SetAreaPicture(CoverArea area, const QImage *picture);
    void SetAreaPicture(CoverArea area, std::nullptr_t)
    {
        SetAreaPicture(area, static_cast<const TGraphic *>(nullptr));
    }
    void CenterPicture(int32_t area) override;
    bool IsAreaEmpty(int32_t area) const;
    void ZoomIn();
    void ZoomOut();
    void SetUserDefined(int32_t area) override;
    int32_t OffsetPixelsPerCm() const override { return FPrinterPixelsPerCm; }
    bool IsPictureLost(int32_t area) const;
    void SetShowScale(bool flag);

    // The areas to print, left to right, for a printer of so many pixels per
    // centimetre; areas that come out empty are left out.
    std::vector<TPrintSlot> PrintLayout(double printerPixelsPerCm) const;
    // The cover's size on paper, in inches, with the room its marks and
    // bleed take around it.
    QSizeF PrintedSize(const TPrintExtras &extras = TPrintExtras()) const;
    // Prints the cover at true size on the printer's page, as it is set up,
    // from the margins' corner (moved by the room the extras take).
    void Print(QPrinter &printer, const TPrintExtras &extras = TPrintExtras(),
               const TWorkProgress &progress = {}) override;
    // Raises what printing the cover at dpi would fail with, before any job
    // exists.
    void CheckPrintable(int dpi, const TPrintExtras &extras);
    // The cover at true size on an active page of dpi, with its marks, the
    // corner of its room (marks and bleed) at the painter's origin.
    void PaintPrintedCover(QPainter &page, const TPrintExtras &extras, int dpi,
                           const TWorkProgress &progress = {});
    // Writes the cover at true size on a PDF page of its own size (with the
    // room of its marks and bleed): pictures at their full resolution and
    // losslessly, texts as text. Raises "Unable to write to ..." when the
    // file cannot be written; the file is replaced only once whole.
    void ExportPdf(const QString &fileName, const TPrintExtras &extras,
                   const TWorkProgress &progress = {}) override;
    static constexpr int ExportDpi = 1200;

    // Where the area's picture is drawn for its placement when the area is
    // rect: the whole of rect, fitted into it, or placed by offset and zoom.
    TRect PictureRect(CoverArea area, const TRect &rect, bool forPrint) const;
    // bleed, when given, is the larger rectangle a printed area reaches into:
    // a picture placed by hand goes on into it instead of stopping at rect.
    void DrawAreaPicture(CoverArea area, QImage &canvas, bool forPrint, const TRect &rect,
                         const TRect *bleed = nullptr);
    void DrawAreaText(CoverArea area, QImage &canvas, bool forPrint, const TRect &rect);
    // The area's text blocks drawn into rect of canvas, where the whole area
    // lies.
    void DrawAreaBlocks(CoverArea area, QImage &canvas, const TRect &rect);
    // The area drawn with the painter itself into page (device pixels),
    // its bitmap rectangle being bitmap: what ExportPdf writes of it.
    // Pictures go in bands, step told after each band and at the end;
    // finishing, for a PDF file, carries JPEG files as they are.
    void ExportArea(QPainter &p, CoverArea area, const QRectF &page, const QRectF &reach,
                    QSize bitmap, double bleedPx, int dpi, TPdfFinishing *finishing,
                    const std::function<void()> &step);
    // The whole cover so, its room's corner at the painter's origin, with
    // its marks.
    void DrawCover(QPainter &p, const TPrintExtras &extras, int dpi, TPdfFinishing *finishing,
                   const TWorkProgress &progress);
    // Every text the cover shows, for the PDF's map of glyphs back to them.
    void AddTypedTexts(TPdfFinishing &finishing) const;
    // The whole control as the paint handler draws it.
    void PaintCover(QImage &canvas);

    // Colours of the selected and the other areas' frames.
    QColor ActiveFrameColor() const;
    QColor InactiveFrameColor() const;

    // IDocumentView
    void DocumentRepaint() override;
    void DocumentRelayout() override;
    void DocumentDetached() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TAreaRects FAreaRect;
    TCoverDocument *FDocument = nullptr;
    double FScale = 0;
    int32_t FScreenPixelsPerCm = 0;
    int32_t FPrinterPixelsPerCm = 0;
    int32_t FSelectedArea = 0; // set to -1 through SelectArea at creation
    TNotifyEvent FOnSelectionChange;
    TNotifyEvent FOnChange;
    bool FAllowDrag = false;
    TPoint FDragOffset;
    int32_t FDragArea = -1;
    double FDisplayRatio = 0;
    TPoint FDownPoint;
    TNotifyEvent FOnAreaDblClick;
    TPopupEvent FOnAreaPopup;
    bool FDblClickPending = false;
    bool FShowScale = false;
    TErrorEvent FOnError;
    bool FUseScaledPictureCache = true;
    TBlockGestureEvent FOnBlockGesture;
    TNotifyEvent FOnBlockSelection;
    int32_t FBlockArea = -1;
    int FBlockIndex = -1;
    // The block drag under way: -1 none, 0 to 7 a handle clockwise from the
    // top-left corner, 8 the whole block; the press and the block before.
    int FBlockDrag = -1;
    TPoint FBlockDown;
    TTextBlock FBlockBefore;
    QPlainTextEdit *FBlockEditor = nullptr;

    void MouseDown(Qt::MouseButton button, Qt::MouseButtons held, TPoint p);
    void MouseMove(TPoint p);
    void MouseUp(Qt::MouseButton button, TPoint p);
    void DblClick();
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    // Block gestures: true when the press, move, release or key was a
    // block's.
    bool BlockMouseDown(Qt::MouseButton button, TPoint p);
    bool BlockMouseMove(TPoint p);
    bool BlockDblClick(TPoint p);
    bool BlockMouseUp();
    bool BlockKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // The selected block's handle within reach of p; -1 for none.
    int HandleAt(TPoint p) const;
    // The selected block as it is now, and changed.
    const TTextBlock *Block() const;
    void ChangeBlock(const TTextBlock &block);
    void RemoveBlock();
    void BlockGesture(TBlockGesture gesture);
    // The selection made good again after the document changed under it.
    void CheckBlockSelection();
    void DrawBlockSelection(QImage &canvas);
    // Device pixels per millimetre of an area's rectangle.
    QPointF AreaScale(CoverArea area, const TRect &rect) const;
    int32_t AreaCount() const;
    // The text's size in pixels on the screen (whole) or on the print bitmap.
    double TextPixelSize(const TCoverFont &font, bool forPrint) const;
    struct TTextLayout
    {
        QFont Font;
        TTextMeasure Measure; // in the font's whole pixels
        int32_t TextWidth = 0;
        int32_t TextHeight = 0;
        TRect Box;
    };
    // Font, measured size and box of the area's text in rect; false when
    // there is no text.
    bool LayOutText(CoverArea area, bool forPrint, const TRect &rect, TTextLayout &out) const;
    // The printer's pixels per centimetre for print conversions: those of
    // the print under way, else the figure of the last layout. Print
    // bitmaps have a third of it.
    double PrintPrinterPixelsPerCm() const;
    void Report(const EVelmoraError &error);
    // Runs the work of an event handler: no error may leave a Qt event
    // handler, so each is reported instead (an allocation that failed too).
    void Guarded(const std::function<void()> &work);

    TDeviceMetrics &Metrics;
    QImage m_frameMemory; // at least the control's size
    TScaledPictureCache m_pictureCache;
    // Runs while a picture shown from its smaller copy is still decoding,
    // and repaints once it is whole.
    QTimer *m_decodingTimer = nullptr;
    // A live resize (a window edge dragged): each step draws the pictures'
    // last copies scaled by the painter, and the exact copies follow once
    // the size has held still for LiveResizeMs.
    QElapsedTimer m_lastResize;
    bool m_liveResize = false;
    QTimer *m_settleTimer = nullptr;
    static constexpr int LiveResizeMs = 60;
    // Sizes so near that one drawn for the other passes mid-resize.
    static bool CloseInSize(QSize drawn, QSize wanted)
    {
        return !drawn.isEmpty() && !wanted.isEmpty() &&
               std::abs(drawn.width() - wanted.width()) * 20 <= wanted.width() &&
               std::abs(drawn.height() - wanted.height()) * 20 <= wanted.height();
    }
    void WatchDecoding();
    static constexpr int DecodingCheckMs = 25;
    double m_printPrinterPixelsPerCm = 0;
    // Per area, the last text measured and the last text drawn on screen.
    struct TMeasureMemo
    {
        bool Valid = false;
        QString Text;
        QFont Font;
        TTextMeasure Measure;
    };
    struct TTextMemo
    {
        QString Text;
        QFont Font;
        QColor Color;
        bool Vertical = false;
        QImage Image;
    };
    const TTextMeasure &MeasuredText(CoverArea area, const QString &text, const QFont &font) const;
    mutable std::array<TMeasureMemo, 3> m_measured;
    std::array<TTextMemo, 3> m_drawnText;
};
