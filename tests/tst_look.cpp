// SPDX-License-Identifier: GPL-3.0-or-later
// The windows at their design sizes: every caption fits its control in every
// language, none is left in English, and above 96 dpi the bitmap face gives
// way to "Arial".
#include "AboutBox.h"
#include "Big_DPI_Fix.h"
#include "BuiltInTexts.h"
#include "CalibrationDialog.h"
#include "CoverFileChooser.h"
#include "MessageBoxes.h"
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
#include <QPrinterInfo>
#include <QPushButton>
#include <QComboBox>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QMenu>
#include <QTabBar>
#include <QTextDocumentFragment>
#include <QTimer>
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

// Words that only English uses, as a caption left untranslated shows them.
const QSet<QString> &EnglishWords()
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const QString &w : QStringLiteral(
                 "About Add Advanced Alignment All Any Apply Autosize Back Basic Bleed Block Blue "
                 "Bold Bottom Cancel Center Change Clear Close Collate Color Colors Colour Colours "
                 "Computer Copies Copy Cover Create Current Custom Cut Date Delete Detail Directory "
                 "Discard Double Edit Effects Error Exit Export File Files First Folder Font "
                 "Forward Grayscale Green Height Help Hide Home Horizontal Hue Image Inches Index "
                 "Insert Italic Job Landscape Language Last Left Location Look Margins Marks "
                 "Millimeters Modified Name Next No Open Options Output Page Pages Paper Parent "
                 "Paste Pick Places Portrait Preview Previous Print Printer Properties Range "
                 "Recent Red Redo Regular Remove Rename Reverse Right Sample Save Screen Select "
                 "Selection Settings Setup Show Sided Sidebar Size Stretch Strikeout Style System "
                 "Template Templates Text Top Type Underline Undo Vertical View Width Writing Yes "
                 "Zoom")
                 .split(QLatin1Char(' ')))
            set.insert(w);
        return set;
    }();
    return words;
}

// The same words in a language that writes them so too.
QSet<QString> OwnWordsOf(const QString &locale)
{
    static const QHash<QString, QString> own{
        {QStringLiteral("de"), QStringLiteral("Text Cover Name")},
        {QStringLiteral("fr"), QStringLiteral("Zoom Style Type Portrait Page Pages Copies Options")},
        {QStringLiteral("es"), QStringLiteral("Vertical Error Color")},
        {QStringLiteral("it"), QStringLiteral("File")},
        {QStringLiteral("nl"), QStringLiteral("Printer Help Type")},
        {QStringLiteral("pl"), QStringLiteral("System")},
        {QStringLiteral("pt_PT"), QStringLiteral("Vertical Horizontal")},
        {QStringLiteral("sv"), QStringLiteral("Text")},
    };
    QSet<QString> set;
    for (const QString &w : own.value(locale).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        set.insert(w);
    return set;
}

// Every caption a window shows: its title, labels, buttons, group titles,
// tabs, column headers, the choices of its lists and its menus' items.
QStringList Captions(QWidget *window)
{
    QStringList captions{window->windowTitle()};
    // What a file dialog's list calls a folder.
    if (auto *files = qobject_cast<QFileDialog *>(window); files && files->iconProvider())
        captions << files->iconProvider()->type(QFileInfo(files->directory().path()));
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (auto *menu = qobject_cast<QMenu *>(w)) {
            for (const QAction *a : menu->actions())
                captions << a->text();
            continue;
        }
        if (!w->isVisibleTo(window))
            continue;
        captions << w->toolTip();
        if (auto *label = qobject_cast<QLabel *>(w))
            captions << QTextDocumentFragment::fromHtml(label->text()).toPlainText();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            captions << button->text();
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            captions << group->title();
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < combo->count(); ++i)
                captions << combo->itemText(i);
        else if (auto *tabs = qobject_cast<QTabBar *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                captions << tabs->tabText(i);
        else if (auto *header = qobject_cast<QHeaderView *>(w); header && header->model())
            for (int i = 0; i < header->count(); ++i)
                captions << header->model()->headerData(i, header->orientation()).toString();
    }
    return captions;
}

// What the installed printers say of themselves (a queue's name, its maker
// and model, where it stands): the system's words, in no language of ours.
const QSet<QString> &PrinterWords()
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const QPrinterInfo &printer : QPrinterInfo::availablePrinters())
            for (const QString &said : {printer.printerName(), printer.description(),
                                        printer.makeAndModel(), printer.location()})
                if (!said.isEmpty())
                    set.insert(said);
        return set;
    }();
    return words;
}

