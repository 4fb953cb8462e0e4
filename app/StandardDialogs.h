// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PrintExtras.h"

#include <QColor>
#include <QString>
#include <functional>

class QPrinter;
class QWidget;
class TCoverFont;

// The colour, font and print dialogs of the main window's commands, behind
// small interfaces so that tests answer them instead of a modal window.

class TColorChooser
{
public:
    virtual ~TColorChooser() = default;
    // Opens preset to color; false when the user cancels.
    virtual bool Choose(QWidget *owner, QColor &color) = 0;
};

class TFontChooser
{
public:
    virtual ~TFontChooser() = default;
    // Opens with font's face, size, style, effects and colour and writes the
    // user's choice back into it; false (font untouched) when cancelled.
    virtual bool Choose(QWidget *owner, TCoverFont &font) = 0;
};

// What the user chooses in the print dialog beyond the printer: marks and
// bleed, and whether to forget the printer's calibration.
struct TPrintChoices
{
    TPrintExtras Extras;          // marks and bleed; the calibration is not chosen here
    QString Calibration;          // what is in effect for the printer; empty for none
    // The same for another printer, as the user picks one in the dialog.
    std::function<QString(const QString &printer)> CalibrationOf;
    bool ResetCalibration = false; // the user asked to forget it
};

class TPrinterChooser
{
public:
    virtual ~TPrinterChooser() = default;
    // Lets the user pick the printer, the job's settings and the choices;
    // false when cancelled.
    virtual bool Choose(QWidget *owner, QPrinter &printer, TPrintChoices &choices) = 0;
};

class TQtColorChooser : public TColorChooser
{
public:
    bool Choose(QWidget *owner, QColor &color) override;
};

class TQtFontChooser : public TFontChooser
{
public:
    bool Choose(QWidget *owner, TCoverFont &font) override;
    // The dialog's texts, by number.
    std::function<QString(int)> Texts;
};

// The print dialog with a tab of the program's own for marks, bleed and the
// calibration.
class TQtPrinterChooser : public TPrinterChooser
{
public:
    bool Choose(QWidget *owner, QPrinter &printer, TPrintChoices &choices) override;
    // The tab's texts, by number.
    std::function<QString(int)> Texts;
};
