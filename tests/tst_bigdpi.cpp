// SPDX-License-Identifier: GPL-3.0-or-later
// Font-size compensation on windows built for 96 dots per inch.
#include "Big_DPI_Fix.h"
#include "CoverView.h"
#include "EditCoverSize.h"
#include "FontSubstitutes.h"
#include "NewDocument.h"
#include "ProgramFixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestBigDpi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // As the program starts: the design font for every window.
    void initTestCase() { QApplication::setFont(DesignFont()); }

    void onlyTheBitmapFaceChangesAboveNinetySix_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QString>("designFace");
        QTest::newRow("96 dpi") << 96 << "MS Sans Serif";
        QTest::newRow("72 dpi") << 72 << "MS Sans Serif";
        QTest::newRow("120 dpi") << 120 << "Arial";
    }
    void onlyTheBitmapFaceChangesAboveNinetySix()
    {
        QFETCH(int, dpi);
        QFETCH(QString, designFace);
        QWidget window;
        QFont design(QStringLiteral("MS Sans Serif"));
        design.setPixelSize(11);
        window.setFont(design);
        auto *panel = new QWidget(&window);
        auto *group = new QGroupBox(panel);
        auto *nested = new QLabel(group); // three levels down, face in other case
        QFont bold(QStringLiteral("ms sans serif"));
        bold.setPixelSize(11);
        bold.setBold(true);
        nested->setFont(bold);
        auto *other = new QLabel(panel);
        QFont arialLike(QStringLiteral("Liberation Serif"));
        arialLike.setPixelSize(29);
        other->setFont(arialLike);

        TglSmallFontsDefence{&window, dpi};
        for (QWidget *w : {&window, panel, static_cast<QWidget *>(group)}) {
            QCOMPARE(w->font().family().compare(designFace, Qt::CaseInsensitive), 0);
            QCOMPARE(w->font().pixelSize(), 11);
        }
        QCOMPARE(nested->font().family().compare(designFace, Qt::CaseInsensitive), 0);
        QVERIFY(nested->font().bold());
        QCOMPARE(other->font().family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(other->font().pixelSize(), 29);
    }

    void everyWindowIsCompensatedBeforeItsTexts()
    {
        TProgram p(TProgram::OneSize, false);
        p.metrics.Dpi = 120;
        p.Start();
        for (QWidget *w : {static_cast<QWidget *>(p.form->TextLabel),
                           static_cast<QWidget *>(p.form->NewDocumentForm->AddButton),
                           static_cast<QWidget *>(p.form->EditCoverSizeData->Edit2)}) {
            QCOMPARE(w->font().family(), QStringLiteral("Arial"));
            QCOMPARE(w->font().pixelSize(), 11);
        }
        QCOMPARE(p.form->TextLabel->text(), QStringLiteral("Text:"));
    }
};

QTEST_MAIN(TestBigDpi)
#include "tst_bigdpi.moc"
