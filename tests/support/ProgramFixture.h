// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CMMainWindow.h"
#include "CoverFont.h"
#include "DeviceMetrics.h"
#include "PictureLoading.h"
#include "ProgramOptions.h"
#include "RecordingMessageBoxes.h"
#include "ScriptedDialogs.h"
#include "StandardDialogs.h"
#include "TestFiles.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// Stand-ins for the main window's dialogs: each counts its showings, sees
// what it was opened with and answers as the test says (cancel by default).

class TAnsweringChooser : public TPictureChooser
{
public:
    bool Choose(QWidget *, QString &fileName) override
    {
        ++Asked;
        if (Answer.isEmpty())
            return false;
        fileName = Answer;
        return true;
    }
    QString Answer;
    int Asked = 0;
};

class TAnsweringColors : public TColorChooser
{
public:
    bool Choose(QWidget *, QColor &color) override
    {
        ++Asked;
        Shown = color;
        if (!Answer.isValid())
            return false;
        color = Answer;
        return true;
    }
    QColor Answer; // invalid: cancel
    QColor Shown;
    int Asked = 0;
};

class TAnsweringFonts : public TFontChooser
{
public:
    bool Choose(QWidget *, TCoverFont &font) override
    {
        ++Asked;
        ShownName = font.Name();
        if (!Edit)
            return false;
        Edit(font);
        return true;
    }
    std::function<void(TCoverFont &)> Edit; // unset: cancel
    QString ShownName;
    int Asked = 0;
};

class TAnsweringPrinters : public TPrinterChooser
{
public:
    bool Choose(QWidget *, QPrinter &printer) override
    {
        ++Asked;
        if (!SetUp)
            return false;
        SetUp(printer);
        return true;
    }
    std::function<void(QPrinter &)> SetUp; // unset: cancel
    int Asked = 0;
};

class TRecordingUrls : public TUrlOpener
{
public:
    void Open(const QUrl &url) override { Opened << url; }
    QList<QUrl> Opened;
};

// The started main window over a program folder holding one catalogue
// entry, the GIF library and the metafile helper.
struct TProgram
{
    static constexpr const char *OneSize = "[Case]\r\nSingleWidth=5\r\nSingleHeight=5\r\n"
                                           "LeftWidth=1\r\nCenterWidth=3\r\nRightWidth=1\r\n"
                                           "MultipleHeight=5\r\n";
    QTemporaryDir dir;
    TRecordingMessageBoxes messages;
    TFixedDeviceMetrics metrics{38, 236};
    TAnsweringChooser chooser;
    TAnsweringColors colors;
    TAnsweringFonts fonts;
    TAnsweringPrinters printers;
    TScriptedRunner dialogs;
    TRecordingUrls urls;
    // Kept apart from the program folder, never the user's own; a restart
    // finds what the last run wrote.
    QTemporaryDir optionsDir;
    QString optionsPath = optionsDir.filePath("options.ini");
    std::unique_ptr<TSettingsOptionsStore> options;
    std::unique_ptr<TCoverMakerMainForm> form;

    // With start false, the test prepares the folder and calls Start.
    explicit TProgram(const QByteArray &catalogue = OneSize, bool start = true)
    {
        WriteBytes(dir.filePath("CoverSizes.ini"), catalogue);
        for (const char *file : {"GIFView.dll", "velmora-metafile", "VMLang.txt"})
            QFile::copy(ProgramBinDir() + "/" + file, dir.filePath(file));
        if (start) {
            Start();
            form->resize(900, 600);
        }
    }
    void Start()
    {
        options = std::make_unique<TSettingsOptionsStore>(optionsPath);
        TMainFormSetup setup;
        setup.ProgramDir = dir.path();
        setup.Messages = &messages;
        setup.Metrics = &metrics;
        setup.Pictures = &chooser;
        setup.Colors = &colors;
        setup.Fonts = &fonts;
        setup.Printers = &printers;
        setup.Dialogs = &dialogs;
        setup.Options = options.get();
        setup.Urls = &urls;
        form = std::make_unique<TCoverMakerMainForm>(setup);
        form->show();
    }
    // Closes the window as the user would and starts the program again.
    void Restart()
    {
        form->close();
        form.reset();
        Start();
    }
    QString Save(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        WriteBytes(path, bytes);
        return path;
    }
    TCoverDocument &Doc() { return *form->Document(); }
};
