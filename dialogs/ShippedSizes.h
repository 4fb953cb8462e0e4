// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BuiltInTexts.h"
#include "CoverSizes.h"

#include <QDialog>

class QListWidget;
class QPushButton;

// The sizes a newer shipped catalogue has and the user's lacks (by name), to
// tick and add: an update never rewrites the user's own catalogue.
class TShippedSizesDialog : public QDialog
{
    Q_OBJECT
public:
    TShippedSizesDialog(const QList<CoverSize> &offered, const TTextLookup &texts,
                        QWidget *parent = nullptr);
    // The sizes ticked.
    QList<CoverSize> Chosen() const;

    QListWidget *SizeList = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;

private:
    QList<CoverSize> m_offered;
};

// The readable entries of the shipped catalogue at path that sizes does not
// hold by name.
QList<CoverSize> NewShippedSizes(const QString &path, const TSizeList &sizes);
