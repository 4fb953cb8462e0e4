// SPDX-License-Identifier: GPL-3.0-or-later
#include "StandardDialogs.h"

#include "CoverFont.h"
#include "FontColorDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QColorDialog>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

bool TQtColorChooser::Choose(QWidget *owner, QColor &color)
{
    const QColor chosen = QColorDialog::getColor(color, owner);
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

bool TQtFontChooser::Choose(QWidget *owner, TCoverFont &font)
{
    TFontColorDialog dialog(owner);
    dialog.ApplyTexts(Texts);
    dialog.SetChoice(font.Font(), font.Color());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    TCoverFont chosen;
    chosen.SetFont(dialog.ChosenFont());
    chosen.SetColor(dialog.ChosenColor());
    font.Assign(chosen);
    return true;
}

bool TQtPrinterChooser::Choose(QWidget *owner, QPrinter &printer, TPrintChoices &choices)
{
    const auto text = [this](int number) { return Texts ? Texts(number) : QString(); };
    QPrintDialog dialog(&printer, owner);
    // A tab of the program's own, where the platform's dialog takes one.
    auto *tab = new QWidget;
    tab->setWindowTitle(text(242));
    auto *form = new QFormLayout(tab);
    auto *cut = new QCheckBox(text(243), tab);
    auto *fold = new QCheckBox(text(244), tab);
    auto *bleed = new QDoubleSpinBox(tab);
    bleed->setRange(0, TPrintExtras::MaxBleedMm);
    bleed->setSingleStep(0.5);
    bleed->setDecimals(1);
    bleed->setSuffix(QLatin1Char(' ') + text(246));
    cut->setChecked(choices.Extras.CutMarks);
    fold->setChecked(choices.Extras.FoldMarks);
    bleed->setValue(choices.Extras.BleedMm);
    form->addRow(cut);
    form->addRow(fold);
    form->addRow(text(245), bleed);
    auto *calibration = new QLabel(choices.Calibration.isEmpty()
                                       ? text(248)
                                       : text(247).arg(choices.Calibration),
                                   tab);
    calibration->setWordWrap(true);
    auto *reset = new QPushButton(text(249), tab);
    reset->setEnabled(!choices.Calibration.isEmpty());
    QObject::connect(reset, &QPushButton::clicked, tab, [&choices, calibration, reset, text] {
        choices.ResetCalibration = true;
        calibration->setText(text(248));
        reset->setEnabled(false);
    });
    form->addRow(calibration);
    form->addRow(reset);
    // The line speaks of the printer chosen, not of the one the dialog
    // opened on; a reset asked for one printer is not carried to another.
    auto *printers = dialog.findChild<QComboBox *>(QStringLiteral("printers"));
    if (printers && choices.CalibrationOf)
        QObject::connect(printers, &QComboBox::currentTextChanged, tab,
                         [&choices, calibration, reset, text](const QString &printer) {
                             choices.Calibration = choices.CalibrationOf(printer);
                             choices.ResetCalibration = false;
                             calibration->setText(choices.Calibration.isEmpty()
                                                      ? text(248)
                                                      : text(247).arg(choices.Calibration));
                             reset->setEnabled(!choices.Calibration.isEmpty());
                         });
    dialog.setOptionTabs({tab});
    if (dialog.exec() != QDialog::Accepted) {
        choices.ResetCalibration = false;
        return false;
    }
    choices.Extras.CutMarks = cut->isChecked();
    choices.Extras.FoldMarks = fold->isChecked();
    choices.Extras.BleedMm = bleed->value();
    return true;
}
