// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the fuzzers' seed corpus: make_fuzz_corpus tests/fuzz/corpus
#include "CoverArchive.h"
#include "CoverFile.h"
#include "FuzzCoverSet.h"
#include "GifWriter.h"
#include "SampleFiles.h"
#include "TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QDir root(QString::fromLocal8Bit(argv[1]));
    auto put = [&](const char *kind, const char *name, const QByteArray &bytes) {
        root.mkpath(QLatin1String(kind));
        WriteBytes(
            root.filePath(QStringLiteral("%1/%2").arg(QLatin1String(kind), QLatin1String(name))),
            bytes);
    };
    const QImage q = QuarterPicture(24, 16);
    put("jpeg", "colour.jpg", WriteJpeg(q, JpegFlavour::Colour, 80));
    put("jpeg", "grey.jpg", WriteJpeg(q, JpegFlavour::Grey, 80));
    put("jpeg", "progressive.jpg", WriteJpeg(q, JpegFlavour::Progressive, 80));
    put("jpeg", "cmyk.jpg", WriteJpeg(q, JpegFlavour::AdobeCmyk, 80));
    put("bmp", "rgb32.bmp", WriteBmp(q));
    put("png", "quarters.png", WritePng(q));
    put("webp", "quarters.webp", WriteWebp(q));
    put("tiff", "quarters.tif", WriteTiff(q));
    put("tiff", "turned.tif", WriteTiff(q, 6));
    put("jpeg", "exif6.jpg", WithExifOrientation(WriteJpeg(q, JpegFlavour::Colour, 80), 6));
    put("bmp", "indexed.bmp", WriteBmp(q.convertToFormat(QImage::Format_Indexed8)));
    QImage alpha(16, 16, QImage::Format_ARGB32);
    alpha.fill(Qt::transparent);
    {
        QPainter p(&alpha);
        p.fillRect(4, 4, 8, 8, Qt::blue);
    }
    put("ico", "two.ico", WriteIco({QuarterPicture(8, 8), alpha}));
    put("wmf", "red.wmf", WriteWmf(0.5, 0.25, Qt::red));
    put("emf", "green.emf", WriteEmf(1323, 661, Qt::green));
    put("wmf", "clipart.wmf", WriteWmfClipArt());
    put("emf", "ansi.emf", WriteEmfAnsiText("Caf\xe9 \xa9 1998"));
    const std::vector<QRgb> palette = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                                       qRgb(9, 9, 9)};
    TGifFrame f;
    f.Width = 9;
    f.Height = 11;
    for (int i = 0; i < 99; ++i)
        f.Indices.push_back((unsigned char)(i % 4));
    put("gif", "plain.gif", WriteGif(9, 11, palette, {f}));
    TGifFrame interlaced = f;
    interlaced.Interlaced = true;
    interlaced.Transparent = 3;
    put("gif", "interlaced.gif", WriteGif(9, 11, palette, {interlaced}));
    TGifFrame second = f;
    second.Left = 2;
    second.Width = 3;
    second.Height = 3;
    second.Indices.resize(9);
    put("gif", "animated.gif", WriteGif(9, 11, palette, {f, second}));

    // Cover files: whole ones of each mode and picture kind, and the damage
    // that the tests refuse by hand.
    const auto cover = [&](bool multiple, const QList<QPair<QString, QByteArray>> &pictures,
                           bool compress = true) {
        TCoverFileContent content;
        content.State.Mode = multiple ? CoverMode::Multiple : CoverMode::Single;
        content.State.Size.Name = QStringLiteral("CD \u00e9");
        content.State.Size.SingleWidth = 4.72;
        content.State.Size.SingleHeight = 4.72;
        content.State.Size.CenterWidth = 5.3;
        content.State.Size.MultipleHeight = 4.72;
        content.SelectedArea = multiple ? 2 : 1;
        content.OffsetPixelsPerCm = 236;
        std::array<TPictureEntry, 3> entries;
        QList<TArchiveEntry> files;
        for (int i = 0; i < pictures.size(); ++i) {
            if (pictures[i].second.isEmpty())
                continue;
            TPictureEntry &e = entries[size_t(i)];
            e.Kind = pictures[i].first;
            e.Name = PictureEntryName(i + 1, e.Kind);
            e.Bytes = pictures[i].second.size();
            files << TArchiveEntry{e.Name, pictures[i].second, compress && e.Kind != "jpg"};
            content.State.Areas[size_t(i)].Text = QStringLiteral("Area %1").arg(i + 1);
        }
        files.prepend(TArchiveEntry{"cover.json", DescribeCover(content, entries), compress});
        QByteArray bytes;
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        QString why;
        if (!WriteZipArchive(out, files, why))
            std::abort();
        return bytes;
    };
    QByteArray png;
    {
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        q.save(&b, "PNG");
    }
    const QByteArray single = cover(false, {{"jpg", WriteJpeg(q)}});
    put("cover", "single-jpeg.vmcover", single);
    put("cover", "multiple-bmp-gif-ico.vmcover",
        cover(true, {{"bmp", WriteBmp(q)},
                     {"gif", WriteGif(9, 11, palette, {f})},
                     {"ico", WriteIco({QuarterPicture(8, 8)})}}));
    put("cover", "multiple-wmf-emf-png.vmcover",
        cover(true, {{"wmf", WriteWmf(0.5, 0.25, Qt::red)},
                     {"emf", WriteEmf(1323, 661, Qt::green)},
                     {"png", png}}));
    put("cover", "no-pictures.vmcover", cover(true, {}));
    // Stored, not deflated: the fuzzer meets the description's own text.
    put("cover", "stored.vmcover",
        cover(true, {{"bmp", WriteBmp(QuarterPicture(4, 4))}, {"", {}}, {"gif", WriteGif(9, 11, palette, {f})}},
              false));
    put("cover", "truncated.vmcover", single.left(single.size() / 2));
    put("cover", "not-a-zip.vmcover", QByteArray("PK\x03\x04 and nothing else"));
    // Descriptions alone, which the target packs with its own pictures.
    const QList<TArchiveEntry> set = FuzzCoverPictures();
    const auto described = [&](bool multiple, const QStringList &kinds, bool blocks = false) {
        TCoverFileContent content;
        content.State.Mode = multiple ? CoverMode::Multiple : CoverMode::Single;
        content.State.Size.Name = QStringLiteral("Case");
        content.State.Size.SingleWidth = content.State.Size.MultipleHeight = 5;
        content.State.Size.CenterWidth = 3;
        content.State.Size.LeftWidth = content.State.Size.RightWidth = 1;
        content.SelectedArea = 1;
        content.OffsetPixelsPerCm = 236;
        std::array<TPictureEntry, 3> entries;
        for (int i = 0; i < kinds.size(); ++i) {
            TPictureEntry &e = entries[size_t(i)];
            e.Kind = kinds[i];
            e.Name = PictureEntryName(i + 1, e.Kind);
            for (const TArchiveEntry &a : set)
                if (a.Name == e.Name)
                    e.Bytes = a.Data.size();
        }
        if (blocks) {
            // A track list in columns on the middle, the album along a spine.
            TTextBlock list;
            list.Text = QStringLiteral("1\tIntro\t1:02\n2\tÉté\t3:04");
            list.Fit = TBlockFit::Columns;
            list.Columns = 2;
            TTextBlock spine;
            spine.Text = QStringLiteral("Artist - Album");
            spine.Rotation = 270;
            spine.Width = 6;
            spine.Height = 100;
            content.State.Areas[1].Blocks = {list, list};
            content.State.Areas[0].Blocks = {spine};
        }
        return DescribeCover(content, entries);
    };
    put("cover", "described-jpg.json", described(false, {"jpg"}));
    put("cover", "described-bmp-ico-gif.json", described(true, {"bmp", "ico", "gif"}));
    put("cover", "described-wmf-emf-jpg.json", described(true, {"wmf", "emf", "jpg"}));
    put("cover", "described-blocks.json", described(true, {"jpg"}, true));
    return 0;
}
