// SPDX-License-Identifier: GPL-3.0-or-later
#include "CMMainWindow.h"
#include "CoverView.h"
#include "GifSupport.h"
#include "MetafileGraphic.h"
#include "OpenPictureDialog.h"
#include "PictureLoading.h"
#include "ProgramFixture.h"
#include "WindowControls.h"
#include "RecordingMessageBoxes.h"
#include "SampleFiles.h"
#include "TestFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

class TestChangePicture : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        RegisterPictureKinds();
        RegisterGifSupport();
    }

    void everyKindIsPlaced_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::newRow("jpeg") << "PHOTO.JPG" << WriteJpeg(QuarterPicture(40, 30)) << QSize(40, 30);
        QTest::newRow("jpeg, any case")
            << "Photo.JpG" << WriteJpeg(QuarterPicture(40, 30)) << QSize(40, 30);
        QTest::newRow("bmp") << "a.bmp" << WriteBmp(QuarterPicture(12, 8)) << QSize(12, 8);
        QTest::newRow("ico") << "a.ico" << WriteIco({QuarterPicture(32, 32)}) << QSize(32, 32);
        QTest::newRow("gif") << "archive.tar.gif" << WriteSampleGif(20, 10) << QSize(20, 10);
        QTest::newRow("emf") << "a.emf" << WriteEmf(2646, 1323, Qt::red) << QSize(100, 50);
        QTest::newRow("png") << "a.png" << WritePng(QuarterPicture(20, 10)) << QSize(20, 10);
        QTest::newRow("webp") << "a.webp" << WriteWebp(QuarterPicture(20, 10)) << QSize(20, 10);
        QTest::newRow("tif") << "a.tif" << WriteTiff(QuarterPicture(20, 10)) << QSize(20, 10);
        // Turned upright as their orientation says: a phone's portrait photo.
        QTest::newRow("tiff, turned") << "a.TIFF" << WriteTiff(QuarterPicture(20, 10), 6)
                                      << QSize(10, 20);
        QTest::newRow("jpeg, EXIF 6")
            << "portrait.jpg" << WithExifOrientation(WriteJpeg(QuarterPicture(40, 30)), 6)
            << QSize(30, 40);
        QTest::newRow("jpeg, big-endian EXIF 8")
            << "portrait.jpg" << WithExifOrientation(WriteJpeg(QuarterPicture(40, 30)), 8, true)
            << QSize(30, 40);
        QTest::newRow("png, eXIf 6")
            << "phone.png" << WithPngExif(WritePng(QuarterPicture(40, 30)), 6) << QSize(30, 40);
        QTest::newRow("webp, EXIF 6")
            << "phone.webp"
            << WithWebpExif(WriteWebp(QuarterPicture(40, 30)), QSize(40, 30), 6) << QSize(30, 40);
    }
    void everyKindIsPlaced()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        TProgram p;
        ClickArea(*p.form, 1);
        QVERIFY(!Ui(*p.form).ClearButton()->isEnabled());
        p.chooser.Answer = p.Save(name, bytes);
        if (name.startsWith("missing"))
            QFile::remove(p.chooser.Answer);
        Ui(*p.form).ChangeButton()->click();
        QVERIFY(p.messages.Boxes.isEmpty());
        QCOMPARE(p.Doc().GetPicture(1).size(), size);
        QVERIFY(Ui(*p.form).ClearButton()->isEnabled()); // the panel follows
    }

    void failuresAreReportedAndLeaveTheArea_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("why"); // what the box says after the Part's text
        const QString notAKind = QStringLiteral("not pictures Velmora places");
        QTest::newRow("tga") << "image.tga" << QByteArray("\0\0\2\0") << notAKind;
        QTest::newRow("png, header only")
            << "image.png" << QByteArray("\x89PNG\r\n\x1a\n") << "It is not a PNG file";
        QTest::newRow("no extension") << "picture" << WriteJpeg(QuarterPicture(8, 8)) << notAKind;
        QTest::newRow("text named bmp")
            << "notes.bmp" << QByteArray("hello, world\r\n") << "it is not a BMP file";
        QTest::newRow("random bytes gif") << "r.gif" << QByteArray(500, '\x5a') << "";
        QTest::newRow("zero length jpeg") << "z.jpg" << QByteArray() << "";
        QTest::newRow("name typed wrong") << "missing.jpg" << QByteArray() << "missing.jpg\" does not exist.";
    }
    void failuresAreReportedAndLeaveTheArea()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, why);
        TProgram p;
        ClickArea(*p.form, 1);
        const QImage before = QuarterPicture(5, 5);
        p.form->Cover().PlaceImage(1, before);
        p.chooser.Answer = p.Save(name, bytes);
        if (name.startsWith("missing"))
            QFile::remove(p.chooser.Answer);
        Ui(*p.form).ChangeButton()->click();
        QCOMPARE(p.messages.Boxes.size(), 1);
        QCOMPARE(p.messages.Boxes[0].caption, QStringLiteral("Error"));
        const QString text = p.messages.Boxes[0].text;
        QVERIFY2(text.startsWith(QStringLiteral("Error loading image\n\n")) && text.size() > 21 &&
                     text.contains(why),
                 qPrintable(text));
        QCOMPARE(p.Doc().GetPicture(1), before);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr); // busy cursor gone
    }

    void cancelLeavesTheAreaAndRefreshesThePanel()
    {
        TProgram p;
        ClickArea(*p.form, 1);
        const QImage pic = QuarterPicture(5, 5);
        p.form->Cover().PlaceImage(1, pic);
        QVERIFY(Ui(*p.form).ClearButton()->isEnabled()); // the panel follows the placing
        Ui(*p.form).ChangeButton()->click();
        QCOMPARE(p.chooser.Asked, 1);
        QCOMPARE(p.Doc().GetPicture(1), pic);
        QVERIFY(p.messages.Boxes.isEmpty());
        QVERIFY(Ui(*p.form).ClearButton()->isEnabled());
    }

    void nothingSelectedAsksNothing()
    {
        TProgram p;
        Ui(*p.form).ChangeButton()->click();
        QCOMPARE(p.chooser.Asked, 0);
    }

    void userDefinedAreaKeepsOffsetAndZoom()
    {
        TProgram p;
        ClickArea(*p.form, 1);
        p.Doc().SetStretch(1, false);
        p.Doc().SetOffset(1, TPoint{30, 40});
        p.Doc().SetZoom(1, 0.7);
        p.chooser.Answer = p.Save("p.jpg", WriteJpeg(QuarterPicture(40, 30)));
        Ui(*p.form).ChangeButton()->click();
        QCOMPARE(p.Doc().GetPicture(1).size(), QSize(40, 30));
        QCOMPARE(p.Doc().GetOffset(1), (TPoint{30, 40}));
        QCOMPARE(p.Doc().GetZoom(1), 0.7);
        QVERIFY(!p.Doc().GetStretch(1) && !p.Doc().GetAutosize(1));
    }

    void doubleClickOnTheAreaRunsChange()
    {
        TProgram p;
        QVERIFY(QTest::qWaitForWindowExposed(p.form.get()));
        p.chooser.Answer = p.Save("d.bmp", WriteBmp(QuarterPicture(6, 6)));
        const TRect r = Ui(*p.form).CoverView()->AreaRect()[1];
        const QPoint inside((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        QTest::mouseClick(Ui(*p.form).CoverView(), Qt::LeftButton, Qt::NoModifier, inside);
        QTest::mouseDClick(Ui(*p.form).CoverView(), Qt::LeftButton, Qt::NoModifier, inside);
        QCOMPARE(p.chooser.Asked, 1);
        QCOMPARE(p.Doc().GetPicture(1).size(), QSize(6, 6));
    }

    void aHelperThatHangsIsGivenUpWhileTheWindowPaints_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::addColumn<QString>("why");
        QTest::addColumn<int>("withinMs");
        QTest::newRow("hung") << false << "longer than 2 seconds" << 10000;
        QTest::newRow("Escape pressed") << true << "cancelled" << 2000;
    }
    void aHelperThatHangsIsGivenUpWhileTheWindowPaints()
    {
        QFETCH(bool, escape);
        QFETCH(QString, why);
        QFETCH(int, withinMs);
        TProgram p;
        QTemporaryDir stub;
        const QString helper = stub.filePath(QStringLiteral("velmora-metafile"));
        WriteBytes(helper, "#!/bin/sh\nsleep 30\n");
        QFile::setPermissions(helper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        TMetafileGraphic::SetHelperDir(stub.path());
        ClickArea(*p.form, 1);
        p.chooser.Answer = p.Save(QStringLiteral("slow.wmf"), WriteWmf(1, 1, Qt::red));

        struct TPaints : QObject
        {
            int Count = 0;
            bool eventFilter(QObject *, QEvent *e) override { return Count += e->type() == QEvent::Paint, false; }
        } paints;
        Ui(*p.form).CoverView()->installEventFilter(&paints);
        QTimer repaint;
        connect(&repaint, &QTimer::timeout, Ui(*p.form).CoverView(), qOverload<>(&QWidget::update));
        repaint.start(30);
        if (escape)
            QTimer::singleShot(300, p.form.get(), [&] {
                QCoreApplication::postEvent(p.form.get(),
                                            new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
            });
        QElapsedTimer clock;
        clock.start();
        Ui(*p.form).ChangeButton()->click();
        const qint64 took = clock.elapsed();
        TMetafileGraphic::SetHelperDir(p.dir.path());
        QVERIFY2(took < withinMs, qPrintable(QString::number(took)));
        QVERIFY(paints.Count > 0);
        QCOMPARE(p.messages.Boxes.size(), 1);
        QVERIFY2(p.messages.Boxes[0].text.contains(why), qPrintable(p.messages.Boxes[0].text));
        QVERIFY(p.Doc().GetPicture(1).isNull());
    }

    void previewsAreDecodedOffTheUserInterfaceThread()
    {
        QTemporaryDir dir;
        const auto save = [&](const char *name, const QByteArray &bytes) {
            WriteBytes(dir.filePath(QLatin1String(name)), bytes);
            return dir.filePath(QLatin1String(name));
        };
        TOpenPictureDialog dialog(nullptr);
        dialog.ShowPreview(save("p.jpg", WriteJpeg(QuarterPicture(400, 300))));
        QVERIFY(dialog.Preview()->pixmap().isNull()); // shown once decoded, never before
        QTRY_COMPARE(dialog.Preview()->pixmap().size(), QSize(176, 132));
        // The file chosen last wins over one still decoding.
        dialog.ShowPreview(save("big.jpg", WriteJpeg(QuarterPicture(3000, 2000))));
        dialog.ShowPreview(dir.filePath(QStringLiteral("missing.jpg")));
        QTest::qWait(500);
        QVERIFY(dialog.Preview()->pixmap().isNull());
    }
};

QTEST_MAIN(TestChangePicture)
#include "tst_changepicture.moc"
