// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BuiltInTexts.h"
#include "PaintBox.h"
#include "TextBlocks.h"

#include <functional>

class QComboBox;
class TDecimalSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The selected text block's settings beside the image properties: font
// (with colour), alignment across and down, fitting, columns, line spacing
// and rotation. Every change the user makes comes out as the whole block
// changed; nothing is kept here but what is shown.
class TTextBlockPanel : public TPanel
{
    Q_OBJECT
public:
    explicit TTextBlockPanel(QWidget *parent = nullptr);

    void ApplyTexts(const TTextLookup &texts);
    // Shows a block's settings; null shows none and takes no input.
    void ShowBlock(const TTextBlock *block);

    std::function<void(const TTextBlock &block)> OnChange;
    std::function<void()> OnFontClick;

private:
    // Controls, named as their object names.
    QLabel *BlockCaption = nullptr;
    QPushButton *BlockFontButton = nullptr;
    QLabel *BlockFontLabel = nullptr;
    QLabel *BlockAlignLabel = nullptr;
    QComboBox *BlockAlignCombo = nullptr;
    QLabel *BlockVAlignLabel = nullptr;
    QComboBox *BlockVAlignCombo = nullptr;
    QLabel *BlockFitLabel = nullptr;
    QComboBox *BlockFitCombo = nullptr;
    QLabel *BlockColumnsLabel = nullptr;
    QSpinBox *BlockColumnsSpin = nullptr;
    QLabel *BlockSpacingLabel = nullptr;
    TDecimalSpinBox *BlockSpacingSpin = nullptr;
    QLabel *BlockRotationLabel = nullptr;
    QComboBox *BlockRotationCombo = nullptr;

    void Changed();
    // The controls set from what is shown.
    void Fill();
    void ShowFont();

    TTextBlock m_block;
    bool m_shown = false;
    bool m_showing = false;
};
