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
#include <memory>

int main(int argc, char *argv[])
{
    // Help, the version and an export show no window: they must work on a
    // machine with no display, unless the user chose a platform.
    const bool windowless = NeedsNoDisplay(argc, argv);
    if (windowless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // What shows no window runs without widgets at all: the renderer draws
    // every page, and a widget made by mistake stops the program at once
    // rather than passing unnoticed.
    const std::unique_ptr<QGuiApplication> app =
        windowless ? std::make_unique<QGuiApplication>(argc, argv)
                   : std::make_unique<QApplication>(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Velmora"));
    QGuiApplication::setOrganizationName(QStringLiteral("Velmora"));
    QGuiApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    RegisterFontSubstitutes();
    if (windowless)
        QGuiApplication::setFont(DesignFont());
    else
        QApplication::setFont(DesignFont());
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/velmora/velmora.svg")));
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
    // Every long option runs without a window, so a windowless start never
    // comes to the window.
    if (line.Action != TCommandLine::TAction::Window || windowless)
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
    return QApplication::exec();
}
