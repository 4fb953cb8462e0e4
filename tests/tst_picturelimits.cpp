// SPDX-License-Identifier: GPL-3.0-or-later
// Files made to be awkward: each is placed or refused, with its work bounded
// where it is spent (entries decoded, scans read, rows decoded); valid files
// at the edges of the limits load, and metafiles draw as made by hand.
#include "GifWriter.h"
#include "IconGraphic.h"
#include "JpegGraphic.h"
#include "LargeBitmap.h"
#include "PictureTest.h"
#include "SampleFiles.h"
#include "VelmoraError.h"

#include <QFile>
#include <QTest>
#include <tiffio.h>
#include <QtEndian>

namespace {

// The BMP stored top-down: the rows in the other order, the height negative.
QByteArray TopDownBmp(const QImage &picture)
{
    QByteArray bmp = WriteBmp(picture.mirrored());
    qToLittleEndian<qint32>(-picture.height(), bmp.data() + 22);
    return bmp;
}

// The JPEG cut at the middle of its last scan, with an end marker after it
// when asked.
QByteArray CutShort(const QByteArray &jpeg, bool endMarker)
{
    const qsizetype sos = jpeg.lastIndexOf("\xFF\xDA");
    return jpeg.left(sos + (jpeg.size() - sos) / 2) + (endMarker ? "\xFF\xD9" : "");
}

QByteArray GifFrameAt(int left, int width)
{
    TGifFrame frame;
    frame.Left = left;
    frame.Width = width;
    frame.Height = 1;
    frame.Indices.assign(size_t(width), 1);
    return WriteGif(0, 0, {qRgb(255, 255, 255), qRgb(255, 0, 0)}, {frame});
}

// A little-endian TIFF's first directory entry for tag given its value
// at index: inline for one short, else in the array it points at.
QByteArray PatchTiff(QByteArray tiff, quint16 tag, int index, quint32 value)
{
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(tiff.constData() + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(tiff.constData() + at); };
    const qsizetype ifd = u32(4);
    for (int i = 0; i < u16(ifd); ++i) {
        const qsizetype entry = ifd + 2 + 12 * i;
        if (u16(entry) != tag)
            continue;
        if (u16(entry + 2) == 3 && u32(entry + 4) == 1) // one short
            qToLittleEndian<quint16>(quint16(value), tiff.data() + entry + 8);
        else if (u32(entry + 4) == 1)
            qToLittleEndian<quint32>(value, tiff.data() + entry + 8);
        else
            qToLittleEndian<quint32>(value, tiff.data() + u32(entry + 8) + 4 * index);
    }
    return tiff;
}

QList<QRect> Dots(int count)
{
    QList<QRect> dots;
    for (int i = 0; i < count; ++i)
        dots << QRect(i % 3000, (i / 3000) * 10, 1, 1);
    return dots;
}

} // namespace

