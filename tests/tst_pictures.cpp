// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColourReference.h"
#include "CoverDocuments.h"
#include "ExifOrientation.h"
#include "GifSupport.h"
#include "GraphicKinds.h"
#include "IconGraphic.h"
#include "JpegGraphic.h"
#include "MetafileGraphic.h"
#include "PictureLoading.h"
#include "PictureTest.h"
#include "SampleFiles.h"
#include "TestFiles.h"
#include "VelmoraError.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

QImage TMetafileGraphicOf(const QString &file)
{
    TMetafileGraphic picture;
    picture.LoadFromFile(file);
    return picture.ToBitmap();
}

template <typename Kind> bool Is(const std::unique_ptr<TGraphic> &g)
{
    return dynamic_cast<Kind *>(g.get()) != nullptr;
}

} // namespace

class TestPictures : public TPictureTest
{
    Q_OBJECT
private:
    void CheckQuarters(const QImage &img, int tolerance = 12)
    {
        const int w = img.width();
        const int h = img.height();
        QVERIFY(Near(img.pixel(w / 4, h / 4), Qt::red, tolerance));
        QVERIFY(Near(img.pixel(3 * w / 4, h / 4), Qt::green, tolerance));
        QVERIFY(Near(img.pixel(3 * w / 4, 3 * h / 4), Qt::blue, tolerance));
        QVERIFY(Near(img.pixel(w / 4, 3 * h / 4), Qt::yellow, tolerance));
    }

private Q_SLOTS:
    void initTestCase() { RegisterKinds(); }