// The captions of a window that hold a word only English uses.
QStringList EnglishCaptions(QWidget *window, const QString &locale)
{
    static const QRegularExpression notLetters(QStringLiteral("[^\\p{L}]+"));
    const QSet<QString> own = OwnWordsOf(locale);
    QStringList found;
    for (const QString &caption : Captions(window))
        if (!PrinterWords().contains(caption.trimmed()))
            for (const QString &word :
                 WithoutMnemonic(caption).split(notLetters, Qt::SkipEmptyParts))
                if (EnglishWords().contains(word) && !own.contains(word)) {
                    found << caption;
                    break;
                }
    return found;
}

// Looks at the modal window open() shows, then closes it.
void InspectModal(const std::function<void()> &open, const std::function<void(QWidget *)> &look)
{
    QTimer::singleShot(0, [look] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        look(modal);
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    });
    open();
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
        QTest::keyClicks(Ui(f).CoverView()->BlockEditor(), "1");
        QTest::keyClick(Ui(f).CoverView()->BlockEditor(), Qt::Key_Escape);
        QCOMPARE(Ui(f).BlockFitCombo()->currentIndex(), int(TBlockFit::Shrink));
        QStringList problems;
        for (QAction *language : Ui(f).LanguageItems()->actions()) {
            language->trigger();
            // Only a language whose captions need it widens the text panel.
            if (language->text() == QLatin1String("English"))
                QCOMPARE(Ui(f).TextPropPanel()->width(), 529);
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

    // Every window and every dialog of Qt's that the program opens speaks the
    // language chosen: none shows a caption with a word only English uses.
    void noCaptionIsLeftInEnglish()
    {
        TProgram p(TProgram::OneSize, false);
        p.realChoosers = true;
        p.Start();
        TCoverMakerMainForm &f = *p.form;
        ClickArea(f, 1);
        // With a text block, so that its panel shows too.
        Ui(f).TextBlock1()->trigger();
        QTest::keyClicks(Ui(f).CoverView()->BlockEditor(), "1");
        QTest::keyClick(Ui(f).CoverView()->BlockEditor(), Qt::Key_Escape);
        QVERIFY(Ui(f).BlockPanel()->isVisibleTo(&f));
        QStringList problems;
        for (QAction *language : Ui(f).LanguageItems()->actions()) {
            language->trigger();
            // Qt's own widgets take their texts again as the event says.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
            const QString locale = f.Languages().FindString(266).value_or(QString());
            if (locale == QLatin1String("en"))
                continue;
            const auto look = [&](QWidget *window) {
                for (const QString &c : EnglishCaptions(window, locale))
                    problems << QStringLiteral("%1, %2: %3")
                                    .arg(language->text(), window->metaObject()->className(), c);
            };
            const TTextLookup texts = [&](int number) {
                const std::optional<QString> t = f.Languages().FindString(number);
                return t ? *t : BuiltInText(number);
            };
            TSheetJob job(p.metrics, texts);
            TSheetDialog sheet(job, texts, &f);
            TShippedSizesDialog shipped({CoverSize()}, texts, &f);
            for (QWidget *window : std::initializer_list<QWidget *>{
                     &f, Ui(f).AboutBox(), Ui(f).NewDocumentForm(), Ui(f).EditCoverSizeData(),
                     Ui(f).CalibrationDialog(), &sheet, &shipped}) {
                window->show();
                look(window);
                if (window != &f)
                    window->hide();
            }
            p.dialogs.Scripts << [&](QDialog &preview) { look(&preview); };
            Ui(f).PrintPreview1()->trigger();
            // The window's own dialogs, as its buttons open them.
            InspectModal([&] { Ui(f).ChangeButton()->click(); }, look);
            InspectModal([&] { Ui(f).BGColorButton()->click(); }, look);
            InspectModal([&] { Ui(f).FontButton()->click(); }, look);
            InspectModal([&] { Ui(f).Print1()->trigger(); },
                         [&](QWidget *print) {
                             // Its options, our tab among them, shown too.
                             for (QPushButton *b : print->findChildren<QPushButton *>())
                                 if (b->text().endsWith(QLatin1String(">>")))
                                     b->click();
                             look(print);
                             // The hint on margins names the button as it is.
                             const auto *properties = print->findChild<QPushButton *>(
                                 QStringLiteral("properties"));
                             QVERIFY(properties);
                             const QString name = WithoutMnemonic(properties->text())
                                                      .remove(QRegularExpression("\\(.\\)$"));
                             if (!texts(202).contains(name))
                                 problems << QStringLiteral("%1: 202 names no \"%2\"")
                                                 .arg(language->text(), name);
                         });
            TQtCoverFileChooser files;
            QString name;
            InspectModal([&] { files.ChooseSave(&f, texts(32), QStringLiteral("(*.vmcover)"), name); },
                         look);
            InspectModal([&] { TQtMessageBoxes().AskSaveChanges(&f, texts(357), QString()); }, look);
        }
        for (const QString &problem : problems)
            qWarning("%s", qPrintable(problem));
        QVERIFY2(problems.isEmpty(), "captions in English, listed above");
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
