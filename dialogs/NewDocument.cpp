// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewDocument.h"

#include "CoverShape.h"
#include "DialogSupport.h"
#include "EditCoverSize.h"
#include "FloatText.h"
#include "MessageBoxes.h"
#include "RadioGroup.h"
#include "ShippedSizes.h"
#include "SizeListModel.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QHeaderView>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>

namespace {

// The design's 680 pixels and a drawing of the selected size beside the list.
const QSize ClientSize(900, 396);
constexpr int UnreadableEntryText = 201;
constexpr int DecimalSeparatorText = 265;

QPushButton *Button(QWidget *parent, const QString &caption, const QRect &geometry)
{
    auto *b = new QPushButton(caption, parent);
    b->setGeometry(geometry);
    return b;
}

// Rows of sizes: Home and End go to the first and the last size, as in a
// list, not to the first and last column of the row.
class TSizeTable : public QTableView
{
public:
    using QTableView::QTableView;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        if (action == MoveHome || action == MoveEnd)
            modifiers |= Qt::ControlModifier;
        return QTableView::moveCursor(action, modifiers);
    }
};

} // namespace

TNewDocumentForm::TNewDocumentForm(TSizeList &sizes, const uint8_t &measureUnit,
                                   TMessageBoxes &messages, TModalRunner &dialogs, QWidget *parent)
    : QDialog(parent), Sizes(sizes), MeasureUnit(measureUnit), Messages(messages), Dialogs(dialogs)
{
    setWindowTitle(QStringLiteral("Create new cover"));
    setFixedSize(ClientSize);

    Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::Panel);
    Bevel1->setFrameShadow(QFrame::Raised);
    Bevel1->setGeometry(8, 8, 885, 345);

    // A list in report view: rows of three columns under a header. A table
    // view lays out a long catalogue at once, where a tree visits every row.
    ListView1 = new TSizeTable(this);
    Rows = new TSizeListModel(ListView1);
    Rows->SetHeaders({QStringLiteral("Name"), QStringLiteral("Size (Single mode)"),
                      QStringLiteral("Sizes (Multiple mode)")});
    ListView1->setModel(Rows);
    ListView1->setGeometry(16, 44, 649, 229);
    ListView1->setShowGrid(false);
    ListView1->setWordWrap(false);
    ListView1->setTabKeyNavigation(false); // Tab leaves the list, as in a list
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSortingEnabled(false);
    ListView1->verticalHeader()->hide();
    ListView1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // As dense as the platform lists its rows.
    ListView1->verticalHeader()->setMinimumSectionSize(1);
    ListView1->verticalHeader()->setDefaultSectionSize(ListView1->fontMetrics().height() + 1);
    QHeaderView *header = ListView1->horizontalHeader();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setStretchLastSection(true);
    ListView1->setColumnWidth(0, 180);
    ListView1->setColumnWidth(1, 172);
    ListView1->setColumnWidth(2, 292);
    // The selection stays visible when the list loses the focus.
    QPalette keep = ListView1->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        keep.setColor(QPalette::Inactive, role, keep.color(QPalette::Active, role));
    ListView1->setPalette(keep);

    RadioGroup1 = new TRadioGroup(QStringLiteral("Images"), 1, this);
    RadioGroup1->setGeometry(16, 280, 177, 65);
    RadioGroup1->SetItems({QStringLiteral("Single"), QStringLiteral("Multiple")});
    RadioGroup1->SetItemIndex(1);

    AddButton = Button(this, QStringLiteral("Add..."), QRect(432, 280, 75, 25));
    EditButton = Button(this, QStringLiteral("Edit..."), QRect(512, 280, 75, 25));
    RemoveButton = Button(this, QStringLiteral("Remove..."), QRect(592, 280, 75, 25));
    OkButton = Button(this, QStringLiteral("&OK"), QRect(740, 364, 75, 25));
    OkButton->setDefault(true);
    CancelButton = Button(this, QStringLiteral("&Cancel"), QRect(820, 364, 75, 25));

    SearchLabel = new QLabel(QStringLiteral("Search:"), this);
    SearchEdit = new QLineEdit(this);
    SearchEdit->setClearButtonEnabled(true);
    SearchLabel->setBuddy(SearchEdit);
    SortLabel = new QLabel(QStringLiteral("Sort by:"), this);
    SortCombo = new QComboBox(this);
    SortCombo->addItems({QStringLiteral("Catalogue order"), QStringLiteral("Name"), QStringLiteral("Size")});
    SortLabel->setBuddy(SortCombo);
    PlaceSearchRow();
    ShapeView = new TCoverShapeView(this);
    ShapeView->setGeometry(676, 16, 209, 257);
    ShippedButton = Button(this, QStringLiteral("Add from the shipped list..."), QRect(16, 280, 240, 25));
    ShippedButton->hide();
    connect(SearchEdit, &QLineEdit::textChanged, this, [this] { Refilter(); });
    connect(SortCombo, &QComboBox::currentIndexChanged, this, [this] { Refilter(); });
    connect(ShippedButton, &QPushButton::clicked, this,
            [this] { Run([this] { ShippedButtonClick(); }); });

    setTabOrder(SearchEdit, SortCombo);
    setTabOrder(SortCombo, ListView1);
    setTabOrder(ListView1, RadioGroup1);
    setTabOrder(RadioGroup1, OkButton);
    setTabOrder(OkButton, CancelButton);
    setTabOrder(CancelButton, AddButton);
    setTabOrder(AddButton, EditButton);
    setTabOrder(EditButton, RemoveButton);

    connect(OkButton, &QPushButton::clicked, this, &TNewDocumentForm::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(AddButton, &QPushButton::clicked, this, [this] { Run([this] { AddButtonClick(); }); });
    connect(EditButton, &QPushButton::clicked, this,
            [this] { Run([this] { EditButtonClick(); }); });
    connect(RemoveButton, &QPushButton::clicked, this,
            [this] { Run([this] { RemoveButtonClick(); }); });
    connect(ListView1, &QAbstractItemView::doubleClicked, this, [this] { ListView1DblClick(); });
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { ShowShape(); });
    RadioGroup1->OnClick = [this] { ShowShape(); };
    const std::pair<QObject *, const char *> names[] = {
        {SearchEdit, "SearchEdit"}, {SortCombo, "SortCombo"}, {ShapeView, "ShapeView"},
        {ShippedButton, "ShippedButton"},
    };
    for (const auto &[object, name] : names)
        object->setObjectName(QLatin1String(name));
}

