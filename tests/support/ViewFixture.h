// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverView.h"
#include "SampleFiles.h"
#include "SizeMaker.h"

#include <QImage>

// A shown view on its own document, with fixed device resolutions.
struct TViewFixture
{
    TFixedDeviceMetrics Metrics;
    TCoverDocument Document;
    TCoverView View;

    TViewFixture(int w, int h, CoverMode mode, const CoverSize &size, int screenPpcm = 38,
                 int printerPpcm = 236)
        : Metrics(screenPpcm, printerPpcm), View(nullptr, Metrics)
    {
        View.resize(w, h);
        Document.SetMode(mode);
        Document.SetCoverSize(size);
        View.SetDocument(&Document);
    }

    QImage Shot() { return View.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // What prints and exports the cover, its offsets in the view's units.
    TCoverRenderer Renderer() const { return TCoverRenderer(Document, View.PrinterPixelsPerCm()); }
};