class TestPictureLimits : public TPictureTest
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { RegisterKinds(); }

    void awkwardFilesArePlacedOrRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("placed");
        QTest::addColumn<QString>("why"); // what a refusal says, where it matters
        const QByteArray jpeg = WriteJpeg(QuarterPicture(64, 64));
        QByteArray dib = WriteIco({QuarterPicture(32, 32)});
        dib[6] = dib[7] = char(16); // the directory says 16, the bitmap 32
        QTest::newRow("top-down bmp") << "down.bmp" << TopDownBmp(QuarterPicture(64, 48)) << true << QString();
        QTest::newRow("36 MP bmp, above Qt's own limit")
            << "large.bmp" << WriteBmp(SolidPicture(6000, 6000, Qt::gray)) << true << QString();
        QTest::newRow("256 icon entries lying about one huge picture")
            << "lies.ico"
            << WriteIconPointingAt(WritePng(SolidPicture(5600, 5600, Qt::blue)), 256, 256) << false << QString();
        QTest::newRow("honest png icon")
            << "png.ico" << WriteIconPointingAt(WritePng(SolidPicture(256, 256, Qt::green)), 3, 256)
            << true << QString();
        QTest::newRow("icon bitmap disagreeing") << "dib.ico" << dib << false << QString();
        QTest::newRow("stray bytes before a marker")
            << "junk.jpg" << jpeg.left(2) + "junk" + jpeg.mid(2) << true << QString();
        QTest::newRow("jpeg cut, end marker") << "cut.jpg" << CutShort(jpeg, true) << false << QString();
        QTest::newRow("progressive cut, end marker")
            << "cut.jpg"
            << CutShort(WriteJpeg(QuarterPicture(64, 64), JpegFlavour::Progressive), true) << false << QString();
        QTest::newRow("30,000-element wmf")
            << "many.wmf" << WriteWmfShapes(3000, 3000, Dots(30000), Qt::black) << false << QString();
        QTest::newRow("30,000-element emf")
            << "many.emf" << WriteEmfShapes(2646, 2646, Dots(30000), Qt::black, 0, QColor())
            << false << QString();
        QTest::newRow("2,000-element wmf")
            << "some.wmf" << WriteWmfShapes(3000, 3000, Dots(2000), Qt::black) << true << QString();
        QTest::newRow("gif frame at the edge") << "edge.gif" << GifFrameAt(32766, 1) << true << QString();
        QTest::newRow("gif frame at 32767") << "far.gif" << GifFrameAt(32767, 1) << false
                                            << "Picture too large";
        QTest::newRow("gif frame too wide") << "wide.gif" << GifFrameAt(1, 32767) << false << QString();
        TGifFrame line;
        line.Width = 65535;
        line.Height = 1;
        line.Indices.assign(65535, 1);
        QTest::newRow("gif 65535 x 1")
            << "side.gif" << WriteGif(65535, 1, {qRgb(255, 255, 255), qRgb(255, 0, 0)}, {line})
            << false << "Picture too large";
    }
    void awkwardFilesArePlacedOrRefused()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, placed);
        QFETCH(QString, why);
        QString reason;
        const std::unique_ptr<TGraphic> picture = LoadPicture(Save(name, bytes), &reason);
        QCOMPARE(bool(picture), placed);
        if (!why.isEmpty())
            QCOMPARE(reason, why);
        if (name == QLatin1String("down.bmp")) // top left stays top left
            QVERIFY(Near(picture->ToBitmap().pixel(10, 10), Qt::red, 0));
        QFile::remove(m_dir.filePath(name));
    }

    void onlyPlainFilesWithinTheCapAreRead()
    {
#ifdef Q_OS_UNIX
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), m_dir.filePath("endless.jpg")));
        QVERIFY(!LoadPicture(m_dir.filePath("endless.jpg")));
