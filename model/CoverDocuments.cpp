// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverDocuments.h"

#include "VelmoraError.h"

QColor ColorRefToQColor(TColorRef c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

TColorRef QColorToColorRef(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return TColorRef(rgb.red()) | (TColorRef(rgb.green()) << 8) | (TColorRef(rgb.blue()) << 16);
}

TCoverDocument::TCoverDocument()
{
    for (Area &a : m_areas)
        a.Font.OnChange = [this](TCoverFont &f) { FontChanged(f); };
}

TCoverDocument::~TCoverDocument()
{
    if (View)
        View->DocumentDetached();
}

TCoverDocument::Area &TCoverDocument::At(CoverArea area)
{
    if (area < 1 || area > 3)
        throw EVelmoraError::RangeCheck();
    return m_areas[size_t(area - 1)];
}

const TCoverDocument::Area &TCoverDocument::At(CoverArea area) const
{
    return const_cast<TCoverDocument *>(this)->At(area);
}

void TCoverDocument::Repaint()
{
    if (View)
        View->DocumentRepaint();
}

const QImage &TCoverDocument::GetPicture(CoverArea area) const
{
    return At(area).Picture;
}

void TCoverDocument::SetPicture(CoverArea area, const TGraphic *picture)
{
    At(area).Picture = picture ? picture->ToBitmap() : QImage();
    At(area).Source = picture ? picture->Source() : nullptr;
    At(area).Reduced = picture ? picture->Reduced() : QImage();
    Repaint();
}

void TCoverDocument::SetPicture(CoverArea area, const QImage *picture)
{
    At(area).Picture = picture ? *picture : QImage();
    At(area).Source = nullptr;
    At(area).Reduced = QImage();
    Repaint();
}

std::shared_ptr<const TPictureSource> TCoverDocument::GetPictureSource(CoverArea area) const
{
    return At(area).Source;
}

const QImage &TCoverDocument::GetReducedPicture(CoverArea area) const
{
    return At(area).Reduced;
}

bool TCoverDocument::GetStretch(CoverArea area) const
{
    return At(area).Stretch;
}

void TCoverDocument::SetStretch(CoverArea area, bool value)
{
    Area &a = At(area);
    a.Stretch = value;
    if (value)
        a.Autosize = false;
    Repaint();
}

bool TCoverDocument::GetAutosize(CoverArea area) const
{
    return At(area).Autosize;
}

void TCoverDocument::SetAutosize(CoverArea area, bool value)
{
    Area &a = At(area);
    a.Autosize = value;
    if (value)
        a.Stretch = false;
    Repaint();
}

TColorRef TCoverDocument::GetBackColor(CoverArea area) const
{
    return At(area).BackColor;
}

void TCoverDocument::SetBackColor(CoverArea area, TColorRef color)
{
    At(area).BackColor = color;
    Repaint();
}

TPoint TCoverDocument::GetOffset(CoverArea area) const
{
    return At(area).Offset;
}

void TCoverDocument::SetOffset(CoverArea area, TPoint offset)
{
    At(area).Offset = offset;
    Repaint();
}

double TCoverDocument::GetZoom(CoverArea area) const
{
    return At(area).Zoom;
}

void TCoverDocument::SetZoom(CoverArea area, double zoom)
{
    // Steps of 0.1 do not add up exactly: ten steps down from 1.0 leave
    // about 1e-16, which would draw the picture as nothing. Anything that
    // small is a zoom of 0.
    constexpr double ZeroZoom = 1e-9;
    At(area).Zoom = zoom > ZeroZoom ? zoom : 0.1;
    Repaint();
}

QString TCoverDocument::GetText(CoverArea area) const
{
    return At(area).Text;
}

void TCoverDocument::SetText(CoverArea area, const QString &text)
{
    At(area).Text = text;
    Repaint();
}

uint8_t TCoverDocument::GetAlignment(CoverArea area) const
{
    return At(area).Alignment;
}

void TCoverDocument::SetAlignment(CoverArea area, uint8_t code)
{
    At(area).Alignment = code;
    Repaint();
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
    At(area).Orientation = code;
    Repaint();
}

uint8_t TCoverDocument::GetTextPosition(CoverArea area) const
{
    return At(area).TextPos;
}

void TCoverDocument::SetTextPosition(CoverArea area, uint8_t code)
{
    At(area).TextPos = code;
    Repaint();
}

void TCoverDocument::SetCoverSize(const CoverSize &size)
{
    m_size = size;
    UpdateOrientations();
    if (View)
        View->DocumentRelayout();
}

void TCoverDocument::SetMode(CoverMode mode)
{
    m_mode = mode;
    UpdateOrientations();
    if (View)
        View->DocumentRelayout();
}

void TCoverDocument::UpdateOrientations()
{
    const double widths[3] = {m_size.LeftWidth, m_size.CenterWidth, m_size.RightWidth};
    for (int i = 0; i < 3; ++i) {
        if (m_mode == CoverMode::Single)
            m_areas[size_t(i)].Orientation = toHorz;
        else
            m_areas[size_t(i)].Orientation =
                2 * widths[i] < m_size.MultipleHeight ? toVert : toHorz;
    }
}

void TCoverDocument::Reset()
{
    for (Area &a : m_areas) {
        a.Picture = QImage();
        a.Source = nullptr;
        a.Reduced = QImage();
        a.Stretch = true;
        a.Autosize = false;
        a.Text.clear();
        a.Alignment = taCenter;
        a.TextPos = tpCenter;
        a.BackColor = 0xFFFFFF;
        a.Offset = TPoint();
        a.Zoom = 1.0;
        a.Font.SetName(QStringLiteral("Times New Roman"));
        a.Font.SetSize(30);
    }
}

void TCoverDocument::FontChanged(TCoverFont &)
{
    Repaint();
}

void TCoverDocument::ClearPlacementFlags(CoverArea area)
{
    Area &a = At(area);
    a.Stretch = false;
    a.Autosize = false;
}

void TCoverDocument::ResetOffsetQuietly(CoverArea area)
{
    SetOffsetQuietly(area, TPoint());
}

void TCoverDocument::SetOffsetQuietly(CoverArea area, TPoint offset)
{
    At(area).Offset = offset;
}
