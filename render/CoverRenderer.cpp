// SPDX-License-Identifier: GPL-3.0-or-later
// The cover's layout, for the screen and for paper alike: where each area
// lies on the page, where its picture and its line go within it.
#include "CoverRenderer.h"

#include "CoverSizes.h"
#include "PdfFinishing.h"
#include "Rounding.h"
#include "VelmoraError.h"

#include <cmath>

namespace {

// Text box placement: the RectAlign code for each step, by orientation.
uint8_t HorzFirst(uint8_t alignment)
{
    switch (alignment) {
    case taLeft:
        return uint8_t(RectAlign::Left);
    case taRight:
        return uint8_t(RectAlign::Right);
    case taCenter:
        return uint8_t(RectAlign::HCenter);
    default:
        return 255;
    }
}

uint8_t HorzSecond(uint8_t position)
{
    switch (position) {
    case tpTop:
        return uint8_t(RectAlign::Top);
    case tpBottom:
        return uint8_t(RectAlign::Bottom);
    case tpCenter:
        return uint8_t(RectAlign::VCenter);
    default:
        return 255;
    }
}

uint8_t VertFirst(uint8_t position)
{
    switch (position) {
    case tpTop:
        return uint8_t(RectAlign::Left);
    case tpBottom:
        return uint8_t(RectAlign::Right);
    case tpCenter:
        return uint8_t(RectAlign::HCenter);
    default:
        return 255;
    }
}

uint8_t VertSecond(uint8_t alignment)
{
    switch (alignment) {
    case taLeft:
        return uint8_t(RectAlign::Bottom);
    case taRight:
        return uint8_t(RectAlign::Top);
    case taCenter:
        return uint8_t(RectAlign::VCenter);
    default:
        return 255;
    }
}

// Widths of the printed areas in inches, with their area numbers.
struct TPrintedArea
{
    CoverArea Area;
    double Width;
};

std::vector<TPrintedArea> PrintedAreas(const TCoverDocument &document, double &height)
{
    const CoverSize &s = document.Size();
    if (document.Mode() == CoverMode::Single) {
        height = s.SingleHeight;
        return {{1, s.SingleWidth}};
    }
    height = s.MultipleHeight;
    return {{1, s.LeftWidth}, {2, s.CenterWidth}, {3, s.RightWidth}};
}

} // namespace

TRenderTarget TRenderTarget::Paper(double printerPixelsPerCm)
{
    TRenderTarget t;
    t.PrinterPixelsPerCm = printerPixelsPerCm;
    return t;
}

TRenderTarget TRenderTarget::Screen(int32_t pixelsPerCm, int dpi, double displayRatio)
{
    TRenderTarget t;
    t.OnScreen = true;
    t.ScreenPixelsPerCm = pixelsPerCm;
    t.ScreenDpi = dpi;
    t.DisplayRatio = displayRatio;
    return t;
}

TCoverRenderer::TCoverRenderer(const TCoverDocument &document, int32_t offsetPixelsPerCm)
    : m_document(document)
{
    SetOffsetPixelsPerCm(offsetPixelsPerCm);
}

void TCoverRenderer::SetOffsetPixelsPerCm(int32_t offsetPixelsPerCm)
{
    // Offsets of no measured printer count in the figure the document
    // takes for none.
    m_offsetPixelsPerCm = offsetPixelsPerCm > 0 ? offsetPixelsPerCm : NoPrinterPixelsPerCm;
}

TAreaLayout TCoverRenderer::LayOutArea(CoverArea area, const TRect &rect,
                                       const TRenderTarget &target) const
{
    TAreaLayout out;
    out.Rect = rect;
    const QSize picture = m_document.PictureSize(area);
    if (picture.width() > 0 && picture.height() > 0) {
        out.Picture = PictureRect(area, rect, target);
        out.HasPicture = true;
    }
    LayOutText(area, rect, target, out);
    return out;
}

TRect TCoverRenderer::PictureRect(CoverArea area, const TRect &rect,
                                  const TRenderTarget &target) const
{
    const QSize pic = m_document.PictureSize(area);
    if (m_document.GetStretch(area))
        return rect;
    if (m_document.GetAutosize(area))
        return FitRect(rect, pic.width(), pic.height());
    const int32_t w = Trunc(m_document.GetZoom(area) * rect.Width());
    const int32_t h = Trunc(double(CheckedMul(pic.height(), w)) / pic.width());
    const TPoint o = m_document.GetOffset(area);
    int32_t x;
    int32_t y;
    if (target.OnScreen) {
        const double toScreen = double(target.ScreenPixelsPerCm) / m_offsetPixelsPerCm;
        x = Trunc(toScreen * o.X / target.DisplayRatio);
        y = Trunc(toScreen * o.Y / target.DisplayRatio);
    } else {
        // Formed as one quotient so that, for the printer the offsets count
        // in, it is exactly a third of the offset.
        const double den = double(m_offsetPixelsPerCm) * TRenderTarget::PrintDivisor;
        x = Trunc(o.X * target.PrinterPixelsPerCm / den);
        y = Trunc(o.Y * target.PrinterPixelsPerCm / den);
    }
    const int32_t left = CheckedAdd(rect.Left, x);
    const int32_t top = CheckedAdd(rect.Top, y);
    return TRect{left, top, CheckedAdd(left, w), CheckedAdd(top, h)};
}

