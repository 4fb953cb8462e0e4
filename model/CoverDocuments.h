// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverFont.h"
#include "CoverSizes.h"
#include "Geometry.h"
#include "Graphic.h"
#include "TextBlocks.h"

#include <QImage>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

using CoverArea = int32_t;  // 1 left side (or the whole Single cover), 2 center, 3 right side
using TColorRef = uint32_t; // red in the low byte, then green, then blue

enum class CoverMode : uint8_t
{
    Single = 0,
    Multiple = 1
};
enum TextAlignment : uint8_t
{
    taLeft = 0,
    taRight = 1,
    taCenter = 2
};
enum TextOrientation : uint8_t
{
    toHorz = 0,
    toVert = 1
};
enum TextPosition : uint8_t
{
    tpTop = 0,
    tpCenter = 1,
    tpBottom = 2
};

QColor ColorRefToQColor(TColorRef c);
TColorRef QColorToColorRef(const QColor &c);

// How far a picture placed by hand may lie from its area, in inches: four
// times the largest cover, which no drag reaches.
constexpr double MaxOffsetInches = 4 * MaxCoverInches;

// The resolution offsets are counted in where no printer was ever measured.
constexpr int32_t NoPrinterPixelsPerCm = 400;

// An offset in one printer's pixels in another's: the same place on paper.
TPoint RescaledOffset(TPoint offset, int32_t fromPixelsPerCm, int32_t toPixelsPerCm);

// What the document needs of the view that shows it.
class IDocumentView
{
public:
    virtual ~IDocumentView() = default;
    virtual void DocumentRepaint() = 0;
    virtual void DocumentRelayout() = 0;
    // The document is going away; the view must forget it.
    virtual void DocumentDetached() = 0;
};

// One placed picture: what the area draws, and the file it was read from,
// so that a saved cover holds that very file. Shared between whoever holds
// it and never changed once placed.
struct TPlacedPicture
{
    QImage Bitmap;
    // What the picture can be drawn anew from at another size; none for a
    // bitmap.
    std::shared_ptr<const TPictureSource> Source;
    // The picture smaller, when its kind made one as it loaded; null
    // otherwise.
    QImage Reduced;
    // The work still decoding Bitmap's pixels; null when they are whole.
    std::shared_ptr<TPendingPixels> Pending;
    QByteArray FileBytes; // empty: the picture came from no file
    QString FileKind;     // lower-case extension without its dot ("jpg"); empty with no file
    quint64 Serial = 0;   // new for every picture placed while the program runs
};

// The placed picture made from a loaded one: its bitmap, smaller copy,
// source, and the work still decoding it.
void PlacePictureOf(TPlacedPicture &placed, const TGraphic &picture);

// Everything one area holds.
struct TAreaState
{
    std::shared_ptr<const TPlacedPicture> Picture; // null: no picture
    bool Stretch = true;
    bool Autosize = false;
    TColorRef BackColor = 0xFFFFFF;
    TPoint Offset;
    double Zoom = 1.0;
    QString Text;
    uint8_t Alignment = taCenter;
    TCoverFont Font;
    uint8_t Orientation = toHorz;
    uint8_t TextPos = tpCenter;
    TTextBlocks Blocks; // drawn above the picture and the line, last on top
};

// Everything the user has put on the cover, as a value: copying it copies
// no picture.
struct TDocumentState
{
    CoverMode Mode = CoverMode::Single;
    CoverSize Size;
    std::array<TAreaState, 3> Areas;
};

// Everything the user has put on the cover. No drawing or layout logic; every
// change asks the attached view to repaint.
class TCoverDocument
{
public:
    TCoverDocument();
    ~TCoverDocument();
    TCoverDocument(const TCoverDocument &) = delete;
    TCoverDocument &operator=(const TCoverDocument &) = delete;

    IDocumentView *View = nullptr;
    // Called after every change of what the document holds; a write of
    // the value already held is no change.
    std::function<void()> OnChanged;
    // Counts the changes: equal revisions hold the same cover.
    quint64 Revision() const { return m_revision; }

    CoverMode Mode() const { return m_state.Mode; }
    const CoverSize &Size() const { return m_state.Size; }

    // The whole cover as a value (its fonts notify nobody), and the whole
    // cover set from one, as one change.
    TDocumentState State() const;
    void SetState(const TDocumentState &state);

