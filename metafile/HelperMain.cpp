// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-metafile DPI OUTPUT [picture]: reads a Windows or enhanced metafile
// on standard input, converts it to SVG and draws that into a bitmap of the
// metafile's frame at DPI, on white; writes "VMBMP <width> <height> <W|E>\n"
// and the bitmap's 32-bit pixels, row by row, to the file OUTPUT. With
// "svg" it writes the SVG into OUTPUT instead, once it has drawn it within
// its limits, for a painter that keeps vectors. Exits 1
// when the metafile does not convert or draw within the limits. Velmora runs
// it for every metafile it loads, so that whatever the converting libraries
// and the drawing do with a hostile file happens in this process, under its
// limits of time and memory, not in Velmora.
#include "MetafileToSvg.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>
#include <memory>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_UNDER_ASAN 1
#endif

#ifdef VELMORA_UNDER_ASAN
// libwmf and libemf2svg do not free everything on their way out; their
// leaks are not this program's to report, and the exit code must say only
// whether the conversion worked.
extern "C" const char *__asan_default_options()
{
    return "detect_leaks=0";
}
#endif

namespace {

const size_t MaxInput = 256u * 1024u * 1024u;
const qsizetype MaxSvg = 32 * 1024 * 1024;
// Drawing time grows with the elements of the SVG: beyond this many a
// picture is refused before anything is drawn.
const int MaxSvgElements = 20000;

void LimitResources()
{
#if defined(__unix__) || defined(__APPLE__)
    // A backstop: the element count bounds the drawing long before this.
    rlimit cpu{2, 2};
    setrlimit(RLIMIT_CPU, &cpu);
#ifndef VELMORA_UNDER_ASAN
    // The sanitizer reserves far more address space than this; its builds
    // rely on the caller's timeout alone.
    rlimit memory{rlim_t(1536) * 1024 * 1024, rlim_t(1536) * 1024 * 1024};
    setrlimit(RLIMIT_AS, &memory);
#endif
#endif
}

bool WriteBitmap(const QString &path, const TMetafileSvg &svg, const QImage &image)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray header = QByteArray("VMBMP ") + QByteArray::number(svg.Width) + ' ' +
                              QByteArray::number(svg.Height) + ' ' +
                              (svg.Format == MetafileFormat::Enhanced ? 'E' : 'W') + '\n';
    if (out.write(header) != header.size())
        return false;
    for (int y = 0; y < image.height(); ++y) {
        const qint64 row = qint64(image.width()) * 4;
        if (out.write(reinterpret_cast<const char *>(image.constScanLine(y)), row) != row)
            return false;
    }
    return out.flush();
}

} // namespace

int main(int argc, char **argv)
{
    LimitResources();
    if (argc < 3)
        return 1;
    const double dpi = std::atof(argv[1]);
    if (!(dpi > 0 && dpi < 10000))
        return 1;
    const QString output = QString::fromLocal8Bit(argv[2]);

    QByteArray input;
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, stdin)) > 0) {
        if (size_t(input.size()) + n > MaxInput)
            return 1;
        input.append(chunk, qsizetype(n));
    }
    try {
        const TMetafileSvg svg = MetafileToSvg(input, dpi);
        if (svg.Svg.size() > MaxSvg || SvgElementCount(svg.Svg) > MaxSvgElements)
            return 1;
        // Text needs fonts, and fonts a GUI application (never a display);
        // starting one costs more than drawing most pictures, so only then.
        std::unique_ptr<QGuiApplication> app;
        int guiArgc = 1;
        const bool asSvg = argc >= 4 && QByteArray(argv[3]) == "svg";
        if (svg.Svg.contains("<text") || svg.Svg.contains(":text")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QGuiApplication>(guiArgc, argv);
        }
        QSvgRenderer renderer(svg.Svg);
        if (!renderer.isValid())
            return 1;
        QImage image(svg.Width, svg.Height, QImage::Format_RGB32);
        if (image.isNull())
            return 1;
        image.fill(Qt::white);
        {
            QPainter p(&image);
            renderer.render(&p, QRectF(0, 0, svg.Width, svg.Height));
        }
        if (asSvg) {
            QFile out(output);
            return out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                           out.write(svg.Svg) == svg.Svg.size() && out.flush()
                       ? 0
                       : 1;
        }
        return WriteBitmap(output, svg, image) ? 0 : 1;
    } catch (const std::exception &) {
        return 1;
    }
}
