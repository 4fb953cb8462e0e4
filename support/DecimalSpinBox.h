// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDoubleSpinBox>

// A number field that writes and reads decimals with the program's own
// separator (the language's, not the system's), takes either separator
// typed, and reports a value once it is typed whole (Return, or the focus
// leaving) or stepped with the arrows: a value reported at every keystroke
// would come back into the field, set anew, while it is being typed.
class TDecimalSpinBox : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit TDecimalSpinBox(QWidget *parent = nullptr);

    void SetDecimalSeparator(QChar separator);

protected:
    QString textFromValue(double value) const override;
    double valueFromText(const QString &text) const override;
    QValidator::State validate(QString &text, int &position) const override;

private:
    QString InC(QString text) const;

    QChar m_separator = QLatin1Char('.');
};
