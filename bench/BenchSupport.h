// SPDX-License-Identifier: GPL-3.0-or-later
// What the benchmarks share: camera-sized pictures and a median timer.
#pragma once

#include "CoverDocuments.h"

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

inline const int PictureWidth = 6000;
inline const int PictureHeight = 4000;

inline QImage CameraPicture(int seed)
{
    QImage img(PictureWidth, PictureHeight, QImage::Format_RGB32);
    for (int y = 0; y < PictureHeight; ++y) {
        auto *row = reinterpret_cast<uint32_t *>(img.scanLine(y));
        for (int x = 0; x < PictureWidth; ++x)
            row[x] = 0xFF000000u | uint32_t(((x * 7 + seed) & 0xFF) << 16) |
                     uint32_t(((y * 5 + seed * 3) & 0xFF) << 8) | uint32_t((x ^ y) & 0xFF);
    }
    return img;
}

// A photograph's worth of gentle gradients, as the placing benchmarks decode.
inline QImage GradientPhoto()
{
    QImage photo(PictureWidth, PictureHeight, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto *row = reinterpret_cast<uint32_t *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            row[x] = 0xFF000000u | uint32_t((x / 7) & 0xFF) << 16 |
                     uint32_t((y / 5) & 0xFF) << 8 | uint32_t((x * y) >> 12 & 0xFF);
    }
    return photo;
}

inline double MedianMs(int runs, const std::function<void()> &step)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        step();
        const auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// djpeg decoding the file whole, the floor of the picture benchmarks, in
// milliseconds; negative where djpeg (libjpeg-turbo-progs) is not installed.
inline double DjpegMs(const QString &file)
{
    const QString djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    if (djpeg.isEmpty())
        return -1;
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.start(djpeg, {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), file});
    p.waitForFinished(-1);
    return t.nsecsElapsed() / 1e6;
}

// A Multiple cover of those widths and height (inches) on the document.
inline void SetMultipleCover(TCoverDocument &document, double left, double center, double right,
                             double height)
{
    CoverSize s;
    s.Name = QStringLiteral("bench");
    s.LeftWidth = left;
    s.CenterWidth = center;
    s.RightWidth = right;
    s.MultipleHeight = height;
    document.SetMode(CoverMode::Multiple);
    document.SetCoverSize(s);
}
