// SPDX-License-Identifier: GPL-3.0-or-later
// Text blocks: laid out once in millimetres from widths measured at one
// large reference size, so that the screen, the print bitmaps and a PDF page
// put every line in the same place whatever their resolution.
#include "TextBlocks.h"

#include <QFont>
#include <QFontMetricsF>
#include <QMutex>
#include <QPaintDevice>
#include <QPainter>
#include <cmath>
#include <list>

namespace {

// Widths are measured with the font this many pixels high, unhinted, where
// they scale in proportion to the size.
constexpr double RefPx = 256;
constexpr double MmPerPoint = 25.4 / 72;
// Between a row's cells, and between columns, in ems.
constexpr double CellGapEm = 0.6;
constexpr double ColumnGapEm = 1.0;
// Sums of widths may miss a fit by a rounding error.
constexpr double Slack = 1e-6;

QFont UnhintedFont(const TTextBlock &b)
{
    QFont f(b.FontName);
    f.setBold(b.Bold);
    f.setItalic(b.Italic);
    f.setUnderline(b.Underline);
    f.setStrikeOut(b.StrikeOut);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// A paragraph of the text, measured at the reference size: words, or the
// cells of a row.
struct TParagraph
{
    bool Row = false;
    QStringList Parts;
    std::vector<double> Widths;
};

struct TMeasured
{
    std::vector<TParagraph> Paragraphs;
    double Space = 0;
    double Ascent = 0;
    double Descent = 0;
    double LineHeight = 0;
    std::vector<double> Stops; // where each cell but a row's last starts
};

TMeasured Measure(const TTextBlock &b)
{
    QFont f = UnhintedFont(b);
    f.setPixelSize(int(RefPx));
    const QFontMetricsF fm(f);
    TMeasured m;
    m.Space = fm.horizontalAdvance(QLatin1Char(' '));
    m.Ascent = fm.ascent();
    m.Descent = fm.descent();
    m.LineHeight = fm.lineSpacing();
    QString text = b.Text;
    text.remove(QLatin1Char('\r'));
    std::vector<double> widest; // per cell that is not a row's last
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        TParagraph para;
        para.Row = line.contains(QLatin1Char('\t'));
        para.Parts = line.split(para.Row ? QLatin1Char('\t') : QLatin1Char(' '));
        for (const QString &part : para.Parts)
            para.Widths.push_back(part.isEmpty() ? 0 : fm.horizontalAdvance(part));
        if (para.Row)
            for (size_t i = 0; i + 1 < para.Widths.size(); ++i) {
                if (widest.size() <= i)
                    widest.push_back(0);
                widest[i] = std::max(widest[i], para.Widths[i]);
            }
        m.Paragraphs.push_back(std::move(para));
    }
    double at = 0;
    for (double w : widest) {
        m.Stops.push_back(at);
        at += w + CellGapEm * RefPx;
    }
    return m;
}

// One line at a size: a paragraph's words from..to, or a whole row.
struct TLine
{
    size_t Paragraph = 0;
    int From = 0;
    int To = 0;
    double Width = 0; // in reference pixels
};

// The lines the text makes in columns so wide (reference pixels); false
// when a word or a row is wider.
bool BreakLines(const TMeasured &m, double width, std::vector<TLine> &lines)
{
    lines.clear();
    bool fits = true;
    for (size_t p = 0; p < m.Paragraphs.size(); ++p) {
        const TParagraph &para = m.Paragraphs[p];
        const int n = int(para.Widths.size());
        if (para.Row) {
            double need = para.Widths[0];
            if (n > 1)
                need = m.Stops[size_t(n - 2)] + para.Widths[size_t(n - 2)] +
                       CellGapEm * RefPx + para.Widths[size_t(n - 1)];
            fits = fits && need <= width + Slack;
            lines.push_back(TLine{p, 0, n, need});
            continue;
        }
        TLine line{p, 0, 1, para.Widths[0]};
        for (int i = 1; i < n; ++i) {
            const double w = para.Widths[size_t(i)];
            if (line.Width + m.Space + w <= width + Slack) {
                line.Width += m.Space + w;
                line.To = i + 1;
            } else {
                fits = fits && line.Width <= width + Slack;
                lines.push_back(line);
                line = TLine{p, i, i + 1, w};
            }
        }
        fits = fits && line.Width <= width + Slack;
        lines.push_back(line);
    }
    return fits;
}

struct TTrial
{
    std::vector<TLine> Lines;
    int Columns = 1;
    int PerColumn = 0;
    double Scale = 0;       // millimetres per reference pixel
    double ColumnWidth = 0; // millimetres
    double ColumnGap = 0;   // millimetres
    bool Fits = false;
};

TTrial Try(const TTextBlock &b, const TMeasured &m, double size, int columns)
{
    TTrial t;
    const QSizeF frame = b.Frame();
    t.Columns = columns;
    const double em = size * MmPerPoint;
    t.Scale = em / RefPx;
    t.ColumnGap = columns > 1 ? ColumnGapEm * em : 0;
    t.ColumnWidth = std::max(0.0, (frame.width() - (columns - 1) * t.ColumnGap) / columns);
    const bool wide = BreakLines(m, t.ColumnWidth / t.Scale, t.Lines);
    const int count = int(t.Lines.size());
    t.PerColumn = (count + columns - 1) / columns;
    const double height = t.PerColumn * m.LineHeight * b.LineSpacing * t.Scale;
    t.Fits = wide && height <= frame.height() + Slack;
    return t;
}

double AlignedStart(TBlockAlign align, double room, double used)
{
    switch (align) {
    case TBlockAlign::Center:
        return (room - used) / 2;
    case TBlockAlign::End:
        return room - used;
    default:
        return 0;
    }
}

} // namespace

