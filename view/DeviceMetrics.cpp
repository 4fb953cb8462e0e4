// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceMetrics.h"

#include "CoverDocuments.h"
#include "ReasonTexts.h"
#include "Rounding.h"
#include "VelmoraError.h"

#include <QPrinter>
#include <QWidget>

int32_t PixelsPerCmFromDpi(double dotsPerInch)
{
    // pixels per inch / millimetres per inch x 10
    return Round(dotsPerInch / 25.4 * 10.0);
}

int32_t PrinterPixelsPerCmOrNone(TDeviceMetrics &metrics)
{
    try {
        return metrics.PrinterPixelsPerCm();
    } catch (...) {
        return NoPrinterPixelsPerCm;
    }
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
    // A PDF file (Print to File, or the only output where no printer is
    // installed) has the resolution the printer was set up with, like any
    // printer.
    const int dpi = CurrentPrinter.resolution();
    if (dpi <= 0)
        throw EVelmoraError(ReasonText(NoResolutionReason));
    return PixelsPerCmFromDpi(dpi);
}

QMargins TQtDeviceMetrics::WindowFrame(const QWidget &window)
{
    return FrameOf(window);
}

QMargins TQtDeviceMetrics::FrameOf(const QWidget &window)
{
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

QMargins TFixedDeviceMetrics::WindowFrame(const QWidget &window)
{
    return Frame ? *Frame : TQtDeviceMetrics::FrameOf(window);
}

int32_t TFixedDeviceMetrics::PrinterPixelsPerCm()
{
    if (Printer <= 0)
        throw EVelmoraError(ReasonText(NoPrinterReason));
    return Printer;
}
