// SPDX-License-Identifier: GPL-3.0-or-later
// Placing a camera-sized JPEG as the user does: Change... opens the real open
// dialog, the file is chosen there (its preview starts decoding), and Return
// is pressed a moment later. Measured whole, from Return to the first
// finished repaint of the cover with the picture, next to djpeg decoding the
// same file (the floor). Run it pinned to one core with "taskset -c 0",
// where the dialog's preview and the placing share the core: the target is
// 0.5x the floor.
#include "CoverView.h"
#include "FontSubstitutes.h"
#include "GifSupport.h"
#include "OpenPictureDialog.h"
#include "PictureLoading.h"
#include "ProgramFixture.h"
#include "WindowControls.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RegisterFontSubstitutes();
    RegisterPictureKinds();
    RegisterGifSupport();
    TProgram p(TProgram::OneSize, false);
    p.realChoosers = true;
    p.Start();
    p.form->resize(1200, 800);
    const QString file = p.dir.filePath(QStringLiteral("photo.jpg"));
    {
        QImage photo(6000, 4000, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y) {
            auto *row = reinterpret_cast<uint32_t *>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x)
                row[x] = 0xFF000000u | uint32_t((x / 7) & 0xFF) << 16 |
                         uint32_t((y / 5) & 0xFF) << 8 | uint32_t((x * y) >> 12 & 0xFF);
        }
        QImageWriter writer(file, "jpg");
        writer.setQuality(90);
        if (!writer.write(photo)) {
            std::fprintf(stderr, "cannot write the test photo\n");
            return 1;
        }
    }
    TCoverMakerMainForm &f = *p.form;
    ClickArea(f, 1);

    const int runs = 7;
    std::vector<double> whole;
    std::vector<double> djpeg;
    const QString djpegPath = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        bool chosen = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<TOpenPictureDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialog->selectFile(file);
            dialog->ShowPreview(file); // as the file list does when the file is picked
            // The user reads the name, then presses Return.
            QTimer::singleShot(150, dialog, [&, dialog] {
                chosen = true;
                t.start();
                QTest::keyClick(dialog, Qt::Key_Return);
            });
        });
        Ui(f).ChangeButton()->click();
        Ui(f).CoverView()->repaint();
        const double shown = t.nsecsElapsed() / 1e6;
        // Asked without waiting for the whole picture.
        if (!chosen || p.Doc().PictureSize(1).isEmpty()) {
            std::fprintf(stderr, "the dialog did not place the photo\n");
            return 1;
        }
        whole.push_back(shown);
        (void)p.Doc().GetPicture(1); // waits for the whole picture
        Ui(f).ClearButton()->click();
        QCoreApplication::processEvents();

        if (!djpegPath.isEmpty()) {
            t.restart();
            QProcess d;
            d.start(djpegPath, {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), file});
            d.waitForFinished(-1);
            djpeg.push_back(t.nsecsElapsed() / 1e6);
        }
    }
    std::printf("%d core(s): choosing a 6000 x 4000 JPEG in the open dialog\n",
                QThread::idealThreadCount());
    std::printf("  Return to the first finished repaint: %8.1f ms\n", Median(whole));
    if (djpeg.empty()) {
        std::printf("djpeg not found (libjpeg-turbo-progs): no floor\n");
        return 0;
    }
    const double floor = Median(djpeg);
    std::printf("  djpeg decoding the same file (floor):  %8.1f ms\n", floor);
    std::printf("  %.2fx the floor (target 0.5x at most): %s\n", Median(whole) / floor,
                Median(whole) <= 0.5 * floor ? "met" : "MISSED");
    return 0;
}