void TNewDocumentForm::PlaceSearchRow()
{
    SearchLabel->adjustSize();
    SortLabel->adjustSize();
    SearchLabel->move(16, 16 + (22 - SearchLabel->height()) / 2);
    SearchEdit->setGeometry(SearchLabel->width() + 22, 16, 250, 22);
    SortCombo->setGeometry(665 - 170, 16, 170, 22);
    SortLabel->move(SortCombo->x() - SortLabel->width() - 6, 16 + (22 - SortLabel->height()) / 2);
}

void TNewDocumentForm::Refilter()
{
    const QString selected = SelectedName();
    Rows->SetOrder(TSizeListModel::TOrder(std::clamp(SortCombo->currentIndex(), 0, 2)));
    Rows->SetFilter(SearchEdit->text(),
                    [this](const QString &name) { return CoverKinds(name, m_texts); });
    SelectRow(Rows->RowNamed(selected, Qt::CaseSensitive));
    ShowShape();
}

void TNewDocumentForm::ShowShape()
{
    const int row = SelectedRow();
    ShapeView->ShowSize(row >= 0 && Rows->Error(row).isEmpty() ? Rows->Size(row) : CoverSize(),
                        TemplatesMode || RadioGroup1->ItemIndex() == 1, MeasureUnit != 0,
                        m_texts(MeasureUnit == 0 ? 100 : 101));
}

void TNewDocumentForm::ShippedButtonClick()
{
    const QList<CoverSize> offered = NewShippedSizes(ShippedCatalogue, Sizes);
    if (offered.isEmpty())
        return;
    TShippedSizesDialog dialog(offered, m_texts, this);
    if (Dialogs.ShowModal(dialog) != QDialog::Accepted)
        return;
    QString last;
    for (const CoverSize &size : dialog.Chosen())
        if (Sizes.AddSize(size))
            last = size.Name.Text();
    FillSizeList();
    if (!last.isEmpty())
        SelectRow(Rows->RowNamed(last, Qt::CaseSensitive));
}

void TNewDocumentForm::ApplyTexts(const TTextLookup &texts)
{
    m_texts = texts;
    setWindowTitle(texts(70));
    Rows->SetHeaders({texts(71), texts(72), texts(73)});
    Rows->SetDecimalSeparator(DecimalSeparatorOf(texts(DecimalSeparatorText)));
    ShapeView->SetDecimalSeparator(DecimalSeparatorOf(texts(DecimalSeparatorText)));
    RadioGroup1->setTitle(texts(74));
    const int choice = RadioGroup1->ItemIndex();
    RadioGroup1->SetItems({texts(75), texts(76)});
    RadioGroup1->SetItemIndex(choice);
    OkButton->setText(texts(77));
    CancelButton->setText(texts(78));
    AddButton->setText(texts(79));
    EditButton->setText(texts(80));
    RemoveButton->setText(texts(81));
    SearchLabel->setText(texts(308));
    SortLabel->setText(texts(309));
    const int order = SortCombo->currentIndex();
    {
        const QSignalBlocker quiet(SortCombo);
        SortCombo->clear();
        SortCombo->addItems({texts(310), texts(71), texts(303)});
        SortCombo->setCurrentIndex(order);
    }
    ShippedButton->setText(texts(324));
    PlaceSearchRow();
}

void TNewDocumentForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    FillSizeList();
    RadioGroup1->SetItemIndex(CurrentMode == CoverMode::Single ? 0 : 1);
    ListView1->setFocus();
}

