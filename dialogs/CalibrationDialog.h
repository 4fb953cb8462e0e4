// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PrintExtras.h"

#include <QDialog>
#include <functional>

class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;

// Takes what the user measured on the printed calibration sheet, in
// millimetres, and works out the printer's correction from it.
class TCalibrationDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TCalibrationDialog(QWidget *parent = nullptr);
    void ApplyTexts(const std::function<QString(int)> &texts);
    // The correction for what is entered.
    TPrintExtras Calibration() const;

    QLabel *InstructionLabel = nullptr;
    QLabel *WidthLabel = nullptr;
    QLabel *HeightLabel = nullptr;
    QLabel *LeftLabel = nullptr;
    QLabel *TopLabel = nullptr;
    QDoubleSpinBox *WidthEdit = nullptr;
    QDoubleSpinBox *HeightEdit = nullptr;
    QDoubleSpinBox *LeftEdit = nullptr;
    QDoubleSpinBox *TopEdit = nullptr;
    QLabel *ProblemLabel = nullptr; // shown when the measurements are no printer's
    QDialogButtonBox *Buttons = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void OkClick();
};
