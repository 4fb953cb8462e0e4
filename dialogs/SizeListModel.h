// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverSizes.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// The catalogue as the new cover dialog lists it: name, size in Single mode,
// sizes in Multiple mode, in the unit the dialog shows. A row reads its entry
// from the catalogue's reading when the list first shows it, so a long
// catalogue lists as fast as a short one.
class TSizeListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // unit: the unit's text ("inches"); unreadable: what the size column of
    // an entry that does not read says.
    void SetCatalogue(const TSizeListSnapshot &catalogue, bool centimetres, const QString &unit,
                      const QString &unreadable);
    void SetHeaders(const QStringList &headers);

    // How the rows are ordered: as the catalogue holds them (until the user
    // asks otherwise), by name, or by the Single size's area.
    enum class TOrder
    {
        Catalogue,
        Name,
        Size
    };
    void SetOrder(TOrder order);
    // Shows only the entries that hold every word of three letters or more
    // of words, in their name, their kinds or their sizes as listed;
    // kinds gives an entry's kinds in the user's words.
    void SetFilter(const QString &words, std::function<QStringList(const QString &name)> kinds);
    // The entry's size as it reads (unreadable values as 0).
    CoverSize Size(int row) const;

    QString Name(int row) const;
    // The error of an entry that does not read, or empty.
    QString Error(int row) const;
    int RowNamed(const QString &name, Qt::CaseSensitivity cs) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString SizeText(const CoverSize &size, int column) const;
public:
    // Numbers shown with the language's decimal separator.
    void SetDecimalSeparator(QChar separator);

private:
    // By the row shown, and by the place in the catalogue.
    const TSizeEntry &Entry(int row) const;
    const TSizeEntry &CatalogueEntry(int index) const;
    void Arrange();

    std::optional<TSizeListSnapshot> m_catalogue;
    QStringList m_names; // as the catalogue's records hold them
    mutable std::vector<std::optional<TSizeEntry>> m_entries;
    bool m_centimetres = false;
    QString m_unit;
    QChar m_decimal = QLatin1Char('.');
    QString m_unreadable;
    QStringList m_headers;
    std::vector<int> m_rows; // the entries shown, by their place in the catalogue
    TOrder m_order = TOrder::Catalogue;
    QStringList m_words;
    std::function<QStringList(const QString &)> m_kinds;
};
