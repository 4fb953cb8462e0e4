// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

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

class TPrinterChooser
{
public:
    virtual ~TPrinterChooser() = default;
    // Lets the user pick the printer and the job's settings; false when
    // cancelled.
    virtual bool Choose(QWidget *owner, QPrinter &printer) = 0;
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
};

class TQtPrinterChooser : public TPrinterChooser
{
public:
    bool Choose(QWidget *owner, QPrinter &printer) override;
};
