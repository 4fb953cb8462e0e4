// SPDX-License-Identifier: GPL-3.0-or-later
// Files made to be awkward: each is placed or refused, with its work bounded
// where it is spent (entries decoded, scans read, rows decoded), and valid
// files at the edges of the limits load.
#include "GifSupport.h"
#include "GifWriter.h"
#include "IconGraphic.h"
#include "JpegGraphic.h"
#include "MetafileGraphic.h"
#include "PictureLoading.h"
#include "PictureTest.h"
#include "SampleFiles.h"
#include "TestFiles.h"
#include "VelmoraError.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// The BMP turned top-down: rows in the other order, the height negative.
QByteArray TopDown(const QByteArray &bmp)
{
    const int offset = qFromLittleEndian<qint32>(bmp.constData() + 10);
    const int width = qFromLittleEndian<qint32>(bmp.constData() + 18);
    const int height = qFromLittleEndian<qint32>(bmp.constData() + 22);
    const int bits = qFromLittleEndian<quint16>(bmp.constData() + 28);
    const int stride = (width * bits / 8 + 3) / 4 * 4;
    QByteArray out = bmp.left(offset);
    for (int y = height - 1; y >= 0; --y)
        out += bmp.mid(offset + y * stride, stride);
    qToLittleEndian<qint32>(-height, out.data() + 22);
    return out;
}

// A 24-bit BMP header for a picture of that size; the pixels are zeros.
QByteArray LargeBmp(int width, int height)
{
    const qint64 stride = (qint64(width) * 3 + 3) / 4 * 4;
    QByteArray bmp(54, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(quint32(54 + stride * height), bmp.data() + 2);
    qToLittleEndian<quint32>(54, bmp.data() + 10);
    qToLittleEndian<quint32>(40, bmp.data() + 14);
    qToLittleEndian<qint32>(width, bmp.data() + 18);
    qToLittleEndian<qint32>(height, bmp.data() + 22);
    qToLittleEndian<quint16>(1, bmp.data() + 26);
    qToLittleEndian<quint16>(24, bmp.data() + 28);
    bmp.append(QByteArray(qsizetype(stride * height), '\0'));
    return bmp;
}

// The JPEG with its entropy data cut at the middle of the last scan, and,
// when asked, an end marker after it.
QByteArray CutShort(const QByteArray &jpeg, bool endMarker)
{
    const qsizetype sos = jpeg.lastIndexOf("\xFF\xDA");
    QByteArray cut = jpeg.left(sos + (jpeg.size() - sos) / 2);
    if (endMarker)
        cut += "\xFF\xD9";
    return cut;
}

} // namespace

class TestPictureLimits : public TPictureTest
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { RegisterKinds(); }

    void onlyPlainFilesWithinTheCapAreRead()
    {
#ifdef Q_OS_UNIX
        const QString endless = m_dir.filePath("endless.jpg");
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), endless));
        QVERIFY(!LoadPicture(endless));
