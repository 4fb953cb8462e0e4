// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BuiltInTexts.h"
#include "PrintExtras.h"
#include "SheetLayout.h"

#include <QDialog>
#include <QPageLayout>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TSheetJob;
class TSheetPreview;

// Cover > Print Sheet...: the covers to print together, each with its copies,
// the paper, and a preview of the sheets they take. Printing and exporting
// are the window's: the dialog says which page layout the sheets are on.
class TSheetDialog : public QDialog
{
    Q_OBJECT
public:
    TSheetDialog(TSheetJob &job, const TTextLookup &texts, QWidget *parent = nullptr);
    ~TSheetDialog() override;

    // The printer's own page, offered first as "the printer's paper".
    void SetPrinterPage(const QPageLayout &page);
    // The marks and bleed the sheets are laid out with.
    void SetExtras(const TPrintExtras &extras);
    // The page layout chosen: the printer's, or A4 or Letter with its margins.
    QPageLayout ChosenPage() const;
    // The same paper for a PDF file, which has no unprintable margin.
    QPageLayout ChosenFilePage() const;
    // The unit the covers' sizes are listed in: inches, or centimetres.
    void SetCentimetres(bool centimetres);
    // Lists the job's covers again (after a cover was added from outside).
    void Refill();

    std::function<QStringList()> OnAdd;             // the files the user chose
    std::function<void(const QString &file)> OnAdded; // adds a file, or says why not
    std::function<void()> OnPrint;
    std::function<void()> OnExport;

private:
    // Controls, named as their object names.
    QTableWidget *CoverTable = nullptr;
    QPushButton *AddButton = nullptr;
    QPushButton *RemoveButton = nullptr;
    QLabel *PaperLabel = nullptr;
    QComboBox *PaperCombo = nullptr;
    QLabel *SheetsLabel = nullptr;
    TSheetPreview *Preview = nullptr;
    QPushButton *PrintButton = nullptr;
    QPushButton *ExportButton = nullptr;
    QPushButton *CloseButton = nullptr;

    void Relayout();
    void AddClick();
    void RemoveClick();

    TSheetJob &m_job;
    bool m_centimetres = false;
    TTextLookup m_texts;
    QPageLayout m_printerPage;
    TPrintExtras m_extras;
    bool m_filling = false;
};
