// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "AlbumReader.h"
#include "CMMainWindow.h"
#include "BuiltInTexts.h"
#include "CoverSizes.h"
#include "CoverController.h"
#include "DeviceMetrics.h"
#include "GifSupport.h"
#include "LanguageController.h"
#include "MetafileGraphic.h"
#include "PrintCalibration.h"
#include "ProgramOptions.h"
#include "SheetJob.h"
#include "VelmoraError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>
#include <cstdio>
#include <cstring>

namespace {

constexpr int ExportPdfOptionText = 267;
constexpr int CoverFileArgumentText = 268;
constexpr int OneCoverToExportText = 269;
constexpr int SheetOptionText = 304;
constexpr int PaperOptionText = 305;
constexpr int PrintOptionText = 306;
constexpr int CoversForSheetsText = 307;
constexpr int ImportOptionText = 334;
constexpr int SizeOptionText = 335;
constexpr int SaveOptionText = 336;
constexpr int NoSuchSizeText = 337;
constexpr int ImportNeedsOutputText = 338;
constexpr int PrinterOptionText = 343;
constexpr int CopiesOptionText = 344;
constexpr int MarksOptionText = 345;
constexpr int BleedOptionText = 346;
constexpr int OneCoverToPrintText = 347;
constexpr int NoSuchPrinterText = 348;
constexpr int NoPrinterText = 349;
constexpr int CoverLargerThanPaperText = 350;
constexpr int MaxCopies = 999;

void PrintLine(FILE *to, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', to);
}

// A file manager may pass a cover as an address.
QString LocalPath(const QString &argument)
{
    const QUrl url(argument);
    return url.isLocalFile() ? url.toLocalFile() : argument;
}

} // namespace

bool NeedsNoDisplay(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const char *a = argv[i];
        for (const char *option : {"-h", "-?", "-v"})
            if (std::strcmp(a, option) == 0)
                return true;
        // Every long option is the program's own (Qt's take one dash): it
        // runs, or is refused with its reason, without a window.
        if (std::strncmp(a, "--", 2) == 0 && a[2] != '\0')
            return true;
    }
    return false;
}

