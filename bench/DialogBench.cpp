// SPDX-License-Identifier: GPL-3.0-or-later
// Placing a camera-sized JPEG as the user does: Change... opens the real open
// dialog, the file is chosen there (its preview starts decoding), and Return
// is pressed a moment later. Measured whole, from Return to the first
// finished repaint of the cover with the picture, next to djpeg decoding the
// same file (the floor). Run it pinned to one core with "taskset -c 0",
// where the dialog's preview and the placing share the core: the target is
// 0.5x the floor.
#include "BenchSupport.h"
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
#include <QTest>
#include <QThread>
#include <QTimer>
#include <cstdio>

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
    QImageWriter writer(file, "jpg");
    writer.setQuality(90);
    if (!writer.write(GradientPhoto())) {
        std::fprintf(stderr, "cannot write the test photo\n");
        return 1;
    }
    TCoverMakerMainForm &f = *p.form;
    ClickArea(f, 1);

    const int runs = 7;
    std::vector<double> whole;
    std::vector<double> djpeg;
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

        if (const double ms = DjpegMs(file); ms >= 0)
            djpeg.push_back(ms);
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