void TNewDocumentForm::FillSizeList()
{
    Rows->SetCatalogue(Sizes.Read(), MeasureUnit != 0, m_texts(MeasureUnit == 0 ? 100 : 101),
                       m_texts(UnreadableEntryText));
    SelectRow(Rows->RowNamed(CurrentSizeName, Qt::CaseSensitive));
    ShowShape();
    // Offered while the shipped list has a size the catalogue lacks.
    if (TemplatesMode) {
        const bool offered = !NewShippedSizes(ShippedCatalogue, Sizes).isEmpty();
        ShippedButton->setEnabled(offered);
        ShippedButton->setToolTip(offered ? QString() : m_texts(325));
    }
}

QString TNewDocumentForm::SelectedError() const
{
    return Rows->Error(SelectedRow());
}

void TNewDocumentForm::OkButtonClick()
{
    // A new cover cannot be made from an entry that does not read; the
    // dialog stays, where the entry can be edited or removed.
    const QString error = TemplatesMode ? QString() : SelectedError();
    if (!error.isEmpty()) {
        Messages.ShowError(this, QString(), error);
        return;
    }
    accept();
}

QString TNewDocumentForm::SelectedName() const
{
    return Rows->Name(SelectedRow());
}

int TNewDocumentForm::SelectedRow() const
{
    const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TNewDocumentForm::SelectRow(int row)
{
    if (row < 0 || row >= Rows->rowCount()) {
        ListView1->clearSelection();
        return;
    }
    const QModelIndex index = Rows->index(row, 0);
    ListView1->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ListView1->scrollTo(index);
}

bool TNewDocumentForm::ShowSizeForm(const QString &ownName)
{
    // Names are checked while the dialog is open, so that a refusal keeps
    // everything typed. The file cannot hold two names that differ only in
    // letter case; an entry may keep its own name in another case.
    SizeForm->Messages = &Messages;
    SizeForm->Check = [this, ownName](const CoverSize &size) {
        const bool own =
            !ownName.isNull() && QString::compare(size.Name, ownName, Qt::CaseInsensitive) == 0;
        return !own && Sizes.HasSize(size.Name) ? m_texts(104) : QString();
    };
    CenterOnScreen(SizeForm);
    return Dialogs.ShowModal(*SizeForm) == QDialog::Accepted;
}

void TNewDocumentForm::AddButtonClick()
{
    SizeForm->ResetFields();
    if (!ShowSizeForm(QString()))
        return;
    const CoverSize size = SizeForm->ReadCoverSize();
    // The file may have changed while the dialog was open.
    const bool added = Sizes.AddSize(size);
    if (!added)
        Messages.ShowError(this, QString(), m_texts(104));
    FillSizeList();
    // After a refusal the entry that holds the name, in whatever case.
    int row = Rows->RowNamed(size.Name, Qt::CaseSensitive);
    if (row < 0)
        row = Rows->RowNamed(size.Name, Qt::CaseInsensitive);
    SelectRow(row);
}

void TNewDocumentForm::EditButtonClick()
{
    const QString oldName = SelectedName();
    if (SelectedRow() < 0)
        return;
    const TSizeEntry entry = Sizes.ReadEntry(oldName);
    SizeForm->ShowCoverSize(entry.Size, entry.Unreadable);
    if (!ShowSizeForm(oldName))
        return;
    const int position = SelectedRow();
    const CoverSize size = SizeForm->ReadCoverSize();
    // Renamed onto another entry: the file cannot hold both, and replacing
    // would overwrite that other entry with no word.
    if (QString::compare(size.Name, oldName, Qt::CaseInsensitive) != 0 &&
        Sizes.HasSize(size.Name)) {
        Messages.ShowError(this, QString(), m_texts(104));
        return;
    }
    Sizes.ReplaceSize(size);
    FillSizeList();
    SelectRow(position);
}

void TNewDocumentForm::RemoveButtonClick()
{
    if (SelectedRow() < 0)
        return;
    if (!Messages.AskWarning(this, QString(), m_texts(102)))
        return;
    const int position = SelectedRow();
    Sizes.DeleteSize(SelectedName());
    FillSizeList();
    SelectRow(position < Rows->rowCount() ? position : -1);
}

void TNewDocumentForm::ListView1DblClick()
{
    if (!TemplatesMode && SelectedRow() >= 0)
        OkButton->click();
}

void TNewDocumentForm::SetTemplatesMode(bool on)
{
    RadioGroup1->setVisible(!on);
    CancelButton->setVisible(!on);
    ShippedButton->setVisible(on && !ShippedCatalogue.isEmpty());
    if (on)
        FillSizeList();
    const int d = on ? -40 : 40;
    Bevel1->resize(Bevel1->width(), Bevel1->height() + d);
    OkButton->move(OkButton->x() - 2 * d, OkButton->y() + d);
    setFixedSize(width(), height() + d);
    setWindowTitle(m_texts(on ? 82 : 70));
    OkButton->setText(m_texts(on ? 83 : 77));
    TemplatesMode = on;
}
