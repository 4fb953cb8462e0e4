// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the fuzzers' seed corpus: make_fuzz_corpus tests/fuzz/corpus
#include "GifWriter.h"
#include "SampleFiles.h"
#include "TestFiles.h"

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
    return 0;
}