#endif
        // Sparse: the size is there without the bytes.
        QFile big(m_dir.filePath("big.bmp"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write("BM");
        QVERIFY(big.resize(MaxPictureFileBytes + 1));
        big.close();
        QVERIFY(!LoadPicture(big.fileName()));
        big.remove();
    }

    void validBitmapsAtTheEdgesLoad()
    {
        const std::unique_ptr<TGraphic> topDown =
            LoadPicture(Save("down.bmp", TopDown(WriteBmp(QuarterPicture(64, 48)))));
        QVERIFY(topDown);
        QCOMPARE(topDown->Width(), 64);
        QCOMPARE(topDown->Height(), 48);
        QVERIFY(Near(topDown->ToBitmap().pixel(10, 10), Qt::red, 0)); // top left stays top left
        // 36 megapixels: above Qt's own allocation limit, within the program's.
        const std::unique_ptr<TGraphic> large =
            LoadPicture(Save("large.bmp", LargeBmp(6000, 6000)));
        QVERIFY(large);
        QCOMPARE(large->Width(), 6000);
        QFile::remove(m_dir.filePath("large.bmp"));
    }

    void iconTakesOnlyItsLargestDeclaredEntry()
    {
        // 256 entries all pointing at one 5600 x 5600 picture that claims
        // to be 256 x 256: refused without decoding anything.
        QImage huge(5600, 5600, QImage::Format_RGB32);
        huge.fill(Qt::blue);
        QVERIFY(!LoadPicture(Save("lies.ico", WriteIconPointingAt(WritePng(huge), 256, 256))));
        QCOMPARE(TIconGraphic::LastImagesDecoded, 0);

        QImage honest(256, 256, QImage::Format_ARGB32);
        honest.fill(Qt::green);
        const std::unique_ptr<TGraphic> icon =
            LoadPicture(Save("png.ico", WriteIconPointingAt(WritePng(honest), 3, 256)));
        QVERIFY(icon);
        QCOMPARE(icon->Width(), 256);
        QCOMPARE(TIconGraphic::LastImagesDecoded, 1);

        // A bitmap entry whose header disagrees with the directory.
        QByteArray lying = WriteIco({QuarterPicture(32, 32)});
        lying[6] = lying[7] = char(16);
        QVERIFY(!LoadPicture(Save("dib.ico", lying)));
    }

    void jpegCutShortIsRefusedBeforeItIsDecodedWhole_data()
    {
        QTest::addColumn<int>("flavour");
        QTest::addColumn<bool>("endMarker");
        QTest::newRow("baseline, end marker") << int(JpegFlavour::Colour) << true;
        QTest::newRow("baseline, no end") << int(JpegFlavour::Colour) << false;
        QTest::newRow("progressive, end marker") << int(JpegFlavour::Progressive) << true;
        QTest::newRow("progressive CMYK, no end") << int(JpegFlavour::AdobeCmyk) << false;
    }
    void jpegCutShortIsRefusedBeforeItIsDecodedWhole()
    {
        QFETCH(int, flavour);
        QFETCH(bool, endMarker);
        QImage picture = QuarterPicture(512, 512);
        const QByteArray whole = WriteJpeg(picture, JpegFlavour(flavour), 90);
        TJpegProgress progress;
        QVERIFY_THROWS_EXCEPTION(EVelmoraError,
                                 DecodeJpeg(CutShort(whole, endMarker), {}, &progress));
        QVERIFY2(progress.Rows < 512, qPrintable(QString::number(progress.Rows)));
        QVERIFY(!DecodeJpeg(whole).isNull());
    }

    void harmlessJpegWarningsStillLoad()
    {
        QByteArray jpeg = WriteJpeg(QuarterPicture(64, 64));
        jpeg.insert(2, "junk"); // stray bytes before the first marker after SOI
        QCOMPARE(DecodeJpeg(jpeg).size(), QSize(64, 64));
    }

    void jpegWorkIsBoundByScansTimesPixels()
    {
        const QByteArray many = WriteJpeg(QuarterPicture(256, 256), JpegFlavour::ManyScans, 90);
        TJpegProgress progress;
        QCOMPARE(DecodeJpeg(many, {}, &progress).size(), QSize(256, 256));
        QCOMPARE(progress.Scans, 190);

        TJpegLimits tight;
        tight.MaxScanPixels = 20LL * 256 * 256; // 20 passes over the picture
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, DecodeJpeg(many, tight, &progress));
        QVERIFY(progress.Scans <= 21);
        QCOMPARE(progress.Rows, 0); // refused before its bitmap existed

        TJpegLimits little;
        little.MaxDecoderMemory = 256 * 1024; // below what the coefficients need
        QVERIFY_THROWS_EXCEPTION(
            EVelmoraError,
            DecodeJpeg(WriteJpeg(QuarterPicture(1024, 1024), JpegFlavour::Progressive), little));
    }

    void placeableWmfKeepsItsFrame()
    {
        // One inch at 96 dpi; the square leaves a tenth of the frame free
        // on every side.
        const QByteArray wmf = WriteWmfShapes(1440, 1440, {QRect(144, 144, 1152, 1152)}, Qt::red);
        const std::unique_ptr<TGraphic> picture = LoadPicture(Save("margin.wmf", wmf));
        QVERIFY(picture);
        const QImage b = picture->ToBitmap();
        QCOMPARE(b.size(), QSize(96, 96));
        const struct
        {
            QPoint at;
            Qt::GlobalColor colour;
        } reference[] = {{{5, 48}, Qt::white},  {{48, 5}, Qt::white}, {{90, 48}, Qt::white},
                         {{48, 90}, Qt::white}, {{12, 12}, Qt::red},  {{83, 83}, Qt::red},
                         {{48, 48}, Qt::red}};
        for (const auto &r : reference)
            QVERIFY2(Near(b.pixel(r.at), r.colour, 40),
                     qPrintable(QStringLiteral("%1,%2").arg(r.at.x()).arg(r.at.y())));
    }

    void emfOutlinesKeepTheirPenWidth_data()
    {
        QTest::addColumn<int>("logicalScale");
        QTest::newRow("CREATEPEN in pixels") << 1;
        QTest::newRow("geometric pen, 20 units a pixel") << 20;
    }
    void emfOutlinesKeepTheirPenWidth()
    {
        QFETCH(int, logicalScale);
        // 100 x 100 pixels; an unfilled square outlined by a pen 8 pixels wide.
        const QByteArray emf = WriteEmfShapes(2646, 2646, {QRect(20, 20, 60, 60)}, QColor(), 8,
                                              Qt::blue, logicalScale);
        const std::unique_ptr<TGraphic> picture = LoadPicture(Save("pen.emf", emf));
        QVERIFY(picture);
        const QImage b = picture->ToBitmap();
        QCOMPARE(b.size(), QSize(100, 100));
        for (const QPoint on : {QPoint(20, 50), QPoint(22, 50), QPoint(50, 17), QPoint(79, 50)})
            QVERIFY2(Near(b.pixel(on), Qt::blue, 60),
                     qPrintable(QStringLiteral("%1,%2").arg(on.x()).arg(on.y())));
        for (const QPoint off : {QPoint(50, 50), QPoint(10, 10), QPoint(50, 30)})
            QVERIFY(Near(b.pixel(off), Qt::white, 40));
    }

    void metafilesOfTooManyElementsAreRefusedBeforeDrawing()
    {
        QList<QRect> many;
        for (int i = 0; i < 30000; ++i)
            many << QRect(i % 3000, (i / 3000) * 10, 1, 1);
        QVERIFY(!LoadPicture(Save("many.wmf", WriteWmfShapes(3000, 3000, many, Qt::black))));
        QVERIFY(!LoadPicture(
            Save("many.emf", WriteEmfShapes(2646, 2646, many, Qt::black, 0, QColor()))));
        QList<QRect> some = many.mid(0, 2000);
        QVERIFY(LoadPicture(Save("some.wmf", WriteWmfShapes(3000, 3000, some, Qt::black))));
    }

    void gifFramePastTheLargestSideIsRefused_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("loads");
        QTest::newRow("at the edge") << 32766 << 1 << true;
        QTest::newRow("starting at 32767") << 32767 << 1 << false;
        QTest::newRow("wider than the limit") << 1 << 32767 << false;
    }
    void gifFramePastTheLargestSideIsRefused()
    {
        QFETCH(int, left);
        QFETCH(int, width);
        QFETCH(bool, loads);
        TGifFrame frame;
        frame.Left = left;
        frame.Width = width;
        frame.Height = 1;
        frame.Indices.assign(size_t(width), 1);
        // A logical screen of 0 x 0: the frame alone decides the size.
        const QByteArray gif = WriteGif(0, 0, {qRgb(255, 255, 255), qRgb(255, 0, 0)}, {frame});
        QCOMPARE(bool(LoadPicture(Save("wide.gif", gif))), loads);
    }
};

QTEST_MAIN(TestPictureLimits)
#include "tst_picturelimits.moc"
