// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and reopening a Multiple cover of three 6000 x 4000 JPEGs, next to
// copying the three picture files: the cover file's own cost.
#include "BenchSupport.h"
#include "CoverArchive.h"
#include "CoverFile.h"
#include "GifSupport.h"
#include "PictureLoading.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QByteArray Jpeg(int seed)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    CameraPicture(seed).save(&out, "JPEG", 90);
    return bytes;
}

void Copy(const QString &from, const QString &to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        std::abort();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    RegisterPictureKinds();
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/cover-bench-XXXXXX"));
    TCoverFileContent content;
    content.State.Mode = CoverMode::Multiple;
    content.State.Size.Name = QStringLiteral("bench");
    content.State.Size.LeftWidth = content.State.Size.RightWidth = 1;
    content.State.Size.CenterWidth = content.State.Size.MultipleHeight = 5;
    content.OffsetPixelsPerCm = 236;
    qint64 total = 0;
    QStringList files;
    for (int i = 0; i < 3; ++i) {
        auto picture = std::make_shared<TPlacedPicture>();
        picture->FileBytes = Jpeg(i * 37);
        picture->FileKind = QStringLiteral("jpg");
        total += picture->FileBytes.size();
        files << dir.filePath(QStringLiteral("photo%1.jpg").arg(i));
        QFile f(files.last());
        if (!f.open(QIODevice::WriteOnly) || f.write(picture->FileBytes) != picture->FileBytes.size())
            return 1;
        content.State.Areas[size_t(i)].Picture = picture;
    }
    const QString cover = dir.filePath(QStringLiteral("bench.vmcover"));
    constexpr int Runs = 9;

    const double copy = MedianMs(Runs, [&] {
        for (int i = 0; i < 3; ++i)
            Copy(files[i], dir.filePath(QStringLiteral("copy%1.jpg").arg(i)));
    });
    const double save = MedianMs(Runs, [&] { SaveCoverFile(cover, content); });
    // Reading the cover back: the archive's directory, the description and
    // every picture's bytes, checksums checked.
    const double read = MedianMs(Runs, [&] {
        QFile f(cover);
        f.open(QIODevice::ReadOnly);
        TZipReader zip(f);
        QString why;
        QByteArray bytes;
        for (const QString &name : zip.Names())
            if (!zip.Read(name, MaxPictureFileBytes, bytes, why))
                std::abort();
    });
    // Opening it whole, pictures decoded, next to placing the three files.
    const double place = MedianMs(3, [&] {
        for (const QString &file : files) {
            QByteArray bytes;
            if (!LoadPictureKeepingFile(file, bytes))
                std::abort();
        }
    });
    // Shown when its pictures' smaller copies are; whole when every
    // picture is; next to djpeg decoding the three files whole.
    std::vector<double> shownMs, wholeMs;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer t;
        t.start();
        TCoverFileContent opened;
        QString why;
        if (!OpenCoverFile(cover, opened, why))
            std::abort();
        shownMs.push_back(t.nsecsElapsed() / 1e6);
        for (const TAreaState &area : opened.State.Areas)
            if (area.Picture && area.Picture->Pending)
                area.Picture->Pending->Wait();
        wholeMs.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(shownMs.begin(), shownMs.end());
    std::sort(wholeMs.begin(), wholeMs.end());
    const double open = shownMs[1], whole = wholeMs[1];
    const QString djpegPath = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    const double djpeg = djpegPath.isEmpty() ? 0 : MedianMs(3, [&] {
        for (const QString &file : files)
            QProcess::execute(djpegPath, {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), file});
    });
    std::printf("Cover file of three 6000 x 4000 JPEGs (%.1f MB in all):\n", total / 1048576.0);
    std::printf("  copying the three picture files:       %8.1f ms\n", copy);
    std::printf("  saving the cover:                      %8.1f ms  (%.2fx the copy; target 1.5x)\n",
                save, save / copy);
    std::printf("  reading the cover file back:           %8.1f ms  (%.2fx the copy; target 1.5x)\n",
                read, read / copy);
    std::printf("  placing the three picture files:       %8.1f ms\n", place);
    std::printf("  opening the cover, shown:              %8.1f ms  (%.2fx placing them)\n", open,
                open / place);
    std::printf("  opening the cover, pictures whole:     %8.1f ms\n", whole);
    if (djpeg > 0)
        std::printf("  djpeg decoding the three files:        %8.1f ms; the cover shown at %.2fx "
                    "(target 1.2x at most)\n",
                    djpeg, open / djpeg);
    return 0;
}
