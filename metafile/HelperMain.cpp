// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-metafile DPI: reads a Windows or enhanced metafile on standard
// input and writes "VMSVG <width> <height> <W|E>\n" and the SVG on standard
// output; exits 1 when the metafile does not convert. Velmora runs it for
// every metafile it loads, so that whatever the converting libraries do
// with a hostile file happens in this process, not in Velmora.
#include "MetafileToSvg.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>

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
const qsizetype MaxOutput = 32 * 1024 * 1024;

void LimitResources()
{
#if defined(__unix__) || defined(__APPLE__)
    rlimit cpu{10, 10};
    setrlimit(RLIMIT_CPU, &cpu);
#ifndef VELMORA_UNDER_ASAN
    // The sanitizer reserves far more address space than this; its builds
    // rely on the caller's timeout alone.
    rlimit memory{rlim_t(1536) * 1024 * 1024, rlim_t(1536) * 1024 * 1024};
    setrlimit(RLIMIT_AS, &memory);
#endif
#endif
}

} // namespace

int main(int argc, char **argv)
{
    LimitResources();
    const double dpi = argc > 1 ? std::atof(argv[1]) : 96.0;
    if (!(dpi > 0 && dpi < 10000))
        return 1;
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
        if (svg.Svg.size() > MaxOutput)
            return 1;
        std::printf("VMSVG %d %d %c\n", svg.Width, svg.Height,
                    svg.Format == MetafileFormat::Enhanced ? 'E' : 'W');
        std::fwrite(svg.Svg.constData(), 1, size_t(svg.Svg.size()), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const std::exception &) {
        return 1;
    }
}