    // Owned by the document; callers draw it, never keep it past a change.
    // A picture still decoding is waited for.
    const QImage &GetPicture(CoverArea area) const;
    // What the screen needs without waiting: the picture's size, whether its
    // pixels are whole yet, and the bitmap as it stands (drawn only when
    // whole; the reduced copy serves until then).
    QSize PictureSize(CoverArea area) const;
    bool IsPictureWhole(CoverArea area) const;
    const QImage &PictureAsItStands(CoverArea area) const;
    // The area keeps a bitmap of the picture: a bitmap is copied, any other
    // kind is converted to a bitmap of its own size. QImage shares the
    // pixels until either side writes, so a large picture is not held
    // twice. Null empties the area. The file's bytes and kind, when given,
    // are what the picture was read from.
    void SetPicture(CoverArea area, const TGraphic *picture, const QByteArray &fileBytes = {},
                    const QString &fileKind = {});
    void SetPicture(CoverArea area, const QImage *picture);
    void SetPicture(CoverArea area, std::nullptr_t)
    {
        SetPicture(area, static_cast<const QImage *>(nullptr));
    }
    std::shared_ptr<const TPlacedPicture> PlacedPicture(CoverArea area) const;
    void SetPlacedPicture(CoverArea area, std::shared_ptr<const TPlacedPicture> picture);
    // What the area's picture can be drawn anew from at another size; none
    // for a bitmap.
    std::shared_ptr<const TPictureSource> GetPictureSource(CoverArea area) const;
    // The picture smaller, when its kind made one as it loaded (for the
    // screen's copies to start from); null otherwise.
    const QImage &GetReducedPicture(CoverArea area) const;

    bool GetStretch(CoverArea area) const;
    void SetStretch(CoverArea area, bool value);
    bool GetAutosize(CoverArea area) const;
    void SetAutosize(CoverArea area, bool value);
    TColorRef GetBackColor(CoverArea area) const;
    void SetBackColor(CoverArea area, TColorRef color);
    TPoint GetOffset(CoverArea area) const;
    void SetOffset(CoverArea area, TPoint offset);
    double GetZoom(CoverArea area) const;
    // A value not above 0 (within the error of adding up steps of 0.1), NaN
    // included, is stored as 0.1; one within a rounding error of a tenth is
    // stored as that tenth, so that steps of 0.1 never drift; none above
    // MaxZoom is stored.
    void SetZoom(CoverArea area, double zoom);
    static constexpr double MaxZoom = 1000;
    // Whether the document can hold the zoom: what a cover file may give.
    static bool IsValidZoom(double zoom);
    QString GetText(CoverArea area) const;
    void SetText(CoverArea area, const QString &text);
    uint8_t GetAlignment(CoverArea area) const;
    void SetAlignment(CoverArea area, uint8_t code);
    TCoverFont &GetFont(CoverArea area);
    const TCoverFont &GetFont(CoverArea area) const;
    uint8_t GetOrientation(CoverArea area) const;
    void SetOrientation(CoverArea area, uint8_t code);
    uint8_t GetTextPosition(CoverArea area) const;
    void SetTextPosition(CoverArea area, uint8_t code);
    // The area's size on paper in millimetres, as its cover size gives it
    // in the current mode; empty for an area the mode does not show.
    QSizeF AreaSizeMm(CoverArea area) const;
    const TTextBlocks &GetBlocks(CoverArea area) const;
    void SetBlocks(CoverArea area, const TTextBlocks &blocks);

    void SetCoverSize(const CoverSize &size);
    void SetMode(CoverMode mode);
    void UpdateOrientations();
    void Reset();
    void FontChanged(TCoverFont &font);

    // The view's own writes, which repaint through the view instead.
    void ClearPlacementFlags(CoverArea area);
    void ResetOffsetQuietly(CoverArea area);
    // The offset in other units (another printer's pixels), without a repaint.
    // The picture stays where it was on paper: no change.
    void SetOffsetQuietly(CoverArea area, TPoint offset);

private:
    TAreaState &At(CoverArea area);
    const TAreaState &At(CoverArea area) const;
    void Repaint();
    void Touch();
    // Stores value and counts a change when it differs; repaints either way.
    template <typename T> void Change(T &field, const T &value);
    void SetPlacement(CoverArea area, bool stretch, bool autosize);

    TDocumentState m_state;
    quint64 m_revision = 0;
};
