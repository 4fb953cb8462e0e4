// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalibrationDialog.h"

#include "CalibrationSheet.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// A measurement in millimetres, starting at what a true printer gives. The
// box takes anything a ruler may read; what no printer can need is said
// when the user confirms.
QDoubleSpinBox *Measure(QWidget *parent, double value)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setDecimals(2);
    box->setSingleStep(0.1);
    box->setRange(0, 4 * value);
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
    ProblemLabel = new QLabel(this);
    ProblemLabel->setWordWrap(true);
    ProblemLabel->hide();
    column->addWidget(ProblemLabel);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    column->addWidget(Buttons);
    connect(Buttons, &QDialogButtonBox::accepted, this, &TCalibrationDialog::OkClick);
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
    ProblemLabel->setText(texts(276));
    for (QDoubleSpinBox *box : {WidthEdit, HeightEdit, LeftEdit, TopEdit})
        box->setSuffix(QLatin1Char(' ') + texts(246));
}

void TCalibrationDialog::OkClick()
{
    // Refused with the reason beside the fields, which keep what was typed.
    const bool plausible = TCalibrationSheet::Plausible(Calibration());
    ProblemLabel->setVisible(!plausible);
    if (plausible)
        accept();
}

void TCalibrationDialog::showEvent(QShowEvent *event)
{
    ProblemLabel->hide();
    QDialog::showEvent(event);
}

TPrintExtras TCalibrationDialog::Calibration() const
{
    return TCalibrationSheet::Correction(WidthEdit->value(), HeightEdit->value(),
                                         LeftEdit->value(), TopEdit->value());
}
