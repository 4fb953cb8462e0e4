// SPDX-License-Identifier: GPL-3.0-or-later
// The windows at their design sizes: every caption fits its control in every
// language, and above 96 dpi the bitmap face gives way to "Arial".
#include "AboutBox.h"
#include "Big_DPI_Fix.h"
#include "BuiltInTexts.h"
#include "CalibrationDialog.h"
#include "CoverView.h"
#include "EditCoverSize.h"
#include "FontSubstitutes.h"
#include "NewDocument.h"
#include "ProgramFixture.h"
#include "WindowControls.h"
#include "RadioGroup.h"
#include "LanguageController.h"
#include "SheetDialog.h"
#include "SheetJob.h"
#include "ShippedSizes.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QComboBox>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>

namespace {

// The room right of a label: to its parent's edge or the next sibling on
// its row.
int RoomRight(const QWidget *w)
{
    int right = w->parentWidget()->contentsRect().right() + 1;
    for (const QWidget *s : w->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (s != w && !s->isHidden() && s->x() > w->x() && s->y() < w->y() + w->height() &&
            w->y() < s->y() + s->height())
            right = std::min(right, s->x());
    return right - w->x();
}

// Whether a stacks above b: of their common ancestor's children, the one
// that holds a comes later.
bool StacksAbove(const QWidget *a, const QWidget *b)
{
    for (const QWidget *x = a; x->parentWidget(); x = x->parentWidget()) {
        const QWidget *parent = x->parentWidget();
        if (!parent->isAncestorOf(b))
            continue;
        const QWidget *y = b;
        while (y->parentWidget() != parent)
            y = y->parentWidget();
        const QObjectList &order = parent->children();
        return order.indexOf(const_cast<QWidget *>(x)) > order.indexOf(const_cast<QWidget *>(y));
    }
    return false;
}

// A control laid over the caption of another: one that stacks above it and
// covers part of where the caption is drawn.
const QWidget *CoveredBy(QWidget *window, const QWidget *w, const QRect &caption)
{
    const QRect drawn(w->mapTo(window, caption.topLeft()), caption.size());
    for (const QWidget *other : window->findChildren<QWidget *>()) {
        if (other == w || !other->isVisibleTo(window) || other->isAncestorOf(w) ||
            w->isAncestorOf(other) || other->isWindow() || !StacksAbove(other, w) ||
            !(qobject_cast<const QAbstractButton *>(other) || qobject_cast<const QLineEdit *>(other)))
            continue;
        if (QRect(other->mapTo(window, QPoint(0, 0)), other->size()).intersects(drawn))
            return other;
    }
    return nullptr;
}

// Captions wider than their room in one window, as "caption (needed > room)",
// and captions that a control laid over them hides.
QStringList Overflows(QWidget *window)
{
    QStringList found;
    const auto check = [&](const QWidget *w, const QString &text, int extra, int room) {
        const int needed = w->fontMetrics().horizontalAdvance(WithoutMnemonic(text)) + extra;
        if (needed > room)
            found << QStringLiteral("%1 (%2 > %3)").arg(text).arg(needed).arg(room);
        else if (const QWidget *over = CoveredBy(
                     window, w,
                     QRect(0, (w->height() - w->fontMetrics().height()) / 2, needed,
                           w->fontMetrics().height())))
            found << QStringLiteral("%1 (under %2)")
                         .arg(text, over->objectName().isEmpty() ? over->metaObject()->className()
                                                                 : over->objectName());
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto *radio = qobject_cast<QRadioButton *>(w)) {
            QStyleOptionButton o;
            o.initFrom(radio);
            check(
                radio, radio->text(),
                radio->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &o, radio) +
                    radio->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &o, radio),
                std::min(radio->geometry().right(), radio->parentWidget()->contentsRect().right()) +
                    1 - radio->x());
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            check(button, button->text(), 8, button->width());
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            // Every choice, not only the one shown.
            QStyleOptionComboBox o;
            o.initFrom(combo);
            const int room = combo->style()
                                 ->subControlRect(QStyle::CC_ComboBox, &o,
                                                  QStyle::SC_ComboBoxEditField, combo)
                                 .width();
            for (int i = 0; i < combo->count(); ++i)
                check(combo, combo->itemText(i), 4, room);
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            check(group, group->title(), 12, group->width());
        } else if (auto *label = qobject_cast<QLabel *>(w);
                   label && label->pixmap().isNull() && !label->wordWrap()) {
            check(label, label->text(), 0, RoomRight(label));
        }
    }
    return found;
}

} // namespace

