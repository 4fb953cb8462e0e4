// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetDialog.h"

#include "FloatText.h"
#include "SheetJob.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int InchesText = 100;
constexpr int CentimetresText = 101;
constexpr int DecimalSeparatorText = 265;

} // namespace

// The sheets side by side, each a white page with its covers as they print.
// The pages are drawn once for each set of sheets and each resolution: a
// paint only places them.
class TSheetPreview : public QWidget
{
public:
    TSheetPreview(TSheetJob &job, QWidget *parent) : QWidget(parent), m_job(job)
    {
        setMinimumSize(280, 240);
    }

    void SetSheets(const QPageLayout &page, const TPrintExtras &extras, std::vector<TSheet> sheets)
    {
        m_page = page;
        m_extras = extras;
        m_sheets = std::move(sheets);
        m_pages.clear();
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Mid));
        const QRectF paper = m_page.fullRect(QPageLayout::Inch);
        if (m_sheets.empty() || paper.isEmpty())
            return;
        // Pages in a row, as large as the room allows, a gap between them.
        const int n = int(m_sheets.size());
        const double gap = 8;
        const double scale = std::min((width() - gap * (n + 1)) / (paper.width() * n),
                                      (height() - 2 * gap) / paper.height());
        if (!(scale > 0))
            return;
        // Drawn at twice the screen scale, then smoothed down: small type
        // stays legible.
        const int dpi = std::max(1, int(std::floor(2 * scale)));
        if (dpi != m_dpi || m_pages.size() != m_sheets.size())
            Draw(paper, dpi);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setPen(palette().color(QPalette::Dark));
        for (int i = 0; i < n; ++i) {
            const QRectF where(gap + i * (paper.width() * scale + gap), gap, paper.width() * scale,
                               paper.height() * scale);
            p.drawImage(where, m_pages[size_t(i)]);
            p.drawRect(where);
        }
    }

private:
    void Draw(const QRectF &paper, int dpi)
    {
        m_dpi = dpi;
        m_pages.clear();
        const QRectF paint = m_page.paintRect(QPageLayout::Inch);
        for (const TSheet &s : m_sheets) {
            QImage sheet(QSize(int(paper.width() * dpi), int(paper.height() * dpi)),
                         QImage::Format_RGB32);
            sheet.fill(Qt::white);
            if (!sheet.isNull()) {
                sheet.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
                sheet.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
                QPainter page(&sheet);
                page.translate(paint.left() * dpi, paint.top() * dpi);
                try {
                    m_job.PaintSheet(page, s, m_extras, dpi);
                } catch (const std::exception &) {
                    // A preview shows what it could draw.
                }
            }
            m_pages.push_back(sheet);
        }
    }

    TSheetJob &m_job;
    QPageLayout m_page;
    TPrintExtras m_extras;
    std::vector<TSheet> m_sheets;
    std::vector<QImage> m_pages;
    int m_dpi = 0;
};

TSheetDialog::TSheetDialog(TSheetJob &job, const TTextLookup &texts, QWidget *parent)
    : QDialog(parent), m_job(job), m_texts(texts)
{
    setWindowTitle(TitleOf(texts(295)));
    resize(720, 420);
    auto *root = new QVBoxLayout(this);
    auto *row = new QHBoxLayout();
    root->addLayout(row, 1);
    auto *left = new QVBoxLayout();
    row->addLayout(left, 0);
    CoverTable = new QTableWidget(0, 3, this);
    CoverTable->setHorizontalHeaderLabels({texts(296), texts(303), texts(297)});
    CoverTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    CoverTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    CoverTable->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    CoverTable->verticalHeader()->hide();
    CoverTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    CoverTable->setSelectionMode(QAbstractItemView::SingleSelection);
    CoverTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CoverTable->setMinimumWidth(340);
    left->addWidget(CoverTable, 1);
    auto *buttons = new QHBoxLayout();
    AddButton = new QPushButton(texts(79), this);
    RemoveButton = new QPushButton(texts(302), this);
    buttons->addWidget(AddButton);
    buttons->addWidget(RemoveButton);
    buttons->addStretch(1);
    left->addLayout(buttons);
    auto *paperRow = new QHBoxLayout();
    PaperLabel = new QLabel(texts(298), this);
    PaperCombo = new QComboBox(this);
    PaperCombo->addItem(texts(299));
    PaperCombo->addItem(QStringLiteral("A4"));
    PaperCombo->addItem(QStringLiteral("Letter"));
    PaperLabel->setBuddy(PaperCombo);
    paperRow->addWidget(PaperLabel);
    paperRow->addWidget(PaperCombo, 1);
    left->addLayout(paperRow);
    SheetsLabel = new QLabel(this);
    left->addWidget(SheetsLabel);
    Preview = new TSheetPreview(m_job, this);
    row->addWidget(Preview, 1);
    auto *bottom = new QHBoxLayout();
    bottom->addStretch(1);
    PrintButton = new QPushButton(texts(32), this);
    ExportButton = new QPushButton(texts(240), this);
    CloseButton = new QPushButton(texts(83), this);
    for (QPushButton *b : {PrintButton, ExportButton, CloseButton})
        bottom->addWidget(b);
    root->addLayout(bottom);
    PrintButton->setDefault(true);

    const std::pair<QObject *, const char *> names[] = {
        {CoverTable, "CoverTable"},     {AddButton, "AddButton"},   {RemoveButton, "RemoveButton"},
        {PaperLabel, "PaperLabel"},     {PaperCombo, "PaperCombo"},
        {SheetsLabel, "SheetsLabel"},   {Preview, "Preview"},
        {PrintButton, "PrintButton"},   {ExportButton, "ExportButton"},
        {CloseButton, "CloseButton"},
    };
    for (const auto &[object, name] : names)
        object->setObjectName(QLatin1String(name));
    connect(AddButton, &QPushButton::clicked, this, [this] { AddClick(); });
    connect(RemoveButton, &QPushButton::clicked, this, [this] { RemoveClick(); });
    connect(PaperCombo, &QComboBox::currentIndexChanged, this, [this] { Relayout(); });
    connect(PrintButton, &QPushButton::clicked, this, [this] {
        if (OnPrint)
            OnPrint();
    });
    connect(ExportButton, &QPushButton::clicked, this, [this] {
        if (OnExport)
            OnExport();
    });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
}

