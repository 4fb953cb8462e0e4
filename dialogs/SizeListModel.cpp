// SPDX-License-Identifier: GPL-3.0-or-later
#include "SizeListModel.h"

#include "FloatText.h"

void TSizeListModel::SetCatalogue(const TSizeListSnapshot &catalogue, bool centimetres,
                                  const QString &unit, const QString &unreadable)
{
    beginResetModel();
    m_catalogue = catalogue;
    // Names read from the file are stored names already; only one longer
    // than a record's name is cut as the record cuts it.
    m_names = catalogue.Names();
    for (qsizetype i = 0; i < m_names.size(); ++i)
        if (m_names.at(i).size() > TSizeName::MaxLength)
            m_names[i] = TSizeName(m_names.at(i)).Text();
    m_entries.assign(size_t(m_names.size()), std::nullopt);
    m_centimetres = centimetres;
    m_unit = unit;
    m_unreadable = unreadable;
    endResetModel();
}

const TSizeEntry &TSizeListModel::Entry(int row) const
{
    std::optional<TSizeEntry> &entry = m_entries[size_t(row)];
    if (!entry)
        entry = m_catalogue->Entry(row);
    return *entry;
}

void TSizeListModel::SetHeaders(const QStringList &headers)
{
    m_headers = headers;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QString TSizeListModel::Name(int row) const
{
    return m_names.value(row);
}

QString TSizeListModel::Error(int row) const
{
    return row >= 0 && row < m_names.size() ? Entry(row).Error : QString();
}

int TSizeListModel::RowNamed(const QString &name, Qt::CaseSensitivity cs) const
{
    for (int i = 0; i < m_names.size(); ++i)
        if (QString::compare(m_names[i], name, cs) == 0)
            return i;
    return -1;
}

int TSizeListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
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
    if (!index.isValid() || index.row() >= m_names.size() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    if (index.column() == 0 && role == Qt::DisplayRole)
        return m_names[index.row()];
    const TSizeEntry &entry = Entry(index.row());
    if (role == Qt::ToolTipRole)
        return entry.Readable() ? QVariant() : QVariant(entry.Error);
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