TCommandLine ParseCommandLine(const QStringList &arguments,
                              const std::function<QString(int)> &texts)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Velmora"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption exportPdf(QStringLiteral("export-pdf"),
                                       texts(ExportPdfOptionText), QStringLiteral("OUT.pdf"));
    parser.addOption(exportPdf);
    const QCommandLineOption sheet(QStringLiteral("sheet"), texts(SheetOptionText));
    const QCommandLineOption paper(QStringLiteral("paper"), texts(PaperOptionText),
                                   QStringLiteral("A4|Letter"));
    const QCommandLineOption print(QStringLiteral("print"), texts(PrintOptionText));
    parser.addOptions({sheet, paper, print});
    const QCommandLineOption album(QStringLiteral("import-album"), texts(ImportOptionText),
                                   QStringLiteral("DIR|FILE.cue"));
    const QCommandLineOption size(QStringLiteral("size"), texts(SizeOptionText),
                                  QStringLiteral("NAME"));
    const QCommandLineOption save(QStringLiteral("save"), texts(SaveOptionText),
                                  QStringLiteral("OUT.vmcover"));
    parser.addOptions({album, size, save});
    const QCommandLineOption printer(QStringLiteral("printer"), texts(PrinterOptionText),
                                     QStringLiteral("NAME"));
    const QCommandLineOption copies(QStringLiteral("copies"),
                                    texts(CopiesOptionText).arg(MaxCopies), QStringLiteral("N"));
    const QCommandLineOption marks(QStringLiteral("marks"), texts(MarksOptionText),
                                   QStringLiteral("cut,fold|none"));
    const QCommandLineOption bleed(QStringLiteral("bleed"),
                                   texts(BleedOptionText).arg(TPrintExtras::MaxBleedMm),
                                   QStringLiteral("MM"));
    parser.addOptions({printer, copies, marks, bleed});
    parser.addPositionalArgument(QStringLiteral("FILE.vmcover"), texts(CoverFileArgumentText),
                                 QStringLiteral("[FILE.vmcover]"));

    TCommandLine line;
    using A = TCommandLine::TAction;
    if (!parser.parse(arguments)) {
        line.Action = A::Failed;
        line.Output = parser.errorText();
        return line;
    }
    if (parser.isSet(help)) {
        line.Action = A::Help;
        line.Output = parser.helpText();
        return line;
    }
    if (parser.isSet(version)) {
        line.Action = A::Version;
        line.Output = QCoreApplication::applicationName() + QLatin1Char(' ') +
                      QCoreApplication::applicationVersion();
        return line;
    }
    for (const QString &file : parser.positionalArguments())
        line.Files << LocalPath(file);
    line.Printer = parser.value(printer);
    const auto refuse = [&](int text, const QString &arg = QString()) {
        line.Action = A::Failed;
        line.Output = arg.isEmpty() ? texts(text) : texts(text).arg(arg);
        return line;
    };
    if (parser.isSet(copies)) {
        bool ok = false;
        line.Copies = parser.value(copies).toInt(&ok);
        if (!ok || line.Copies < 1 || line.Copies > MaxCopies)
            return refuse(CopiesOptionText, QString::number(MaxCopies));
    }
    if (parser.isSet(marks)) {
        line.SetMarks = true;
        for (const QString &mark : parser.value(marks).split(QLatin1Char(','))) {
            const QString m = mark.trimmed().toLower();
            if (m == QLatin1String("cut"))
                line.CutMarks = true;
            else if (m == QLatin1String("fold"))
                line.FoldMarks = true;
            else if (m != QLatin1String("none"))
                return refuse(MarksOptionText);
        }
    }
    if (parser.isSet(bleed)) {
        bool ok = false;
        line.BleedMm = parser.value(bleed).toDouble(&ok); // C's numbers, as a script writes them
        if (!ok || !(line.BleedMm >= 0 && line.BleedMm <= TPrintExtras::MaxBleedMm))
            return refuse(BleedOptionText, QString::number(TPrintExtras::MaxBleedMm));
    }
    if (parser.isSet(album)) {
        line.Action = A::Album;
        line.Files.prepend(LocalPath(parser.value(album)));
        line.Size = parser.value(size);
        line.Save = parser.value(save);
        line.ExportPdf = parser.value(exportPdf);
        if (line.Save.isEmpty() && line.ExportPdf.isEmpty()) {
            line.Action = A::Failed;
            line.Output = texts(ImportNeedsOutputText);
        }
        return line;
    }
    if (parser.isSet(print) && !parser.isSet(sheet) && !parser.isSet(paper)) {
        line.Action = A::Print;
        line.Print = true;
        if (line.Files.size() != 1 || parser.isSet(exportPdf))
            return refuse(OneCoverToPrintText);
        return line;
    }
    if (parser.isSet(sheet) || parser.isSet(print) || parser.isSet(paper)) {
        line.Action = A::Sheet;
        line.ExportPdf = parser.value(exportPdf);
        line.Print = parser.isSet(print);
        line.Paper = parser.value(paper);
        if (!line.Paper.isEmpty() && line.Paper.compare(QLatin1String("A4"), Qt::CaseInsensitive) != 0 &&
            line.Paper.compare(QLatin1String("Letter"), Qt::CaseInsensitive) != 0) {
            line.Action = A::Failed;
            line.Output = texts(PaperOptionText);
        } else if (!parser.isSet(sheet) || line.ExportPdf.isEmpty() == !line.Print) {
            // One of the two, and only with --sheet.
            line.Action = A::Failed;
            line.Output = texts(SheetOptionText);
        } else if (line.Files.isEmpty()) {
            line.Action = A::Failed;
            line.Output = texts(CoversForSheetsText);
        }
        return line;
    }
    if (parser.isSet(exportPdf)) {
        line.ExportPdf = parser.value(exportPdf);
        line.Action = A::Export;
        if (line.Files.size() != 1) {
            line.Action = A::Failed;
            line.Output = texts(OneCoverToExportText);
        }
    }
    return line;
}

