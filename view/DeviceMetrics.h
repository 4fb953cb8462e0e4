// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <cstdint>
#include <optional>

class QPrinter;
class QWidget;

// Where the view learns the screen's and the current printer's resolution,
// in pixels per centimetre (pixels / millimetres x 10, rounded). Tests put
// fixed figures in its place.
class TDeviceMetrics
{
public:
    virtual ~TDeviceMetrics() = default;
    virtual int32_t ScreenPixelsPerCm(const QWidget &control) = 0;
    // The screen's logical resolution in dots per inch.
    virtual int ScreenDotsPerInch(const QWidget &control) = 0;
    // Raises when no printer can be asked; the view then takes 400.
    virtual int32_t PrinterPixelsPerCm() = 0;
    // The frame a window manager has put around a top-level window; none
    // until it has framed the window, which may be after it is shown.
    virtual QMargins WindowFrame(const QWidget &window) = 0;
};

// The real screen under the control and the program's current printer (the
// one the print dialog sets up).
class TQtDeviceMetrics : public TDeviceMetrics
{
public:
    explicit TQtDeviceMetrics(QPrinter &currentPrinter) : CurrentPrinter(currentPrinter) {}
    int32_t ScreenPixelsPerCm(const QWidget &control) override;
    int ScreenDotsPerInch(const QWidget &control) override;
    int32_t PrinterPixelsPerCm() override;
    QMargins WindowFrame(const QWidget &window) override;
    static QMargins FrameOf(const QWidget &window);

private:
    QPrinter &CurrentPrinter;
};

// Fixed figures; a printer figure of 0 or less behaves as no printer.
class TFixedDeviceMetrics : public TDeviceMetrics
{
public:
    TFixedDeviceMetrics(int32_t screen, int32_t printer) : Screen(screen), Printer(printer) {}
    int32_t ScreenPixelsPerCm(const QWidget &) override { return Screen; }
    int ScreenDotsPerInch(const QWidget &) override { return Dpi; }
    int32_t PrinterPixelsPerCm() override;
    QMargins WindowFrame(const QWidget &window) override;
    int32_t Screen;
    int32_t Printer;
    int Dpi = 96;
    // A frame of a window manager's; unset, the platform's own.
    std::optional<QMargins> Frame;
};

// The current printer's figure, or NoPrinterPixelsPerCm where no printer
// can be asked: the units a cover's offsets count in.
int32_t PrinterPixelsPerCmOrNone(TDeviceMetrics &metrics);

// The figure a device of so many dots per inch gives.
int32_t PixelsPerCmFromDpi(double dotsPerInch);
