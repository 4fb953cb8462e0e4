// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BuiltInTexts.h"
#include "CoverSizes.h"

#include <QWidget>

// The kinds of case a catalogue entry is for, by its name, in the user's
// words ("CD case", "Plain paper"): what the new cover dialog's search
// matches besides the name.
QStringList CoverKinds(const QString &name, const TTextLookup &texts);

// The selected size drawn to scale: its panels side by side with their
// folds, each width below it and the height beside it, in the dialog's unit.
class TCoverShapeView : public QWidget
{
    Q_OBJECT
public:
    explicit TCoverShapeView(QWidget *parent = nullptr);

    // No size (a null name) draws nothing.
    void ShowSize(const CoverSize &size, bool multiple, bool centimetres, const QString &unit);
    void SetDecimalSeparator(QChar separator)
    {
        m_decimal = separator;
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CoverSize m_size;
    bool m_multiple = false;
    bool m_centimetres = false;
    QString m_unit;
    QChar m_decimal = QLatin1Char('.');
};
