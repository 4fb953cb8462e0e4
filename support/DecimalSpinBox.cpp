// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecimalSpinBox.h"

#include <QLineEdit>
#include <QLocale>

TDecimalSpinBox::TDecimalSpinBox(QWidget *parent) : QDoubleSpinBox(parent)
{
    // The base class checks what is typed in C's terms; this class turns
    // the text into them first.
    setLocale(QLocale::c());
    setKeyboardTracking(false);
}

void TDecimalSpinBox::SetDecimalSeparator(QChar separator)
{
    if (separator == m_separator)
        return;
    m_separator = separator;
    // Written anew with the separator, the value unchanged.
    lineEdit()->setText(textFromValue(value()));
}

QString TDecimalSpinBox::InC(QString text) const
{
    return text.replace(m_separator, QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.'));
}

QString TDecimalSpinBox::textFromValue(double value) const
{
    return QString::number(value, 'f', decimals()).replace(QLatin1Char('.'), m_separator);
}

double TDecimalSpinBox::valueFromText(const QString &text) const
{
    return QDoubleSpinBox::valueFromText(InC(text));
}

QValidator::State TDecimalSpinBox::validate(QString &text, int &position) const
{
    QString c = InC(text);
    return QDoubleSpinBox::validate(c, position);
}
