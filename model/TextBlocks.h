// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QPainter;

// How a block's text meets its box.
enum class TBlockFit : uint8_t
{
    Clip = 0,    // at its size, cut at the box
    Shrink = 1,  // made smaller until it fits, never larger
    Columns = 2, // flowed into columns, made smaller until it fits
};
enum class TBlockAlign : uint8_t
{
    Start = 0, // left, or top
    Center = 1,
    End = 2, // right, or bottom
};

// Several lines of text in a box of their own on an area: the track list
// on a tray inlay, the notes in a booklet. Lengths in millimetres, the box
// relative to its area's top-left corner.
struct TTextBlock
{
    double X = 0;
    double Y = 0;
    double Width = 40;
    double Height = 20;
    int Rotation = 0; // clockwise, in quarter turns' degrees: 0, 90, 180, 270
    QString Text;
    QString FontName = QStringLiteral("Arial");
    double FontSize = 10; // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    uint32_t Color = 0; // red in the low byte, as the areas' colours
    TBlockAlign HAlign = TBlockAlign::Start;
    TBlockAlign VAlign = TBlockAlign::Start;
    TBlockFit Fit = TBlockFit::Shrink;
    int Columns = 1;          // with Fit Columns: 1 to MaxColumns
    double LineSpacing = 1.0; // times the font's own line height

    bool operator==(const TTextBlock &o) const;
    bool operator!=(const TTextBlock &o) const { return !(*this == o); }

    static constexpr int MaxPerArea = 64;
    static constexpr int MaxTextBytes = 64 * 1024; // as UTF-8
    static constexpr int MaxColumns = 5;
    static constexpr double MinFontSize = 1;
    static constexpr double MaxFontSize = 1000;
    static constexpr double MinLineSpacing = 0.5;
    static constexpr double MaxLineSpacing = 3;
    // How far a box may reach, either way: beyond the largest cover.
    static constexpr double MaxReachMm = 4 * 1000 * 25.4;
    // The smallest step a box is moved or sized by, and the smallest box.
    static constexpr double MinSideMm = 1;

    // Whether every value is one the program makes: what a cover file may
    // hold. Why not, when it is not, names the value.
    bool IsValid(QString *why = nullptr) const;
    // The box, the same in any rotation.
    QRectF Box() const { return QRectF(X, Y, Width, Height); }
    // The box the text is laid out in: its sides exchanged for a quarter turn.
    QSizeF Frame() const;
};

using TTextBlocks = std::vector<TTextBlock>;

// One piece of text as it is drawn: where its baseline starts within the
// frame, in millimetres.
struct TBlockRun
{
    double X = 0;
    double Baseline = 0;
    double Width = 0;
    QString Text;
};

// A block's text laid out in its frame.
struct TBlockLayout
{
    double FontSize = 0; // the size chosen, in points
    std::vector<TBlockRun> Runs;
    int Lines = 0;        // lines the text makes at that size
    int PerColumn = 0;    // lines in each column
    bool Fits = false;    // whether every line lies within the frame
};

// Lays the block's text out: the font at its size (Clip), or the largest size
// in quarter points at or below it at which the text fits (Shrink, Columns).
// Paragraphs wrap at spaces; a line with tabs is a row that never wraps: its
// first cells stand at common tab stops and its last is set right. Lines run
// down a column and then into the next; columns hold equal shares.
TBlockLayout LayOutTextBlock(const TTextBlock &block);

// The same, remembered: a paint lays out only what changed since.
std::shared_ptr<const TBlockLayout> CachedTextBlockLayout(const TTextBlock &block);

// Draws the blocks of an area whose rectangle on the device is area, at so
// many device pixels per millimetre across and down: text stays text on a
// PDF page. Each block is cut at its box and at the area.
void DrawTextBlocks(QPainter &p, const TTextBlocks &blocks, const QRectF &area, double pxPerMmX,
                    double pxPerMmY);
