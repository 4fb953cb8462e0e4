// SPDX-License-Identifier: GPL-3.0-or-later
// Every caption of every window fits the room its control gives it, at the
// design sizes with the shipped fonts, in every language of the shipped file.
#include "AboutBox.h"
#include "CoverView.h"
#include "EditCoverSize.h"
#include "FontSubstitutes.h"
#include "NewDocument.h"
#include "ProgramFixture.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTreeWidget>

namespace {

QString Shown(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
}

// The room to the right of a widget: to its parent's edge, or to the next
// sibling on the same row.
int RoomRight(const QWidget *w)
{
    const QWidget *parent = w->parentWidget();
    int right = parent->contentsRect().right() + 1;
    for (const QObject *o : parent->children()) {
        const auto *s = qobject_cast<const QWidget *>(o);
        if (!s || s == w || s->isHidden() || s->x() <= w->x())
            continue;
        if (s->y() < w->y() + w->height() && w->y() < s->y() + s->height())
            right = std::min(right, s->x());
    }
    return right - w->x();
}

// What does not fit in one window, as "caption (needed > room)".
QStringList Overflows(QWidget *window)
{
    QStringList found;
    const auto report = [&](const QString &text, int needed, int room) {
        if (needed > room)
            found << QStringLiteral("%1 (%2 > %3)").arg(text).arg(needed).arg(room);
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        const QFontMetrics fm(w->font());
        if (auto *radio = qobject_cast<QRadioButton *>(w)) {
            QStyleOptionButton o;
            o.initFrom(radio);
            const int indicator =
                radio->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &o, radio) +
                radio->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &o, radio);
            const int right = std::min(radio->geometry().right() + 1,
                                       radio->parentWidget()->contentsRect().right() + 1);
            report(radio->text(), indicator + fm.horizontalAdvance(Shown(radio->text())),
                   right - radio->x());
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            report(button->text(), fm.horizontalAdvance(Shown(button->text())) + 8,
                   button->width());
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            report(group->title(), fm.horizontalAdvance(Shown(group->title())) + 12,
                   group->width());
        } else if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->pixmap().isNull())
                report(label->text(), fm.horizontalAdvance(label->text()), RoomRight(label));
        } else if (auto *list = qobject_cast<QTreeWidget *>(w)) {
            const QTreeWidgetItem *header = list->headerItem();
            for (int c = 0; c < list->columnCount(); ++c)
                report(header->text(c),
                       QFontMetrics(list->header()->font()).horizontalAdvance(header->text(c)) + 12,
                       list->columnWidth(c));
        }
    }
    return found;
}

} // namespace

class TestCaptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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
        f.CoverView->SelectArea(1); // the panels enabled, the zoom buttons hidden
        QStringList problems;
        for (QAction *language : f.LanguageItems->actions()) {
            language->trigger();
            for (QWidget *window : std::initializer_list<QWidget *>{
                     &f, f.AboutBox, f.NewDocumentForm, f.EditCoverSizeData}) {
                window->show();
                for (const QString &o : Overflows(window))
                    problems << language->text() + QStringLiteral(", ") +
                                    window->metaObject()->className() + QStringLiteral(": ") + o;
                if (window != &f)
                    window->hide();
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"
