// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverDocuments.h"
#include "Geometry.h"
#include "PrintExtras.h"
#include "TextLine.h"
#include "WorkProgress.h"

#include <QFont>
#include <QSizeF>
#include <QString>
#include <array>
#include <vector>

class QPainter;
class QPrinter;
class QTransform;
class TPdfFinishing;

// Where one area goes on paper: its rectangle on the page in printer pixels
// and the size of the bitmap its layout is worked out in.
struct TPrintSlot
{
    CoverArea Area = 1;
    TRect Page;
    int32_t BitmapWidth = 0;
    int32_t BitmapHeight = 0;
};

// What a cover is laid out for. On paper (a printer, a PDF, a sheet's cell)
// the layout is worked out at a third of the printer's resolution, as the
// screen works it out; on the screen, in its own pixels, each standing for
// DisplayRatio of its pixels at true size.
struct TRenderTarget
{
    static constexpr int32_t PrintDivisor = 3;

    bool OnScreen = false;
    double PrinterPixelsPerCm = 0;
    int32_t ScreenPixelsPerCm = 0;
    int ScreenDpi = 96;
    double DisplayRatio = 1;

    static TRenderTarget Paper(double printerPixelsPerCm);
    static TRenderTarget Screen(int32_t pixelsPerCm, int dpi, double displayRatio);
};

// Where an area's picture and line go within its rectangle.
struct TAreaLayout
{
    TRect Rect;
    // Where the picture is drawn; meaningful only with HasPicture.
    bool HasPicture = false;
    TRect Picture;
    // The line: its font in whole pixels, measured so, its size scaled to
    // the exact size asked for, and its box within Rect.
    bool HasText = false;
    QFont Font;
    TTextMeasure Measure;
    int32_t TextWidth = 0;
    int32_t TextHeight = 0;
    TRect TextBox;
};

// Lays out and draws one cover document on any target without a window:
// the screen's layout, and the whole cover at true size for the printer,
// the print preview, a sheet's cell and the exported PDF. Offsets in the
// document count in pixels of a printer of offsetPixelsPerCm.
class TCoverRenderer
{
public:
    TCoverRenderer(const TCoverDocument &document, int32_t offsetPixelsPerCm);

    static constexpr int ExportDpi = 1200;

    const TCoverDocument &Document() const { return m_document; }
    // The units of the offsets now (a view's printer changed).
    void SetOffsetPixelsPerCm(int32_t offsetPixelsPerCm);

    // The area laid out in rect, a rectangle of the target's pixels.
    TAreaLayout LayOutArea(CoverArea area, const TRect &rect, const TRenderTarget &target) const;

    // The areas to print, left to right, for a printer of so many pixels per
    // centimetre; areas that come out empty are left out.
    std::vector<TPrintSlot> PrintLayout(double printerPixelsPerCm) const;
    // The cover's size on paper, in inches, with the room its marks and
    // bleed take around it.
    QSizeF PrintedSize(const TPrintExtras &extras = TPrintExtras()) const;
    // Raises what drawing the cover at dpi would fail with, before any job
    // exists.
    void CheckPrintable(int dpi, const TPrintExtras &extras) const;
    // The whole cover at true size on an active page of dpi, with its marks,
    // the corner of its room (marks and bleed) at the painter's origin:
    // pictures at their own pixels, metafiles as vectors, texts as text.
    // finishing, for a PDF file, carries JPEG files as they are. Pictures
    // still decoding are waited for, progress told meanwhile.
    void DrawCover(QPainter &p, const TPrintExtras &extras, int dpi,
                   TPdfFinishing *finishing = nullptr, const TWorkProgress &progress = {}) const;
    // Writes the cover at true size on a PDF page of its own size (with the
    // room of its marks and bleed). Raises "Unable to write to ..." when the
    // file cannot be written; the file is replaced only once whole.
    void ExportPdf(const QString &fileName, const TPrintExtras &extras,
                   const TWorkProgress &progress = {}) const;
    // Prints the cover at true size on the printer's page, as it is set up,
    // from the margins' corner (moved by the room the extras take),
    // corrected by the printer's calibration in extras.
    void Print(QPrinter &printer, const TPrintExtras &extras = TPrintExtras(),
               const TWorkProgress &progress = {}) const;
    // Every text the cover shows, for the PDF's map of glyphs back to them.
    void AddTypedTexts(TPdfFinishing &finishing) const;

private:
    TRect PictureRect(CoverArea area, const TRect &rect, const TRenderTarget &target) const;
    void LayOutText(CoverArea area, const TRect &rect, const TRenderTarget &target,
                    TAreaLayout &out) const;
    const TTextMeasure &MeasuredText(CoverArea area, const QString &text, const QFont &font) const;
    void DrawArea(QPainter &p, const TPrintSlot &slot, const QRectF &page, const QRectF &reach,
                  double bleedPx, int dpi, TPdfFinishing *finishing,
                  const std::function<void()> &step) const;

    const TCoverDocument &m_document;
    int32_t m_offsetPixelsPerCm;
    // Per area, the last line measured: the screen asks again at each change.
    struct TMeasureMemo
    {
        bool Valid = false;
        QString Text;
        QFont Font;
        TTextMeasure Measure;
    };
    mutable std::array<TMeasureMemo, 3> m_measured;
};

// Cut marks outside the cover's corners and fold marks outside each border
// between areas (slots' page rectangles in device pixels at dpi), in the room
// kept around the cover, on their true lines.
void DrawPrintMarks(QPainter &page, const std::vector<TPrintSlot> &slots,
                    const TPrintExtras &extras, int dpi);

// Starting and ending a print job: errors in the words the user reads, and a
// job that failed part of the way withdrawn (a half-written file removed).
void BeginPrintJob(QPrinter &printer, QPainter &page);
void EndPrintJob(QPrinter &printer, QPainter &page);
void AbandonJob(QPrinter &printer, QPainter &page);
// Whether the job goes into a PDF file (not a printer, not a preview), and
// that file finished once written, its text mapped back as typed.
bool PrintsToPdfFile(QPrinter &printer);
void FinishPrintedPdf(const QString &path, const TPdfFinishing &finishing);
// The printer's stored correction as a transform of its page.
QTransform CalibrationTransform(const QPrinter &printer, const TPrintExtras &extras);
