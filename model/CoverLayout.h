// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverDocuments.h"
#include "PrintExtras.h"

#include <QString>
#include "WorkProgress.h"

class QPrinter;

// What the cover's commands need of whatever lays the cover out and draws
// it: where a picture sits depends on the layout, and a PDF is drawn by the
// very code that draws the screen and the printer.
class ICoverLayout
{
public:
    virtual ~ICoverLayout() = default;
    // The printer resolution the document's offsets are counted in; 0 before
    // the first layout.
    virtual int32_t OffsetPixelsPerCm() const = 0;
    virtual void CenterPicture(int32_t area) = 0;
    // Places the area's picture by hand where it lies, centred when it
    // would be lost from sight.
    virtual void SetUserDefined(int32_t area) = 0;
    // Writes the cover at true size on a PDF page of its own size; raises
    // EVelmoraError when it cannot.
    virtual void ExportPdf(const QString &fileName, const TPrintExtras &extras,
                           const TWorkProgress &progress = {}) = 0;
    // Prints the cover on the printer as it is set up; raises EVelmoraError
    // when it cannot.
    virtual void Print(QPrinter &printer, const TPrintExtras &extras,
                       const TWorkProgress &progress = {}) = 0;
};
