// SPDX-License-Identifier: GPL-3.0-or-later
// Cover > Print Sheet...: the window's cover and cover files printed together
// on as few sheets as they take.
#include "CMMainWindow.h"

#include "BusyCursor.h"
#include "CoverFileChooser.h"
#include "CoverRenderer.h"
#include "DialogSupport.h"
#include "MessageBoxes.h"
#include "SheetDialog.h"
#include "SheetJob.h"
#include "StandardDialogs.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace {

constexpr int PrintSheetText = 295;
constexpr int ExportPdfText = 240;
constexpr int PdfFilesText = 250;
constexpr int UntitledText = 270;
constexpr int OpenText = 203;

} // namespace

void TCoverMakerMainForm::CreateSheetItems()
{
    PrintSheet1 = new QAction(QStringLiteral("Print Sheet..."), this);
    const QList<QAction *> items = Cover1->actions();
    Cover1->insertAction(items.value(items.indexOf(Print1) + 1), PrintSheet1);
    connect(PrintSheet1, &QAction::triggered, this, Command(&TCoverMakerMainForm::PrintSheet1Click));
    ApplySheetTexts();
}

void TCoverMakerMainForm::ApplySheetTexts()
{
    if (PrintSheet1)
        PrintSheet1->setText(UiText(PrintSheetText));
}

void TCoverMakerMainForm::PrintSheet1Click()
{
    const TTextLookup texts = [this](int number) { return UiText(number); };
    TSheetJob job(*m_setup.Metrics, texts);
    const QString name = m_cover->FileName().isEmpty()
                             ? UiText(UntitledText)
                             : QFileInfo(m_cover->FileName()).completeBaseName();
    job.AddCover(name, m_document->State());
    TSheetDialog dialog(job, texts, this);
    dialog.SetPrinterPage(m_printer.pageLayout());
    dialog.SetCentimetres(MeasureUnit != 0);
    dialog.SetExtras(StoredPrintChoices());
    dialog.OnAdd = [&] {
        QString file;
        if (!m_setup.CoverFiles->ChooseOpen(&dialog, TitleOf(UiText(OpenText)), FileFilter(), file))
            return QStringList();
        return QStringList{file};
    };
    dialog.OnAdded = [&](const QString &file) {
        const QString why = job.AddFile(file);
        if (!why.isEmpty())
            Show(TOutcome::Failed(why));
    };
    dialog.OnPrint = [&] {
        Run([&] {
            m_printer.setPageLayout(dialog.ChosenPage());
            TPrintChoices choices;
            choices.Extras = StoredPrintChoices();
            choices.Calibration = CalibrationText(m_printer.printerName());
            choices.CalibrationOf = [this](const QString &printer) { return CalibrationText(printer); };
            if (!m_setup.Printers->Choose(&dialog, m_printer, choices))
                return;
            StorePrintChoices(choices.Extras);
            if (choices.ResetCalibration)
                StoreCalibration(m_printer.printerName(), nullptr);
            dialog.SetExtras(choices.Extras);
            TBusyCursor busy;
            job.Print(m_printer, PrintExtrasFor(m_printer));
        });
    };
    dialog.OnExport = [&] {
        Run([&] {
            QString fileName;
            if (!m_setup.CoverFiles->ChooseSave(&dialog, TitleOf(UiText(ExportPdfText)),
                                                UiText(PdfFilesText) + QStringLiteral(" (*.pdf)"),
                                                fileName))
                return;
            // A file for anyone's printer: no printer's correction.
            QPrinter pdf(QPrinter::HighResolution);
            pdf.setOutputFormat(QPrinter::PdfFormat);
            pdf.setOutputFileName(fileName);
            pdf.setPageLayout(dialog.ChosenFilePage());
            TBusyCursor busy;
            job.Print(pdf, StoredPrintChoices());
        });
    };
    m_setup.Dialogs->ShowModal(dialog);
}