std::function<QString(int)> StoredLanguageTexts(const QString &programDir, TOptionsStore &options)
{
    auto languages = std::make_shared<TLanguageController>();
    languages->LoadLanguageFile(QDir(programDir).filePath(QStringLiteral("VMLang.txt")));
    TProgramOptions stored;
    stored.Load(options);
    languages->SetLanguage(stored.Lang);
    return [languages](int number) {
        if (const std::optional<QString> text = languages->FindString(number))
            return *text;
        return BuiltInText(number);
    };
}

namespace {

// A cover with no window: it is drawn by the very renderer that draws the
// window's export and print. Its offsets count in the printer's pixels, as
// the window's do. No recovery copy: nothing here is ever unsaved work.
struct TWindowlessCover
{
    QPrinter Printer{QPrinter::HighResolution};
    TCoverController Cover{QString()};

    explicit TWindowlessCover(const std::function<QString(int)> &texts)
    {
        Cover.SetTexts(texts);
        TQtDeviceMetrics metrics(Printer);
        Cover.SetOffsetUnits(PrinterPixelsPerCmOrNone(metrics));
    }
};

// The user's stored print choices, with what the line says over them.
TPrintExtras LineChoices(const TCommandLine &line, TOptionsStore &options)
{
    TPrintExtras extras = ReadPrintChoices(options);
    if (line.SetMarks) {
        extras.CutMarks = line.CutMarks;
        extras.FoldMarks = line.FoldMarks;
    }
    if (line.BleedMm >= 0)
        extras.BleedMm = line.BleedMm;
    return extras;
}

// The printer the line names, or the default one; the reason when there is
// none.
QString ChoosePrinter(QPrinter &printer, const TCommandLine &line,
                      const std::function<QString(int)> &texts)
{
    if (!line.Printer.isEmpty()) {
        if (!QPrinterInfo::availablePrinterNames().contains(line.Printer))
            return texts(NoSuchPrinterText).arg(line.Printer);
        printer.setPrinterName(line.Printer);
    }
    if (printer.printerName().isEmpty() || !printer.isValid())
        return texts(NoPrinterText);
    if (line.Copies > 0)
        printer.setCopyCount(line.Copies);
    return QString();
}

int RunPrint(const TCommandLine &line, const QString &programDir, TOptionsStore &options)
{
    const auto texts = StoredLanguageTexts(programDir, options);
    TWindowlessCover windowless(texts);
    TOutcome done = windowless.Cover.Open(line.Files.first());
    QPrinter &printer = windowless.Printer;
    QString why = done.Ok() ? ChoosePrinter(printer, line, texts) : done.Error;
    TPrintExtras extras = LineChoices(line, options);
    if (why.isEmpty()) {
        ReadCalibration(options, printer.printerName(), extras);
        // Unattended, a cover the paper cannot hold is not printed cut.
        if (!OrientForCover(printer, windowless.Cover.Renderer().PrintedSize(extras)))
            why = texts(CoverLargerThanPaperText);
    }
    if (why.isEmpty()) {
        done = windowless.Cover.Print(printer, extras);
        why = done.Error;
    }
    if (!why.isEmpty()) {
        PrintLine(stderr, why);
        return 1;
    }
    return 0;
}

int RunSheet(const TCommandLine &line, const QString &programDir, TOptionsStore &options)
{
    const auto texts = StoredLanguageTexts(programDir, options);
    QPrinter printer(QPrinter::HighResolution);
    TQtDeviceMetrics metrics(printer);
    TSheetJob job(metrics, texts);
    for (const QString &file : line.Files) {
        const QString why = job.AddFile(file);
        if (!why.isEmpty()) {
            PrintLine(stderr, why);
            return 1;
        }
    }
    if (!line.ExportPdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(line.ExportPdf);
    } else if (const QString why = ChoosePrinter(printer, line, texts); !why.isEmpty()) {
        PrintLine(stderr, why);
        return 1;
    }
    if (!line.Paper.isEmpty())
        printer.setPageSize(QPageSize(line.Paper.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0
                                          ? QPageSize::A4
                                          : QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
    // A PDF file has no unprintable margin: the sheets take the whole page.
    if (!line.ExportPdf.isEmpty()) {
        QPageLayout whole = printer.pageLayout();
        whole.setMinimumMargins(QMarginsF());
        whole.setMargins(QMarginsF());
        printer.setPageLayout(whole);
    }
    // A file is for anyone's printer; a printer gets its own correction.
    TPrintExtras extras = LineChoices(line, options);
    if (line.Print)
        ReadCalibration(options, printer.printerName(), extras);
    const QString error = ErrorTextOf([&] { job.Print(printer, extras); });
    if (!error.isEmpty()) {
        PrintLine(stderr, error);
        return 1;
    }
    return 0;
}

int RunImport(const TCommandLine &line, const QString &programDir, TOptionsStore &options)
{
    const auto texts = StoredLanguageTexts(programDir, options);
    TAlbum album;
    QString why;
    if (!ReadAlbum(line.Files, album, why, texts)) {
        PrintLine(stderr, why);
        return 1;
    }
    const TSizeList sizes(QDir(programDir).filePath(QStringLiteral("CoverSizes.ini")));
    const QString name = line.Size.isEmpty() ? QString::fromLatin1(DefaultAlbumSize) : line.Size;
    CoverSize size;
    const QString unreadable = ErrorTextOf([&] { size = sizes.ReadSize(name); });
    if (!sizes.HasSize(name) || !unreadable.isEmpty()) {
        PrintLine(stderr, unreadable.isEmpty() ? texts(NoSuchSizeText).arg(name) : unreadable);
        return 1;
    }
    // A size with side panels is laid out in them; one without is one area.
    const CoverMode mode =
        size.LeftWidth > 0 || size.RightWidth > 0 ? CoverMode::Multiple : CoverMode::Single;
    TWindowlessCover windowless(texts);
    TCoverController &cover = windowless.Cover;
    TOutcome done = cover.ImportAlbum(album, size, mode);
    if (done.Ok() && !done.Notice.isEmpty())
        PrintLine(stderr, done.Notice);
    if (done.Ok() && !line.Save.isEmpty())
        done = cover.Save(line.Save);
    if (done.Ok() && !line.ExportPdf.isEmpty())
        done = cover.ExportPdf(line.ExportPdf, LineChoices(line, options));
    if (!done.Ok()) {
        PrintLine(stderr, done.Error);
        return 1;
    }
    return 0;
}

} // namespace

int RunWindowless(const TCommandLine &line, const QString &programDir, TOptionsStore &options)
{
    switch (line.Action) {
    case TCommandLine::TAction::Help:
    case TCommandLine::TAction::Version:
        PrintLine(stdout, line.Output);
        return 0;
    case TCommandLine::TAction::Failed:
        PrintLine(stderr, line.Output);
        return 1;
    case TCommandLine::TAction::Window:
        return 0;
    case TCommandLine::TAction::Export:
    case TCommandLine::TAction::Sheet:
    case TCommandLine::TAction::Album:
    case TCommandLine::TAction::Print:
        break;
    }
    TMyGifImage::SetLibraryDir(programDir);
    TMetafileGraphic::SetHelperDir(programDir);
    if (line.Action == TCommandLine::TAction::Sheet)
        return RunSheet(line, programDir, options);
    if (line.Action == TCommandLine::TAction::Album)
        return RunImport(line, programDir, options);
    if (line.Action == TCommandLine::TAction::Print)
        return RunPrint(line, programDir, options);
    TWindowlessCover windowless(StoredLanguageTexts(programDir, options));
    TCoverController &cover = windowless.Cover;
    TOutcome done = cover.Open(line.Files.first());
    if (done.Ok())
        done = cover.ExportPdf(line.ExportPdf, LineChoices(line, options));
    if (!done.Ok()) {
        PrintLine(stderr, done.Error);
        return 1;
    }
    return 0;
}
