// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BuiltInTexts.h"
#include "CoverSizes.h"

#include <QDialog>
#include <array>
#include <functional>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TMessageBoxes;

// The dialog in which the user enters one cover size: its name and its six
// dimensions, shown and taken in the main window's measure unit. It edits
// and checks text; the catalogue is the caller's, who may check the whole
// size before the dialog closes.
class TEditCoverSizeData : public QDialog
{
    Q_OBJECT
public:
    // measureUnit is the main window's (0 inches, 1 centimetres), read at
    // each showing and reading.
    TEditCoverSizeData(const uint8_t &measureUnit, QWidget *parent = nullptr);

    // With them the language's decimal separator (text 265), which the
    // fields show and take along with a point.
    void ApplyTexts(const TTextLookup &texts);
    void ResetFields();
    // Values are shown rounded to 4 decimals; a field left as shown gives
    // back the stored value exactly. A dimension marked unreadable shows
    // empty, for the user to fill in.
    void ShowCoverSize(const CoverSize &size, const std::array<bool, 6> &unreadable = {});
    // Raises "'%s' is not a valid floating point value" for a number too
    // long for a double; nothing has been stored then.
    CoverSize ReadCoverSize() const;

    // Why OK must not close the dialog on this size (a message the user
    // reads), or empty. The dialog stays open with everything typed.
    std::function<QString(const CoverSize &)> Check;
    // Where the refusals of OK are shown; without it OK refuses silently.
    TMessageBoxes *Messages = nullptr;
    void OkButtonClick();

    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QGroupBox *DataGroupBox = nullptr;
    QLabel *NameLabel = nullptr;
    QLabel *SingleLabel = nullptr;
    QLabel *MultipleLabel = nullptr;
    QLabel *SingleWidthLabel = nullptr;
    QLabel *SingleHeightLabel = nullptr;
    QLabel *LeftWidthLabel = nullptr;
    QLabel *CenterWidthLabel = nullptr;
    QLabel *RightWidthLabel = nullptr;
    QLabel *MultipleHeightLabel = nullptr;
    QFrame *Bevel1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QLineEdit *Edit4 = nullptr;
    QLineEdit *Edit5 = nullptr;
    QLineEdit *Edit6 = nullptr;
    QLineEdit *Edit7 = nullptr;

    // Per field, by the digit that ends its name (index 1 to 7).
    std::array<bool, 8> SelectOnClick{};

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *Field(int digit) const;
    void UpdateOkButton();
    void ShowFieldStarts();

    const uint8_t &MeasureUnit;
    TTextLookup m_texts = BuiltInText;
    // The dimensions as last shown, in inches, and the text each field was
    // given for them.
    CoverSize m_shown;
    std::array<QString, 6> m_shownTexts;
    QChar m_decimal = QLatin1Char('.');
    void SetDecimalSeparator(QChar separator);
};