class TestLook : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // As the program starts: the design font for every window.
    void initTestCase()
    {
        RegisterFontSubstitutes();
        QApplication::setFont(DesignFont());
    }

    void everyCaptionFitsInEveryLanguage_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::newRow("96 dpi") << 96;
        QTest::newRow("120 dpi") << 120;
        QTest::newRow("144 dpi") << 144;
    }
    void everyCaptionFitsInEveryLanguage()
    {
        QFETCH(int, dpi);
        TProgram p(TProgram::OneSize, false);
        p.metrics.Dpi = dpi;
        p.Start();
        TCoverMakerMainForm &f = *p.form;
        f.resize(791, 541);
        ClickArea(f, 1);
        // Placed by hand, so that the zoom buttons show over the view mode's
        // third line.
        Ui(f).ImageView()->Button(2)->click();
        QVERIFY(Ui(f).ZoomInButton()->isVisibleTo(&f));
        // A text block's panel beside the image properties, its longest
        // fitting chosen.
        Ui(f).TextBlock1()->trigger();
        QVERIFY(Ui(f).BlockPanel()->isVisibleTo(&f));
        QTest::keyClick(Ui(f).CoverView()->BlockEditor(), Qt::Key_Escape);
        QCOMPARE(Ui(f).BlockPanel()->BlockFitCombo->currentIndex(), int(TBlockFit::Shrink));
        QStringList problems;
        for (QAction *language : Ui(f).LanguageItems()->actions()) {
            language->trigger();
            // The windows made when they are opened, in the language chosen.
            const TTextLookup texts = [&](int number) {
                const std::optional<QString> t = f.Languages().FindString(number);
                return t ? *t : BuiltInText(number);
            };
            TSheetJob job(p.metrics, texts);
            job.AddCover(QStringLiteral("Summer Evenings"), f.Cover().Document().State(), 2);
            TSheetDialog sheet(job, texts, &f);
            CoverSize offered;
            offered.Name = QStringLiteral("Maxi-CD case booklet, 4 pages");
            TShippedSizesDialog shipped({offered}, texts, &f);
            for (QDialog *d : std::initializer_list<QDialog *>{&sheet, &shipped}) {
                d->show();
                for (const QString &o : Overflows(d))
                    problems << language->text() + QStringLiteral(": ") + o;
                d->hide();
            }
            for (QWidget *window : std::initializer_list<QWidget *>{
                     &f, Ui(f).AboutBox(), Ui(f).NewDocumentForm(), Ui(f).EditCoverSizeData(),
                     Ui(f).CalibrationDialog()}) {
                window->show();
                for (const QString &o : Overflows(window))
                    problems << language->text() + QStringLiteral(": ") + o;
                if (window != &f)
                    window->hide();
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    void onlyTheBitmapFaceChangesAboveNinetySix_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QString>("face");
        QTest::newRow("96 dpi") << 96 << "MS Sans Serif";
        QTest::newRow("120 dpi") << 120 << "Arial";
    }
    void onlyTheBitmapFaceChangesAboveNinetySix()
    {
        QFETCH(int, dpi);
        QFETCH(QString, face);
        TProgram p(TProgram::OneSize, false);
        p.metrics.Dpi = dpi;
        p.Start();
        // Deep inside each window, pixel height kept; the About box's
        // product name has a face of its own.
        for (QWidget *w : std::initializer_list<QWidget *>{
                 Ui(*p.form).AlignRadio()->findChild<QRadioButton *>(), Ui(*p.form).AboutBox()->OKButton,
                 Ui(*p.form).NewDocumentForm()->AddButton, Ui(*p.form).EditCoverSizeData()->Edit2}) {
            QCOMPARE(w->font().family().compare(face, Qt::CaseInsensitive), 0);
            QCOMPARE(w->font().pixelSize(), 11);
        }
        QCOMPARE(Ui(*p.form).AboutBox()->ProductName->font().pixelSize(), 29);
    }
};

QTEST_MAIN(TestLook)
#include "tst_look.moc"
