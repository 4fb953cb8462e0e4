// SPDX-License-Identifier: GPL-3.0-or-later
// Printing: the print dialog's choices of marks and bleed, the printer's
// calibration, the print preview and the export to PDF.
#include "CMMainWindow.h"

#include "BuiltInTexts.h"
#include "BusyCursor.h"
#include "CalibrationDialog.h"
#include "CalibrationSheet.h"
#include "CoverFileChooser.h"
#include "CoverRenderer.h"
#include "DialogSupport.h"
#include "MessageBoxes.h"
#include "PrintCalibration.h"
#include "ProgramOptions.h"
#include "StandardDialogs.h"
#include "WorkProgressDialog.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPaintEngine>
#include <QPrintPreviewDialog>
#include <cmath>

namespace {

// Texts that the language file may translate, by number.
constexpr int InchesBelowTwoText = 261;
constexpr int InchesFromTwoText = 262;
constexpr int CmBelowTwoText = 263;
constexpr int CmFromTwoText = 264;
constexpr int DecimalSeparatorText = 265;
constexpr int CoverLargerThanPaperText = 150;
constexpr int CutOffRightText = 151;
constexpr int CutOffBottomText = 152;
constexpr int SmallerMarginsText = 202;
constexpr int PrintPreviewText = 239;
constexpr int ExportPdfText = 240;
constexpr int CalibrateText = 241;
constexpr int PdfFilesText = 250;
constexpr int NoPrinterToCalibrateText = 259;
constexpr int CancelText = 78;
constexpr int ExportingText = 351;
constexpr int PrintingText = 352;
constexpr int TwoAmountsText = 354;


QString CalibrationKey(const QString &printer)
{
    // The store's group separators stay out of the key.
    QString name = printer;
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    return QStringLiteral("Calibration/") + name;
}

} // namespace

bool ParseCalibration(const QString &value, TPrintExtras &extras)
{
    const QStringList parts = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return false;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].toDouble(&ok); // C's numbers, whatever the language
        if (!ok || !std::isfinite(v[i]))
            return false;
    }
    TPrintExtras read = extras;
    read.ScaleX = v[0];
    read.ScaleY = v[1];
    read.OffsetXMm = v[2];
    read.OffsetYMm = v[3];
    if (!TCalibrationSheet::Plausible(read))
        return false;
    extras = read;
    return true;
}

QString CalibrationValue(const TPrintExtras &extras)
{
    // Every digit a double needs: what is stored reads back exactly.
    const auto n = [](double v) { return QString::number(v, 'g', 17); };
    return QStringList{n(extras.ScaleX), n(extras.ScaleY), n(extras.OffsetXMm), n(extras.OffsetYMm)}
        .join(QLatin1Char(' '));
}

bool ReadCalibration(TOptionsStore &store, const QString &printer, TPrintExtras &extras)
{
    return !printer.isEmpty() &&
           ParseCalibration(store.Read(CalibrationKey(printer)).toString(), extras);
}

TPrintExtras TCoverMakerMainForm::StoredPrintChoices() const
{
    return ReadPrintChoices(*m_setup.Options);
}

TPrintExtras ReadPrintChoices(TOptionsStore &store)
{
    TPrintExtras extras;
    extras.CutMarks = store.Read(QStringLiteral("CutMarks")).toString() == QLatin1String("1");
    extras.FoldMarks = store.Read(QStringLiteral("FoldMarks")).toString() == QLatin1String("1");
    bool ok = false;
    const double bleed = store.Read(QStringLiteral("Bleed")).toString().toDouble(&ok);
    if (ok && std::isfinite(bleed) && bleed >= 0 && bleed <= TPrintExtras::MaxBleedMm)
        extras.BleedMm = bleed;
    return extras;
}

void TCoverMakerMainForm::StorePrintChoices(const TPrintExtras &extras)
{
    TOptionsStore &store = *m_setup.Options;
    store.Write(QStringLiteral("CutMarks"), extras.CutMarks ? 1 : 0);
    store.Write(QStringLiteral("FoldMarks"), extras.FoldMarks ? 1 : 0);
    store.Write(QStringLiteral("Bleed"), QString::number(extras.BleedMm, 'g', 6));
    (void)store.Flush(); // the exit's write reports a store that fails
}

bool TCoverMakerMainForm::StoredCalibration(const QString &printer, TPrintExtras &extras) const
{
    return ReadCalibration(*m_setup.Options, printer, extras);
}

