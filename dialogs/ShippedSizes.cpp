// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShippedSizes.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TShippedSizesDialog::TShippedSizesDialog(const QList<CoverSize> &offered, const TTextLookup &texts,
                                         QWidget *parent)
    : QDialog(parent), m_offered(offered)
{
    setWindowTitle(TitleOf(texts(324)));
    resize(420, 360);
    auto *column = new QVBoxLayout(this);
    SizeList = new QListWidget(this);
    for (const CoverSize &s : offered) {
        auto *item = new QListWidgetItem(s.Name.Text(), SizeList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    column->addWidget(SizeList, 1);
    auto *row = new QHBoxLayout();
    row->addStretch(1);
    OkButton = new QPushButton(texts(77), this);
    CancelButton = new QPushButton(texts(78), this);
    OkButton->setDefault(true);
    row->addWidget(OkButton);
    row->addWidget(CancelButton);
    column->addLayout(row);
    SizeList->setObjectName(QStringLiteral("SizeList"));
    OkButton->setObjectName(QStringLiteral("OkButton"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QList<CoverSize> TShippedSizesDialog::Chosen() const
{
    QList<CoverSize> chosen;
    for (int i = 0; i < SizeList->count(); ++i)
        if (SizeList->item(i)->checkState() == Qt::Checked)
            chosen << m_offered[i];
    return chosen;
}

QList<CoverSize> NewShippedSizes(const QString &path, const TSizeList &sizes)
{
    QList<CoverSize> offered;
    if (!QFileInfo::exists(path))
        return offered;
    const TSizeList shipped(path);
    for (const TSizeEntry &e : shipped.ReadEntries())
        if (e.Readable() && !sizes.HasSize(e.Size.Name))
            offered << e.Size;
    return offered;
}
