// SPDX-License-Identifier: GPL-3.0-or-later
// The commands on text blocks: added, changed, typed into, removed.
#include "CoverController.h"

#include "VelmoraError.h"

#include <cmath>

namespace {

constexpr int TypingStep = 228;
constexpr int AddBlockStep = 279;
constexpr int BlockSettingsStep = 291;
constexpr int DeleteBlockStep = 290;
constexpr int TooManyBlocksText = 293;

// Typing in one block merges into one step, apart from typing in the
// areas' lines.
constexpr int BlockTypingMergeKey = 1000;

} // namespace

int TCoverController::BlockTypingKey(int32_t area, int index)
{
    return BlockTypingMergeKey + area * TTextBlock::MaxPerArea + index;
}

bool TCoverController::HasBlock(int32_t area, int index) const
{
    return Shown(area) && index >= 0 && size_t(index) < m_document->GetBlocks(area).size();
}

TOutcome TCoverController::AddTextBlock(int32_t area, int *index)
{
    if (!Shown(area))
        return {};
    TTextBlocks blocks = m_document->GetBlocks(area);
    if (int(blocks.size()) >= TTextBlock::MaxPerArea)
        return TOutcome::Failed(Text(TooManyBlocksText).arg(TTextBlock::MaxPerArea));
    // Centred in the area, in the area's face and colour, at a size that
    // suits a list.
    const QSizeF room = m_document->AreaSizeMm(area);
    const TCoverFont &font = m_document->GetFont(area);
    TTextBlock b;
    b.Width = std::max(TTextBlock::MinSideMm, std::round(room.width() * 6) / 10);
    b.Height = std::max(TTextBlock::MinSideMm, std::round(room.height() * 4) / 10);
    b.X = std::round((room.width() - b.Width) * 5) / 10;
    b.Y = std::round((room.height() - b.Height) * 5) / 10;
    b.FontName = font.Name();
    b.Color = QColorToColorRef(font.Color());
    blocks.push_back(b);
    if (index)
        *index = int(blocks.size()) - 1;
    return Step(AddBlockStep, -1, [&] { m_document->SetBlocks(area, blocks); });
}

TOutcome TCoverController::SetTextBlock(int32_t area, int index, const TTextBlock &block)
{
    if (!HasBlock(area, index))
        return {};
    if (!block.IsValid())
        return TOutcome::Failed(EVelmoraError::RangeCheck().Text());
    TTextBlocks blocks = m_document->GetBlocks(area);
    const bool typing = blocks[size_t(index)].Text != block.Text;
    blocks[size_t(index)] = block;
    return Step(typing ? TypingStep : BlockSettingsStep, typing ? BlockTypingKey(area, index) : -1,
                [&] { m_document->SetBlocks(area, blocks); });
}

TOutcome TCoverController::SetTextBlockText(int32_t area, int index, const QString &text)
{
    if (!HasBlock(area, index))
        return {};
    TTextBlock b = m_document->GetBlocks(area)[size_t(index)];
    b.Text = text;
    return SetTextBlock(area, index, b);
}

TOutcome TCoverController::RemoveTextBlock(int32_t area, int index)
{
    if (!HasBlock(area, index))
        return {};
    TTextBlocks blocks = m_document->GetBlocks(area);
    blocks.erase(blocks.begin() + index);
    return Step(DeleteBlockStep, -1, [&] { m_document->SetBlocks(area, blocks); });
}
