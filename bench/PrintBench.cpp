// SPDX-License-Identifier: GPL-3.0-or-later
// How long Print... takes for a 10 x 10 inch Multiple cover of three
// camera-sized JPEG pictures into a 1200 dpi PDF, against the floor of
// writing the same three pictures straight into a PDF with QPdfWriter, and
// how much memory printing takes beyond the pictures; then Export PDF of the
// same cover against img2pdf of the same three files, run side by side, with
// the PDF's size against the files' and the memory the export adds.
#include "BenchSupport.h"
#include "CoverRenderer.h"
#include "FontSubstitutes.h"
#include "JpegGraphic.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
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

    TCoverDocument document;
    SetMultipleCover(document, 1, 8, 1, 10);
    const TCoverRenderer renderer(document, Dpi * 10 / 254);

    // Camera pictures as a camera writes them: JPEG files, placed as the
    // program places a file (its bytes kept for the cover file and the PDF).
    QStringList files;
    int64_t fileBytes = 0;
    for (CoverArea a = 1; a <= 3; ++a) {
        const QString path = dir.filePath(QStringLiteral("photo%1.jpg").arg(a));
        CameraPicture(a).save(path, "JPEG", 92);
        files << path;
        fileBytes += QFileInfo(path).size();
    }
    const int64_t before = StatusBytes("VmRSS:");
    int64_t pictureBytes = 0;
    for (CoverArea a = 1; a <= 3; ++a) {
        QFile f(files[a - 1]);
        f.open(QIODevice::ReadOnly);
        auto placed = std::make_shared<TPlacedPicture>();
        placed->FileBytes = f.readAll();
        placed->FileKind = QStringLiteral("jpg");
        placed->Bitmap = DecodeJpeg(placed->FileBytes);
        pictureBytes += placed->Bitmap.sizeInBytes();
        document.SetPlacedPicture(a, placed);
        document.SetText(a, QStringLiteral("Velmora %1").arg(a));
    }

    const std::vector<TPrintSlot> slots = renderer.PrintLayout(Dpi / 2.54);

    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
    ResetPeak();
    const double printMs = MedianMs(3, [&] {
        QPrinter printer(QPrinter::HighResolution);
        SetUp(printer, printed);
        renderer.Print(printer);
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

    const double extraMb = double(peak - before - pictureBytes - fileBytes) / (1024.0 * 1024.0);
    std::printf("print 10 x 10 in, 3 x %dx%d pictures, %d dpi PDF: %.0f ms\n", PictureWidth,
                PictureHeight, Dpi, printMs);
    std::printf("floor (QPdfWriter, the same three pictures):      %.0f ms\n", floorMs);
    std::printf("ratio: %.2f (target 1.5 at most)\n", printMs / floorMs);
    std::printf("peak memory beyond pictures (%.0f MB) and their files (%.0f MB): "
                "%.0f MB (target 64 MB at most)\n",
                pictureBytes / 1048576.0, fileBytes / 1048576.0, extraMb);
    std::printf("PDF sizes: printed %.1f MB, floor %.1f MB\n", QFile(printed).size() / 1048576.0,
                QFile(floorPath).size() / 1048576.0);

    // Export PDF of the same cover (its JPEG files as they are, texts as
    // text), against img2pdf of the same files, one after the other.
    const QString exported = dir.filePath(QStringLiteral("exported.pdf"));
    const QString img2pdf = QStandardPaths::findExecutable(QStringLiteral("img2pdf"));
    const QString reference = dir.filePath(QStringLiteral("img2pdf.pdf"));
    double exportMs = 0, img2pdfMs = 0;
    int64_t exportPeak = 0;
    for (int run = 0; run < 3; ++run) {
        const int64_t resident = StatusBytes("VmRSS:");
        ResetPeak();
        const double ms = MedianMs(1, [&] { renderer.ExportPdf(exported, TPrintExtras()); });
        exportPeak = std::max(exportPeak, StatusBytes("VmHWM:") - resident);
        exportMs = run == 0 ? ms : std::min(exportMs, ms);
        if (!img2pdf.isEmpty()) {
            const double ref = MedianMs(1, [&] {
                QProcess::execute(img2pdf, QStringList(files) << QStringLiteral("-o") << reference);
            });
            img2pdfMs = run == 0 ? ref : std::min(img2pdfMs, ref);
        }
    }
    std::printf("export PDF of the same cover:                     %.0f ms\n", exportMs);
    if (img2pdfMs > 0)
        std::printf("img2pdf of the three files:                       %.0f ms; ratio %.2f "
                    "(target 1.5 at most)\n",
                    img2pdfMs, exportMs / img2pdfMs);
    else
        std::printf("img2pdf is not installed: no ratio\n");
    std::printf("exported %.1f MB for %.1f MB of JPEG files: ratio %.3f (target 1.1 at most)\n",
                QFile(exported).size() / 1048576.0, fileBytes / 1048576.0,
                double(QFile(exported).size()) / double(fileBytes));
    std::printf("memory the export adds at its peak: %.0f MB (target 64 MB at most)\n",
                exportPeak / 1048576.0);
    return 0;
}
