// SPDX-License-Identifier: GPL-3.0-or-later
#include "SizeListModel.h"

#include "FloatText.h"

#include <algorithm>

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
    Arrange();
    endResetModel();
}

const TSizeEntry &TSizeListModel::CatalogueEntry(int index) const
{
    std::optional<TSizeEntry> &entry = m_entries[size_t(index)];
    if (!entry)
        entry = m_catalogue->Entry(index);
    return *entry;
}

const TSizeEntry &TSizeListModel::Entry(int row) const
{
    return CatalogueEntry(m_rows[size_t(row)]);
}

void TSizeListModel::SetOrder(TOrder order)
{
    beginResetModel();
    m_order = order;
    Arrange();
    endResetModel();
}

void TSizeListModel::SetFilter(const QString &words,
                               std::function<QStringList(const QString &name)> kinds)
{
    beginResetModel();
    m_words.clear();
    for (const QString &w : words.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (w.size() >= 3)
            m_words << w;
    m_kinds = std::move(kinds);
    Arrange();
    endResetModel();
}

void TSizeListModel::Arrange()
{
    // Untouched, every entry in the catalogue's order, each read only when
    // it is shown.
    m_rows.clear();
    for (int i = 0; i < int(m_names.size()); ++i) {
        bool shown = true;
        if (!m_words.isEmpty()) {
            QString seen = m_names[i];
            if (m_kinds)
                seen += QLatin1Char(' ') + m_kinds(m_names[i]).join(QLatin1Char(' '));
            const TSizeEntry &e = CatalogueEntry(i);
            if (e.Readable())
                seen += QLatin1Char(' ') + SizeText(e.Size, 1) + QLatin1Char(' ') + SizeText(e.Size, 2);
            for (const QString &w : m_words)
                shown = shown && seen.contains(w, Qt::CaseInsensitive);
        }
        if (shown)
            m_rows.push_back(i);
    }
    if (m_order == TOrder::Name) {
        std::stable_sort(m_rows.begin(), m_rows.end(), [this](int a, int b) {
            return QString::localeAwareCompare(m_names[a], m_names[b]) < 0;
        });
    } else if (m_order == TOrder::Size) {
        const auto area = [this](int i) {
            const CoverSize &s = CatalogueEntry(i).Size;
            return s.SingleWidth * s.SingleHeight;
        };
        std::stable_sort(m_rows.begin(), m_rows.end(),
                         [&](int a, int b) { return area(a) < area(b); });
    }
}

CoverSize TSizeListModel::Size(int row) const
{
    return row >= 0 && row < rowCount() ? Entry(row).Size : CoverSize();
}

void TSizeListModel::SetHeaders(const QStringList &headers)
{
    m_headers = headers;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QString TSizeListModel::Name(int row) const
{
    return row >= 0 && row < rowCount() ? m_names[m_rows[size_t(row)]] : QString();
}

QString TSizeListModel::Error(int row) const
{
    return row >= 0 && row < rowCount() ? Entry(row).Error : QString();
}

int TSizeListModel::RowNamed(const QString &name, Qt::CaseSensitivity cs) const
{
    for (int row = 0; row < rowCount(); ++row)
        if (QString::compare(m_names[m_rows[size_t(row)]], name, cs) == 0)
            return row;
    return -1;
}

int TSizeListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TSizeListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QString TSizeListModel::SizeText(const CoverSize &size, int column) const
{
    const CoverSize s = m_centimetres ? TSizeList::ToCentimetres(size) : size;
    const auto n = [this](double v) { return FloatToShownText(v, m_decimal); };
    if (column == 1)
        return QStringLiteral("%1 x %2 (%3)").arg(n(s.SingleWidth), n(s.SingleHeight), m_unit);
    return QStringLiteral("(%1 + %2 + %3) x %4 (%5)")
        .arg(n(s.LeftWidth), n(s.CenterWidth), n(s.RightWidth), n(s.MultipleHeight), m_unit);
}

void TSizeListModel::SetDecimalSeparator(QChar separator)
{
    if (separator == m_decimal)
        return;
    m_decimal = separator;
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, 1), index(int(m_rows.size()) - 1, 2));
}

QVariant TSizeListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    if (index.column() == 0 && role == Qt::DisplayRole)
        return Name(index.row());
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
