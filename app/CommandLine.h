// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class TOptionsStore;

// What the program was asked to do from its command line.
struct TCommandLine
{
    enum class TAction
    {
        Window,  // the main window, opening Files' first cover
        Export,  // ExportPdf written from Files' cover, no window shown
        Sheet,   // Files' covers on sheets of Paper, to ExportPdf or printed
        Album,   // a cover made from the music in Files, to Save and/or ExportPdf
        Print,   // Files' one cover printed, no window shown
        Help,    // Output printed, nothing else done
        Version, // likewise
        Failed   // the arguments make no sense; Output says why
    };
    TAction Action = TAction::Window;
    QStringList Files; // cover files named, in order
    QString ExportPdf;
    bool Print = false;
    QString Paper; // "A4", "Letter", or empty for the printer's own
    QString Size;  // a catalogue entry's name; empty for the import's default
    QString Save;  // where an imported cover is saved
    QString Printer; // empty: the default printer
    int Copies = 0;  // 0: the printer's own
    // The print choices given on the line, over the user's stored ones.
    bool SetMarks = false;
    bool CutMarks = false;
    bool FoldMarks = false;
    double BleedMm = -1; // negative: the stored one
    QString Output; // what to print: the help, the version, or the reason
};

// Whether the arguments ask for something that needs no window (help,
// version, an export, a long option that is refused), read before the application exists so that the
// offscreen platform can be chosen on a machine with no display.
bool NeedsNoDisplay(int argc, char **argv);

// Parses the program's arguments (its own name first); texts gives the
// descriptions in the user's language by text number.
TCommandLine ParseCommandLine(const QStringList &arguments,
                              const std::function<QString(int)> &texts);

// The windowless commands: each writes its reason on standard error and
// returns the exit status (0 done, 1 failed). programDir holds the program's
// data files and helpers; options are the user's, for the print choices and
// the language.
int RunWindowless(const TCommandLine &line, const QString &programDir, TOptionsStore &options);

// A user-interface text by its number in the language the options name;
// English where the language file does not give it.
std::function<QString(int)> StoredLanguageTexts(const QString &programDir, TOptionsStore &options);
