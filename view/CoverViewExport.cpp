// SPDX-License-Identifier: GPL-3.0-or-later
// The cover drawn with the painter itself, for the printer and for a PDF
// file alike: pictures at their own pixels, metafiles as their vectors,
// texts as text, each area clipped to its own rectangle.
#include "CoverView.h"
#include "JpegGraphic.h"
#include "PdfFinishing.h"
#include "ReasonTexts.h"
#include "Rounding.h"
#include "VelmoraError.h"

#include <QDir>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>

namespace {

// Metafiles are drawn anew from their vectors at this resolution at most:
// sharp in print, and a page-sized picture stays within memory.
constexpr double MetafileDpi = 600;

// A page's engine copies and compresses every picture it is handed: a large
// one goes to it a band of rows at a time, so that the copies stay within a
// few megabytes whatever the picture's size.
constexpr qint64 BandBytes = qint64(8) << 20;

// How often the progress is told while a picture still decodes.
constexpr int DecodingWaitMs = 50;

int BandRows(const QImage &picture)
{
    return int(std::max<qint64>(1, BandBytes / std::max<qint64>(1, picture.bytesPerLine())));
}

int BandCount(const QImage &picture)
{
    if (picture.isNull())
        return 0;
    const int rows = BandRows(picture);
    return (picture.height() + rows - 1) / rows;
}

void DrawInBands(QPainter &p, const QRectF &target, const QImage &picture,
                 const std::function<void()> &step)
{
    const int rows = BandRows(picture);
    if (rows >= picture.height()) {
        p.drawImage(target, picture);
        step();
        return;
    }
    const double perRow = target.height() / picture.height();
    for (int y = 0; y < picture.height(); y += rows) {
        // Each band reaches one row into the next, which is drawn over it:
        // a viewer's smoothing at a band's edge shows no seam.
        const int h = std::min(rows + 1, picture.height() - y);
        p.drawImage(QRectF(target.left(), target.top() + y * perRow, target.width(), h * perRow),
                    picture.copy(0, y, picture.width(), h));
        step();
    }
}

bool IsJpegKind(const QString &kind)
{
    return kind == QLatin1String("jpg") || kind == QLatin1String("jpeg") ||
           kind == QLatin1String("jpe") || kind == QLatin1String("jfif");
}

} // namespace

void TCoverView::ExportArea(QPainter &p, CoverArea area, const QRectF &page, const QRectF &reach,
                            QSize bitmap, double bleedPx, int dpi, TPdfFinishing *finishing,
                            const std::function<void()> &step)
{
    p.save();
    p.setClipRect(reach);
    p.fillRect(reach, ColorRefToQColor(FDocument->GetBackColor(area)));
    // From the print bitmap's pixels, where the layout is worked out, to the
    // page's.
    const double fx = page.width() / bitmap.width();
    const double fy = page.height() / bitmap.height();
    const auto toPage = [&](const TRect &r) {
        return QRectF(page.left() + r.Left * fx, page.top() + r.Top * fy, r.Width() * fx,
                      r.Height() * fy);
    };
    const TRect rect{0, 0, bitmap.width(), bitmap.height()};
    const QImage &picture = FDocument->GetPicture(area);
    if (!picture.isNull()) {
        // A stretched picture covers the bleed; one placed by hand goes on
        // into it; a fitted one lies within the area.
        const bool stretch = FDocument->GetStretch(area);
        const bool byHand = !stretch && !FDocument->GetAutosize(area);
        const QRectF target =
            stretch && bleedPx > 0 ? reach : toPage(PictureRect(area, rect, true));
        p.setClipRect(byHand || (stretch && bleedPx > 0) ? reach : page);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.setRenderHint(QPainter::LosslessImageRendering, true);
        const auto placed = FDocument->PlacedPicture(area);
        const auto source = FDocument->GetPictureSource(area);
        TJpegPassthrough jpeg;
        if (finishing && !byHand && placed && !source && IsJpegKind(placed->FileKind) &&
            JpegPassthroughInfo(placed->FileBytes, jpeg) && jpeg.Width == picture.width() &&
            jpeg.Height == picture.height()) {
            // The file itself goes into the PDF where its stand-in is drawn.
            p.drawImage(target, finishing->JpegStandIn(placed->FileBytes, jpeg.Width, jpeg.Height,
                                                       jpeg.Components));
            for (int i = BandCount(picture); i > 0; --i)
                step();
        } else if (!source || !source->DrawVectors(p, target)) {
            // A metafile that cannot be drawn as its vectors is drawn anew
            // at the page's resolution; any other picture as its pixels.
            QImage drawn = picture;
            if (source) {
                const double scale = MetafileDpi / dpi;
                const QSize size(Round(target.width() * scale), Round(target.height() * scale));
                if (size.width() > picture.width() || size.height() > picture.height()) {
                    const QImage sharp = source->Render(size);
                    if (!sharp.isNull())
                        drawn = sharp;
                }
            }
            DrawInBands(p, target, drawn, step);
            for (int i = BandCount(picture) - BandCount(drawn); i > 0; --i)
                step();
        } else {
            for (int i = BandCount(picture); i > 0; --i)
                step();
        }
    }
    p.setClipRect(page);
    TTextLayout text;
    if (LayOutText(area, true, rect, text) && text.TextWidth > 0 && text.TextHeight > 0)
        DrawTextLine(p, FDocument->GetText(area), text.Font, FDocument->GetFont(area).Color(),
                     text.Measure, toPage(text.Box), FDocument->GetOrientation(area) == toVert);
    const QSizeF mm = FDocument->AreaSizeMm(area);
    if (mm.width() > 0 && mm.height() > 0)
        DrawTextBlocks(p, FDocument->GetBlocks(area), page, page.width() / mm.width(),
                       page.height() / mm.height());
    p.restore();
    step();
}

