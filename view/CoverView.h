// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverDocuments.h"
#include "CoverLayout.h"
#include "CoverRenderer.h"
#include "DeviceMetrics.h"
#include "Geometry.h"
#include "ScaledPictureCache.h"

#include <QFont>
#include <QImage>
#include <QElapsedTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class EVelmoraError;
class QPainter;
class QPlainTextEdit;
class QTimer;

// AreaRect[1..3]; any other index raises "Range check error".
class TAreaRects
{
public:
    TRect &operator[](CoverArea area);
    const TRect &operator[](CoverArea area) const;

private:
    std::array<TRect, 3> m_rects{};
};

// Shows one cover document to scale and lets the user select areas, drag
// pictures and work on text blocks; the renderer lays the cover out for it.
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
    // Called when the in-place editor closes, the block it edited still
    // selected.
    void SetOnBlockEditEnd(TNotifyEvent handler) { FOnBlockEditEnd = std::move(handler); }

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

    // Where an area's picture and line lie on the view, as laid out at the
    // last change.
    const TAreaLayout &ScreenLayout(CoverArea area) const;
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
    TNotifyEvent FOnBlockEditEnd;
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
    void DrawAreaPicture(CoverArea area, QImage &canvas, const TAreaLayout &layout);
    void DrawAreaText(CoverArea area, QImage &canvas, const TAreaLayout &layout);
    // The area's text blocks drawn into rect of canvas, where the whole area
    // lies.
    void DrawAreaBlocks(CoverArea area, QImage &canvas, const TRect &rect);
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
    // The screen's layout of each area, made again only when the cover, the
    // areas' rectangles or the resolutions it was made for have changed.
    struct TLayoutKey
    {
        quint64 Revision = 0;
        std::array<TRect, 3> Rects;
        double DisplayRatio = 0;
        int32_t ScreenPixelsPerCm = 0;
        int32_t OffsetPixelsPerCm = 0;
        int Dpi = 0;
        bool operator==(const TLayoutKey &o) const
        {
            return Revision == o.Revision && Rects == o.Rects && DisplayRatio == o.DisplayRatio &&
                   ScreenPixelsPerCm == o.ScreenPixelsPerCm &&
                   OffsetPixelsPerCm == o.OffsetPixelsPerCm && Dpi == o.Dpi;
        }
    };
    std::unique_ptr<TCoverRenderer> m_renderer;
    mutable std::optional<TLayoutKey> m_layoutKey;
    mutable std::array<TAreaLayout, 3> m_layout;
    // Per area, the last text drawn on screen.
    struct TTextMemo
    {
        QString Text;
        QFont Font;
        QColor Color;
        bool Vertical = false;
        QImage Image;
    };
    std::array<TTextMemo, 3> m_drawnText;
};