void TCoverMakerMainForm::StoreCalibration(const QString &printer, const TPrintExtras *extras)
{
    if (printer.isEmpty())
        return;
    m_setup.Options->Write(CalibrationKey(printer),
                           extras ? CalibrationValue(*extras) : QString());
    (void)m_setup.Options->Flush();
}

QString TCoverMakerMainForm::CalibrationText(const QString &printer) const
{
    TPrintExtras c;
    if (!StoredCalibration(printer, c))
        return QString();
    const QLocale locale;
    return QStringLiteral("%1 % x %2 %, %3 mm, %4 mm")
        .arg(locale.toString(c.ScaleX * 100, 'f', 2), locale.toString(c.ScaleY * 100, 'f', 2),
             locale.toString(c.OffsetXMm, 'f', 2), locale.toString(c.OffsetYMm, 'f', 2));
}

TPrintExtras TCoverMakerMainForm::PrintExtrasFor(const QPrinter &printer) const
{
    TPrintExtras extras = StoredPrintChoices();
    // A printer's correction is for that printer's paper: never for a file.
    if (printer.outputFormat() == QPrinter::NativeFormat && printer.outputFileName().isEmpty())
        StoredCalibration(printer.printerName(), extras);
    return extras;
}

void TCoverMakerMainForm::Print1Click()
{
    // The dialog opens on the page the way the cover fits: landscape first,
    // upright when only that takes the whole cover. What the user chooses
    // there is what prints.
    TPrintChoices choices;
    choices.Extras = StoredPrintChoices();
    choices.Calibration = CalibrationText(m_printer.printerName());
    choices.CalibrationOf = [this](const QString &printer) { return CalibrationText(printer); };
    OrientForCover(m_printer, m_cover->Renderer().PrintedSize(choices.Extras));
    if (!m_setup.Printers->Choose(this, m_printer, choices))
        return;
    StorePrintChoices(choices.Extras);
    if (choices.ResetCalibration)
        StoreCalibration(m_printer.printerName(), nullptr);
    const TPrintExtras extras = PrintExtrasFor(m_printer);
    if (!ConfirmCoverFitsPaper(extras))
        return;
    TOutcome printed;
    {
        TBusyCursor busy;
        TWorkProgressDialog progress(this, *m_cover, UiText(PrintingText), UiText(CancelText));
        printed = m_cover->Print(m_printer, extras);
    }
    Show(printed);
}

bool TCoverMakerMainForm::ConfirmCoverFitsPaper(const TPrintExtras &extras)
{
    // The cover starts at the printable area's top-left corner, so only
    // the right and the bottom can be cut.
    const QSizeF room = PrintableRoom(m_printer, m_printer.pageLayout().orientation());
    const QSizeF cover = m_cover->Renderer().PrintedSize(extras);
    const double right = cover.width() - room.width();
    const double bottom = cover.height() - room.height();
    if (right <= CutToleranceInches && bottom <= CutToleranceInches)
        return true;

    const bool cm = MeasureUnit != 0;
    // In the language's own way: its decimal separator, and the unit's
    // form for an amount below two or from two up ("0,50 pouce").
    const auto amount = [&](double inches) {
        const double value = cm ? InchToCm(inches) : inches;
        const int form = value < 2 ? (cm ? CmBelowTwoText : InchesBelowTwoText)
                                   : (cm ? CmFromTwoText : InchesFromTwoText);
        return QString::number(value, 'f', 2).replace(QLatin1Char('.'), UiText(DecimalSeparatorText)) +
               QLatin1Char(' ') + UiText(form);
    };
    QStringList cuts;
    if (right > CutToleranceInches)
        cuts << UiText(CutOffRightText).arg(amount(right));
    if (bottom > CutToleranceInches)
        cuts << UiText(CutOffBottomText).arg(amount(bottom));
    // Joined as the language joins two amounts (Japanese with "、").
    const QString both =
        cuts.size() == 2 ? UiText(TwoAmountsText).arg(cuts[0], cuts[1]) : cuts.value(0);
    const QString text = UiText(CoverLargerThanPaperText).arg(both) +
                         QStringLiteral("\n\n") + UiText(SmallerMarginsText);
    return m_setup.Messages->AskWarning(this, ProgramCaption(), text);
}


