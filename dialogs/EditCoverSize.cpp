// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditCoverSize.h"

#include "FloatText.h"
#include "MessageBoxes.h"
#include "VelmoraError.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>

namespace {

// Said when a size lies beyond what any cover can measure.
constexpr int SizeRangeText = 271;
constexpr int DecimalSeparatorText = 265;
constexpr int SizePropertiesText = 355;

// The client area that a 489 x 330 window with an ordinary border leaves.
const QSize ClientSize(481, 303);

QLabel *Label(QWidget *parent, const QString &text, int x, int y)
{
    auto *l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLineEdit *Edit(QWidget *parent, int x, int y, int w)
{
    auto *e = new QLineEdit(parent);
    e->setGeometry(x, y, w, 21);
    return e;
}

// The six dimensions in field order, Edit2 to Edit7.
double CoverSize::*const Dimensions[6] = {
    &CoverSize::SingleWidth, &CoverSize::SingleHeight, &CoverSize::LeftWidth,
    &CoverSize::CenterWidth, &CoverSize::RightWidth,   &CoverSize::MultipleHeight,
};

} // namespace

TEditCoverSizeData::TEditCoverSizeData(const uint8_t &measureUnit, QWidget *parent)
    : QDialog(parent), MeasureUnit(measureUnit)
{
    setWindowTitle(QStringLiteral("Cover Size Properties"));
    resize(ClientSize);

    DataGroupBox = new QGroupBox(QStringLiteral("Cover Size Information"), this);
    DataGroupBox->setGeometry(8, 8, 465, 241);
    NameLabel = Label(DataGroupBox, QStringLiteral("Cover size name:"), 16, 24);
    SingleLabel = Label(DataGroupBox, QStringLiteral("Single"), 80, 80);
    MultipleLabel = Label(DataGroupBox, QStringLiteral("Multiple"), 304, 80);
    for (QLabel *heading : {SingleLabel, MultipleLabel}) {
        QPalette caption = heading->palette();
        caption.setColor(QPalette::WindowText,
                         palette().color(QPalette::Active, QPalette::Highlight));
        heading->setPalette(caption);
    }
    SingleWidthLabel = Label(DataGroupBox, QStringLiteral("Width:"), 24, 112);
    SingleHeightLabel = Label(DataGroupBox, QStringLiteral("Height:"), 24, 160);
    LeftWidthLabel = Label(DataGroupBox, QStringLiteral("Left side width"), 200, 112);
    CenterWidthLabel = Label(DataGroupBox, QStringLiteral("Center width:"), 288, 112);
    RightWidthLabel = Label(DataGroupBox, QStringLiteral("Right side width:"), 376, 112);
    MultipleHeightLabel = Label(DataGroupBox, QStringLiteral("Height:"), 200, 160);
    Edit1 = Edit(DataGroupBox, 16, 40, 121);
    Edit2 = Edit(DataGroupBox, 24, 128, 121);
    Edit3 = Edit(DataGroupBox, 24, 176, 121);
    Edit4 = Edit(DataGroupBox, 200, 128, 81);
    Edit5 = Edit(DataGroupBox, 288, 128, 81);
    Edit6 = Edit(DataGroupBox, 376, 128, 81);
    Edit7 = Edit(DataGroupBox, 200, 176, 121);
    Bevel1 = new QFrame(DataGroupBox);
    Bevel1->setFrameShape(QFrame::VLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(176, 80, 2, 137);

    OkButton = new QPushButton(QStringLiteral("OK"), this);
    OkButton->setGeometry(312, 260, 75, 25);
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setGeometry(392, 260, 75, 25);
    connect(OkButton, &QPushButton::clicked, this, &TEditCoverSizeData::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(OkButton, CancelButton);
    setTabOrder(CancelButton, Edit1);
    for (int digit = 1; digit <= 7; ++digit) {
        QLineEdit *e = Field(digit);
        if (digit > 1)
            setTabOrder(Field(digit - 1), e);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textChanged, this, &TEditCoverSizeData::UpdateOkButton);
        if (digit == 1)
            continue;
        connect(e, &QLineEdit::inputRejected, this, [] { QApplication::beep(); });
    }
    SetDecimalSeparator(QLatin1Char('.'));
    UpdateOkButton();
}

QLineEdit *TEditCoverSizeData::Field(int digit) const
{
    const std::array<QLineEdit *, 8> fields{nullptr, Edit1, Edit2, Edit3,
                                            Edit4,   Edit5, Edit6, Edit7};
    return fields.at(size_t(digit));
}

void TEditCoverSizeData::SetDecimalSeparator(QChar separator)
{
    // Digits and one separator, the language's or a point. A refused key
    // leaves the text and its selection as they were, so the next key still
    // replaces the selection, and the refusal is heard.
    const QString one = separator == QLatin1Char('.')
                            ? QStringLiteral("\\.")
                            : QStringLiteral("[.%1]").arg(QRegularExpression::escape(separator));
    for (int digit = 2; digit <= 7; ++digit) {
        QLineEdit *e = Field(digit);
        const QString c = ShownTextToC(e->text(), m_decimal);
        delete e->validator();
        e->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]*%1?[0-9]*").arg(one)), e));
        if (!c.isEmpty() && separator != m_decimal)
            e->setText(QString(c).replace(QLatin1Char('.'), separator));
    }
    for (QString &shown : m_shownTexts)
        shown = QString(ShownTextToC(shown, m_decimal)).replace(QLatin1Char('.'), separator);
    m_decimal = separator;
}

void TEditCoverSizeData::ApplyTexts(const TTextLookup &texts)
{
    m_texts = texts;
    SetDecimalSeparator(DecimalSeparatorOf(texts(DecimalSeparatorText)));
    OkButton->setText(texts(77));
    CancelButton->setText(texts(78));
    DataGroupBox->setTitle(texts(130));
    setWindowTitle(texts(SizePropertiesText));
    const std::pair<QLabel *, int> labels[] = {
        {NameLabel, 131},        {SingleLabel, 132},       {MultipleLabel, 133},
        {SingleWidthLabel, 134}, {SingleHeightLabel, 135}, {LeftWidthLabel, 136},
        {CenterWidthLabel, 137}, {RightWidthLabel, 138},   {MultipleHeightLabel, 139},
    };
    for (const auto &[label, number] : labels) {
        label->setText(texts(number));
        label->adjustSize();
    }
}

void TEditCoverSizeData::UpdateOkButton()
{
    bool filled = true;
    for (int digit = 1; digit <= 7; ++digit)
        filled = filled && !Field(digit)->text().isEmpty();
    // A name of blanks alone would be stored as no name at all.
    filled = filled && !TProfileFile::StoredName(Edit1->text()).isEmpty();
    OkButton->setEnabled(filled);
}

void TEditCoverSizeData::ResetFields()
{
    ShowCoverSize(CoverSize());
    Edit1->setText(m_texts(105));
    Edit1->setCursorPosition(0); // a long name shows its start, not its end
}

void TEditCoverSizeData::ShowCoverSize(const CoverSize &size, const std::array<bool, 6> &unreadable)
{
    m_shown = size;
    const CoverSize shown = MeasureUnit == 1 ? TSizeList::ToCentimetres(size) : size;
    Edit1->setText(shown.Name);
    // Without an exponent: the fields take digits and a point only.
    for (size_t i = 0; i < 6; ++i) {
        m_shownTexts[i] =
            unreadable[i] ? QString() : FloatToShownText(shown.*Dimensions[i], m_decimal);
        Field(int(i) + 2)->setText(m_shownTexts[i]);
    }
    ShowFieldStarts();
}

void TEditCoverSizeData::ShowFieldStarts()
{
    // A long name or number shows from its start, not from the caret.
    for (int digit = 1; digit <= 7; ++digit)
        Field(digit)->setCursorPosition(0);
}

CoverSize TEditCoverSizeData::ReadCoverSize() const
{
    CoverSize size = m_shown;
    size.Name = Edit1->text();
    for (size_t i = 0; i < 6; ++i) {
        const QString text = Field(int(i) + 2)->text();
        if (text == m_shownTexts[i] && !text.isEmpty())
            continue; // as stored, not as rounded for showing
        const double value = TextToFloat(ShownTextToC(text, m_decimal));
        size.*Dimensions[i] = MeasureUnit == 1 ? CmToInch(value) : value;
    }
    return size;
}

void TEditCoverSizeData::OkButtonClick()
{
    QString refusal;
    try {
        const CoverSize size = ReadCoverSize();
        for (double CoverSize::*dimension : Dimensions)
            if (!IsCoverDimension(size.*dimension))
                refusal = m_texts(SizeRangeText);
        if (Check && refusal.isEmpty())
            refusal = Check(size);
    } catch (const EVelmoraError &e) {
        refusal = e.Text();
    } catch (const std::exception &e) {
        refusal = QString::fromLocal8Bit(e.what());
    }
    if (refusal.isEmpty()) {
        accept();
        return;
    }
    if (Messages)
        Messages->ShowError(this, QString(), refusal);
}

void TEditCoverSizeData::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Typing starts in the name, whichever field had the focus last time.
    Edit1->setFocus();
    Edit1->selectAll();
}

bool TEditCoverSizeData::eventFilter(QObject *watched, QEvent *event)
{
    for (int digit = 1; digit <= 7; ++digit) {
        if (watched != Field(digit))
            continue;
        if (event->type() == QEvent::FocusIn) {
            SelectOnClick[size_t(digit)] = true;
        } else if (event->type() == QEvent::MouseButtonRelease && SelectOnClick[size_t(digit)]) {
            // After the press has placed the caret, the first click selects
            // the whole text.
            SelectOnClick[size_t(digit)] = false;
            Field(digit)->selectAll();
        }
    }
    return QDialog::eventFilter(watched, event);
}
