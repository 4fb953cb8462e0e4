// SPDX-License-Identifier: GPL-3.0-or-later
// Text blocks in the main window: the Insert menu, the popup menu's items,
// the block panel, and the view's block gestures made steps.
#include "CMMainWindow.h"

#include "CoverView.h"
#include "StandardDialogs.h"
#include "TextBlockPanel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

namespace {

constexpr int MoveBlockStep = 288;
constexpr int ResizeBlockStep = 289;
constexpr int DeleteBlockStep = 290;
constexpr int TypingStep = 228;
// Nudges of one block with the arrow keys merge into one step.
constexpr int NudgeMergeKey = 5000;

} // namespace

void TCoverMakerMainForm::CreateBlockItems()
{
    Insert1 = new QMenu(QStringLiteral("Insert"), this);
    menuBar()->insertMenu(Configure1->menuAction(), Insert1);
    TextBlock1 = Insert1->addAction(QStringLiteral("Text Block"));
    connect(TextBlock1, &QAction::triggered, this, Command(&TCoverMakerMainForm::TextBlock1Click));

    AreaPopupMenu->addSeparator();
    AddTextBlock1 = AreaPopupMenu->addAction(QStringLiteral("Add Text Block"));
    DeleteTextBlock1 = AreaPopupMenu->addAction(QStringLiteral("Delete Text Block"));
    connect(AddTextBlock1, &QAction::triggered, this,
            Command(&TCoverMakerMainForm::TextBlock1Click));
    connect(DeleteTextBlock1, &QAction::triggered, this,
            Command(&TCoverMakerMainForm::DeleteTextBlock1Click));
    connect(AreaPopupMenu, &QMenu::aboutToShow, this,
            [this] { DeleteTextBlock1->setEnabled(CoverView->SelectedBlock() != -1); });

    BlockPanel = new TTextBlockPanel(centralWidget());
    m_viewRow->addWidget(BlockPanel);
    BlockPanel->OnChange = [this](const TTextBlock &block) {
        Run([&] {
            Show(m_cover->SetTextBlock(CoverView->SelectedBlockArea(), CoverView->SelectedBlock(),
                                       block));
        });
    };
    BlockPanel->OnFontClick = Command(&TCoverMakerMainForm::BlockFontButtonClick);

    CoverView->SetOnBlockSelection([this](TCoverView *) { Run([this] { UpdateBlockPanel(); }); });
    CoverView->SetOnBlockEditEnd(
        [this](TCoverView *) { Run([this] { CoverViewBlockEditEnd(); }); });
    CoverView->SetOnBlockGesture(
        [this](TCoverView *, TCoverView::TBlockGesture gesture, int32_t area, int index) {
            Run([&] {
                switch (gesture) {
                case TCoverView::TBlockGesture::Move:
                    m_cover->CommitGesture(MoveBlockStep);
                    break;
                case TCoverView::TBlockGesture::Resize:
                    m_cover->CommitGesture(ResizeBlockStep);
                    break;
                case TCoverView::TBlockGesture::Nudge:
                    m_cover->CommitGesture(MoveBlockStep,
                                           NudgeMergeKey + area * TTextBlock::MaxPerArea + index);
                    break;
                case TCoverView::TBlockGesture::Delete:
                    m_cover->CommitGesture(DeleteBlockStep);
                    break;
                case TCoverView::TBlockGesture::Typing:
                    m_cover->CommitGesture(TypingStep, TCoverController::BlockTypingKey(area, index));
                    break;
                }
            });
        });
    ApplyBlockTexts();
    UpdateBlockPanel();
}

void TCoverMakerMainForm::ApplyBlockTexts()
{
    if (!BlockPanel)
        return;
    Insert1->setTitle(UiText(277));
    TextBlock1->setText(UiText(278));
    AddTextBlock1->setText(UiText(294));
    DeleteTextBlock1->setText(UiText(292));
    BlockPanel->ApplyTexts([this](int number) { return UiText(number); });
}

void TCoverMakerMainForm::UpdateBlockPanel()
{
    if (!BlockPanel)
        return;
    // The panel is there while the cover has a block: a cover without any
    // keeps the window as it always was, and selecting a block never moves
    // the cover under the mouse.
    bool any = false;
    for (CoverArea a = 1; a <= 3; ++a)
        any = any || !m_document->GetBlocks(a).empty();
    BlockPanel->setVisible(any);
    const int32_t area = CoverView->SelectedBlockArea();
    const int index = CoverView->SelectedBlock();
    BlockPanel->ShowBlock(m_cover->HasBlock(area, index)
                              ? &m_document->GetBlocks(area)[size_t(index)]
                              : nullptr);
}

void TCoverMakerMainForm::TextBlock1Click()
{
    int32_t area = CoverView->SelectedArea();
    if (area == -1)
        area = 1;
    int index = -1;
    const TOutcome outcome = m_cover->AddTextBlock(area, &index);
    Show(outcome);
    if (!outcome.Ok() || !m_cover->HasBlock(area, index))
        return;
    CoverView->SelectBlock(area, index);
    m_newBlock = {area, index, m_cover->Steps().index()};
    CoverView->EditBlock();
}

void TCoverMakerMainForm::CoverViewBlockEditEnd()
{
    // A block added and left without a word (Escape, or a click elsewhere)
    // is taken back with its step: nothing invisible stays on the cover.
    const TNewBlock added = m_newBlock;
    m_newBlock = TNewBlock();
    if (added.Area == -1 || CoverView->SelectedBlockArea() != added.Area ||
        CoverView->SelectedBlock() != added.Index || m_cover->Steps().index() != added.Step ||
        !m_cover->HasBlock(added.Area, added.Index) ||
        !m_document->GetBlocks(added.Area)[size_t(added.Index)].Text.isEmpty())
        return;
    m_cover->WithdrawLastStep();
}

void TCoverMakerMainForm::DeleteTextBlock1Click()
{
    Show(m_cover->RemoveTextBlock(CoverView->SelectedBlockArea(), CoverView->SelectedBlock()));
}

void TCoverMakerMainForm::BlockFontButtonClick()
{
    const int32_t area = CoverView->SelectedBlockArea();
    const int index = CoverView->SelectedBlock();
    if (!m_cover->HasBlock(area, index))
        return;
    TTextBlock block = m_document->GetBlocks(area)[size_t(index)];
    TCoverFont font;
    font.SetName(block.FontName);
    font.SetSize(std::max(1, int(std::lround(block.FontSize))));
    font.SetBold(block.Bold);
    font.SetItalic(block.Italic);
    font.SetUnderline(block.Underline);
    font.SetStrikeOut(block.StrikeOut);
    font.SetColor(ColorRefToQColor(block.Color));
    if (!m_setup.Fonts->Choose(this, font))
        return;
    block.FontName = font.Name();
    block.FontSize = std::clamp(double(font.Size()), TTextBlock::MinFontSize, TTextBlock::MaxFontSize);
    block.Bold = font.Bold();
    block.Italic = font.Italic();
    block.Underline = font.Underline();
    block.StrikeOut = font.StrikeOut();
    block.Color = QColorToColorRef(font.Color());
    Show(m_cover->SetTextBlock(area, index, block));
}
