// SPDX-License-Identifier: GPL-3.0-or-later
#include "RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

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

void TRadioGroup::Arrange()
{
    if (m_buttons.isEmpty())
        return;
    // The items share the box's inside in equal cells, column by column and
    // top to bottom within a column, each centred on its cell's height.
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect inside =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, this);
    const int rows = (int(m_buttons.size()) + m_columns - 1) / m_columns;
    const int cellW = std::max(1, (inside.width() - 4) / m_columns);
    const int cellH = std::max(1, inside.height() / rows);
    for (int i = 0; i < m_buttons.size(); ++i) {
        const int col = i / rows;
        const int row = i % rows;
        const int h = std::min(cellH, m_buttons[i]->sizeHint().height());
        m_buttons[i]->setGeometry(inside.left() + 4 + col * cellW,
                                  inside.top() + row * cellH + (cellH - h) / 2, cellW, h);
    }
}
