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
    QTemporaryDir dir;
    TRecordingMessageBoxes messages;
    TFixedDeviceMetrics metrics{38, 236};
    TAnsweringChooser chooser;
    TAnsweringColors colors;
    TAnsweringFonts fonts;
    TAnsweringPrinters printers;
    TScriptedRunner dialogs;
    TRecordingUrls urls;
    // Kept apart from the program folder, so that a restart over the same
    // folder finds the options the last run wrote.
    QTemporaryDir optionsDir;
    TSettingsOptionsStore options{optionsDir.filePath("options.ini")};
    std::unique_ptr<TCoverMakerMainForm> form;

    explicit TProgram(const QByteArray &catalogue =
                          "[Case]\r\nSingleWidth=5\r\nSingleHeight=5\r\nLeftWidth=1\r\n"
                          "CenterWidth=3\r\nRightWidth=1\r\nMultipleHeight=5\r\n")
    {
        WriteBytes(dir.filePath("CoverSizes.ini"), catalogue);
        for (const char *file : {"GIFView.dll", "velmora-metafile", "VMLang.txt"})
            QFile::copy(ProgramBinDir() + "/" + file, dir.filePath(file));
        TMainFormSetup setup;
        setup.ProgramDir = dir.path();
        setup.Messages = &messages;
        setup.Metrics = &metrics;
        setup.Pictures = &chooser;
        setup.Colors = &colors;
        setup.Fonts = &fonts;
        setup.Printers = &printers;
        setup.Dialogs = &dialogs;
        setup.Options = &options;
        setup.Urls = &urls;
        form = std::make_unique<TCoverMakerMainForm>(setup);
        form->resize(900, 600);
        form->show();
    }
    QString Save(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        WriteBytes(path, bytes);
        return path;
    }
    TCoverDocument &Doc() { return *form->Document(); }
};
