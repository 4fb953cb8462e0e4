// SPDX-License-Identifier: GPL-3.0-or-later
#include "CMMainWindow.h"
#include "FontSubstitutes.h"
#include "GifSupport.h"
#include "MessageBoxes.h"
#include "PictureLoading.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    RegisterFontSubstitutes();
    QApplication::setFont(DesignFont());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmora/velmora.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("velmora"));
    RegisterPictureKinds();
    RegisterGifSupport();

    TQtMessageBoxes messages;
    TMainFormSetup setup;
    setup.ProgramDir = QCoreApplication::applicationDirPath();
    setup.Messages = &messages;
    TCoverMakerMainForm mainForm(setup);
    if (mainForm.TerminateRequested())
        return EXIT_FAILURE;
    mainForm.show();
    // Once the window shows: a cover left unsaved by a crash first, then the
    // cover file the program was started with.
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    QTimer::singleShot(0, &mainForm, [&mainForm, arguments] {
        mainForm.Run([&] {
            mainForm.OfferRecovery();
            mainForm.OpenFromCommandLine(arguments);
        });
    });
    return app.exec();
}