const TTextMeasure &TCoverRenderer::MeasuredText(CoverArea area, const QString &text,
                                                const QFont &font) const
{
    TMeasureMemo &memo = m_measured.at(size_t(area - 1));
    if (!memo.Valid || memo.Text != text || memo.Font != font) {
        memo.Measure = MeasureTextLine(text, font);
        memo.Text = text;
        memo.Font = font;
        memo.Valid = true;
    }
    return memo.Measure;
}

void TCoverRenderer::LayOutText(CoverArea area, const TRect &rect, const TRenderTarget &target,
                                TAreaLayout &out) const
{
    const QString t = m_document.GetText(area);
    if (t.isEmpty())
        return;
    const TCoverFont &coverFont = m_document.GetFont(area);
    // Points become whole pixels at the screen's resolution, as the font
    // dialog and every other program show them; on paper a point is a 72nd
    // of an inch at the layout's exact resolution.
    const double pixels =
        target.OnScreen
            ? std::max(1, Round(coverFont.Size() * double(target.ScreenDpi) / 72.0))
            : std::max(1.0, coverFont.Size() * target.PrinterPixelsPerCm * 2.54 /
                                TRenderTarget::PrintDivisor / 72.0);
    // Fonts come in whole pixels; a size between two is the nearer one
    // drawn larger or smaller by what is left.
    const int32_t whole = std::max(1, Round(pixels));
    out.Font = coverFont.Font();
    out.Font.setPixelSize(whole);
    out.Measure = MeasuredText(area, t, out.Font);
    const double scale = pixels / whole;
    out.TextWidth = Trunc(std::ceil(out.Measure.Width * scale));
    out.TextHeight = Trunc(std::ceil((out.Measure.Ascent + out.Measure.Descent) * scale));
    const bool vertical = m_document.GetOrientation(area) == toVert;

    int32_t bw = out.TextWidth;
    int32_t bh = out.TextHeight;
    if (target.OnScreen) {
        bw = Trunc(out.TextWidth / target.DisplayRatio);
        bh = Trunc(out.TextHeight / target.DisplayRatio);
    }
    if (vertical)
        std::swap(bw, bh);
    TRect box{0, 0, bw, bh};
    const uint8_t alignment = m_document.GetAlignment(area);
    const uint8_t position = m_document.GetTextPosition(area);
    AlignRectTo(box, rect, vertical ? VertFirst(position) : HorzFirst(alignment), box);
    AlignRectTo(box, rect, vertical ? VertSecond(alignment) : HorzSecond(position), box);
    out.TextBox = RectIntersection(box, rect);
    out.HasText = true;
}

std::vector<TPrintSlot> TCoverRenderer::PrintLayout(double printerPixelsPerCm) const
{
    std::vector<TPrintSlot> slots;
    double height = 0;
    const std::vector<TPrintedArea> areas = PrintedAreas(m_document, height);
    // Page edges come from the running total in inches, so the areas abut
    // exactly and none carries the rounding of the one before it.
    const int32_t divisor = TRenderTarget::PrintDivisor;
    const int32_t pageHeight = Round(InchToCm(height) * printerPixelsPerCm);
    const int32_t bitmapHeight = Round(InchToCm(height) * printerPixelsPerCm / divisor);
    double inches = 0;
    int32_t left = 0;
    for (const TPrintedArea &a : areas) {
        if (!(a.Width > 0))
            continue;
        inches += a.Width;
        const int32_t right = Round(InchToCm(inches) * printerPixelsPerCm);
        TPrintSlot slot;
        slot.Area = a.Area;
        slot.Page = TRect{left, 0, right, pageHeight};
        slot.BitmapWidth = Round(InchToCm(a.Width) * printerPixelsPerCm / divisor);
        slot.BitmapHeight = bitmapHeight;
        left = right;
        if (slot.BitmapWidth > 0 && slot.BitmapHeight > 0 && slot.Page.Width() > 0 &&
            slot.Page.Height() > 0)
            slots.push_back(slot);
    }
    return slots;
}

QSizeF TCoverRenderer::PrintedSize(const TPrintExtras &extras) const
{
    double height = 0;
    double width = 0;
    for (const TPrintedArea &a : PrintedAreas(m_document, height))
        if (a.Width > 0)
            width += a.Width;
    const double room = 2 * extras.RoomInches();
    return QSizeF(width + room, std::max(0.0, height) + room);
}

void TCoverRenderer::CheckPrintable(int dpi, const TPrintExtras &extras) const
{
    const double printerPixelsPerCm = dpi / 2.54;
    const TRenderTarget paper = TRenderTarget::Paper(printerPixelsPerCm);
    const int32_t bitmapBleed = Round(extras.BleedInches() * dpi / TRenderTarget::PrintDivisor);
    int64_t largest = 0;
    for (const TPrintSlot &slot : PrintLayout(printerPixelsPerCm)) {
        LayOutArea(slot.Area, TRect{0, 0, slot.BitmapWidth, slot.BitmapHeight}, paper);
        largest = std::max(largest, (int64_t(slot.BitmapWidth) + 2 * bitmapBleed) *
                                        (int64_t(slot.BitmapHeight) + 2 * bitmapBleed));
    }
    if (largest > int64_t(INT32_MAX) / 4)
        throw EVelmoraError::RangeCheck();
}

void TCoverRenderer::AddTypedTexts(TPdfFinishing &finishing) const
{
    for (CoverArea area = 1; area <= 3; ++area) {
        finishing.AddTypedText(m_document.GetText(area));
        for (const TTextBlock &block : m_document.GetBlocks(area))
            finishing.AddTypedText(block.Text);
    }
}