bool TTextBlock::operator==(const TTextBlock &o) const
{
    return X == o.X && Y == o.Y && Width == o.Width && Height == o.Height &&
           Rotation == o.Rotation && Text == o.Text && FontName == o.FontName &&
           FontSize == o.FontSize && Bold == o.Bold && Italic == o.Italic &&
           Underline == o.Underline && StrikeOut == o.StrikeOut && Color == o.Color &&
           HAlign == o.HAlign && VAlign == o.VAlign && Fit == o.Fit && Columns == o.Columns &&
           LineSpacing == o.LineSpacing;
}

QSizeF TTextBlock::Frame() const
{
    return Rotation % 180 == 0 ? QSizeF(Width, Height) : QSizeF(Height, Width);
}

bool TTextBlock::IsValid(QString *why) const
{
    const auto fail = [why](const char *what) {
        if (why)
            *why = QString::fromLatin1(what);
        return false;
    };
    const auto within = [](double v, double low, double high) {
        return std::isfinite(v) && v >= low && v <= high;
    };
    if (!within(X, -MaxReachMm, MaxReachMm) || !within(Y, -MaxReachMm, MaxReachMm))
        return fail("position");
    if (!within(Width, MinSideMm, MaxReachMm) || !within(Height, MinSideMm, MaxReachMm))
        return fail("size");
    if (Rotation != 0 && Rotation != 90 && Rotation != 180 && Rotation != 270)
        return fail("rotation");
    if (Text.toUtf8().size() > MaxTextBytes)
        return fail("text");
    if (FontName.size() > 1000)
        return fail("font");
    if (!within(FontSize, MinFontSize, MaxFontSize))
        return fail("size");
    if (Color > 0xFFFFFF)
        return fail("color");
    if (int(HAlign) > 2 || int(VAlign) > 2 || int(Fit) > 2)
        return fail("alignment");
    if (Columns < 1 || Columns > MaxColumns)
        return fail("columns");
    if (!within(LineSpacing, MinLineSpacing, MaxLineSpacing))
        return fail("lineSpacing");
    return true;
}

