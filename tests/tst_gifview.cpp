// SPDX-License-Identifier: GPL-3.0-or-later
#include "GIFViewBitmap.h"
#include "GifWriter.h"
#include "TestFiles.h"

#include <QLibrary>
#include <QRandomGenerator>
#include <QTest>

namespace {

const std::vector<QRgb> Palette = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                                   qRgb(10, 20, 30)};

TGifFrame Frame(int w, int h, bool interlaced = false, int transparent = -1)
{
    TGifFrame f;
    f.Width = w;
    f.Height = h;
    f.Interlaced = interlaced;
    f.Transparent = transparent;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            f.Indices.push_back((unsigned char)((x + 2 * y) % 4));
    return f;
}

uint32_t Expected(int x, int y)
{
    return 0xFF000000u | (Palette[size_t((x + 2 * y) % 4)] & 0xFFFFFFu);
}

// The real plugin, loaded by path from the program's folder as the program does.
class Plugin
{
public:
    static constexpr int32_t WholeBuffer = INT32_MIN;
    Plugin() : m_lib(ProgramBinDir() + "/GIFView.dll")
    {
        if (m_lib.load())
            m_entry = reinterpret_cast<GetGIFBufferProc>(m_lib.resolve("GetGIFBuffer"));
    }
    ~Plugin() { m_lib.unload(); }
    bool Ok() const { return m_entry != nullptr; }
    QString Error() const { return m_lib.errorString(); }
    // Decodes and takes the block over; a null image for 0.
    QImage Decode(const QByteArray &data, int32_t length = WholeBuffer)
    {
        const intptr_t handle = m_entry(data.isNull() ? nullptr : data.constData(),
                                        length == WholeBuffer ? int32_t(data.size()) : length);
        if (!handle)
            return QImage();
        auto *b = reinterpret_cast<GIFViewBitmap *>(handle);
        QImage img;
        if (b->Magic == GIFVIEW_MAGIC)
            img = QImage(reinterpret_cast<const uchar *>(GIFViewPixels(b)), b->Width, b->Height,
                         QImage::Format_RGB32)
                      .copy();
        GIFViewFree(b);
        return img;
    }

private:
    QLibrary m_lib;
    GetGIFBufferProc m_entry = nullptr;
};

} // namespace

class TestGifView : public QObject
{
    Q_OBJECT
private:
    Plugin m_plugin;

    void CheckPattern(const QImage &img, int w, int h)
    {
        QCOMPARE(img.size(), QSize(w, h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                QCOMPARE(img.pixel(x, y), Expected(x, y));
    }

private Q_SLOTS:
    void loadsFromDiskByPath() { QVERIFY2(m_plugin.Ok(), qPrintable(m_plugin.Error())); }

    void decodesAPlainGif()
    {
        CheckPattern(m_plugin.Decode(WriteGif(7, 5, Palette, {Frame(7, 5)})), 7, 5);
    }

    void decodesAnInterlacedGif()
    {
        CheckPattern(m_plugin.Decode(WriteGif(6, 19, Palette, {Frame(6, 19, true)})), 6, 19);
    }

    void transparentPixelsComeOutWhite()
    {
        const QImage img = m_plugin.Decode(WriteGif(4, 4, Palette, {Frame(4, 4, false, 1)}));
        QCOMPARE(img.size(), QSize(4, 4));
        QCOMPARE(img.pixel(1, 0), 0xFFFFFFFFu); // index 1
        QCOMPARE(img.pixel(0, 0), Expected(0, 0));
        QCOMPARE(img.pixel(2, 0), Expected(2, 0));
    }

    void animatedGifGivesItsFirstFrame()
    {
        TGifFrame second = Frame(8, 8);
        for (auto &i : second.Indices)
            i = 3;
        const QImage img = m_plugin.Decode(WriteGif(8, 8, Palette, {Frame(8, 8), second}));
        CheckPattern(img, 8, 8);
    }

    // True-colour GIFs: the first frame made of blocks shown at once, each
    // with its own colour table, the later ones over the earlier.
    void everyBlockOfTheFirstFrameIsDrawn()
    {
        std::vector<TGifFrame> blocks;
        const QRgb colours[] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200)};
        for (int i = 0; i < 3; ++i) {
            TGifFrame b;
            b.Left = 2 * i;
            b.Width = 2;
            b.Height = 3;
            b.Indices.assign(6, 1);
            b.Palette = {qRgb(0, 0, 0), colours[i]};
            b.Delay = 0;
            blocks.push_back(b);
        }
        blocks.back().Delay = 10; // then shown a while: the first frame ends here
        TGifFrame next = Frame(6, 3);
        blocks.push_back(next);
        const QImage img = m_plugin.Decode(WriteGif(6, 3, Palette, blocks));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(img.pixel(2 * i + 1, 1), 0xFF000000u | colours[i]);
    }

    void frameSmallerThanTheScreenSitsAtItsOffset()
    {
        TGifFrame f = Frame(2, 2);
        f.Left = 3;
        f.Top = 1;
        const QImage img = m_plugin.Decode(WriteGif(6, 4, Palette, {f}));
        QCOMPARE(img.size(), QSize(6, 4));
        QCOMPARE(img.pixel(0, 0), 0xFFFFFFFFu);
        QCOMPARE(img.pixel(3, 1), Expected(0, 0));
        QCOMPARE(img.pixel(4, 2), Expected(1, 1));
        QCOMPARE(img.pixel(5, 3), 0xFFFFFFFFu);
    }

    void damagedInputGivesZero()
    {
        const QByteArray good = WriteGif(16, 16, Palette, {Frame(16, 16)});
        QVERIFY(!m_plugin.Decode(good).isNull());
        QVERIFY(m_plugin.Decode(QByteArray()).isNull());
        QVERIFY(m_plugin.Decode(good, 0).isNull());
        QVERIFY(m_plugin.Decode(good, -5).isNull());
        QVERIFY(m_plugin.Decode(good.left(6)).isNull());
        QVERIFY(m_plugin.Decode(good.left(good.size() / 2)).isNull());
        // Without its trailer the picture is whole and decodes.
        QCOMPARE(m_plugin.Decode(good.left(good.size() - 1)).size(), QSize(16, 16));
        QVERIFY(m_plugin.Decode("\x89PNG\r\n\x1a\n0000000000000000").isNull());
        QByteArray noImage = good.left(13 + 12); // header, screen, palette, no image
        noImage += ';';
        QVERIFY(m_plugin.Decode(noImage).isNull());
        auto *rng = QRandomGenerator::global();
        for (int i = 0; i < 200; ++i) {
            QByteArray junk(int(rng->bounded(1, 400)), '\0');
            for (char &c : junk)
                c = char(rng->bounded(256));
            if (i % 2)
                junk.replace(0, 6, "GIF89a");
            m_plugin.Decode(junk); // must not crash; any answer is fine
        }
    }

    void hugeScreenIsRefusedBeforeAllocating()
    {
        // A valid little file whose logical screen claims 65535 x 65535.
        QByteArray data = WriteGif(4, 4, Palette, {Frame(4, 4)});
        data[6] = char(0xFF);
        data[7] = char(0xFF);
        data[8] = char(0xFF);
        data[9] = char(0xFF);
        QVERIFY(m_plugin.Decode(data).isNull());
    }
};

QTEST_GUILESS_MAIN(TestGifView)
#include "tst_gifview.moc"
