// SPDX-License-Identifier: GPL-3.0-or-later
// Saves a picture of the main window, as the program starts from its build
// folder, for the README: velmora_screenshot OUTPUT.png
#include "CMMainWindow.h"
#include "CoverView.h"
#include "FontSubstitutes.h"
#include "RecordingMessageBoxes.h"
#include "TestFiles.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora_screenshot OUTPUT.png\n");
        return 2;
    }
    RegisterFontSubstitutes();
    QApplication::setFont(DesignFont());
    TRecordingMessageBoxes messages;
    TFixedDeviceMetrics metrics(38, 236);
    TMainFormSetup setup;
    setup.ProgramDir = ProgramBinDir();
    setup.Messages = &messages;
    setup.Metrics = &metrics;
    TCoverMakerMainForm form(setup);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    form.MultiButton->click();
    form.CoverView->SelectArea(2);
    QCoreApplication::processEvents();
    return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