    // A picture with a colour profile shows what the profile means: the
    // colours Little CMS makes of the file's values in sRGB, within 2 levels
    // (3 through a CMYK table).
    void profilesShowTheirColoursInSrgb_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("icc");
        const QByteArray p3 = QColorSpace(QColorSpace::DisplayP3).iccProfile();
        const QByteArray adobe = QColorSpace(QColorSpace::AdobeRgb).iccProfile();
        for (const char *kind : {"jpg", "png"}) {
            QTest::addRow("%s P3", kind) << QString(kind) << p3;
            QTest::addRow("%s Adobe RGB", kind) << QString(kind) << adobe;
        }
        QTest::newRow("tif P3") << "tif" << p3;
        QTest::newRow("webp P3") << "webp" << p3;
        QTest::newRow("CMYK jpg") << "cmyk" << MakeCmykProfile();
    }
    void profilesShowTheirColoursInSrgb()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, icc);
        const QList<QRgb> swatches = {qRgb(60, 160, 80), qRgb(200, 40, 40), qRgb(30, 60, 200),
                                      qRgb(128, 128, 128)};
        QImage picture(64 * int(swatches.size()), 64, QImage::Format_RGB32);
        for (int i = 0; i < swatches.size(); ++i)
            QPainter(&picture).fillRect(64 * i, 0, 64, 64, QColor(swatches[i]));
        QByteArray file;
        if (kind == "cmyk") {
            file = WriteJpeg(picture, JpegFlavour::AdobeCmyk, 100, icc);
        } else {
            picture.setColorSpace(QColorSpace::fromIccProfile(icc));
            QBuffer buffer(&file);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, kind.toLatin1());
            writer.setQuality(100);
            QVERIFY(writer.write(picture));
        }
        QString why;
        const auto loaded = LoadPictureBytes(file, kind == "cmyk" ? "jpg" : kind, &why);
        QVERIFY2(loaded, qPrintable(why));
        const QImage shown = loaded->ToBitmap();
        // What the file holds, as Qt reads it without converting.
        const QImage held = QImage::fromData(file);
        for (int i = 0; i < swatches.size(); ++i) {
            const QPoint centre(64 * i + 32, 32);
            // Adobe's CMYK keeps each channel's value as its inverted ink.
            const QRgb expected = LcmsToSrgb(icc, kind == "cmyk" ? swatches[i] : held.pixel(centre));
            const QRgb got = shown.pixel(centre);
            QVERIFY2(Near(got, QColor(expected), kind == "cmyk" ? 3 : 2),
                     qPrintable(QStringLiteral("%1: %2 for %3").arg(i).arg(got, 0, 16).arg(expected, 0, 16)));
        }
    }

    void kindsByUpperCasedExtension()
    {
        QCOMPARE(ExtractFileExt("photo.Jpeg"), QStringLiteral(".Jpeg"));
        QCOMPARE(ExtractFileExt("archive.tar.gif"), QStringLiteral(".gif"));
        QCOMPARE(ExtractFileExt("/some.dir/name"), QString());
        QCOMPARE(ExtractFileExt("C:\\some.dir\\name"), QString());
        QCOMPARE(ExtractFileExt("noextension"), QString());
        QCOMPARE(UpperCaseAscii(QString::fromUtf8("photo.jpé")), QString::fromUtf8("PHOTO.JPé"));
        for (const char *name : {"PHOTO.JPG", "photo.jpeg", "Photo.JpG"})
            QVERIFY(Is<TJpegGraphic>(PictureForExtension(UpperCaseAscii(ExtractFileExt(name)))));
        QVERIFY(Is<TBitmapGraphic>(PictureForExtension(".BMP")));
        QVERIFY(Is<TIconGraphic>(PictureForExtension(".ICO")));
        QVERIFY(Is<TMetafileGraphic>(PictureForExtension(".WMF")));
        QVERIFY(Is<TMetafileGraphic>(PictureForExtension(".EMF")));
        QVERIFY(Is<TMyGifImage>(PictureForExtension(".GIF")));
        QVERIFY(!PictureForExtension(".SVG"));
        QVERIFY(!PictureForExtension(""));
        QVERIFY(!PictureForExtension("GIF"));
        QCOMPARE(GraphicKinds().Find("gif")->Description, QStringLiteral("GIF file"));
    }

    void openFilterIsTheProgramsOwn()
    {
        QCOMPARE(
            QString::fromLatin1(OpenPictureFilter),
            QStringLiteral("All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;"
                           "*.emf;*.wmf;*.gif;*.png;*.webp;*.tif;*.tiff;*.jfif|JPEG Image File (*.jpg)|"
                           "*.jpg|JPEG Image File "
                           "(*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced "
                           "Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|GIF Image File "
                           "(*.gif)|*.gif|PNG Image File (*.png)|*.png|WebP Image File (*.webp)|"
                           "*.webp|TIFF Image File (*.tif;*.tiff)|*.tif;*.tiff"));
        const QStringList filters = QtNameFilters(QString::fromLatin1(OpenPictureFilter));
        QCOMPARE(filters.size(), 11);
        QVERIFY(filters[0].startsWith("All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf) ("));
        QVERIFY(filters[0].endsWith("*.[jJ][fF][iI][fF])"));
        QCOMPARE(filters[2], QStringLiteral("JPEG Image File (*.jpeg) (*.[jJ][pP][eE][gG])"));
        // As the dialog shows it: in the language's words, the first entry
        // naming every kind it takes.
        const QStringList german = QtNameFilters(OpenPictureFilterIn([](int n) {
            return n == 358 ? QStringLiteral("Alle") : n == 359 ? QStringLiteral("JPEG-Bilddatei") : QString::number(n);
        }));
        QCOMPARE(german.size(), 11);
        QVERIFY2(german[0].startsWith("Alle (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.gif;*.png;*.webp;"
                                      "*.tif;*.tiff;*.jfif) ("),
                 qPrintable(german[0]));
        QVERIFY(german[1].startsWith("JPEG-Bilddatei (*.jpg) ("));
        QVERIFY(german[3].startsWith("360 (*.bmp) ("));
        QVERIFY(QtNameFilters(OpenPictureFilterIn({}))[0].startsWith("All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.gif;"));
    }

    void qtKindsTurnUprightAndShowWhiteThroughAndRefuseWhatIsTooLarge()
    {
        RegisterKinds();
        const auto load = [&](const QString &name, const QByteArray &bytes) {
            QString why;
            auto picture = LoadPicture(Save(name, bytes), &why);
            return std::make_pair(picture ? picture->ToBitmap() : QImage(), why);
        };
        // Upright from the orientation, for TIFF and JPEG alike: red, green,
        // blue and yellow clockwise from the top left, turned a quarter
        // clockwise, put yellow at the top left.
        const QColor yellow(255, 255, 0), blue(0, 0, 255);
        const auto topLeft = [](const QImage &i) { return i.pixelColor(3, 3); };
        const auto near = [](const QColor &a, const QColor &b) {
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                       std::abs(a.blue() - b.blue()) < 60;
        };
        QVERIFY(near(topLeft(load("t6.tif", WriteTiff(QuarterPicture(40, 30), 6)).first), yellow));
        const QByteArray jpeg = WriteJpeg(QuarterPicture(40, 30));
        const QImage six = load("j6.jpg", WithExifOrientation(jpeg, 6)).first;
        QCOMPARE(six.size(), QSize(30, 40));
        QVERIFY(near(topLeft(six), yellow));
        QVERIFY(near(topLeft(load("j3.jpg", WithExifOrientation(jpeg, 3)).first), blue));
        QCOMPARE(load("j9.jpg", WithExifOrientation(jpeg, 9)).first.size(), QSize(40, 30));
        // Transparent parts come out white, as an icon's do.
        QImage alpha(8, 8, QImage::Format_ARGB32);
        alpha.fill(Qt::transparent);
        alpha.setPixelColor(1, 1, Qt::red);
        for (const auto &[name, bytes] : {std::pair<QString, QByteArray>{"a.png", WritePng(alpha)},
                                          {"a.webp", WriteWebp(alpha)},
                                          {"a.ico", WriteIco({alpha})}}) {
            const QImage bitmap = load(name, bytes).first;
            QCOMPARE(bitmap.pixelColor(5, 5), QColor(Qt::white));
            QCOMPARE(bitmap.pixelColor(1, 1), QColor(Qt::red));
        }
        // A declared size beyond the limit is refused before the pixels are
        // decoded.
        QByteArray huge = WritePng(QuarterPicture(4, 4));
        qToBigEndian<quint32>(40000, huge.data() + 16); // IHDR width and height
        qToBigEndian<quint32>(40000, huge.data() + 20);
        quint32 crc = 0xFFFFFFFFu; // over the chunk's type and data, as PNG sums it
        for (int i = 12; i < 29; ++i) {
            crc ^= quint8(huge[i]);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        qToBigEndian<quint32>(~crc, huge.data() + 29);
        QCOMPARE(load("huge.png", huge).second, QStringLiteral("Picture too large"));
        QVERIFY(load("noise.webp", "RIFF\x10\0\0\0WEBPVP8 garbage").second.contains("WEBP"));
        QVERIFY(load("cut.tif", WriteTiff(QuarterPicture(40, 30)).left(30)).first.isNull());
    }

    void jpegDecodesAtFullSize_data()
    {
        QTest::addColumn<int>("flavour");
        QTest::newRow("colour") << int(JpegFlavour::Colour);
        QTest::newRow("progressive") << int(JpegFlavour::Progressive);
        QTest::newRow("adobe cmyk") << int(JpegFlavour::AdobeCmyk);
    }
    void jpegDecodesAtFullSize()
    {
        QFETCH(int, flavour);
        const QString path = Save("q.jpg", WriteJpeg(QuarterPicture(64, 48), JpegFlavour(flavour)));
        TJpegGraphic g;
        g.LoadFromFile(path);
        QCOMPARE(g.Width(), 64);
        QCOMPARE(g.Height(), 48);
        QCOMPARE(g.ToBitmap().format(), QImage::Format_RGB32);
        CheckQuarters(g.ToBitmap());
        QVERIFY(g.Reduced().isNull()); // too small to be worth a second decode
    }

    // A large JPEG shows first from a copy decoded smaller, and is whole,
    // exactly as a plain decode gives it, once waited for: turned by its
    // EXIF data or not, baseline or progressive, and when its work was
    // stopped on the way (a later picture took its place) and finished here.
    void largeJpegShowsFirstAndIsWholeWhenWaitedFor()
    {
        // Noise keeps the file above a megabyte.
        QImage noise = QuarterPicture(2400, 1600);
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width(); ++x)
                if ((x * 7919 + y * 104729) % 13 < 6)
                    noise.setPixel(x, y, qRgb((x * 31) & 0xFF, (y * 17) & 0xFF, (x ^ y) & 0xFF));
        for (const int flavour : {int(JpegFlavour::Colour), int(JpegFlavour::Progressive)})
            for (const int orientation : {1, 6})
                for (const bool stop : {false, true}) {
                    const QByteArray plain = WriteJpeg(noise, JpegFlavour(flavour), 95);
                    const QByteArray jpeg =
                        orientation == 1 ? plain : WithExifOrientation(plain, orientation);
                    QVERIFY(jpeg.size() > (1 << 20));
                    TJpegGraphic g;
                    g.LoadFromFile(Save("large.jpg", jpeg));
                    const QSize upright = orientation == 1 ? QSize(2400, 1600) : QSize(1600, 2400);
                    QCOMPARE(QSize(g.Width(), g.Height()), upright);
                    // The smallest of 1/2, 1/4, 1/8 that keeps the side shown
                    // first: here a quarter.
                    QCOMPARE(TJpegGraphic::ShownFirstSide, 512);
                    QCOMPARE(g.Reduced().size(), upright / 4);
                    QVERIFY(g.Pending());
                    if (stop)
                        g.Pending()->Stop();
                    QCOMPARE(g.ToBitmap(), Upright(DecodeJpeg(jpeg), orientation));
                    QVERIFY(g.Pending()->IsWhole());
                }
    }

    void greyJpeg()
    {
        TJpegGraphic g;
        g.LoadFromFile(Save("g.jpg", WriteJpeg(QuarterPicture(32, 32), JpegFlavour::Grey)));
        const QRgb p = g.ToBitmap().pixel(8, 8);
        QCOMPARE(qRed(p), qGreen(p));
        QVERIFY(std::abs(qRed(p) - qGray(qRgb(255, 0, 0))) <= 3);
    }

    void bitmapAndIcon()
    {
        TBitmapGraphic b;
        b.LoadFromFile(Save("q.bmp", WriteBmp(QuarterPicture(30, 20))));
        QCOMPARE(b.Width(), 30);
        QCOMPARE(b.Height(), 20);
        CheckQuarters(b.ToBitmap(), 0);

        QImage small = QuarterPicture(16, 16);
        QImage big(48, 48, QImage::Format_ARGB32);
        big.fill(Qt::transparent);
        {
            QPainter p(&big);
            p.fillRect(8, 8, 32, 32, Qt::blue);
        }
        // A BMP's alpha is put on white, as every other kind's is.
        const std::unique_ptr<TGraphic> v5 = LoadPicture(Save("a.bmp", WriteBmpV5(big)));
        QVERIFY(v5);
        QVERIFY(Near(v5->ToBitmap().pixel(24, 24), Qt::blue, 0));
        QVERIFY(Near(v5->ToBitmap().pixel(2, 2), Qt::white, 0));

        TIconGraphic icon;
        icon.LoadFromFile(Save("i.ico", WriteIco({small, big})));
        QCOMPARE(icon.Width(), 48); // the largest of the icon's pictures
        const QImage bitmap = icon.ToBitmap();
        QCOMPARE(bitmap.size(), QSize(48, 48));
        QVERIFY(Near(bitmap.pixel(24, 24), Qt::blue, 0));
        QVERIFY(Near(bitmap.pixel(2, 2), Qt::white, 0)); // transparent on white
    }

    // Bitmaps of the rarer layouts, each 4 x 3 pixels, read pixel for pixel:
    // r red, g green, b blue, w white (what a run-length file passes over).
    void rareBitmapLayouts_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("pixels"); // top row first
        const auto bmp = [](quint32 infoSize, quint16 bits, quint32 compression,
                            const QByteArray &pixels) {
            Bytes f;
            const quint32 palette = bits <= 8 ? 3 * 4 : 0;
            const quint32 offset = 14 + infoSize + palette;
            f.data += "BM";
            for (const quint32 v : {offset + quint32(pixels.size()), 0u, offset, infoSize, 4u, 3u})
                f.U32(v); // sizes, the pixels' offset, header size, width, height
            f.U16(1);
            f.U16(bits);
            f.U32(compression); // cut off again for a 16-byte header
            f.data.resize(14 + qsizetype(infoSize), '\0');
            if (palette) // red, blue, green; blue first in each entry
                f.data += QByteArray("\0\0\xFF\0\xFF\0\0\0\0\xFF\0\0", 12);
            return f.data + pixels;
        };
        // Bottom row: two red, then a move one right and one up to the
        // last pixel of the middle row, blue; the top row three green as
        // they are (padded to a word); the end.
        const QByteArray rle8("\x02\x00\x00\x02\x01\x01\x01\x01\x00\x00"
                              "\x00\x03\x02\x02\x02\x00\x00\x00\x00\x01", 20);
        QTest::newRow("RLE8 with a move") << bmp(40, 8, 1, rle8) << "gggw wwwb rrww";
        // The same moves, taken two rows up at once, in four-bit runs.
        const QByteArray rle4("\x04\x01\x00\x00\x00\x02\x01\x01\x00\x03\x22\x20\x00\x01", 14);
        QTest::newRow("RLE4 with a move") << bmp(40, 4, 2, rle4) << "wggg wwww rbrb";
        // An OS/2 2.x header of 16 bytes, 24 bits: rows of 12 bytes.
        QByteArray rows;
        for (const char *row : {"\0\0\xFF", "\xFF\0\0", "\0\xFF\0"})
            rows += QByteArray(row, 3).repeated(4);
        QTest::newRow("OS/2 16-byte header") << bmp(16, 24, 0, rows) << "gggg bbbb rrrr";
    }
    void rareBitmapLayouts()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, pixels);
        QString why;
        const auto picture = LoadPictureBytes(file, "bmp", &why);
        QVERIFY2(picture, qPrintable(why));
        const QImage got = picture->ToBitmap();
        QCOMPARE(got.size(), QSize(4, 3));
        const QHash<QChar, QColor> colours = {
            {'r', Qt::red}, {'g', Qt::green}, {'b', Qt::blue}, {'w', Qt::white}};
        const QStringList rowsWanted = pixels.split(' ');
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                QVERIFY2(Near(got.pixel(x, y), colours[rowsWanted[y][x]], 0),
                         qPrintable(QStringLiteral("%1, %2: %3").arg(x).arg(y).arg(got.pixel(x, y), 0, 16)));
    }

    void metafilesHaveTheirFrameAtScreenResolution()
    {
        TMetafileGraphic wmf;
        wmf.LoadFromFile(Save("r.wmf", WriteWmf(1.0, 0.5, Qt::red)));
        QVERIFY(!wmf.Enhanced());
        QCOMPARE(wmf.Width(), 96);
        QCOMPARE(wmf.Height(), 48);
        QImage bitmap = wmf.ToBitmap();
        QCOMPARE(bitmap.size(), QSize(96, 48));
        QVERIFY2(Near(bitmap.pixel(48, 24), Qt::red, 2),
                 qPrintable(QString::number(bitmap.pixel(48, 24), 16)));
        QVERIFY(Near(bitmap.pixel(90, 44), Qt::red, 2));

        TMetafileGraphic emf;
        emf.LoadFromFile(Save("g.emf", WriteEmf(2646, 1323, Qt::green)));
        QVERIFY(emf.Enhanced());
        QCOMPARE(emf.Width(), 100);
        QCOMPARE(emf.Height(), 50);
        bitmap = emf.ToBitmap();
        QCOMPARE(bitmap.size(), QSize(100, 50));
        QVERIFY2(Near(bitmap.pixel(50, 25), Qt::green, 2),
                 qPrintable(QString::number(bitmap.pixel(50, 25), 16)));

        // No placeable header, a 4:3 window and anisotropic mapping: the
        // window's size and aspect, a round circle in it.
        TMetafileGraphic window;
        window.LoadFromFile(Save("w.wmf", WriteWmfWindowOnly(400, 300, Qt::blue)));
        QCOMPARE(QSize(window.Width(), window.Height()), QSize(400, 300));
        bitmap = window.ToBitmap();
        QVERIFY(Near(bitmap.pixel(150, 150), Qt::blue, 2)); // the circle's middle
        QVERIFY(Near(bitmap.pixel(150, 3), Qt::blue, 60));  // its top, a true circle
        QVERIFY(Near(bitmap.pixel(350, 150), Qt::white, 2)); // right of it, nothing

        // A solid brush fills whole whatever the background mode: set to
        // transparent first, as Inkscape writes it, red stays red.
        QByteArray transparent = WriteWmf(1.0, 0.5, Qt::red);
        transparent.insert(22 + 18, QByteArray("\x05\0\0\0\x02\x01\x01\0\0\0", 10));
        qToLittleEndian<quint32>(qFromLittleEndian<quint32>(transparent.constData() + 28) + 5,
                                 transparent.data() + 28);
        QVERIFY(Near(TMetafileGraphicOf(Save("t.wmf", transparent)).pixel(48, 24), Qt::red, 2));

        // An EMF that clips, as every one LibreOffice writes does, draws.
        QByteArray clipped = WriteEmf(2646, 1323, Qt::green);
        Bytes clip; // EMR_INTERSECTCLIPRECT around the whole picture
        for (const quint32 v : {30u, 24u, 0u, 0u, 200u, 100u})
            clip.U32(v);
        clipped.insert(qFromLittleEndian<quint32>(clipped.constData() + 4), clip.data);
        for (const int at : {48, 52}) // the file's bytes and records
            qToLittleEndian<quint32>(qFromLittleEndian<quint32>(clipped.constData() + at) +
                                         (at == 48 ? 24 : 1),
                                     clipped.data() + at);
        QVERIFY(Near(TMetafileGraphicOf(Save("c.emf", clipped)).pixel(50, 25), Qt::green, 2));

        // Either metafile extension takes either format.
        TMetafileGraphic swapped;
        swapped.LoadFromFile(Save("really-emf.wmf", WriteEmf(2646, 1323, Qt::green)));
        QVERIFY(swapped.Enhanced());
    }

    void gifPictures()
    {
        TMyGifImage gif;
        gif.LoadFromFile(Save("q.gif", WriteSampleGif(20, 10)));
        QCOMPARE(gif.Width(), 20);
        QCOMPARE(gif.Height(), 10);
        gif.SetWidth(5);
        gif.SetHeight(500);
        QCOMPARE(gif.Width(), 20);
        QCOMPARE(gif.Height(), 10);
        QCOMPARE(gif.ToBitmap().size(), QSize(20, 10));
        CheckQuarters(gif.ToBitmap(), 0);

        QBuffer saved;
        saved.open(QIODevice::WriteOnly);
        gif.SaveToStream(saved);
        QCOMPARE(saved.data().size(), 0);

        TBitmapGraphic bitmap;
        gif.AssignTo(bitmap);
        QCOMPARE(bitmap.Image().size(), QSize(20, 10));
        TJpegGraphic jpeg;
        gif.AssignTo(jpeg); // left untouched, no error
        QCOMPARE(jpeg.Width(), 0);

        TMyGifImage copy;
        copy.Assign(&gif);
        QCOMPARE(copy.ToBitmap(), gif.ToBitmap());
        try {
            copy.Assign(&jpeg);
            QFAIL("no error");
        } catch (const EVelmoraError &e) {
            QCOMPARE(e.Text(), QStringLiteral("Cannot assign a TJPEGImage to a TMyGifImage"));
        }
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, copy.Assign(nullptr));
        QCOMPARE(copy.Width(), 20);

        bool changed = false;
        gif.OnChange = [&](TGraphic &) { changed = true; };
        gif.SetTransparent(true);
        QVERIFY(changed && gif.Transparent());
    }

    void gifThatDoesNotDecodeIsEmptyWithoutError()
    {
        TMyGifImage gif;
        gif.LoadFromFile(Save("text.gif", "this is not a picture"));
        QVERIFY(gif.Empty());
        TMyGifImage::SetLibraryDir(m_dir.filePath("nowhere"));
        TMyGifImage noLibrary;
        noLibrary.LoadFromFile(Save("ok.gif", WriteSampleGif(4, 4)));
        TMyGifImage::SetLibraryDir(ProgramBinDir());
        QVERIFY(noLibrary.Empty());
    }

    void areaKeepsTheDecodedPixelsWithoutACopy()
    {
        TJpegGraphic g;
        g.LoadFromFile(Save("share.jpg", WriteJpeg(QuarterPicture(200, 100))));
        TCoverDocument d;
        d.SetPicture(1, &g);
        QCOMPARE(d.GetPicture(1).constBits(), g.ToBitmap().constBits());

        TMyGifImage gif;
        gif.LoadFromFile(Save("share.gif", WriteSampleGif(8, 8)));
        d.SetPicture(2, &gif);
        QCOMPARE(d.GetPicture(2).constBits(), gif.ToBitmap().constBits());
    }

    // A file named for one picture kind that holds another is that other
    // kind; one that holds a kind the program does not place says which.
    void contentDecidesTheKind_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("kind"); // loaded as; empty: refused
        QTest::addColumn<QString>("why");
        const QByteArray jpeg = WriteJpeg(QuarterPicture(64, 64));
        const QByteArray heif("\0\0\0\x18" "ftypheic\0\0\0\0mif1heic", 24);
        const QString foreign = QStringLiteral("It is a %1 file, which Velmora does not place.");
        QTest::newRow("png as jpg") << "a.jpg" << WritePng(QuarterPicture(64, 64)) << "png" << "";
        QTest::newRow("jpeg as png") << "a.png" << jpeg << "jpg" << "";
        QTest::newRow("jfif") << "a.jfif" << jpeg << "jfif" << "";
        QTest::newRow("bmp as ico") << "b.ico" << WriteBmp(QuarterPicture(64, 64)) << "bmp" << "";
        QTest::newRow("pdf as jpg") << "p.jpg" << QByteArray("%PDF-1.7\n%\xE2\xE3\n") << ""
                                    << foreign.arg("PDF");
        QTest::newRow("heif as jpg") << "h.jpg" << heif << "" << foreign.arg("HEIF");
        QTest::newRow("heif as heic") << "h.heic" << heif << "" << foreign.arg("HEIF");
        QTest::newRow("truncated png as jpg")
            << "t.jpg" << QByteArray("\x89PNG\r\n\x1a\n0000") << ""
            << "It is not a PNG file, or it is damaged.";
    }
    void contentDecidesTheKind()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, kind);
        QFETCH(QString, why);
        QString reason, loadedAs;
        QByteArray kept;
        const auto picture = LoadPictureKeepingFile(Save(name, bytes), kept, &reason, &loadedAs);
        QCOMPARE(bool(picture), !kind.isEmpty());
        QCOMPARE(bool(LoadPicture(Save(name, bytes))), !kind.isEmpty());
        if (picture) {
            QCOMPARE(loadedAs, kind);
            CheckQuarters(picture->ToBitmap());
        } else {
            QVERIFY2(reason.startsWith(why), qPrintable(reason));
        }
    }

    void badInputNeverLoads_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray jpeg = WriteJpeg(QuarterPicture(64, 64));
        const QByteArray bmp = WriteBmp(QuarterPicture(64, 64));
        const QByteArray gif = WriteSampleGif(64, 64);
        QByteArray junk(3000, '\0');
        for (int i = 0; i < junk.size(); ++i)
            junk[i] = char((i * 7919) % 251);
        QByteArray hugeJpeg = jpeg;
        {
            // The frame header's height and width: 65000 x 65000.
            const int sof = hugeJpeg.indexOf("\xFF\xC0");
            hugeJpeg[sof + 5] = char(0xFD);
            hugeJpeg[sof + 6] = char(0xE8);
            hugeJpeg[sof + 7] = char(0xFD);
            hugeJpeg[sof + 8] = char(0xE8);
        }
        QByteArray hugeBmp = bmp;
        qToLittleEndian<qint32>(100000, hugeBmp.data() + 18);
        qToLittleEndian<qint32>(100000, hugeBmp.data() + 22);
        QByteArray hugeEmf = WriteEmf(2646, 1323, Qt::red);
        qToLittleEndian<qint32>(254000000, hugeEmf.data() + 32);
        qToLittleEndian<qint32>(254000000, hugeEmf.data() + 36);
        QByteArray hugeWmf = WriteWmf(1, 1, Qt::red);
        qToLittleEndian<quint16>(1, hugeWmf.data() + 14); // one unit per inch

        QTest::newRow("png named jpg") << "a.jpg" << QByteArray("\x89PNG\r\n\x1a\n0000");
        QTest::newRow("truncated jpeg") << "t.jpg" << jpeg.left(jpeg.size() / 2);
        QTest::newRow("empty jpeg") << "e.jpg" << QByteArray();
        QTest::newRow("junk jpeg") << "j.jpg" << junk;
        QTest::newRow("huge jpeg") << "h.jpg" << hugeJpeg;
        QTest::newRow("text bmp") << "t.bmp" << QByteArray("just some text\n");
        QTest::newRow("truncated bmp") << "t.bmp" << bmp.left(40);
        QTest::newRow("bmp cut at 60 %") << "c.bmp" << bmp.left(bmp.size() * 6 / 10);
        QByteArray oneRow = bmp.left(int(qFromLittleEndian<quint32>(bmp.constData() + 10)) + 256);
        qToLittleEndian<qint32>(10000, oneRow.data() + 18);
        qToLittleEndian<qint32>(10000, oneRow.data() + 22);
        QTest::newRow("bmp of 10000 x 10000 holding one row") << "r.bmp" << oneRow;
        QTest::newRow("huge bmp") << "h.bmp" << hugeBmp;
        QTest::newRow("junk ico") << "j.ico" << junk;
        QTest::newRow("empty wmf") << "e.wmf" << QByteArray();
        QTest::newRow("junk wmf") << "j.wmf" << junk;
        QTest::newRow("truncated wmf") << "t.wmf" << WriteWmf(1, 1, Qt::red).left(30);
        QTest::newRow("huge wmf") << "h.wmf" << hugeWmf;
        QTest::newRow("junk emf") << "j.emf" << junk;
        QTest::newRow("truncated emf") << "t.emf" << WriteEmf(2646, 1323, Qt::red).left(60);
        QTest::newRow("huge emf") << "h.emf" << hugeEmf;
        QTest::newRow("junk gif") << "j.gif" << junk;
        QTest::newRow("truncated gif") << "t.gif" << gif.left(gif.size() / 2);
        QTest::newRow("png") << "image.png" << QByteArray("\x89PNG\r\n\x1a\n");
        QTest::newRow("no extension") << "picture" << jpeg;
    }
    void badInputNeverLoads()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QVERIFY(!LoadPicture(Save(name, bytes)));
    }

    void missingFileDoesNotLoad() { QVERIFY(!LoadPicture(m_dir.filePath("missing.jpg"))); }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
