// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CMMainWindow.h"
#include "CoverFileChooser.h"
#include "CoverFont.h"
#include "DeviceMetrics.h"
#include "PictureChooser.h"
#include "ProgramOptions.h"
#include "RecordingMessageBoxes.h"
#include "ScriptedDialogs.h"
#include "StandardDialogs.h"
#include "TestFiles.h"
#include "WindowControls.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// Stand-ins for the main window's dialogs: each counts its showings and
// answers as the test says (an unset answer cancels).
struct TAnsweringChooser : TPictureChooser
{
    QString Answer;
    int Asked = 0;
    bool Choose(QWidget *, QString &f) override { return ++Asked, f = Answer, !Answer.isEmpty(); }
};
struct TAnsweringColors : TColorChooser
{
    QColor Answer, Shown;
    bool Choose(QWidget *, QColor &c) override
    {
        Shown = c;
        if (Answer.isValid())
            c = Answer;
        return Answer.isValid();
    }
};
struct TAnsweringFonts : TFontChooser
{
    std::function<void(TCoverFont &)> Edit;
    bool Choose(QWidget *, TCoverFont &font) override { return Edit && (Edit(font), true); }
};
struct TAnsweringPrinters : TPrinterChooser
{
    std::function<void(QPrinter &)> SetUp;
    std::function<void(TPrintChoices &)> Choices; // what the test chooses beyond the printer
    TPrintChoices Shown;
    int Asked = 0;
    bool Choose(QWidget *, QPrinter &p, TPrintChoices &c) override
    {
        ++Asked;
        Shown = c;
        if (!SetUp)
            return false;
        SetUp(p);
        if (Choices)
            Choices(c);
        return true;
    }
};
struct TAnsweringCoverFiles : TCoverFileChooser
{
    QString Answer; // empty: cancelled
    QStringList Titles;
    bool ChooseOpen(QWidget *, const QString &title, const QString &, QString &f) override
    {
        return Titles << title, f = Answer, !Answer.isEmpty();
    }
    bool ChooseSave(QWidget *w, const QString &title, const QString &filter, QString &f) override
    {
        return ChooseOpen(w, title, filter, f);
    }
};
struct TRecordingUrls : TUrlOpener
{
    QList<QUrl> Opened;
    bool Browser = true; // false: as on a machine with no browser
    bool Open(const QUrl &url) override { return Opened << url, Browser; }
};

// The main window over a program folder with a catalogue, the GIF library,
// the metafile helper and the language file; its options in a file of the
// test's own, kept across Restart.
struct TProgram
{
    static constexpr const char *OneSize = "[Case]\r\nSingleWidth=5\r\nSingleHeight=5\r\n"
                                           "LeftWidth=1\r\nCenterWidth=3\r\nRightWidth=1\r\n"
                                           "MultipleHeight=5\r\n";
    QTemporaryDir dir, optionsDir, recoveryDir;
    QString optionsPath = optionsDir.filePath("options.ini");
    QString recoveryPath = recoveryDir.path(); // where the recovery copies go
    TRecordingMessageBoxes messages;
    TFixedDeviceMetrics metrics{38, 236};
    TAnsweringChooser chooser;
    TAnsweringColors colors;
    TAnsweringFonts fonts;
    TAnsweringPrinters printers;
    TScriptedRunner dialogs;
    TRecordingUrls urls;
    TAnsweringCoverFiles coverFiles;
    bool realModalLoops = false; // the dialogs' own exec(), driven by timers
    bool realChoosers = false;   // Qt's picture, colour, font and print dialogs
    std::unique_ptr<TSettingsOptionsStore> options;
    std::unique_ptr<TCoverMakerMainForm> form;

    // With start false, the test prepares the folder and calls Start.
    explicit TProgram(const QByteArray &catalogue = OneSize, bool start = true)
    {
        WriteBytes(dir.filePath("CoverSizes.ini"), catalogue);
        for (const char *file : {"GIFView.dll", "velmora-metafile", "VMLang.txt"})
            QFile::copy(ProgramBinDir() + "/" + file, dir.filePath(file));
        QDir(dir.path()).mkdir(QStringLiteral("translations"));
        for (const QString &qm : QDir(ProgramBinDir() + "/translations").entryList(QDir::Files))
            QFile::copy(ProgramBinDir() + "/translations/" + qm, dir.filePath("translations/" + qm));
        if (start) {
            Start();
            form->resize(900, 600);
        }
    }
    void Start()
    {
        options = std::make_unique<TSettingsOptionsStore>(optionsPath);
        TMainFormSetup s{dir.path(), &messages, &metrics,      &chooser, &colors, &fonts,
                         &printers,  &dialogs,  options.get(), nullptr,  &urls,
                         &coverFiles, recoveryPath};
        if (realModalLoops)
            s.Dialogs = nullptr;
        if (realChoosers) {
            s.Pictures = nullptr;
            s.Colors = nullptr;
            s.Fonts = nullptr;
            s.Printers = nullptr;
        }
        form = std::make_unique<TCoverMakerMainForm>(s);
        form->show();
    }
    void Restart()
    {
        form->close();
        form.reset();
        Start();
    }
    QString Save(const QString &name, const QByteArray &bytes)
    {
        WriteBytes(dir.filePath(name), bytes);
        return dir.filePath(name);
    }
    TCoverDocument &Doc() { return form->Cover().Document(); }
    TCoverController &Cover() { return form->Cover(); }
};