#endif
        QFile big(m_dir.filePath("big.bmp")); // sparse: the size without the bytes
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(MaxPictureFileBytes + 1));
        big.close();
        QVERIFY(!LoadPicture(big.fileName()));
        big.remove();
    }

    void bitmapsReadTheirMasksAndAreRefusedWhenCut()
    {
        // 2 x 1 pixels of 32 bits with 10-bit channels, as some scanners write.
        Bytes bmp;
        bmp.data += "BM";
        bmp.U32(14 + 40 + 12 + 8);
        bmp.U32(0);
        bmp.U32(14 + 40 + 12);
        for (const quint32 v : {40u, 2u, 1u}) // header size, width, height
            bmp.U32(v);
        bmp.U16(1);
        bmp.U16(32);
        bmp.U32(3); // BI_BITFIELDS
        for (int i = 0; i < 5; ++i)
            bmp.U32(0);
        for (const quint32 mask : {0x3FF00000u, 0x000FFC00u, 0x000003FFu})
            bmp.U32(mask);
        bmp.U32(1023u << 20 | 512u); // red at full, blue at half
        bmp.U32(1023u << 10);        // green at full
        const std::unique_ptr<TGraphic> masked = LoadPicture(Save("masks.bmp", bmp.data));
        QVERIFY(masked);
        QCOMPARE(QColor(masked->ToBitmap().pixel(0, 0)), QColor(255, 0, 128));
        QCOMPARE(QColor(masked->ToBitmap().pixel(1, 0)), QColor(0, 255, 0));

        // 256 MB of pixels declared, a megabyte missing: refused from the
        // headers, before a byte of bitmap is allocated.
        QByteArray head = WriteBmp(SolidPicture(1, 1, Qt::red)).left(54);
        qToLittleEndian<qint32>(8000, head.data() + 18);
        qToLittleEndian<qint32>(8000, head.data() + 22);
        qToLittleEndian<quint16>(32, head.data() + 28);
        QFile cut(Save("cut.bmp", head));
        QVERIFY(cut.open(QIODevice::ReadWrite) && cut.resize(54 + 8000LL * 8000 * 4 - (1 << 20)));
        cut.close();
        const qint64 before = AllocatedBitmapBytes();
        QVERIFY(!LoadPicture(cut.fileName()));
        QCOMPARE(AllocatedBitmapBytes(), before);
        cut.remove();
    }

    // A PNG is read to its last row and no further, eight bits a channel
    // whatever its depth.
    void pngEndsWithItsRowsAndTakesFourBytesAPixel()
    {
        // 8 x 8 rows, then 64 MB of rows that do not exist in a few kB, the
        // last of them damaged: a reader that went on would fail there.
        QByteArray on = WritePngRunningOn(8, 8, 90, 64LL << 20);
        on[on.size() - 12 - 4 - 20] ^= char(0xFF); // before IDAT's checksum and IEND
        const std::unique_ptr<TGraphic> runsOn = LoadPicture(Save("on.png", on));
        QVERIFY(runsOn);
        QCOMPARE(runsOn->ToBitmap().size(), QSize(8, 8));
        QVERIFY(Near(runsOn->ToBitmap().pixel(4, 4), QColor(90, 90, 90), 0));

        QImage deep(300, 200, QImage::Format_RGBA64);
        deep.fill(QColor::fromRgba64(0x1234, 0x8000, 0xFFFF, 0xFFFF));
        const qint64 before = AllocatedBitmapBytes();
        const std::unique_ptr<TGraphic> sixteen = LoadPicture(Save("deep.png", WritePng(deep)));
        QVERIFY(sixteen);
        QCOMPARE(AllocatedBitmapBytes() - before, qint64(300 * 200 * 4));
        QVERIFY(Near(sixteen->ToBitmap().pixel(10, 10), QColor(0x12, 0x80, 0xFF), 1));
    }

    // What Qt's TIFF reader refuses or holds at eight bytes a pixel, libtiff
    // reads at four: small tiles, sixteen bits a channel.
    void tiffOfTilesAndDeepChannels_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<int>("bits");
        QTest::newRow("16-pixel tiles") << 16 << 8;
        QTest::newRow("16 bits a channel") << 0 << 16;
        QTest::newRow("both") << 16 << 16;
    }
    void tiffOfTilesAndDeepChannels()
    {
        QFETCH(int, tile);
        QFETCH(int, bits);
        const QImage picture = QuarterPicture(40, 30);
        const qint64 before = AllocatedBitmapBytes();
        const std::unique_ptr<TGraphic> tiff =
            LoadPicture(Save("t.tif", WriteTiffWithLibtiff(picture, tile, bits)));
        QVERIFY(tiff);
        QCOMPARE(AllocatedBitmapBytes() - before, qint64(40 * 30 * 4));
        const QImage shown = tiff->ToBitmap();
        QCOMPARE(shown.size(), QSize(40, 30));
        for (const QPoint at : {QPoint(5, 5), QPoint(35, 5), QPoint(5, 25), QPoint(35, 25)})
            QVERIFY(Near(shown.pixel(at), picture.pixelColor(at), 2));
        // Turned upright as a phone's portrait is: a quarter clockwise.
        const std::unique_ptr<TGraphic> turned =
            LoadPicture(Save("r.tif", WriteTiffWithLibtiff(picture, tile, bits, 6)));
        QVERIFY(turned);
        QCOMPARE(turned->ToBitmap().size(), QSize(30, 40));
        QVERIFY(Near(turned->ToBitmap().pixel(3, 3), picture.pixelColor(3, 27), 2));
    }

    // A TIFF that libtiff cannot read whole is refused with the problem
    // named, never placed with a tile half read.
    void tiffsThatDoNotReadWholeAreRefused_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("why");
        const QImage picture = QuarterPicture(40, 30);
        const QByteArray tiled = WriteTiffWithLibtiff(picture, 16, 8);
        QTest::newRow("tile past the end")
            << PatchTiff(tiled, TIFFTAG_TILEOFFSETS, 5, quint32(tiled.size() + 4096))
            << "TIFF error: part of the picture lies past the end of the file";
        QTest::newRow("8-bit LogLuv")
            << PatchTiff(PatchTiff(WriteTiffWithLibtiff(picture, 0, 8), TIFFTAG_PHOTOMETRIC, 0,
                                   PHOTOMETRIC_LOGLUV),
                         TIFFTAG_COMPRESSION, 0, COMPRESSION_SGILOG)
            << "TIFF error: LogLuv";
    }
    void tiffsThatDoNotReadWholeAreRefused()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, why);
        QString reason;
        QVERIFY(!LoadPicture(Save("bad.tif", file), &reason));
        QVERIFY2(reason.startsWith(why), qPrintable(reason));
    }

    void emfAnsiTextKeepsItsAccents()
    {
        // Characters above 0x7F of 8-bit text: "é©é©" draws, not four blanks.
        const std::unique_ptr<TGraphic> picture =
            LoadPicture(Save("accents.emf", WriteEmfAnsiText("\xe9\xa9\xe9\xa9")));
        QVERIFY(picture);
        const QImage b = picture->ToBitmap();
        int ink = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                ink += qGray(b.pixel(x, y)) < 128;
        QVERIFY2(ink > 40, qPrintable(QString::number(ink)));
    }

    void workIsBoundWhereItIsSpent()
    {
        LoadPicture(Save(
            "lies.ico", WriteIconPointingAt(WritePng(SolidPicture(600, 600, Qt::blue)), 256, 256)));
        QCOMPARE(TIconGraphic::LastImagesDecoded, 0);

        // Cut short: refused before every row is decoded, with or without
        // an end marker after the cut.
        for (const bool endMarker : {true, false}) {
            TJpegProgress progress;
            QVERIFY_THROWS_EXCEPTION(
                EVelmoraError, DecodeJpeg(CutShort(WriteJpeg(QuarterPicture(512, 512)), endMarker),
                                          {}, &progress));
            QVERIFY(progress.Rows < 512);
        }
        // 190 scans: scans times pixels bound the work, before any row.
        const QByteArray many = WriteJpeg(QuarterPicture(256, 256), JpegFlavour::ManyScans, 90);
        TJpegProgress progress;
        QCOMPARE(DecodeJpeg(many, {}, &progress).size(), QSize(256, 256));
        TJpegLimits tight;
        tight.MaxScanPixels = 20LL * 256 * 256;
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, DecodeJpeg(many, tight, &progress));
        QVERIFY(progress.Scans <= 21 && progress.Rows == 0);
        TJpegLimits little;
        little.MaxDecoderMemory = 256 * 1024; // below what the coefficients need
        const QByteArray progressive =
            WriteJpeg(QuarterPicture(1024, 1024), JpegFlavour::Progressive);
        try {
            DecodeJpeg(progressive, little);
            QFAIL("decoded beyond its memory");
        } catch (const EVelmoraError &e) {
            QVERIFY2(e.Text().contains(QStringLiteral("more memory")), qPrintable(e.Text()));
        }
        // Within what the promise leaves, as decoded by default.
        QCOMPARE(DecodeJpeg(progressive).size(), QSize(1024, 1024));
    }

    void metafilesDrawAsMadeByHand_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QPoint>>("inked");
        QTest::addColumn<QList<QPoint>>("blank");
        // One inch at 96 dpi; the square leaves a tenth of the frame free.
        QTest::newRow("placeable wmf keeps its frame")
            << "margin.wmf" << WriteWmfShapes(1440, 1440, {QRect(144, 144, 1152, 1152)}, Qt::blue)
            << QList<QPoint>{{12, 12}, {83, 83}}
            << QList<QPoint>{{5, 48}, {48, 5}, {90, 48}, {48, 90}};
        // 2000 units over 96 pixels: the L's strokes at 19.2 and 76.8 pixels,
        // its inside (under the diagonal a filled polyline would close) blank,
        // the bitmap red from 48 to 67.2 pixels; the text with "&", "<" and
        // "é" loads at all.
        QTest::newRow("wmf clip-art: mapping mode, polyline, text")
            << "clipart.wmf" << WriteWmfClipArt() << QList<QPoint>{{19, 48}, {48, 77}, {19, 70}}
            << QList<QPoint>{{30, 60}, {40, 65}, {60, 70}, {90, 90}};
        // 100 pixels square; a square outlined with a pen 8 pixels wide.
        for (const int scale : {1, 20})
            QTest::newRow(scale == 1 ? "emf CREATEPEN" : "emf geometric pen, 20 units a pixel")
                << "pen.emf"
                << WriteEmfShapes(2646, 2646, {QRect(20, 20, 60, 60)}, QColor(), 8, Qt::blue, scale)
                << QList<QPoint>{{20, 50}, {22, 50}, {50, 17}, {79, 50}}
                << QList<QPoint>{{50, 50}, {10, 10}, {50, 30}};
    }
    void metafilesDrawAsMadeByHand()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QPoint>, inked);
        QFETCH(QList<QPoint>, blank);
        const std::unique_ptr<TGraphic> picture = LoadPicture(Save(name, bytes));
        QVERIFY(picture);
        const QImage b = picture->ToBitmap();
        for (const QPoint at : inked)
            QVERIFY2(Near(b.pixel(at), name.startsWith("clip") ? Qt::black : Qt::blue, 60),
                     qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));
        for (const QPoint at : blank)
            QVERIFY(Near(b.pixel(at), Qt::white, 40));
        if (name == QLatin1String("clipart.wmf"))
            QVERIFY(Near(b.pixel(57, 57), Qt::red, 60));
    }
};

QTEST_MAIN(TestPictureLimits)
#include "tst_picturelimits.moc"