TSheetDialog::~TSheetDialog() = default;

void TSheetDialog::SetPrinterPage(const QPageLayout &page)
{
    m_printerPage = page;
    Relayout();
}

void TSheetDialog::SetExtras(const TPrintExtras &extras)
{
    m_extras = extras;
    Refill();
}

QPageLayout TSheetDialog::ChosenFilePage() const
{
    QPageLayout page = ChosenPage();
    page.setMinimumMargins(QMarginsF());
    page.setMargins(QMarginsF());
    return page;
}

void TSheetDialog::SetCentimetres(bool centimetres)
{
    m_centimetres = centimetres;
    Refill();
}

QPageLayout TSheetDialog::ChosenPage() const
{
    QPageLayout page = m_printerPage;
    page.setOrientation(QPageLayout::Portrait);
    if (PaperCombo->currentIndex() == 1)
        page.setPageSize(QPageSize(QPageSize::A4));
    else if (PaperCombo->currentIndex() == 2)
        page.setPageSize(QPageSize(QPageSize::Letter));
    return page;
}

void TSheetDialog::Refill()
{
    m_filling = true;
    CoverTable->setRowCount(m_job.Count());
    for (int i = 0; i < m_job.Count(); ++i) {
        CoverTable->setItem(i, 0, new QTableWidgetItem(m_job.Name(i)));
        // In the user's unit, with the language's decimal separator.
        const QSizeF size = m_job.PrintedSize(i, TPrintExtras()) * (m_centimetres ? 2.54 : 1.0);
        const QChar separator = DecimalSeparatorOf(m_texts(DecimalSeparatorText));
        const auto shown = [&](double v) {
            return QString::number(v, 'f', 2).replace(QLatin1Char('.'), separator);
        };
        CoverTable->setItem(i, 1, new QTableWidgetItem(
                                      QStringLiteral("%1 x %2 %3")
                                          .arg(shown(size.width()), shown(size.height()),
                                               m_texts(m_centimetres ? CentimetresText : InchesText))));
        auto *copies = new QSpinBox(CoverTable);
        copies->setRange(1, 999);
        copies->setValue(m_job.Copies(i));
        copies->setObjectName(QStringLiteral("Copies%1").arg(i + 1));
        connect(copies, &QSpinBox::valueChanged, this, [this, i](int n) {
            m_job.SetCopies(i, n);
            Relayout();
        });
        CoverTable->setCellWidget(i, 2, copies);
    }
    m_filling = false;
    RemoveButton->setEnabled(m_job.Count() > 0);
    Relayout();
}

void TSheetDialog::Relayout()
{
    if (m_filling)
        return;
    const QPageLayout page = ChosenPage();
    int unfit = -1;
    std::vector<TSheet> sheets = m_job.Layout(page.paintRect(QPageLayout::Inch).size(), m_extras, &unfit);
    SheetsLabel->setText(unfit != -1 ? m_texts(301).arg(m_job.Name(unfit))
                                     : m_texts(300).arg(sheets.size()));
    PrintButton->setEnabled(unfit == -1 && !sheets.empty());
    // A PDF file's page is the whole paper: what the printer's margins
    // leave out may still go there.
    int unfitOnFile = -1;
    const std::vector<TSheet> onFile = m_job.Layout(
        ChosenFilePage().paintRect(QPageLayout::Inch).size(), m_extras, &unfitOnFile);
    ExportButton->setEnabled(unfitOnFile == -1 && !onFile.empty());
    Preview->SetSheets(page, m_extras, std::move(sheets));
}

void TSheetDialog::AddClick()
{
    if (!OnAdd || !OnAdded)
        return;
    // A file that does not open is said by the window and left out.
    for (const QString &file : OnAdd())
        OnAdded(file);
    Refill();
}

void TSheetDialog::RemoveClick()
{
    const int row = CoverTable->currentRow();
    if (row < 0)
        return;
    m_job.Remove(row);
    Refill();
}
