// SPDX-License-Identifier: GPL-3.0-or-later
// The cover's drawing sent somewhere: a PDF file of its own size, or a
// printer's page (a print preview's too) with the printer's correction.
#include "CoverRenderer.h"

#include "PdfFinishing.h"
#include "ReasonTexts.h"
#include "VelmoraError.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QTransform>

namespace {

// The drawn file finished into path, which is replaced only once whole.
void WriteFinished(const TPdfFinishing &finishing, const QString &drawn, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EVelmoraError::UnableToWrite(path);
    finishing.Finish(drawn, file, path);
    if (!file.commit())
        throw EVelmoraError::UnableToWrite(path);
}

} // namespace

void TCoverRenderer::ExportPdf(const QString &fileName, const TPrintExtras &extras,
                               const TWorkProgress &progress) const
{
    const QSizeF size = PrintedSize(extras);
    if (PrintLayout(ExportDpi / 2.54).empty() || !(size.width() > 0 && size.height() > 0))
        throw EVelmoraError(ReasonText(NoSizeToExportReason));

    // Qt's writer draws the page; the finishing gives it what Qt cannot say
    // and writes the file.
    QTemporaryFile drawn(QDir::temp().filePath(QStringLiteral("velmora-XXXXXX.pdf")));
    if (!drawn.open())
        throw EVelmoraError::UnableToWrite(fileName);
    TPdfFinishing finishing;
    {
        QPdfWriter pdf(&drawn);
        pdf.setCreator(QStringLiteral("Velmora"));
        pdf.setTitle(m_document.Size().Name);
        pdf.setResolution(ExportDpi);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(size, QPageSize::Inch, QString(), QPageSize::ExactMatch));
        QPainter p;
        if (!p.begin(&pdf))
            throw EVelmoraError::UnableToWrite(fileName);
        try {
            DrawCover(p, extras, ExportDpi, &finishing, progress);
        } catch (...) {
            p.end();
            throw;
        }
        if (!p.end())
            throw EVelmoraError::UnableToWrite(fileName);
    }
    drawn.close();
    AddTypedTexts(finishing);
    const double room = extras.RoomInches() * 72;
    const double bleed = extras.BleedInches() * 72;
    const QSizeF page = size * 72;
    const QRectF trim(room, room, page.width() - 2 * room, page.height() - 2 * room);
    finishing.SetPage(page, trim, trim.adjusted(-bleed, -bleed, bleed, bleed));

    WriteFinished(finishing, drawn.fileName(), fileName);
}

void TCoverRenderer::Print(QPrinter &printer, const TPrintExtras &extras,
                           const TWorkProgress &progress) const
{
    // Measured at the job: the print dialog may have chosen another printer
    // or resolution since the screen's last layout, and a whole-number
    // figure would print the cover short by a fraction of a millimetre.
    const int dpi = printer.resolution();
    if (dpi <= 0)
        throw EVelmoraError(ReasonText(NoResolutionReason));
    if (PrintLayout(dpi / 2.54).empty())
        throw EVelmoraError(ReasonText(NoSizeToPrintReason));
    // Whatever the cover's numbers can make fail (a size beyond 32 bits, a
    // bitmap the memory cannot hold) fails here, before the job exists, so
    // that no half page reaches the printer.
    CheckPrintable(dpi, extras);

    QPainter page;
    BeginPrintJob(printer, page);
    const bool toFile = PrintsToPdfFile(printer);
    // A printer makes its own copies; a PDF file gets them as pages.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    try {
        for (int copy = 0; copy < copies; ++copy) {
            if (copy > 0 && !printer.newPage())
                throw EVelmoraError::UnableToWrite(printer.outputFileName());
            page.setTransform(CalibrationTransform(printer, extras));
            DrawCover(page, extras, dpi, nullptr, progress);
        }
    } catch (...) {
        AbandonJob(printer, page);
        throw;
    }
    EndPrintJob(printer, page);
    if (toFile) {
        TPdfFinishing finishing;
        AddTypedTexts(finishing);
        FinishPrintedPdf(printer.outputFileName(), finishing);
    }
}

QTransform CalibrationTransform(const QPrinter &printer, const TPrintExtras &extras)
{
    // The printer's correction is measured from the paper's corner; the
    // page starts at its margins.
    const QPointF margin = printer.pageRect(QPrinter::DevicePixel).topLeft() -
                           printer.paperRect(QPrinter::DevicePixel).topLeft();
    const double mm = printer.resolution() / TPrintExtras::MmPerInch;
    return QTransform(extras.ScaleX, 0, 0, extras.ScaleY,
                      extras.OffsetXMm * mm + (extras.ScaleX - 1) * margin.x(),
                      extras.OffsetYMm * mm + (extras.ScaleY - 1) * margin.y());
}

void BeginPrintJob(QPrinter &printer, QPainter &page)
{
    if (!page.begin(&printer)) {
        if (printer.outputFormat() == QPrinter::PdfFormat)
            throw EVelmoraError::UnableToWrite(printer.outputFileName());
        throw EVelmoraError(
            QStringLiteral("The printer \"%1\" cannot start printing").arg(printer.printerName()));
    }
}

void EndPrintJob(QPrinter &printer, QPainter &page)
{
    if (!page.end() || printer.printerState() == QPrinter::Error) {
        if (printer.outputFormat() == QPrinter::PdfFormat)
            throw EVelmoraError::UnableToWrite(printer.outputFileName());
        throw EVelmoraError(
            QStringLiteral("The printer \"%1\" failed to print").arg(printer.printerName()));
    }
}

void AbandonJob(QPrinter &printer, QPainter &page)
{
    printer.abort();
    if (page.isActive())
        page.end();
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
}

bool PrintsToPdfFile(QPrinter &printer)
{
    // A print preview paints through its own engine and writes no file.
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() &&
           printer.paintEngine() && printer.paintEngine()->type() == QPaintEngine::Pdf;
}

void FinishPrintedPdf(const QString &path, const TPdfFinishing &finishing)
{
    // A PDF file printed is read as one exported: its text copies as typed.
    QTemporaryFile drawn(QDir::temp().filePath(QStringLiteral("velmora-XXXXXX.pdf")));
    QFile printed(path);
    if (!drawn.open() || !printed.open(QIODevice::ReadOnly))
        throw EVelmoraError::UnableToWrite(path);
    while (!printed.atEnd()) {
        const QByteArray chunk = printed.read(1 << 20);
        if (chunk.isEmpty() || drawn.write(chunk) != chunk.size())
            throw EVelmoraError::UnableToWrite(path);
    }
    printed.close();
    drawn.close();
    WriteFinished(finishing, drawn.fileName(), path);
}
