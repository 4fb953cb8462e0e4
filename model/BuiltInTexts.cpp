// SPDX-License-Identifier: GPL-3.0-or-later
#include "BuiltInTexts.h"

#include <map>

namespace {

const std::map<int, const char *> &Table()
{
    static const std::map<int, const char *> table = {
        // Main window
        {2, "Single cover"},
        {3, "Multiple cover"},
        {4, "Text:"},
        {5, "Alignment"},
        {6, "Left"},
        {7, "Center"},
        {8, "Right"},
        {9, "Orientation"},
        {10, "Horz"},
        {11, "Vert"},
        {12, "Text Position"},
        {13, "Top"},
        {14, "Center"},
        {15, "Bottom"},
        {16, "Font..."},
        {17, "Image properties"},
        {18, "Change..."},
        {19, "Clear"},
        {20, "Image View"},
        {21, "Stretch image"},
        {22, "Autosize image"},
        {23, "User defined"},
        {24, "Center"},
        {25, "BG Color..."},
        {26, "New cover"},
        {27, "Print cover"},
        {30, "Cover"},
        {31, "New..."},
        {32, "Print..."},
        {33, "Exit"},
        {34, "Configure"},
        {35, "Templates..."},
        {36, "Inches"},
        {37, "Centimetres"},
        {38, "Help"},
        {39, "Index"},
        {40, "Home Page"},
        {41, "About..."},
        {42, "Show Actual Scale"},
        {50, "&Change..."},
        {51, "C&lear"},
        {52, "Stretch"},
        {53, "Autosize"},
        {54, "User Defined"},
        {55, "Center"},
        {56, "Zoom &In"},
        {57, "Zoom &Out"},
        {58, "BG Color..."},
        // New cover dialog
        {70, "Create new cover"},
        {71, "Name"},
        {72, "Size (Single mode)"},
        {73, "Sizes (Multiple mode)"},
        {74, "Images"},
        {75, "Single"},
        {76, "Multiple"},
        {77, "OK"},
        {78, "Cancel"},
        {79, "Add..."},
        {80, "Edit..."},
        {81, "Remove..."},
        {82, "Cover templates"},
        {83, "Close"},
        {100, "inches"},
        {101, "cm"},
        {102, "Remove this cover size from the catalogue?"},
        {104, "A cover size of this name is already in the catalogue."},
        {105, "New cover size"},
        // Cover size properties dialog
        {130, "Cover Size Information"},
        {131, "Cover size name:"},
        {132, "Single"},
        {133, "Multiple"},
        {134, "Width:"},
        {135, "Height:"},
        {136, "Left side width:"},
        {137, "Center width:"},
        {138, "Right side width:"},
        {139, "Height:"},
        // About box
        {120, "Version"},
        {121, "Made by"},
        {123, "About %1"},
        // Printing a cover larger than the paper; one line, as the language
        // file holds it
        {150, "The cover is larger than the printable area of the paper. Cut off: %1. "
              "Print anyway?"},
        {151, "%1 on the right"},
        {152, "%1 at the bottom"},
        // Texts of the program's own, beyond the windows above: every one in
        // every shipped language.
        {200, "The options could not be saved in %1."},
        {201, "Unreadable entry"},
        {202, "Smaller margins can be chosen under Properties in the print dialog."},
        {203, "Open..."},
        {204, "Save"},
        {205, "Save As..."},
        {206, "Velmora covers"},
        {207, "Do you want to save the changes to \"%1\"?"},
        {208, "Do you want to save the changes to this cover?"},
        {209, "Cannot open \"%1\"."},
        {210, "Velmora did not close normally. Restore the unsaved cover it kept (%1)?"},
        {211, "new cover"},
        {212, "The kept copy cannot be restored."},
        {213, "Edit"},
        {214, "Undo %1"},
        {215, "Undo"},
        {216, "Redo %1"},
        {217, "Redo"},
        {218, "Copy"},
        {219, "Paste"},
        {220, "Change picture"},
        {221, "Clear picture"},
        {222, "Move picture"},
        {223, "Zoom in"},
        {224, "Zoom out"},
        {225, "Center picture"},
        {226, "Picture view"},
        {227, "Background color"},
        {228, "Typing"},
        {229, "Font"},
        {230, "Alignment"},
        {231, "Text orientation"},
        {232, "Text position"},
        {233, "New cover"},
        {234, "Layout"},
        {235, "Paste picture"},
        {236, "Drop pictures"},
        {237, "There is no picture on the clipboard."},
        {238, "Change"},
        {239, "Print Preview..."},
        {240, "Export PDF..."},
        {241, "Calibrate Printer..."},
        {242, "Marks and bleed"},
        {243, "Cut marks"},
        {244, "Fold marks"},
        {245, "Bleed:"},
        {246, "mm"},
        {247, "Calibration in effect: %1"},
        {248, "No calibration for this printer."},
        {249, "Reset calibration"},
        {250, "PDF files"},
        {251, "Calibrate Printer"},
        {252, "Measure the printed calibration sheet with a ruler and enter what you find. On a true printer the square is 100 mm wide and high, and the cross is 25 mm from the paper's left and top edges."},
        {253, "Width of the square:"},
        {254, "Height of the square:"},
        {255, "Cross from the left edge:"},
        {256, "Cross from the top edge:"},
        {257, "Velmora calibration sheet for %1"},
        {258, "Measure the square's width and height, and how far the center of the cross is from the paper's left and top edges, in millimetres; then enter them in Velmora."},
        {259, "The sheet went to a file. A calibration is for a printer: choose one to calibrate it; PDF files and Print to File are never corrected."},
        {260, "No program was found to show it; you can open it yourself: %1"},
        // The unit of an amount in a message: below two, from two up; then the
        // decimal separator.
        {261, "inches"},
        {262, "inches"},
        {263, "cm"},
        {264, "cm"},
        {265, "."},
        // The language as a locale name, for Qt's own texts and numbers.
        {266, "en"},
        // The command line.
        {267, "Writes the cover file to this PDF file, with no window."},
        {268, "The Velmora cover to open."},
        {269, "Name one Velmora cover to export."},
        // The name of a cover of no file, in the window's title.
        {270, "Untitled"},
        // The cover size properties dialog, for a size beyond any cover's.
        {271, "A cover's sizes run from 0 to 1000 inches (2540 cm)."},
        // The calibration dialog, for measurements no printer needs.
        {276, "These measurements are more than any printer is off: the square should measure close to 100 mm and the cross lie close to 25 mm from both edges. Measure again."},
        // Recovery copies.
        {272, "Some recovery copies could not be read. Nothing was deleted: they are kept in %1."},
        {273, "Crash protection is off: the recovery copy cannot be written (%1). Velmora tries again at the next change."},
        {274, "Remove this copy? If you keep it, it is offered again at the next start."},
        {275, "These pictures could not be restored; their areas are empty (area: reason): %1"},
        // Text blocks.
        {277, "Insert"},
        {278, "Text Block"},
        {279, "Add text block"},
        {280, "Text block"},
        {281, "Fitting:"},
        {282, "Clip"},
        {283, "Shrink to fit"},
        {284, "Columns"},
        {285, "Columns:"},
        {286, "Line spacing:"},
        {287, "Rotation:"},
        {288, "Move text block"},
        {289, "Resize text block"},
        {290, "Delete text block"},
        {291, "Text block settings"},
        {292, "&Delete Text Block"},
        {293, "An area holds at most %1 text blocks."},
        {294, "Add &Text Block"},
        // Covers on sheets, and their command line.
        {295, "Print Sheet..."},
        {296, "Cover"},
        {297, "Copies"},
        {298, "Paper:"},
        {299, "The printer's paper"},
        {300, "Sheets: %1"},
        {301, "The cover \"%1\" is larger than the paper."},
        {302, "Remove"},
        {303, "Size"},
        {304, "Lays the covers out together on sheets of paper, for --export-pdf or --print."},
        {305, "The sheets' paper: A4 or Letter."},
        {306, "Prints on the default printer, with no window."},
        {307, "Name the Velmora covers to lay out on sheets."},
        // The new cover dialog: search, order, kinds, the shipped list.
        {308, "Search:"},
        {309, "Sort by:"},
        {310, "Catalogue order"},
        {311, "CD case"},
        {312, "DVD case"},
        {313, "Blu-ray case"},
        {314, "Game case"},
        {315, "Digipak"},
        {316, "Cassette"},
        {317, "Video tape"},
        {318, "Record"},
        {319, "MiniDisc"},
        {320, "Label"},
        {321, "Sleeve"},
        {322, "Label sheet"},
        {323, "Plain paper"},
        {324, "Add from the shipped list..."},
        {325, "The catalogue holds every shipped size."},
        // Albums imported from music.
        {326, "Import Album..."},
        {327, "Disc %1"},
        {328, "Total"},
        {329, "... and %1 more tracks"},
        {330, "Import album"},
        {331, "The album's picture could not be placed: %1"},
        {332, "Audio files and CUE sheets"},
        {333, "Use This Folder"},
        {334, "Makes a cover from a folder of audio files or a CUE sheet, with no window."},
        {335, "The catalogue size of the cover (the CD tray inlay when not given)."},
        {336, "Saves the cover to this file."},
        {337, "There is no cover size \"%1\" in the catalogue."},
        {338, "Name a folder or a CUE sheet to import, and --save or --export-pdf."},
        {339, "\"%1\" does not read as audio."},
        {340, "No audio files were found there."},
        {341, "\"%1\" cannot be read."},
        {342, "\"%1\" names no track."},
        {343, "Prints on the printer of this name instead of the default one."},
        {344, "Prints this many copies, from 1 to %1."},
        {345, "Adds cut marks, fold marks or both (cut,fold) to --export-pdf or --print; none for neither."},
        {346, "Lets the pictures run this many millimetres past the cut (0 to %1), for --export-pdf or --print."},
        {347, "Name one Velmora cover to print."},
        {348, "There is no printer named \"%1\"."},
        {349, "There is no printer to print on."},
        {350, "The cover is larger than the printable area of the paper: nothing was printed."},
        {351, "Exporting the cover to PDF..."},
        {352, "Printing the cover..."},
        {353, "Opening the cover..."},
        {354, "%1, %2"},
        {355, "Cover Size Properties"},
        {356, "Color..."},
        {357, "Error"},
        {358, "All"},
        {359, "JPEG Image File"},
        {360, "Bitmaps"},
        {361, "Icons"},
        {362, "Enhanced Metafiles"},
        {363, "Metafiles"},
        {364, "GIF Image File"},
        {365, "PNG Image File"},
        {366, "WebP Image File"},
        {367, "TIFF Image File"},
    };
    return table;
}

} // namespace

QString BuiltInText(int number)
{
    const auto it = Table().find(number);
    return it == Table().end() ? QString() : QString::fromUtf8(it->second);
}

QList<int> UsedTextNumbers()
{
    QList<int> numbers;
    for (const auto &entry : Table())
        numbers << entry.first;
    return numbers;
}

QString WithoutMnemonic(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
}

QString TitleOf(const QString &item)
{
    QString title = WithoutMnemonic(item);
    while (title.endsWith(QLatin1Char('.')) || title.endsWith(QChar(0x2026)))
        title.chop(1);
    return title.trimmed();
}
