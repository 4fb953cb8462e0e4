// SPDX-License-Identifier: GPL-3.0-or-later
// Placing a camera-sized JPEG on a cover area: from the file to the first
// finished repaint (the picture shown from its smaller copy), and to the full
// picture ready, each next to djpeg decoding the same file whole in the same
// run (the floor: decoding itself). Run it pinned to one core with
// "taskset -c 0" and again on two: the bench target does both. The same
// photo with a Display P3 profile, converted into sRGB as it decodes, is
// placed as well and compared with the plain one.
#include "BenchSupport.h"
#include "CoverView.h"
#include "FontSubstitutes.h"
#include "JpegGraphic.h"
#include "PictureLoading.h"

#include <QApplication>
#include <QColorSpace>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RegisterFontSubstitutes();
    RegisterPictureKinds();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("photo.jpg"));
    {
        const QImage photo = GradientPhoto();
        QImageWriter writer(file, "jpg");
        writer.setQuality(90);
        QImage p3 = photo;
        p3.setColorSpace(QColorSpace(QColorSpace::DisplayP3));
        QImageWriter profiled(dir.filePath(QStringLiteral("photo-p3.jpg")), "jpg");
        profiled.setQuality(90);
        if (!writer.write(photo) || !profiled.write(p3)) {
            std::fprintf(stderr, "cannot write the test photo\n");
            return 1;
        }
    }
    const QString p3File = dir.filePath(QStringLiteral("photo-p3.jpg"));

    TFixedDeviceMetrics metrics(38, 236);
    TCoverDocument document;
    TCoverView view(nullptr, metrics);
    view.resize(1600, 1000);
    CoverSize size;
    size.Name = QStringLiteral("bench");
    size.SingleWidth = 7;
    size.SingleHeight = 5;
    document.SetCoverSize(size);
    view.SetDocument(&document);
    view.show();
    for (int i = 0; i < 1000 && !(view.windowHandle() && view.windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

    const int runs = 9;
    std::vector<double> place;
    std::vector<double> ready;
    std::vector<double> plain;
    std::vector<double> djpeg;
    std::vector<double> placeP3;
    std::vector<double> readyP3;
    const auto placeFile = [&](const QString &name, std::vector<double> &placed,
                               std::vector<double> &whole) {
        QElapsedTimer t;
        t.start();
        {
            const std::unique_ptr<TGraphic> picture = LoadPicture(name);
            if (!picture)
                return false;
            view.SetAreaPicture(1, picture.get());
        }
        view.repaint();
        placed.push_back(t.nsecsElapsed() / 1e6);
        (void)document.GetPicture(1); // waits for the whole picture
        whole.push_back(t.nsecsElapsed() / 1e6);
        view.SetAreaPicture(1, nullptr);
        return true;
    };
    for (int i = 0; i < runs; ++i) {
        if (!placeFile(file, place, ready) || !placeFile(p3File, placeP3, readyP3))
            return 1;
        QElapsedTimer t;

        // The same file decoded whole on this thread, as the worker does.
        t.start();
        {
            QFile f(file);
            f.open(QIODevice::ReadOnly);
            (void)DecodeJpeg(f.readAll());
        }
        plain.push_back(t.nsecsElapsed() / 1e6);

        if (const double ms = DjpegMs(file); ms >= 0)
            djpeg.push_back(ms);
    }
    std::printf("%d core(s): placing a 6000 x 4000 JPEG\n", QThread::idealThreadCount());
    std::printf("  file to first finished repaint:      %8.1f ms\n", Median(place));
    std::printf("  file to the full picture ready:      %8.1f ms\n", Median(ready));
    std::printf("  (a plain whole decode on one thread: %8.1f ms)\n", Median(plain));
    const double firstP3 = Median(placeP3) / Median(place);
    const double wholeP3 = Median(readyP3) / Median(ready);
    std::printf("  with a Display P3 profile: first repaint %.2fx, full picture %.2fx the plain "
                "photo's (target 1.2x at most): %s\n",
                firstP3, wholeP3, firstP3 <= 1.2 && wholeP3 <= 1.2 ? "met" : "MISSED");
    if (djpeg.empty()) {
        std::printf("djpeg not found (libjpeg-turbo-progs): no floor\n");
        return 0;
    }
    const double floor = Median(djpeg);
    std::printf("  djpeg decoding the same file (floor): %8.1f ms\n", floor);
    std::printf("  first repaint %.2fx the floor (target 0.5x at most): %s\n", Median(place) / floor,
                Median(place) <= 0.5 * floor ? "met" : "MISSED");
    std::printf("  full picture %.2fx the floor (target 1.1x at most): %s\n", Median(ready) / floor,
                Median(ready) <= 1.1 * floor ? "met" : "MISSED");
    return 0;
}