void TCoverMakerMainForm::CreatePrintItems()
{
    PrintPreview1 = new QAction(QStringLiteral("Print Preview..."), this);
    Cover1->insertAction(Print1, PrintPreview1);
    ExportPdf1 = new QAction(QStringLiteral("Export PDF..."), this);
    const QList<QAction *> items = Cover1->actions();
    Cover1->insertAction(items.value(items.indexOf(Print1) + 1), ExportPdf1);
    Calibrate1 = new QAction(QStringLiteral("Calibrate Printer..."), this);
    const QList<QAction *> configure = Configure1->actions();
    Configure1->insertAction(configure.value(configure.indexOf(Templates1) + 1), Calibrate1);
    connect(PrintPreview1, &QAction::triggered, this,
            Command(&TCoverMakerMainForm::PrintPreview1Click));
    connect(ExportPdf1, &QAction::triggered, this, Command(&TCoverMakerMainForm::ExportPdf1Click));
    connect(Calibrate1, &QAction::triggered, this, Command(&TCoverMakerMainForm::Calibrate1Click));
    CalibrationDialog = new TCalibrationDialog(this);
    ApplyPrintTexts();
}

void TCoverMakerMainForm::ApplyPrintTexts()
{
    if (!PrintPreview1)
        return; // the language is applied once before the items are made
    PrintPreview1->setText(UiText(PrintPreviewText));
    ExportPdf1->setText(UiText(ExportPdfText));
    Calibrate1->setText(UiText(CalibrateText));
    CalibrationDialog->ApplyTexts([this](int number) { return UiText(number); });
}

void TCoverMakerMainForm::PrintPreview1Click()
{
    const TPrintExtras extras = PrintExtrasFor(m_printer);
    // The page turned as Print turns it, so that the preview shows what
    // Print prints.
    OrientForCover(m_printer, m_cover->Renderer().PrintedSize(extras));
    QPrintPreviewDialog preview(&m_printer, this);
    preview.setWindowTitle(TitleOf(UiText(PrintPreviewText)));
    // The very drawing of a print, on the printer's paper with its margins.
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *printer) {
        Run([&] {
            // The preview's own Print button prints through here too: on
            // paper, with the printer now chosen, and warned of as Print is.
            const bool onPaper =
                printer->paintEngine() && printer->paintEngine()->type() != QPaintEngine::Picture;
            const TPrintExtras chosen = PrintExtrasFor(*printer);
            if (onPaper && !ConfirmCoverFitsPaper(chosen)) {
                printer->abort();
                return;
            }
            m_cover->Renderer().Print(*printer, chosen);
        });
    });
    m_setup.Dialogs->ShowModal(preview);
}

void TCoverMakerMainForm::ExportPdf1Click()
{
    const QFileInfo cover(m_cover->FileName());
    QString fileName = cover.fileName().isEmpty() ? QString()
                                                  : cover.path() + QLatin1Char('/') +
                                                        cover.completeBaseName() +
                                                        QStringLiteral(".pdf");
    if (!m_setup.CoverFiles->ChooseSave(this, TitleOf(UiText(ExportPdfText)),
                                        UiText(PdfFilesText) + QStringLiteral(" (*.pdf)"),
                                        fileName))
        return;
    // A file for anyone's printer: no printer's correction.
    TOutcome exported;
    {
        TBusyCursor busy;
        TWorkProgressDialog progress(this, *m_cover, UiText(ExportingText), UiText(CancelText));
        exported = m_cover->ExportPdf(fileName, StoredPrintChoices());
    }
    Show(exported);
}

void TCoverMakerMainForm::Calibrate1Click()
{
    TPrintChoices choices;
    choices.Extras = StoredPrintChoices();
    choices.Calibration = CalibrationText(m_printer.printerName());
    choices.CalibrationOf = [this](const QString &printer) { return CalibrationText(printer); };
    if (!m_setup.Printers->Choose(this, m_printer, choices))
        return;
    StorePrintChoices(choices.Extras);
    const QString printer = m_printer.printerName();
    {
        TBusyCursor busy;
        PrintCalibrationSheet(m_printer, UiText(257).arg(printer), UiText(258));
    }
    // A file has no paper to measure: it is never corrected.
    if (m_printer.outputFormat() != QPrinter::NativeFormat || !m_printer.outputFileName().isEmpty() ||
        printer.isEmpty()) {
        m_setup.Messages->ShowError(this, ProgramCaption(), UiText(NoPrinterToCalibrateText));
        return;
    }
    TCalibrationDialog &dialog = *CalibrationDialog;
    dialog.ApplyTexts([this](int number) { return UiText(number); });
    CenterOnScreen(&dialog);
    if (m_setup.Dialogs->ShowModal(dialog) != QDialog::Accepted)
        return;
    const TPrintExtras measured = dialog.Calibration();
    StoreCalibration(printer, &measured);
}
