// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverDocuments.h"

#include "Rounding.h"
#include "VelmoraError.h"

#include <algorithm>
#include <atomic>
#include <cmath>

QColor ColorRefToQColor(TColorRef c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

TColorRef QColorToColorRef(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return TColorRef(rgb.red()) | (TColorRef(rgb.green()) << 8) | (TColorRef(rgb.blue()) << 16);
}

namespace {

std::atomic<quint64> g_pictureSerial{0};

const QImage &NoImage()
{
    static const QImage none;
    return none;
}

// The picture with a serial of its own: one placed for the first time gets
// the next.
std::shared_ptr<const TPlacedPicture> Numbered(std::shared_ptr<const TPlacedPicture> picture)
{
    if (!picture || picture->Serial != 0)
        return picture;
    auto numbered = std::make_shared<TPlacedPicture>(*picture);
    numbered->Serial = ++g_pictureSerial;
    return numbered;
}

// An area's picture replaced: the old one's decoding stops (an undo may
// bring it back), the new one's goes on.
void SwapPending(const std::shared_ptr<const TPlacedPicture> &from,
                 const std::shared_ptr<const TPlacedPicture> &to)
{
    if (from == to)
        return;
    if (from && from->Pending && (!to || to->Pending != from->Pending))
        from->Pending->Stop();
    if (to && to->Pending)
        to->Pending->Resume();
}

} // namespace

TCoverDocument::TCoverDocument()
{
    for (TAreaState &a : m_state.Areas)
        a.Font.OnChange = [this](TCoverFont &f) { FontChanged(f); };
}

TCoverDocument::~TCoverDocument()
{
    if (View)
        View->DocumentDetached();
    // Nobody will see the pictures now: no work goes on for them (whoever
    // still holds one finishes it by waiting).
    for (const TAreaState &a : m_state.Areas)
        if (a.Picture && a.Picture->Pending)
            a.Picture->Pending->Stop();
}

TAreaState &TCoverDocument::At(CoverArea area)
{
    if (area < 1 || area > 3)
        throw EVelmoraError::RangeCheck();
    return m_state.Areas[size_t(area - 1)];
}

const TAreaState &TCoverDocument::At(CoverArea area) const
{
    return const_cast<TCoverDocument *>(this)->At(area);
}

void TCoverDocument::Repaint()
{
    if (View)
        View->DocumentRepaint();
}

void TCoverDocument::Touch()
{
    ++m_revision;
    if (OnChanged)
        OnChanged();
}

template <typename T> void TCoverDocument::Change(T &field, const T &value)
{
    if (!(field == value)) {
        field = value;
        Touch();
    }
    Repaint();
}

TDocumentState TCoverDocument::State() const
{
    TDocumentState copy = m_state;
    for (TAreaState &a : copy.Areas)
        a.Font.OnChange = nullptr;
    return copy;
}

void TCoverDocument::SetState(const TDocumentState &state)
{
    const quint64 before = m_revision;
    m_state.Mode = state.Mode;
    m_state.Size = state.Size;
    for (size_t i = 0; i < m_state.Areas.size(); ++i) {
        TAreaState &to = m_state.Areas[i];
        const TAreaState &from = state.Areas[i];
        // The font keeps its notification: it is this document's.
        to.Font.OnChange = nullptr;
        to.Font.Assign(from.Font);
        to.Font.OnChange = [this](TCoverFont &f) { FontChanged(f); };
        std::shared_ptr<const TPlacedPicture> picture = Numbered(from.Picture);
        SwapPending(to.Picture, picture);
        to.Picture = std::move(picture);
        to.Stretch = from.Stretch;
        to.Autosize = from.Autosize;
        to.BackColor = from.BackColor;
        to.Offset = from.Offset;
        to.Zoom = from.Zoom;
        to.Text = from.Text;
        to.Alignment = from.Alignment;
        to.Orientation = from.Orientation;
        to.TextPos = from.TextPos;
        to.Blocks = from.Blocks;
    }
    if (m_revision == before)
        Touch();
    if (View)
        View->DocumentRelayout();
}

const QImage &TCoverDocument::GetPicture(CoverArea area) const
{
    const auto &p = At(area).Picture;
    if (p && p->Pending)
        p->Pending->Wait();
    return p ? p->Bitmap : NoImage();
}

QSize TCoverDocument::PictureSize(CoverArea area) const
{
    const auto &p = At(area).Picture;
    return p ? p->Bitmap.size() : QSize(0, 0);
}

bool TCoverDocument::IsPictureWhole(CoverArea area) const
{
    const auto &p = At(area).Picture;
    return !p || !p->Pending || p->Pending->IsWhole();
}

const QImage &TCoverDocument::PictureAsItStands(CoverArea area) const
{
    const auto &p = At(area).Picture;
    return p ? p->Bitmap : NoImage();
}

void PlacePictureOf(TPlacedPicture &placed, const TGraphic &picture)
{
    placed.Pending = picture.Pending();
    placed.Bitmap = placed.Pending ? picture.BitmapAsItStands() : picture.ToBitmap();
    placed.Source = picture.Source();
    placed.Reduced = picture.Reduced();
}

void TCoverDocument::SetPicture(CoverArea area, const TGraphic *picture,
                                const QByteArray &fileBytes, const QString &fileKind)
{
    std::shared_ptr<TPlacedPicture> placed;
    if (picture) {
        placed = std::make_shared<TPlacedPicture>();
        PlacePictureOf(*placed, *picture);
        if (!fileBytes.isEmpty()) {
            placed->FileBytes = fileBytes;
            placed->FileKind = fileKind.toLower();
        }
    }
    SetPlacedPicture(area, std::move(placed));
}

void TCoverDocument::SetPicture(CoverArea area, const QImage *picture)
{
    std::shared_ptr<TPlacedPicture> placed;
    if (picture) {
        placed = std::make_shared<TPlacedPicture>();
        placed->Bitmap = *picture;
    }
    SetPlacedPicture(area, std::move(placed));
}

std::shared_ptr<const TPlacedPicture> TCoverDocument::PlacedPicture(CoverArea area) const
{
    return At(area).Picture;
}

void TCoverDocument::SetPlacedPicture(CoverArea area,
                                      std::shared_ptr<const TPlacedPicture> picture)
{
    TAreaState &a = At(area);
    picture = Numbered(std::move(picture));
    const bool changed = a.Picture != picture;
    SwapPending(a.Picture, picture);
    a.Picture = std::move(picture);
    if (changed)
        Touch();
    Repaint();
}

std::shared_ptr<const TPictureSource> TCoverDocument::GetPictureSource(CoverArea area) const
{
    const auto &p = At(area).Picture;
    return p ? p->Source : nullptr;
}

const QImage &TCoverDocument::GetReducedPicture(CoverArea area) const
{
    const auto &p = At(area).Picture;
    return p ? p->Reduced : NoImage();
}

bool TCoverDocument::GetStretch(CoverArea area) const
{
    return At(area).Stretch;
}

void TCoverDocument::SetStretch(CoverArea area, bool value)
{
    // Stretch and autosize exclude each other.
    SetPlacement(area, value, value ? false : At(area).Autosize);
}

bool TCoverDocument::GetAutosize(CoverArea area) const
{
    return At(area).Autosize;
}

void TCoverDocument::SetAutosize(CoverArea area, bool value)
{
    SetPlacement(area, value ? false : At(area).Stretch, value);
}

void TCoverDocument::SetPlacement(CoverArea area, bool stretch, bool autosize)
{
    TAreaState &a = At(area);
    if (a.Stretch != stretch || a.Autosize != autosize) {
        a.Stretch = stretch;
        a.Autosize = autosize;
        Touch();
    }
    Repaint();
}

TColorRef TCoverDocument::GetBackColor(CoverArea area) const
{
    return At(area).BackColor;
}

void TCoverDocument::SetBackColor(CoverArea area, TColorRef color)
{
    Change(At(area).BackColor, color);
}

TPoint TCoverDocument::GetOffset(CoverArea area) const
{
    return At(area).Offset;
}

void TCoverDocument::SetOffset(CoverArea area, TPoint offset)
{
    Change(At(area).Offset, offset);
}

double TCoverDocument::GetZoom(CoverArea area) const
{
    return At(area).Zoom;
}

namespace {

// Steps of 0.1 do not add up exactly: ten steps down from 1.0 leave about
// 1e-16, which would draw the picture as nothing. Anything that small is a
// zoom of 0.
constexpr double ZeroZoom = 1e-9;

} // namespace

bool TCoverDocument::IsValidZoom(double zoom)
{
    return zoom > ZeroZoom && zoom <= MaxZoom;
}

void TCoverDocument::SetZoom(CoverArea area, double zoom)
{
    // Nineteen steps up and nineteen down from 0.1 would otherwise end at
    // 0.0999999999999998, a zoom no cover file holds.
    const double tenths = std::round(zoom * 10);
    if (std::abs(zoom * 10 - tenths) < 1e-6)
        zoom = tenths / 10;
    zoom = std::min(zoom, MaxZoom);
    Change(At(area).Zoom, zoom > ZeroZoom ? zoom : 0.1);
}

QString TCoverDocument::GetText(CoverArea area) const
{
    return At(area).Text;
}

void TCoverDocument::SetText(CoverArea area, const QString &text)
{
    Change(At(area).Text, text);
}

uint8_t TCoverDocument::GetAlignment(CoverArea area) const
{
    return At(area).Alignment;
}

void TCoverDocument::SetAlignment(CoverArea area, uint8_t code)
{
    Change(At(area).Alignment, code);
}

TCoverFont &TCoverDocument::GetFont(CoverArea area)
{
    return At(area).Font;
}

const TCoverFont &TCoverDocument::GetFont(CoverArea area) const
{
    return At(area).Font;
}

uint8_t TCoverDocument::GetOrientation(CoverArea area) const
{
    return At(area).Orientation;
}

void TCoverDocument::SetOrientation(CoverArea area, uint8_t code)
{
    Change(At(area).Orientation, code);
}

uint8_t TCoverDocument::GetTextPosition(CoverArea area) const
{
    return At(area).TextPos;
}

void TCoverDocument::SetTextPosition(CoverArea area, uint8_t code)
{
    Change(At(area).TextPos, code);
}

void TCoverDocument::SetCoverSize(const CoverSize &size)
{
    if (!(m_state.Size == size)) {
        m_state.Size = size;
        Touch();
    }
    UpdateOrientations();
    if (View)
        View->DocumentRelayout();
}

void TCoverDocument::SetMode(CoverMode mode)
{
    if (m_state.Mode != mode) {
        m_state.Mode = mode;
        Touch();
    }
    UpdateOrientations();
    if (View)
        View->DocumentRelayout();
}

void TCoverDocument::UpdateOrientations()
{
    const CoverSize &s = m_state.Size;
    const double widths[3] = {s.LeftWidth, s.CenterWidth, s.RightWidth};
    bool changed = false;
    for (int i = 0; i < 3; ++i) {
        uint8_t &o = m_state.Areas[size_t(i)].Orientation;
        const uint8_t now = m_state.Mode == CoverMode::Single ? toHorz
                            : 2 * widths[i] < s.MultipleHeight ? toVert
                                                               : toHorz;
        changed = changed || o != now;
        o = now;
    }
    if (changed)
        Touch();
}

void TCoverDocument::Reset()
{
    for (TAreaState &a : m_state.Areas) {
        a.Picture = nullptr;
        a.Stretch = true;
        a.Autosize = false;
        a.Text.clear();
        a.Alignment = taCenter;
        a.TextPos = tpCenter;
        a.BackColor = 0xFFFFFF;
        a.Offset = TPoint();
        a.Zoom = 1.0;
        a.Blocks.clear();
        a.Font.SetName(QStringLiteral("Times New Roman"));
        a.Font.SetSize(30);
    }
    Touch();
}

void TCoverDocument::FontChanged(TCoverFont &)
{
    Touch();
    Repaint();
}

void TCoverDocument::ClearPlacementFlags(CoverArea area)
{
    TAreaState &a = At(area);
    if (a.Stretch || a.Autosize)
        Touch();
    a.Stretch = false;
    a.Autosize = false;
}

TPoint RescaledOffset(TPoint offset, int32_t fromPixelsPerCm, int32_t toPixelsPerCm)
{
    return TPoint{Round(double(offset.X) * toPixelsPerCm / fromPixelsPerCm),
                  Round(double(offset.Y) * toPixelsPerCm / fromPixelsPerCm)};
}

void TCoverDocument::ResetOffsetQuietly(CoverArea area)
{
    TAreaState &a = At(area);
    if (!(a.Offset == TPoint()))
        Touch();
    a.Offset = TPoint();
}

void TCoverDocument::SetOffsetQuietly(CoverArea area, TPoint offset)
{
    At(area).Offset = offset;
}

const TTextBlocks &TCoverDocument::GetBlocks(CoverArea area) const
{
    return At(area).Blocks;
}

void TCoverDocument::SetBlocks(CoverArea area, const TTextBlocks &blocks)
{
    Change(At(area).Blocks, blocks);
}

QSizeF TCoverDocument::AreaSizeMm(CoverArea area) const
{
    const CoverSize &s = m_state.Size;
    double width = 0;
    double height = 0;
    if (m_state.Mode == CoverMode::Single) {
        if (area == 1) {
            width = s.SingleWidth;
            height = s.SingleHeight;
        }
    } else if (area >= 1 && area <= 3) {
        width = area == 1 ? s.LeftWidth : area == 2 ? s.CenterWidth : s.RightWidth;
        height = s.MultipleHeight;
    }
    return QSizeF(std::max(0.0, width) * 25.4, std::max(0.0, height) * 25.4);
}
