// SPDX-License-Identifier: GPL-3.0-or-later
// How long Print... takes for a 10 x 10 inch Multiple cover of three
// camera-sized pictures into a 1200 dpi PDF, against the floor of writing the
// same three pictures straight into a PDF with QPdfWriter, and how much memory
// printing takes beyond the pictures and one print bitmap; then Export PDF of
// the same cover against the same floor.
#include "BenchSupport.h"
#include "CoverView.h"
#include "FontSubstitutes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int Dpi = 1200;
const QSizeF Page(12, 12); // inches; the cover fits within its margins

// Resident and peak resident memory in bytes, from the kernel.
int64_t StatusBytes(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(strlen(field))).trimmed().split(' ').first().toLongLong() * 1024;
    return 0;
}

// Starts a new peak from the current resident size.
void ResetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

void SetUp(QPrinter &printer, const QString &path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(Dpi);
    printer.setPageSize(QPageSize(Page, QPageSize::Inch));
    printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    RegisterFontSubstitutes();
    QTemporaryDir dir;

    TFixedDeviceMetrics metrics{38, Dpi * 10 / 254};
    TCoverDocument document;
    TCoverView view{nullptr, metrics};
    view.resize(1600, 1000);
    SetMultipleCover(document, 1, 8, 1, 10);
    view.SetDocument(&document);

    const int64_t before = StatusBytes("VmRSS:");
    int64_t pictureBytes = 0;
    for (CoverArea a = 1; a <= 3; ++a) {
        const QImage picture = CameraPicture(a);
        pictureBytes += picture.sizeInBytes();
        view.SetAreaPicture(a, &picture);
        document.SetText(a, QStringLiteral("Velmora %1").arg(a));
    }

    const std::vector<TPrintSlot> slots = view.PrintLayout(Dpi / 2.54);
    int64_t bitmapBytes = 0;
    for (const TPrintSlot &slot : slots)
        bitmapBytes = std::max(bitmapBytes, int64_t(slot.BitmapWidth) * slot.BitmapHeight * 4);

    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
    ResetPeak();
    const double printMs = MedianMs(3, [&] {
        QPrinter printer(QPrinter::HighResolution);
        SetUp(printer, printed);
        view.Print(printer);
    });
    const int64_t peak = StatusBytes("VmHWM:");

    // The floor: the three pictures written straight where Print puts the
    // areas, losslessly, as an exact PDF export of the cover's pictures would.
    const QString floorPath = dir.filePath(QStringLiteral("floor.pdf"));
    const double floorMs = MedianMs(3, [&] {
        QPdfWriter writer(floorPath);
        writer.setResolution(Dpi);
        writer.setPageSize(QPageSize(QSizeF(Page.height(), Page.width()), QPageSize::Inch));
        writer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
        QPainter p(&writer);
        // Lossless, as Print writes its bitmaps: colours copied unchanged.
        p.setRenderHint(QPainter::LosslessImageRendering, true);
        for (size_t i = 0; i < slots.size(); ++i) {
            const TRect &r = slots[i].Page;
            p.drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()),
                        document.GetPicture(slots[i].Area));
        }
    });

    const double extraMb = double(peak - before - pictureBytes - bitmapBytes) / (1024.0 * 1024.0);
    std::printf("print 10 x 10 in, 3 x %dx%d pictures, %d dpi PDF: %.0f ms\n", PictureWidth,
                PictureHeight, Dpi, printMs);
    std::printf("floor (QPdfWriter, the same three pictures):      %.0f ms\n", floorMs);
    std::printf("ratio: %.2f (target 1.5 at most)\n", printMs / floorMs);
    std::printf("peak memory beyond pictures (%.0f MB) and one print bitmap (%.0f MB): "
                "%.0f MB (target 64 MB at most)\n",
                pictureBytes / 1048576.0, bitmapBytes / 1048576.0, extraMb);
    std::printf("PDF sizes: printed %.1f MB, floor %.1f MB\n", QFile(printed).size() / 1048576.0,
                QFile(floorPath).size() / 1048576.0);

    // Export PDF of the same cover (its full pictures, texts as text),
    // against the same floor.
    const QString exported = dir.filePath(QStringLiteral("exported.pdf"));
    const double exportMs = MedianMs(3, [&] { view.ExportPdf(exported, TPrintExtras()); });
    std::printf("export PDF of the same cover:                     %.0f ms\n", exportMs);
    std::printf("ratio: %.2f (target 1.5 at most); exported %.1f MB\n", exportMs / floorMs,
                QFile(exported).size() / 1048576.0);
    return 0;
}
