// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextBlockPanel.h"

#include "DecimalSpinBox.h"
#include "FloatText.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int DecimalSeparatorText = 265;

} // namespace

TTextBlockPanel::TTextBlockPanel(QWidget *parent) : TPanel(parent)
{
    setFixedWidth(185);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(10, 8, 10, 8);
    column->setSpacing(2);
    BlockCaption = new QLabel(QStringLiteral("Text block"), this);
    QFont bold = BlockCaption->font();
    bold.setBold(true);
    BlockCaption->setFont(bold);
    QPalette captionColour = BlockCaption->palette();
    captionColour.setColor(QPalette::WindowText,
                           palette().color(QPalette::Active, QPalette::Highlight));
    BlockCaption->setPalette(captionColour);
    BlockCaption->setAlignment(Qt::AlignHCenter);
    column->addWidget(BlockCaption);
    column->addSpacing(6);
    BlockFontButton = new QPushButton(QStringLiteral("Font..."), this);
    column->addWidget(BlockFontButton);
    BlockFontLabel = new QLabel(this);
    BlockFontLabel->setTextFormat(Qt::RichText);
    BlockFontLabel->setWordWrap(true);
    column->addWidget(BlockFontLabel);
    const auto field = [&](QLabel *&label, QWidget *control) {
        column->addSpacing(4);
        label = new QLabel(this);
        label->setBuddy(control);
        column->addWidget(label);
        column->addWidget(control);
    };
    BlockAlignCombo = new QComboBox(this);
    field(BlockAlignLabel, BlockAlignCombo);
    BlockVAlignCombo = new QComboBox(this);
    field(BlockVAlignLabel, BlockVAlignCombo);
    BlockFitCombo = new QComboBox(this);
    field(BlockFitLabel, BlockFitCombo);
    BlockColumnsSpin = new QSpinBox(this);
    BlockColumnsSpin->setRange(1, TTextBlock::MaxColumns);
    field(BlockColumnsLabel, BlockColumnsSpin);
    BlockSpacingSpin = new TDecimalSpinBox(this);
    BlockSpacingSpin->setRange(TTextBlock::MinLineSpacing, TTextBlock::MaxLineSpacing);
    BlockSpacingSpin->setSingleStep(0.1);
    BlockSpacingSpin->setDecimals(2);
    field(BlockSpacingLabel, BlockSpacingSpin);
    BlockRotationCombo = new QComboBox(this);
    for (int degrees : {0, 90, 180, 270})
        BlockRotationCombo->addItem(QStringLiteral("%1\u00B0").arg(degrees), degrees);
    field(BlockRotationLabel, BlockRotationCombo);
    column->addStretch(1);

    for (QComboBox *combo : {BlockAlignCombo, BlockVAlignCombo, BlockFitCombo, BlockRotationCombo})
        connect(combo, &QComboBox::activated, this, [this] { Changed(); });
    connect(BlockColumnsSpin, &QSpinBox::valueChanged, this, [this] { Changed(); });
    connect(BlockSpacingSpin, &TDecimalSpinBox::valueChanged, this, [this] { Changed(); });
    connect(BlockFontButton, &QPushButton::clicked, this, [this] {
        if (m_shown && OnFontClick)
            OnFontClick();
    });
    const std::pair<QObject *, const char *> names[] = {
        {BlockCaption, "BlockCaption"},           {BlockFontButton, "BlockFontButton"},
        {BlockFontLabel, "BlockFontLabel"},       {BlockAlignCombo, "BlockAlignCombo"},
        {BlockVAlignCombo, "BlockVAlignCombo"},   {BlockFitCombo, "BlockFitCombo"},
        {BlockColumnsSpin, "BlockColumnsSpin"},   {BlockSpacingSpin, "BlockSpacingSpin"},
        {BlockRotationCombo, "BlockRotationCombo"}, {BlockAlignLabel, "BlockAlignLabel"},
        {BlockVAlignLabel, "BlockVAlignLabel"},   {BlockFitLabel, "BlockFitLabel"},
        {BlockColumnsLabel, "BlockColumnsLabel"}, {BlockSpacingLabel, "BlockSpacingLabel"},
        {BlockRotationLabel, "BlockRotationLabel"},
    };
    for (const auto &[object, name] : names)
        object->setObjectName(QLatin1String(name));
    ApplyTexts(BuiltInText);
    Fill();
}

