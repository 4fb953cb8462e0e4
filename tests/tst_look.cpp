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
#include "RadioGroup.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

// Captions wider than their room in one window, as "caption (needed > room)".
QStringList Overflows(QWidget *window)
{
    QStringList found;
    const auto check = [&](const QWidget *w, const QString &text, int extra, int room) {
        const int needed = w->fontMetrics().horizontalAdvance(WithoutMnemonic(text)) + extra;
        if (needed > room)
            found << QStringLiteral("%1 (%2 > %3)").arg(text).arg(needed).arg(room);
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

    void everyCaptionFitsInEveryLanguage()
    {
        TProgram p;
        TCoverMakerMainForm &f = *p.form;
        f.resize(791, 541);
        f.CoverView->SelectArea(1);
        QStringList problems;
        for (QAction *language : f.LanguageItems->actions()) {
            language->trigger();
            for (QWidget *window : std::initializer_list<QWidget *>{
                     &f, f.AboutBox, f.NewDocumentForm, f.EditCoverSizeData,
                     f.CalibrationDialog}) {
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
                 p.form->AlignRadio->findChild<QRadioButton *>(), p.form->AboutBox->OKButton,
                 p.form->NewDocumentForm->AddButton, p.form->EditCoverSizeData->Edit2}) {
            QCOMPARE(w->font().family().compare(face, Qt::CaseInsensitive), 0);
            QCOMPARE(w->font().pixelSize(), 11);
        }
        QCOMPARE(p.form->AboutBox->ProductName->font().pixelSize(), 29);
    }
};

QTEST_MAIN(TestLook)
#include "tst_look.moc"