void TCoverView::DrawCover(QPainter &p, const TPrintExtras &extras, int dpi,
                           TPdfFinishing *finishing, const TWorkProgress &progress)
{
    const double printerPixelsPerCm = dpi / 2.54;
    struct PrintResolution
    {
        double &Value;
        PrintResolution(double &value, double ppcm) : Value(value) { Value = ppcm; }
        ~PrintResolution() { Value = 0; }
    } resolution(m_printPrinterPixelsPerCm, printerPixelsPerCm);
    std::vector<TPrintSlot> slots = PrintLayout(printerPixelsPerCm);
    int total = 0;
    for (const TPrintSlot &slot : slots)
        total += 1 + BandCount(FDocument->GetPicture(slot.Area));
    // Pictures still decoding are waited for, the progress told meanwhile
    // (and its Cancel heard).
    if (progress)
        progress(0, total);
    for (const TPrintSlot &slot : slots)
        if (const auto placed = FDocument->PlacedPicture(slot.Area); placed && placed->Pending)
            while (!placed->Pending->WaitFor(DecodingWaitMs))
                if (progress)
                    progress(0, total);
    int done = 0;
    const auto step = [&] {
        ++done;
        if (progress)
            progress(done, total);
    };
    // The cover moves in by the room its marks and bleed take; each area
    // reaches out into the bleed on the cover's outer edges.
    const double room = extras.RoomInches() * dpi;
    const double bleed = extras.BleedInches() * dpi;
    for (size_t i = 0; i < slots.size(); ++i) {
        TPrintSlot &slot = slots[i];
        const QRectF page(slot.Page.Left + room, slot.Page.Top + room, slot.Page.Width(),
                          slot.Page.Height());
        const QRectF reach = page.adjusted(i == 0 ? -bleed : 0, -bleed,
                                           i + 1 == slots.size() ? bleed : 0, bleed);
        ExportArea(p, slot.Area, page, reach, QSize(slot.BitmapWidth, slot.BitmapHeight), bleed,
                   dpi, finishing, step);
        slot.Page = TRect{Round(page.left()), Round(page.top()), Round(page.right()),
                          Round(page.bottom())};
    }
    DrawPrintMarks(p, slots, extras, dpi);
}

void TCoverView::ExportPdf(const QString &fileName, const TPrintExtras &extras,
                           const TWorkProgress &progress)
{
    if (!FDocument)
        return;
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
        pdf.setTitle(FDocument->Size().Name);
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

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EVelmoraError::UnableToWrite(fileName);
    finishing.Finish(drawn.fileName(), file, fileName);
    if (!file.commit())
        throw EVelmoraError::UnableToWrite(fileName);
}

void TCoverView::AddTypedTexts(TPdfFinishing &finishing) const
{
    for (CoverArea area = 1; area <= 3; ++area) {
        finishing.AddTypedText(FDocument->GetText(area));
        for (const TTextBlock &block : FDocument->GetBlocks(area))
            finishing.AddTypedText(block.Text);
    }
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EVelmoraError::UnableToWrite(path);
    finishing.Finish(drawn.fileName(), file, path);
    if (!file.commit())
        throw EVelmoraError::UnableToWrite(path);
}
