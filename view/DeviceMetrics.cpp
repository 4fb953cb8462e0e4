// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceMetrics.h"

#include "Rounding.h"
#include "VelmoraError.h"

#include <QPrinter>
#include <QWidget>

int32_t PixelsPerCmFromDpi(double dotsPerInch)
{
    // pixels per inch / millimetres per inch x 10
    return Round(dotsPerInch / 25.4 * 10.0);
}

int32_t TQtDeviceMetrics::ScreenPixelsPerCm(const QWidget &control)
{
    // The logical resolution, as the platform lays text and windows out
    // with it; physical sizes reported by monitors are often missing or
    // wrong.
    return PixelsPerCmFromDpi(control.logicalDpiX());
}

int TQtDeviceMetrics::ScreenDotsPerInch(const QWidget &control)
{
    return control.logicalDpiX();
}

int32_t TQtDeviceMetrics::PrinterPixelsPerCm()
{
    // Without an installed printer Qt falls back to writing PDF files, which
    // have no resolution of their own.
    if (CurrentPrinter.outputFormat() != QPrinter::NativeFormat ||
        CurrentPrinter.printerName().isEmpty())
        throw EVelmoraError(QStringLiteral("No printer installed"));
    const int dpi = CurrentPrinter.resolution();
    if (dpi <= 0)
        throw EVelmoraError(QStringLiteral("The printer reports no resolution"));
    return PixelsPerCmFromDpi(dpi);
}

int32_t TFixedDeviceMetrics::PrinterPixelsPerCm()
{
    if (Printer <= 0)
        throw EVelmoraError(QStringLiteral("No printer installed"));
    return Printer;
}