void TTextBlockPanel::ApplyTexts(const TTextLookup &texts)
{
    const bool showing = m_showing;
    m_showing = true;
    BlockCaption->setText(texts(280));
    BlockFontButton->setText(texts(16));
    BlockAlignLabel->setText(texts(5));
    BlockVAlignLabel->setText(texts(12));
    BlockFitLabel->setText(texts(281));
    BlockColumnsLabel->setText(texts(285));
    BlockSpacingLabel->setText(texts(286));
    BlockSpacingSpin->SetDecimalSeparator(DecimalSeparatorOf(texts(DecimalSeparatorText)));
    BlockRotationLabel->setText(texts(287));
    const auto fill = [](QComboBox *combo, const QStringList &items) {
        const int at = combo->currentIndex();
        combo->clear();
        combo->addItems(items);
        combo->setCurrentIndex(at);
    };
    fill(BlockAlignCombo, {texts(6), texts(7), texts(8)});
    fill(BlockVAlignCombo, {texts(13), texts(14), texts(15)});
    fill(BlockFitCombo, {texts(282), texts(283), texts(284)});
    m_showing = showing;
}

void TTextBlockPanel::ShowBlock(const TTextBlock *block)
{
    // The window asks at every change of the cover, a drag's every move
    // included: the controls are set only when what they show changed.
    const auto settings = [](TTextBlock b) {
        b.X = b.Y = b.Width = b.Height = 0;
        b.Text.clear();
        return b;
    };
    const bool same =
        m_shown == (block != nullptr) && (!block || settings(*block) == settings(m_block));
    m_shown = block != nullptr;
    if (block)
        m_block = *block;
    if (!same)
        Fill();
}

void TTextBlockPanel::Fill()
{
    m_showing = true;
    for (QWidget *w : findChildren<QWidget *>())
        if (w != BlockCaption)
            w->setEnabled(m_shown);
    BlockAlignCombo->setCurrentIndex(m_shown ? int(m_block.HAlign) : -1);
    BlockVAlignCombo->setCurrentIndex(m_shown ? int(m_block.VAlign) : -1);
    BlockFitCombo->setCurrentIndex(m_shown ? int(m_block.Fit) : -1);
    BlockColumnsSpin->setValue(m_shown ? m_block.Columns : 1);
    BlockColumnsSpin->setEnabled(m_shown && m_block.Fit == TBlockFit::Columns);
    BlockSpacingSpin->setValue(m_shown ? m_block.LineSpacing : 1.0);
    BlockRotationCombo->setCurrentIndex(m_shown ? m_block.Rotation / 90 : -1);
    ShowFont();
    m_showing = false;
}

void TTextBlockPanel::ShowFont()
{
    if (!m_shown) {
        BlockFontLabel->clear();
        return;
    }
    // The colour as a swatch: a white or pale text would not show as text.
    const uint32_t c = m_block.Color;
    const QColor colour(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
    BlockFontLabel->setText(
        QStringLiteral("<span style=\"background:%1\">&nbsp;&nbsp;&nbsp;&nbsp;</span> %2, %3 pt")
            .arg(colour.name(), m_block.FontName.toHtmlEscaped())
            .arg(m_block.FontSize));
}

void TTextBlockPanel::Changed()
{
    if (m_showing || !m_shown)
        return;
    TTextBlock b = m_block;
    b.HAlign = TBlockAlign(std::clamp(BlockAlignCombo->currentIndex(), 0, 2));
    b.VAlign = TBlockAlign(std::clamp(BlockVAlignCombo->currentIndex(), 0, 2));
    b.Fit = TBlockFit(std::clamp(BlockFitCombo->currentIndex(), 0, 2));
    b.Columns = BlockColumnsSpin->value();
    b.LineSpacing = std::round(BlockSpacingSpin->value() * 100) / 100;
    b.Rotation = std::clamp(BlockRotationCombo->currentIndex(), 0, 3) * 90;
    BlockColumnsSpin->setEnabled(b.Fit == TBlockFit::Columns);
    if (b != m_block && OnChange)
        OnChange(b);
}
