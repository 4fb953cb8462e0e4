// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QStringList>
#include <functional>
#include <vector>

class QButtonGroup;
class QRadioButton;

// A captioned group of radio buttons laid out in columns, with no choice
// (-1) possible. Setting the choice from code counts as the user's doing:
// OnClick runs whenever the choice actually changes.
class TRadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    TRadioGroup(const QString &caption, int columns, QWidget *parent);

    void SetItems(const QStringList &items); // leaves no choice
    QStringList Items() const { return m_items; }
    int ItemIndex() const { return m_index; }
    void SetItemIndex(int index);
    QRadioButton *Button(int index) const;
    // The narrowest width at which the caption and every item fit.
    int NeededWidth() const;

    std::function<void()> OnClick;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Arrange();
    QRect Inside() const;
    std::vector<int> ColumnWidths(int rows) const; // each column's widest item
    int Rows() const;
    void ButtonToggled(int id, bool checked);

    int m_columns;
    int m_index = -1;
    QStringList m_items;
    QButtonGroup *m_group;
    QList<QRadioButton *> m_buttons;
};
