// SPDX-License-Identifier: GPL-3.0-or-later
// How long an album of 100 tagged files takes to read and make into a cover
// (target: 2 s). The files are made with sox and flac, each its own tags.
#include "AlbumReader.h"
#include "CoverController.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

bool Run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString wav = dir.filePath("tone.wav"), flac = dir.filePath("tone.flac");
    if (!Run("sox", {"-n", "-r", "44100", "-c", "2", wav, "synth", "30", "sine", "440"}) ||
        !Run("flac", {"-s", "-f", wav, "-o", flac})) {
        std::fprintf(stderr, "sox and flac are needed\n");
        return 1;
    }
    QDir().mkpath(dir.filePath("album"));
    std::printf("Making 100 tagged 30 s FLAC files...\n");
    for (int i = 1; i <= 100; ++i) {
        const QString file = dir.filePath(QStringLiteral("album/%1.flac").arg(i, 3, 10, QLatin1Char('0')));
        QFile::copy(flac, file);
        Run("metaflac", {QStringLiteral("--set-tag=TITLE=Track number %1").arg(i),
                         QStringLiteral("--set-tag=TRACKNUMBER=%1").arg(i), "--set-tag=ARTIST=The Band",
                         "--set-tag=ALBUM=A hundred songs", file});
    }
    QElapsedTimer timer;
    timer.start();
    TAlbum album;
    QString why;
    if (!ReadAlbum({dir.filePath("album")}, album, why)) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    const qint64 read = timer.elapsed();
    CoverSize tray;
    tray.Name = QStringLiteral("CD jewel case tray inlay");
    tray.LeftWidth = tray.RightWidth = 0.256;
    tray.CenterWidth = 5.433;
    tray.MultipleHeight = 4.626;
    TCoverController cover{QString()};
    cover.ImportAlbum(album, tray, CoverMode::Multiple);
    const qint64 total = timer.elapsed();
    std::printf("Read 100 files: %lld ms; with the cover made: %lld ms\n", read, total);
    std::printf("target: importing 100 files within 2 s: %s\n", total <= 2000 ? "met" : "MISSED");
    return 0;
}
