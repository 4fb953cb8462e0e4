// SPDX-License-Identifier: GPL-3.0-or-later
#include "RadioGroup.h"

#include "BuiltInTexts.h"

#include <QApplication>
#include <QButtonGroup>
#include <QPointer>
#include <QProxyStyle>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// The layouts were drawn for radio buttons whose caption stands close to
// the circle; the platform's own spacing is wider.
class TCompactRadioStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        if (metric == PM_RadioButtonLabelSpacing)
            return 3;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QStyle *CompactRadioStyle()
{
    static QPointer<TCompactRadioStyle> style;
    if (!style) {
        style = new TCompactRadioStyle;
        style->setParent(qApp);
    }
    return style;
}

// The indicator, its spacing and the caption as shown, and a pixel to spare.
int ItemWidth(const QRadioButton *b)
{
    QStyleOptionButton o;
    o.initFrom(b);
    const QString caption = WithoutMnemonic(b->text());
    return b->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &o, b) +
           b->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &o, b) +
           b->fontMetrics().horizontalAdvance(caption) + 1;
}

} // namespace

TRadioGroup::TRadioGroup(const QString &caption, int columns, QWidget *parent)
    : QGroupBox(caption, parent), m_columns(columns > 0 ? columns : 1),
      m_group(new QButtonGroup(this))
{
    connect(m_group, &QButtonGroup::idToggled, this, &TRadioGroup::ButtonToggled);
}

void TRadioGroup::SetItems(const QStringList &items)
{
    for (QRadioButton *b : m_buttons) {
        m_group->removeButton(b);
        delete b;
    }
    m_buttons.clear();
    m_items = items;
    m_index = -1;
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items[i], this);
        b->setStyle(CompactRadioStyle());
        m_group->addButton(b, i);
        m_buttons << b;
        b->show();
    }
    Arrange();
}

QRadioButton *TRadioGroup::Button(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons[index] : nullptr;
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index < -1 || index >= m_buttons.size())
        index = -1;
    if (index == m_index)
        return;
    if (index == -1) {
        // An exclusive group cannot be emptied while exclusive.
        m_group->setExclusive(false);
        for (QRadioButton *b : m_buttons)
            b->setChecked(false);
        m_group->setExclusive(true);
        m_index = -1;
        if (OnClick)
            OnClick();
    } else {
        m_buttons[index]->setChecked(true); // runs ButtonToggled
    }
}

void TRadioGroup::ButtonToggled(int id, bool checked)
{
    if (!checked || id == m_index)
        return;
    m_index = id;
    if (OnClick)
        OnClick();
}

void TRadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    Arrange();
}

QRect TRadioGroup::Inside() const
{
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents,
                                   this);
}

int TRadioGroup::Rows() const
{
    return (int(m_buttons.size()) + m_columns - 1) / m_columns;
}

std::vector<int> TRadioGroup::ColumnWidths(int rows) const
{
    std::vector<int> widths(size_t((int(m_buttons.size()) + rows - 1) / rows), 0);
    for (int i = 0; i < m_buttons.size(); ++i)
        widths[size_t(i / rows)] = std::max(widths[size_t(i / rows)], ItemWidth(m_buttons[i]));
    return widths;
}

int TRadioGroup::NeededWidth() const
{
    // The caption sits on the frame with a little room either side.
    const int caption = fontMetrics().horizontalAdvance(WithoutMnemonic(title())) + 16;
    if (m_buttons.isEmpty())
        return caption;
    const std::vector<int> widths = ColumnWidths(Rows());
    const int frame = width() - Inside().width();
    // A little air between columns, so that neighbours do not read as one.
    const int air = 3 * int(widths.size());
    return std::max(caption,
                    frame + 4 + air + std::accumulate(widths.begin(), widths.end(), 0));
}

void TRadioGroup::Arrange()
{
    if (m_buttons.isEmpty())
        return;
    // The items fill the box's inside column by column, top to bottom
    // within a column, each centred on its cell's height. Columns take the
    // room their widest item needs, with what is left shared out, so a long
    // caption beside short ones still fits; when even that is too narrow
    // the columns share the room equally.
    const QRect inside = Inside();
    const int rows = Rows();
    std::vector<int> widths = ColumnWidths(rows);
    const int columns = int(widths.size());
    const int room = std::max(1, inside.width() - 4);
    const int needed = std::accumulate(widths.begin(), widths.end(), 0);
    if (needed <= room) {
        const int extra = (room - needed) / columns;
        for (int &w : widths)
            w += extra;
    } else {
        std::fill(widths.begin(), widths.end(), std::max(1, room / columns));
    }
    const int cellH = std::max(1, inside.height() / rows);
    int x = inside.left() + 4;
    for (int col = 0; col < columns; ++col) {
        for (int row = 0; row < rows; ++row) {
            const int i = col * rows + row;
            if (i >= m_buttons.size())
                break;
            const int h = std::min(cellH, m_buttons[i]->sizeHint().height());
            m_buttons[i]->setGeometry(x, inside.top() + row * cellH + (cellH - h) / 2,
                                      widths[size_t(col)], h);
        }
        x += widths[size_t(col)];
    }
}
