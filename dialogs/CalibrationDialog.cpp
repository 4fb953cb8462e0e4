// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalibrationDialog.h"

#include "CalibrationSheet.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// A measurement in millimetres, starting at what a true printer gives; a
// fifth either way is the most a printer is off.
QDoubleSpinBox *Measure(QWidget *parent, double value)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setDecimals(2);
    box->setSingleStep(0.1);
    box->setRange(value * 0.8, value * 1.2 + (value < 50 ? 20 : 0));
    box->setValue(value);
    return box;
}

} // namespace

TCalibrationDialog::TCalibrationDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Calibrate Printer"));
    auto *column = new QVBoxLayout(this);
    InstructionLabel = new QLabel(this);
    InstructionLabel->setWordWrap(true);
    column->addWidget(InstructionLabel);
    auto *form = new QFormLayout;
    column->addLayout(form);
    WidthEdit = Measure(this, TCalibrationSheet::SquareMm);
    HeightEdit = Measure(this, TCalibrationSheet::SquareMm);
    LeftEdit = Measure(this, TCalibrationSheet::CrossMm);
    TopEdit = Measure(this, TCalibrationSheet::CrossMm);
    WidthLabel = new QLabel(this);
    HeightLabel = new QLabel(this);
    LeftLabel = new QLabel(this);
    TopLabel = new QLabel(this);
    form->addRow(WidthLabel, WidthEdit);
    form->addRow(HeightLabel, HeightEdit);
    form->addRow(LeftLabel, LeftEdit);
    form->addRow(TopLabel, TopEdit);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    column->addWidget(Buttons);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(420, 260);
}

void TCalibrationDialog::ApplyTexts(const std::function<QString(int)> &texts)
{
    setWindowTitle(texts(251));
    InstructionLabel->setText(texts(252));
    WidthLabel->setText(texts(253));
    HeightLabel->setText(texts(254));
    LeftLabel->setText(texts(255));
    TopLabel->setText(texts(256));
    for (QDoubleSpinBox *box : {WidthEdit, HeightEdit, LeftEdit, TopEdit})
        box->setSuffix(QLatin1Char(' ') + texts(246));
}

TPrintExtras TCalibrationDialog::Calibration() const
{
    return TCalibrationSheet::Correction(WidthEdit->value(), HeightEdit->value(),
                                         LeftEdit->value(), TopEdit->value());
}
