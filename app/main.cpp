// SPDX-License-Identifier: GPL-3.0-or-later
#include "BuiltInTexts.h"
#include "CMMainWindow.h"
#include "CommandLine.h"
#include "FontSubstitutes.h"
#include "GifSupport.h"
#include "MessageBoxes.h"
#include "PictureLoading.h"
#include "ProgramOptions.h"
#include "ReasonTexts.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdlib>

int main(int argc, char *argv[])
{
    // Help, the version and an export show no window: they must work on a
    // machine with no display, unless the user chose a platform.
    const bool windowless = NeedsNoDisplay(argc, argv);
    if (windowless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    RegisterFontSubstitutes();
    QApplication::setFont(DesignFont());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmora/velmora.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("velmora"));
    RegisterPictureKinds();
    RegisterGifSupport();

    const QString programDir = QCoreApplication::applicationDirPath();
    TSettingsOptionsStore options;
    // Only what shows no window says anything of its own: the window reads
    // the language file itself, once.
    const TTextLookup texts =
        windowless ? StoredLanguageTexts(programDir, options) : std::function(BuiltInText);
    if (windowless)
        SetReasonTexts(texts);
    const TCommandLine line = ParseCommandLine(QCoreApplication::arguments(), texts);
    if (line.Action != TCommandLine::TAction::Window)
        return RunWindowless(line, programDir, options);

    TQtMessageBoxes messages;
    TMainFormSetup setup;
    setup.ProgramDir = programDir;
    setup.Messages = &messages;
    setup.Options = &options;
    TCoverMakerMainForm mainForm(setup);
    if (mainForm.TerminateRequested())
        return EXIT_FAILURE;
    mainForm.show();
    // Once the window shows: a cover left unsaved by a crash first, then the
    // cover file the program was started with.
    QTimer::singleShot(0, &mainForm, [&mainForm, files = line.Files] {
        mainForm.Run([&] {
            mainForm.OfferRecovery();
            mainForm.OpenFromCommandLine(files);
        });
    });
    return app.exec();
}