TBlockLayout LayOutTextBlock(const TTextBlock &block)
{
    const TMeasured m = Measure(block);
    const int columns =
        block.Fit == TBlockFit::Columns ? std::clamp(block.Columns, 1, TTextBlock::MaxColumns) : 1;
    const double size = std::clamp(block.FontSize, TTextBlock::MinFontSize, TTextBlock::MaxFontSize);
    TTrial t = Try(block, m, size, columns);
    double chosen = size;
    if (!t.Fits && block.Fit != TBlockFit::Clip) {
        // Quarter points from the smallest size up to just below the font's.
        int low = int(std::ceil(TTextBlock::MinFontSize * 4));
        int high = int(std::ceil(size * 4)) - 1;
        TTrial best = Try(block, m, low / 4.0, columns);
        chosen = low / 4.0;
        if (best.Fits) {
            while (low < high) {
                const int mid = (low + high + 1) / 2;
                TTrial trial = Try(block, m, mid / 4.0, columns);
                if (trial.Fits) {
                    low = mid;
                    best = std::move(trial);
                } else {
                    high = mid - 1;
                }
            }
            chosen = low / 4.0;
        }
        t = std::move(best);
    }

    TBlockLayout out;
    out.FontSize = chosen;
    out.Lines = int(t.Lines.size());
    out.PerColumn = t.PerColumn;
    out.Fits = t.Fits;
    const QSizeF frame = block.Frame();
    const double k = t.Scale;
    const double lineHeight = m.LineHeight * block.LineSpacing * k;
    const double used = t.PerColumn * lineHeight;
    const double top = AlignedStart(block.VAlign, frame.height(), used);
    // The glyphs' own height sits in the middle of each line's slot.
    const double firstBaseline = top + (lineHeight - (m.Ascent + m.Descent) * k) / 2 + m.Ascent * k;
    for (size_t i = 0; i < t.Lines.size(); ++i) {
        const TLine &line = t.Lines[i];
        const TParagraph &para = m.Paragraphs[line.Paragraph];
        const int column = t.PerColumn > 0 ? int(i) / t.PerColumn : 0;
        const int row = t.PerColumn > 0 ? int(i) % t.PerColumn : 0;
        const double left = column * (t.ColumnWidth + t.ColumnGap);
        const double baseline = firstBaseline + row * lineHeight;
        if (!para.Row) {
            const QString text = para.Parts.mid(line.From, line.To - line.From).join(QLatin1Char(' '));
            if (!text.isEmpty())
                out.Runs.push_back(TBlockRun{
                    left + AlignedStart(block.HAlign, t.ColumnWidth, line.Width * k), baseline,
                    line.Width * k, text});
            continue;
        }
        const int n = int(para.Parts.size());
        for (int c = 0; c < n; ++c) {
            if (para.Parts[c].isEmpty())
                continue;
            const double w = para.Widths[size_t(c)] * k;
            const double x = c + 1 == n && n > 1 ? t.ColumnWidth - w : m.Stops[size_t(c)] * k;
            out.Runs.push_back(TBlockRun{left + x, baseline, w, para.Parts[c]});
        }
    }
    return out;
}

std::shared_ptr<const TBlockLayout> CachedTextBlockLayout(const TTextBlock &block)
{
    // The box's place does not change its layout.
    TTextBlock key = block;
    key.X = 0;
    key.Y = 0;
    static QMutex mutex;
    static std::list<std::pair<TTextBlock, std::shared_ptr<const TBlockLayout>>> cache;
    {
        QMutexLocker lock(&mutex);
        for (auto it = cache.begin(); it != cache.end(); ++it)
            if (it->first == key) {
                cache.splice(cache.begin(), cache, it);
                return it->second;
            }
    }
    auto layout = std::make_shared<const TBlockLayout>(LayOutTextBlock(key));
    QMutexLocker lock(&mutex);
    cache.emplace_front(key, layout);
    if (cache.size() > 64)
        cache.pop_back();
    return layout;
}

void DrawTextBlocks(QPainter &p, const TTextBlocks &blocks, const QRectF &area, double pxPerMmX,
                    double pxPerMmY)
{
    if (blocks.empty() || !(pxPerMmX > 0) || !(pxPerMmY > 0) || area.isEmpty())
        return;
    const int dpi = p.device() ? p.device()->logicalDpiY() : 72;
    for (const TTextBlock &b : blocks) {
        const std::shared_ptr<const TBlockLayout> layout = CachedTextBlockLayout(b);
        if (layout->Runs.empty())
            continue;
        const QRectF box(area.left() + b.X * pxPerMmX, area.top() + b.Y * pxPerMmY,
                         b.Width * pxPerMmX, b.Height * pxPerMmY);
        const bool turned = b.Rotation % 180 != 0;
        // Across and down the frame, in device pixels per millimetre.
        const double fx = turned ? pxPerMmY : pxPerMmX;
        const double fy = turned ? pxPerMmX : pxPerMmY;
        const QSizeF frame = b.Frame();
        p.save();
        p.setClipRect(area);
        p.translate(box.center());
        p.rotate(b.Rotation);
        const QRectF frameRect(-frame.width() * fx / 2, -frame.height() * fy / 2,
                               frame.width() * fx, frame.height() * fy);
        p.setClipRect(frameRect, Qt::IntersectClip);
        QFont f = UnhintedFont(b);
        f.setPointSizeF(layout->FontSize * MmPerPoint * fy * 72.0 / dpi);
        p.setFont(f);
        const uint32_t c = b.Color;
        p.setPen(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
        for (const TBlockRun &run : layout->Runs)
            p.drawText(QPointF(frameRect.left() + run.X * fx, frameRect.top() + run.Baseline * fy),
                       run.Text);
        p.restore();
    }
}
