// SPDX-License-Identifier: GPL-3.0-or-later
// How long the picture loaders take to refuse (or place) files made to be
// awkward, as Change... and the open dialog's preview load them; prints each
// and the slowest, then cover files made the same way. The target: every one
// within 2 s.
#include "CoverArchive.h"
#include "CoverFile.h"
#include "FontSubstitutes.h"
#include "GifSupport.h"
#include "GifWriter.h"
#include "MetafileGraphic.h"
#include "PictureLoading.h"
#include "SampleFiles.h"
#include "TestFiles.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QByteArray LyingIcon()
{
    QImage huge(5600, 5600, QImage::Format_RGB32);
    huge.fill(Qt::blue);
    return WriteIconPointingAt(WritePng(huge), 256, 256);
}

QList<QRect> Rectangles(int count, int across)
{
    QList<QRect> rects;
    for (int i = 0; i < count; ++i)
        rects << QRect((i % across) * 3, (i / across) * 10, 2, 2);
    return rects;
}

QByteArray CutShortJpeg()
{
    QImage picture(10000, 10000, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    const QByteArray whole = WriteJpeg(picture, JpegFlavour::Progressive, 75);
    const qsizetype sos = whole.indexOf("\xFF\xDA");
    return whole.left(sos + 200) + "\xFF\xD9";
}

// A picture of the largest size allowed, cut short after its first rows.
QByteArray CutLarge(const char *format)
{
    QImage picture(10000, 10000, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    const QByteArray whole = format == QByteArray("tiff") ? WriteTiff(picture) : WritePng(picture);
    return whole.left(whole.size() / 8);
}

QByteArray FrameFarRight()
{
    TGifFrame frame;
    frame.Left = 32767;
    frame.Width = 1;
    frame.Height = 1;
    frame.Indices = {1};
    return WriteGif(0, 0, {qRgb(255, 255, 255), qRgb(0, 0, 0)}, {frame});
}

// A cover file of these entries, its description declaring the one picture
// of area 1 of that kind and size.
QByteArray Cover(const QString &kind, const QByteArray &picture, qint64 declared, int extra = 0)
{
    TCoverFileContent content;
    content.OffsetPixelsPerCm = 236;
    content.State.Size.SingleWidth = content.State.Size.SingleHeight = 5;
    std::array<TPictureEntry, 3> entries;
    entries[0] = TPictureEntry{PictureEntryName(1, kind), kind, declared};
    QList<TArchiveEntry> files{{"cover.json", DescribeCover(content, entries)},
                               {entries[0].Name, picture}};
    for (int i = 0; i < extra; ++i)
        files << TArchiveEntry{QStringLiteral("crowd/%1").arg(i), QByteArray(), false};
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    QString why;
    WriteZipArchive(out, files, why);
    return bytes;
}

// The process's resident memory now and at its peak, in MB (Linux).
std::pair<double, double> ResidentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    double now = 0, peak = 0;
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n')) {
            const double kb = line.mid(6).trimmed().split(' ').value(0).toDouble();
            if (line.startsWith("VmRSS:"))
                now = kb / 1024;
            else if (line.startsWith("VmHWM:"))
                peak = kb / 1024;
        }
    return {now, peak};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RegisterFontSubstitutes();
    RegisterPictureKinds();
    RegisterGifSupport();
    // The child that opens one cover alone, so that its peak memory is the
    // opening's own.
    if (argc == 3 && QByteArray(argv[1]) == "--open") {
        const double before = ResidentMb().first;
        QElapsedTimer t;
        t.start();
        TCoverFileContent content;
        QString why;
        const bool opened = OpenCoverFile(QString::fromLocal8Bit(argv[2]), content, why);
        std::printf("%s in %.0f ms, peak %.1f MB above the start (targets 1000 ms, 64 MB)\n",
                    opened ? "opened " : "refused", t.nsecsElapsed() / 1e6,
                    ResidentMb().second - before);
        return 0;
    }
    TMyGifImage::SetLibraryDir(ProgramBinDir());
    TMetafileGraphic::SetHelperDir(ProgramBinDir());
    QTemporaryDir dir;
    const struct
    {
        const char *name;
        QByteArray bytes;
    } files[] = {
        {"lying.ico", LyingIcon()},
        {"many.wmf", WriteWmfShapes(10000, 10000, Rectangles(135000, 3000), Qt::black)},
        {"many.emf", WriteEmfShapes(2646, 2646, Rectangles(100000, 30), Qt::black, 0, QColor())},
        {"cut.jpg", CutShortJpeg()},
        {"far.gif", FrameFarRight()},
        {"cut.png", CutLarge("png")},
        {"cut.tif", CutLarge("tiff")},
        // A gigabyte of rows past the last one (target: 500 ms).
        {"bomb.png", WritePngRunningOn(1000, 1000, 128, 1LL << 30)},
    };
    double slowest = 0;
    for (const auto &f : files) {
        const QString path = dir.filePath(QString::fromLatin1(f.name));
        WriteBytes(path, f.bytes);
        QElapsedTimer t;
        t.start();
        const bool placed = bool(LoadPicture(path));
        const double ms = t.nsecsElapsed() / 1e6;
        slowest = std::max(slowest, ms);
        std::printf("%-10s %8.1f KB  %s in %6.0f ms\n", f.name, f.bytes.size() / 1024.0,
                    placed ? "placed " : "refused", ms);
    }
    // Cover files, opened as Open... opens them, pictures and all.
    const QByteArray zeros(400 * 1024 * 1024, '\0');
    const QByteArray cut = CutShortJpeg();
    const struct
    {
        const char *name;
        QByteArray bytes;
    } covers[] = {
        {"zeros.vmcover", Cover("bmp", zeros, zeros.size())},
        {"crowd.vmcover", Cover("jpg", cut, cut.size(), 100000)},
        {"cut.vmcover", Cover("jpg", cut, cut.size())},
    };
    for (const auto &c : covers) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        WriteBytes(path, c.bytes);
        QElapsedTimer t;
        t.start();
        TCoverFileContent content;
        QString why;
        const bool opened = OpenCoverFile(path, content, why);
        const double ms = t.nsecsElapsed() / 1e6;
        slowest = std::max(slowest, ms);
        std::printf("%-13s %8.1f KB  %s in %6.0f ms\n", c.name, c.bytes.size() / 1024.0,
                    opened ? "opened " : "refused", ms);
    }
    std::printf("slowest: %.0f ms (target 2000 ms at most)\n", slowest);
    // 512 MB of zeros as a JPEG: refused by its head before it is inflated.
    const QString bomb = dir.filePath(QStringLiteral("bomb.vmcover"));
    {
        const QByteArray nothing(512 * 1024 * 1024, '\0');
        WriteBytes(bomb, Cover("jpg", nothing, nothing.size()));
    }
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--open"), bomb});
    child.waitForFinished(60000);
    std::printf("bomb.vmcover  %8.1f KB  %s", QFileInfo(bomb).size() / 1024.0,
                child.readAllStandardOutput().constData());
    return 0;
}
