// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BuiltInTexts.h"
#include "CoverDocuments.h"
#include "CoverSizes.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TCoverShapeView;
class QTableView;
class TEditCoverSizeData;
class TMessageBoxes;
class TModalRunner;
class TRadioGroup;
class TSizeListModel;

// The whole catalogue as a list, from which New... picks a size and the
// Images layout, and where Add..., Edit... and Remove... maintain the
// catalogue. In its templates look (Templates...) it only maintains it.
class TNewDocumentForm : public QDialog
{
    Q_OBJECT
public:
    // Runs one catalogue command so that its error is shown and the dialog
    // stays usable; the main window passes its command wrapper.
    using TCommandRunner = std::function<void(const std::function<void()> &)>;

    TNewDocumentForm(TSizeList &sizes, const uint8_t &measureUnit, TMessageBoxes &messages,
                     TModalRunner &dialogs, QWidget *parent = nullptr);

    QString CurrentSizeName;
    CoverMode CurrentMode = CoverMode::Single;
    bool TemplatesMode = false;
    // The size properties dialog; created after this one.
    TEditCoverSizeData *SizeForm = nullptr;
    TCommandRunner Run = [](const std::function<void()> &command) { command(); };
    // The shipped catalogue beside the program, which Templates... offers
    // new sizes from; empty for none.
    QString ShippedCatalogue;

    void ApplyTexts(const TTextLookup &texts);
    void FillSizeList();
    void SetTemplatesMode(bool on);
    // The Name of the selected row, or empty when no row is selected.
    QString SelectedName() const;
    int SelectedRow() const;
    // Selects that row, or none when there is no such row.
    void SelectRow(int row);
    // The list's rows, as shown.
    TSizeListModel *Rows = nullptr;

    QFrame *Bevel1 = nullptr;
    QTableView *ListView1 = nullptr;
    TRadioGroup *RadioGroup1 = nullptr;
    QPushButton *AddButton = nullptr;
    QPushButton *EditButton = nullptr;
    QPushButton *RemoveButton = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QLabel *SearchLabel = nullptr;
    QLineEdit *SearchEdit = nullptr;
    QLabel *SortLabel = nullptr;
    QComboBox *SortCombo = nullptr;
    TCoverShapeView *ShapeView = nullptr;
    QPushButton *ShippedButton = nullptr;

    void OkButtonClick();
    void AddButtonClick();
    void EditButtonClick();
    void RemoveButtonClick();
    void ListView1DblClick();
    void ShippedButtonClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // ownName: the entry being edited, null for a new one.
    bool ShowSizeForm(const QString &ownName);
    // The error of the selected entry when it does not read.
    QString SelectedError() const;
    // The search and the order as the user set them; the drawing of the
    // selected size.
    void Refilter();
    void ShowShape();
    void PlaceSearchRow();

    TSizeList &Sizes;
    const uint8_t &MeasureUnit;
    TMessageBoxes &Messages;
    TModalRunner &Dialogs;
    TTextLookup m_texts = BuiltInText;
};
