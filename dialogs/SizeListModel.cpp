// SPDX-License-Identifier: GPL-3.0-or-later
#include "SizeListModel.h"

#include "FloatText.h"

void TSizeListModel::SetEntries(QList<TSizeEntry> entries, bool centimetres, const QString &unit,
                                const QString &unreadable)
{
    beginResetModel();
    m_entries = std::move(entries);
    m_centimetres = centimetres;
    m_unit = unit;
    m_unreadable = unreadable;
    endResetModel();
}

void TSizeListModel::SetHeaders(const QStringList &headers)
{
    m_headers = headers;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QString TSizeListModel::Name(int row) const
{
    return row >= 0 && row < m_entries.size() ? m_entries[row].Size.Name.Text() : QString();
}

QString TSizeListModel::Error(int row) const
{
    return row >= 0 && row < m_entries.size() ? m_entries[row].Error : QString();
}

int TSizeListModel::RowNamed(const QString &name, Qt::CaseSensitivity cs) const
{
    for (int i = 0; i < m_entries.size(); ++i)
        if (QString::compare(m_entries[i].Size.Name.Text(), name, cs) == 0)
            return i;
    return -1;
}

int TSizeListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int TSizeListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QString TSizeListModel::SizeText(const CoverSize &size, int column) const
{
    const CoverSize s = m_centimetres ? TSizeList::ToCentimetres(size) : size;
    if (column == 1)
        return QStringLiteral("%1 x %2 (%3)")
            .arg(FloatToShortText(s.SingleWidth), FloatToShortText(s.SingleHeight), m_unit);
    return QStringLiteral("(%1 + %2 + %3) x %4 (%5)")
        .arg(FloatToShortText(s.LeftWidth), FloatToShortText(s.CenterWidth),
             FloatToShortText(s.RightWidth), FloatToShortText(s.MultipleHeight), m_unit);
}

QVariant TSizeListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return QVariant();
    const TSizeEntry &entry = m_entries[index.row()];
    if (role == Qt::ToolTipRole && !entry.Readable())
        return entry.Error;
    if (role != Qt::DisplayRole)
        return QVariant();
    if (index.column() == 0)
        return entry.Size.Name.Text();
    // An entry that does not read is listed all the same, so that it can be
    // edited or removed.
    if (!entry.Readable())
        return index.column() == 1 ? m_unreadable : entry.Error;
    return SizeText(entry.Size, index.column());
}

QVariant TSizeListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_headers.value(section);
}
