// SPDX-License-Identifier: GPL-3.0-or-later
// Albums from real audio files made at test time (sox, flac, metaflac, lame):
// tags, lengths and art read, CUE sheets, the cover made from them, its PDF,
// the command line and the window's command; pasted lists.
#include "AlbumReader.h"
#include "CoverFileChooser.h"
#include "CoverController.h"
#include "CoverView.h"
#include "PictureLoading.h"
#include "ProgramFixture.h"
#include "ReasonTexts.h"
#include "SampleFiles.h"
#include "SizeMaker.h"
#include "SizeListModel.h"
#include "TestFiles.h"
#include "WindowControls.h"

#include <QApplication>
#include <QFileDialog>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

namespace {

QString Run(const QString &program, const QStringList &arguments, int *status = nullptr)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(60000);
    if (status)
        *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

// Seconds of a tone as a WAV file.
void Tone(const QString &wav, double seconds)
{
    int status = 0;
    Run("sox", {"-n", "-r", "8000", "-c", "1", wav, "synth", QString::number(seconds), "sine", "440"},
        &status);
    QCOMPARE(status, 0);
}

CoverSize DvdWrap()
{
    return MakeSize(10.75, 7.25, 5.1, 0.55, 5.1, 7.25, QStringLiteral("DVD keep case wrap"));
}

} // namespace

class TestAlbum : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_album;
    QByteArray m_art;

private Q_SLOTS:
    // A folder of four files: a tagged FLAC with its art, a tagged MP3 by
    // another artist, a WAV with no tags, and a file that is no audio.
    void initTestCase()
    {
        RegisterPictureKinds();
        m_album = m_dir.filePath("Summer Evenings");
        QDir().mkpath(m_album);
        m_art = WritePng(QuarterPicture(40, 40));
        const QString art = m_dir.filePath("art.png");
        WriteBytes(art, m_art);
        const QString a = m_dir.filePath("a.wav"), b = m_dir.filePath("b.wav");
        Tone(a, 2);
        Tone(b, 3);
        int status = 0;
        const QString flac = m_album + "/01.flac";
        Run("flac", {"-s", "-f", a, "-o", flac}, &status);
        QCOMPARE(status, 0);
        Run("metaflac", {"--set-tag=TITLE=First Light", "--set-tag=ARTIST=The Band",
                         "--set-tag=ALBUM=Summer Evenings", "--set-tag=TRACKNUMBER=1",
                         "--import-picture-from=3||||" + art, flac},
            &status);
        QCOMPARE(status, 0);
        Run("lame", {"--quiet", "--tt", "Second", "--ta", "Guest Singer", "--tl", "Summer Evenings",
                     "--tn", "2", b, m_album + "/02.mp3"},
            &status);
        QCOMPARE(status, 0);
        QVERIFY(QFile::copy(b, m_album + "/03 Untagged.wav"));
        WriteBytes(m_album + "/04.mp3", "not audio at all");
    }

    void tagsLengthsAndArtAreRead()
    {
        TAlbum album;
        QString why;
        QVERIFY2(ReadAlbum({m_album}, album, why), qPrintable(why));
        QCOMPARE(album.Title, QStringLiteral("Summer Evenings"));
        QCOMPARE(album.Artist, QStringLiteral("The Band"));
        QCOMPARE(album.Picture, m_art);
        QCOMPARE(album.PictureKind, QStringLiteral("png"));
        QStringList titles;
        for (const TAlbumTrack &t : album.Tracks)
            titles << t.Title;
        QCOMPARE(titles, QStringList({"First Light", "Second", "03 Untagged", "04"}));
        // Lengths to a few milliseconds; the MP3's to the frames its
        // encoder adds.
        const qint64 lengths[] = {2000, 3000, 3000};
        for (int i = 0; i < 3; ++i)
            QVERIFY2(std::abs(album.Tracks[i].Milliseconds - lengths[i]) < (i == 1 ? 250 : 20),
                     qPrintable(QString::number(album.Tracks[i].Milliseconds)));
        QCOMPARE(album.Tracks[3].Milliseconds, qint64(-1));
        QCOMPARE(album.Problems, QStringList{"\"04.mp3\" does not read as audio."});
        // The list: numbers, titles with a guest's name, lengths, no total
        // where a length is unknown.
        album.Tracks[3].Milliseconds = 1000;
        QCOMPARE(TrackListText(album, BuiltInText).split('\n'),
                 QStringList({"1\tFirst Light\t0:02", "2\tSecond (Guest Singer)\t0:03",
                              "3\t03 Untagged\t0:03", "4\t04\t0:01", "\tTotal\t0:09"}));
        QVERIFY(!ReadAlbum({m_dir.filePath("nothing")}, album, why));
        QCOMPARE(why, QStringLiteral("No audio files were found there."));
    }

    // A 10 MB tag and a picture that is no picture: a cover all the same,
    // and a message for what could not be used.
    void hostileTagsGiveACoverOrAMessage()
    {
        const QString folder = m_dir.filePath("hostile");
        QDir().mkpath(folder);
        int status = 0;
        const QString mp3 = m_dir.filePath("plain.mp3");
        Run("lame", {"--quiet", m_dir.filePath("a.wav"), mp3}, &status);
        QCOMPARE(status, 0);
        // An ID3v2.3 tag of a title and 10 MB of user text before the audio.
        const auto frame = [](const QByteArray &id, const QByteArray &body) {
            QByteArray f = id;
            for (int shift : {24, 16, 8, 0})
                f += char((body.size() >> shift) & 0xFF);
            return f + QByteArray(2, '\0') + body;
        };
        const QByteArray frames = frame("TIT2", QByteArray(1, '\0') + "Huge") +
                                  frame("TXXX", QByteArray(2, '\0') + QByteArray(10 * 1024 * 1024, 'x'));
        QByteArray tag("ID3\x03\x00\x00", 6);
        for (int shift : {21, 14, 7, 0})
            tag += char((frames.size() >> shift) & 0x7F);
        WriteBytes(folder + "/01.mp3", tag + frames + ReadBytes(mp3));
        // A FLAC whose picture says JPEG and holds text.
        const QString flac = folder + "/02.flac";
        QVERIFY(QFile::copy(m_album + "/01.flac", flac));
        WriteBytes(m_dir.filePath("bad.jpg"), "not a picture at all");
        Run("metaflac", {"--remove", "--block-type=PICTURE", flac}, &status);
        Run("metaflac", {"--import-picture-from=3|image/jpeg||8x8x24|" + m_dir.filePath("bad.jpg"), flac},
            &status);
        QCOMPARE(status, 0);
        TAlbum album;
        QString why;
        QVERIFY2(ReadAlbum({folder}, album, why), qPrintable(why));
        // The numbered FLAC first, then the MP3 with no number.
        QCOMPARE(album.Tracks[1].Title, QStringLiteral("Huge"));
        QVERIFY(album.Tracks[1].Milliseconds > 1500);
        QCOMPARE(album.Picture, QByteArray("not a picture at all"));
        TCoverController c{QString()};
        const TOutcome imported = c.ImportAlbum(album, DvdWrap(), CoverMode::Multiple);
        QVERIFY(imported.Ok());
        QVERIFY2(imported.Notice.startsWith("The album's picture could not be placed: "),
                 qPrintable(imported.Notice));
        QVERIFY(c.Document().GetPicture(3).isNull());
        QCOMPARE(c.Document().GetBlocks(1).size(), size_t(1));
    }

    void discsCueSheetsAndWindowsText()
    {
        // Two discs: a heading each, disc 1 first whatever the file names.
        TAlbum album;
        album.Tracks = {{"b", "B1", "", 2, 1, 1000}, {"a", "A2", "", 1, 2, 1000}, {"c", "A1", "", 1, 1, 1000}};
        SortTracks(album.Tracks);
        QCOMPARE(TrackListText(album, BuiltInText).split('\n'),
                 QStringList({"Disc 1", "1\tA1\t0:01", "2\tA2\t0:01", "Disc 2", "1\tB1\t0:01",
                              "\tTotal\t0:03"}));
        // A CUE sheet in Windows-1252 over one 4-second file: lengths from
        // the index differences (75 frames a second) and the file's end.
        const QString folder = m_dir.filePath("cue");
        QDir().mkpath(folder);
        Tone(folder + "/whole.wav", 4);
        const QByteArray cue = "PERFORMER \"Caf\xE9 Trio\"\r\nTITLE \"Live\"\r\n"
                               "FILE \"whole.wav\" WAVE\r\n  TRACK 01 AUDIO\r\n    TITLE \"One\"\r\n"
                               "    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    TITLE \"Two\"\r\n"
                               "    PERFORMER \"Guest\"\r\n    INDEX 00 00:00:70\r\n    INDEX 01 00:01:00\r\n"
                               "  TRACK 03 AUDIO\r\n    INDEX 01 00:02:37\r\n";
        WriteBytes(folder + "/live.cue", cue);
        QString why;
        QVERIFY2(ReadAlbum({folder + "/live.cue"}, album, why), qPrintable(why));
        QCOMPARE(album.Artist, QStringLiteral("Café Trio"));
        QCOMPARE(album.Title, QStringLiteral("Live"));
        QCOMPARE(album.Tracks.size(), 3);
        QCOMPARE(album.Tracks[1].Artist, QStringLiteral("Guest"));
        QCOMPARE(album.Tracks[2].Title, QStringLiteral("Track 3"));
        // The title it takes follows the user's language.
        SetReasonTexts([](int n) {
            return n == UntitledTrackText ? QStringLiteral("Κομμάτι %1") : BuiltInText(n);
        });
        QVERIFY(ReadAlbum({folder + "/live.cue"}, album, why));
        SetReasonTexts({});
        QCOMPARE(album.Tracks[2].Title, QStringLiteral("Κομμάτι 3"));
        QCOMPARE(album.Tracks[0].Milliseconds, qint64(1000));
        QCOMPARE(album.Tracks[1].Milliseconds, qint64(2493 - 1000));
        QVERIFY(std::abs(album.Tracks[2].Milliseconds - (4000 - 2493)) < 20);
        // A sheet over several files: a track ends where the next one in its
        // own file starts, the last of each file at that file's end.
        const QString several = "FILE \"a.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
                                "TRACK 02 AUDIO\nINDEX 01 00:04:00\nFILE \"b.wav\" WAVE\n"
                                "TRACK 03 AUDIO\nINDEX 01 00:00:00\n";
        const TAlbum spanning = ReadCueSheet(several, folder, [&](const QString &file) {
            return file == QDir(folder).filePath("a.wav") ? qint64(10000) : qint64(12000);
        });
        QCOMPARE(spanning.Tracks.size(), 3);
        QCOMPARE(spanning.Tracks[1].File, QDir(folder).filePath("a.wav"));
        QCOMPARE(spanning.Tracks[2].File, QDir(folder).filePath("b.wav"));
        const qint64 lengths[] = {4000, 6000, 12000};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(spanning.Tracks[i].Milliseconds, lengths[i]);
        // An MP3 whose ID3v1 title was written on Windows.
        const QString mp3 = m_dir.filePath("v1.mp3");
        int status = 0;
        Run("lame", {"--quiet", m_dir.filePath("a.wav"), mp3}, &status);
        QCOMPARE(status, 0);
        QByteArray tag(128, '\0');
        tag.replace(0, 3, "TAG");
        tag.replace(3, 6, "Caf\xE9 \x80");
        QFile f(mp3);
        QVERIFY(f.open(QIODevice::Append));
        f.write(tag);
        f.close();
        QVERIFY(ReadAlbum({mp3}, album, why));
        QCOMPARE(album.Tracks[0].Title, QStringLiteral("Café €"));
    }

    void theCoverIsOneStepAndExportsItsList()
    {
        TAlbum album;
        QString why;
        QVERIFY(ReadAlbum({m_album}, album, why));
        // No view: the cover is exported by the renderer alone.
        TCoverController c{QString()};
        QVERIFY(c.SetText(1, QStringLiteral("before")).Ok());
        const int steps = c.Steps().count();
        const TOutcome imported = c.ImportAlbum(album, DvdWrap(), CoverMode::Multiple);
        QVERIFY(imported.Ok());
        QCOMPARE(imported.Notice, QStringLiteral("\"04.mp3\" does not read as audio."));
        QCOMPARE(c.Steps().count(), steps + 1);
        QCOMPARE(c.Steps().undoText(), QStringLiteral("Import album"));
        const TCoverDocument &d = c.Document();
        // Back at the left, front at the right, the spine between.
        QCOMPARE(d.PlacedPicture(3)->FileBytes, m_art);
        QCOMPARE(d.GetBlocks(1).size(), size_t(1));
        QCOMPARE(d.GetBlocks(1)[0].Text, TrackListText(album, BuiltInText));
        QVERIFY(LayOutTextBlock(d.GetBlocks(1)[0]).Fits);
        QCOMPARE(d.GetText(2), QStringLiteral("The Band - Summer Evenings"));
        QCOMPARE(d.GetOrientation(2), uint8_t(toVert));
        QVERIFY(c.IsModified() && c.FileName().isEmpty());
        const QString pdf = m_dir.filePath("album.pdf");
        QVERIFY(c.ExportPdf(pdf, TPrintExtras()).Ok());
        const QString text = Run("pdftotext", {pdf, "-"});
        for (const char *expected : {"First Light", "Second (Guest Singer)", "0:02", "The Band - Summer Evenings"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        QVERIFY(c.Undo().Ok());
        QCOMPARE(c.Document().GetText(1), QStringLiteral("before"));

        // A thousand tracks on a tray inlay: as many as can be read, and
        // how many more there are.
        TAlbum big;
        big.Title = QStringLiteral("Everything");
        for (int i = 1; i <= 1000; ++i)
            big.Tracks << TAlbumTrack{QString(), QStringLiteral("A song with a name %1").arg(i), QString(), 0, i, 200000};
        const CoverSize tray = MakeSize(5.945, 4.626, 0.256, 5.433, 0.256, 4.626);
        QVERIFY(c.ImportAlbum(big, tray, CoverMode::Multiple).Ok());
        const TTextBlock list = c.Document().GetBlocks(2).at(0);
        QVERIFY(LayOutTextBlock(list).Fits);
        QVERIFY2(list.Text.contains(QRegularExpression("\\.\\.\\. and \\d+ more tracks")), qPrintable(list.Text.right(80)));
        QVERIFY(c.Document().GetPicture(3).isNull()); // no picture, and a spine there
    }

    void theCommandLineAndTheWindow()
    {
        // No window: the tray inlay by default, saved and exported.
        const QString saved = m_dir.filePath("cli.vmcover"), pdf = m_dir.filePath("cli.pdf");
        QTemporaryDir config;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM");
        env.insert("XDG_CONFIG_HOME", config.path());
        p.setProcessEnvironment(env);
        p.start(ProgramBinDir() + "/velmora", {"--import-album", m_album, "--save", saved, "--export-pdf", pdf});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        TCoverController c{QString()};
        QVERIFY(c.Open(saved).Ok());
        QCOMPARE(c.Document().Size().Name.Text(), QStringLiteral("CD jewel case tray inlay"));
        QVERIFY(c.Document().GetBlocks(2).at(0).Text.startsWith("1\tFirst Light\t0:02"));
        QVERIFY(Run("pdftotext", {pdf, "-"}).contains("First Light"));
        for (const QStringList &wrong : {QStringList{"--import-album", m_album},
                                         QStringList{"--import-album", m_album, "--size", "No such case", "--save", saved},
                                         QStringList{"--import-album", m_dir.filePath("nothing"), "--save", saved}}) {
            p.start(ProgramBinDir() + "/velmora", wrong);
            QVERIFY(p.waitForFinished(60000));
            QVERIFY2(p.exitCode() == 1 && !p.readAllStandardError().isEmpty(), qPrintable(wrong.join(' ')));
        }

        // The window: Cover > Import Album..., the size from the New dialog.
        TProgram program(ReadBytes(SourceDir() + "/data/CoverSizes.ini"));
        TCoverMakerMainForm &f = *program.form;
        program.coverFiles.Answer = m_album;
        program.dialogs.Scripts << [](QDialog &d) {
            auto &form = static_cast<TNewDocumentForm &>(d);
            QCOMPARE(form.SelectedName(), QStringLiteral("CD jewel case tray inlay"));
            form.SelectRow(form.Rows->RowNamed("DVD keep case wrap", Qt::CaseSensitive));
            form.OkButton->click();
        };
        Ui(f).ImportAlbum1()->trigger();
        QCOMPARE(program.Doc().Size().Name.Text(), QStringLiteral("DVD keep case wrap"));
        QCOMPARE(program.Doc().PlacedPicture(3)->FileBytes, m_art);
        QCOMPARE(program.messages.Texts(), QStringList{"\"04.mp3\" does not read as audio."});
        QCOMPARE(Ui(f).Undo1()->text(), QStringLiteral("Undo Import album"));
    }

    // The real file dialog: a folder taken with its own button, files as
    // selected.
    void theChooserTakesAFolderOrFiles()
    {
        TQtCoverFileChooser chooser;
        QStringList paths;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->setDirectory(m_album);
            dialog->findChild<QPushButton *>("UseFolderButton")->click();
        });
        QVERIFY(chooser.ChooseAlbum(nullptr, "Import Album", "Audio (*.flac *.mp3)", "Use This Folder", paths));
        QCOMPARE(paths, QStringList{QDir(m_album).absolutePath()});
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->selectFile(m_album + "/01.flac");
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QVERIFY(chooser.ChooseAlbum(nullptr, "Import Album", "Audio (*.flac *.mp3)", "Use This Folder", paths));
        QCOMPARE(paths, QStringList{QDir(m_album).absoluteFilePath("01.flac")});
    }

    void pastedListsBecomeRows_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("rows");
        QTest::newRow("numbered") << "1. Intro 3:25\n2. Outro 10:02" << "1\tIntro\t3:25\n2\tOutro\t10:02";
        QTest::newRow("dashes, brackets") << "01 - Slow Tide (3:25)\r\n02 - Night Ferry (4:01)"
                                          << "1\tSlow Tide\t3:25\n2\tNight Ferry\t4:01";
        QTest::newRow("tabbed, unnumbered") << "Harbour Lights\t2:30\nAugust\t1:02:49"
                                            << "1\tHarbour Lights\t2:30\n2\tAugust\t1:02:49";
        QTest::newRow("a heading kept") << "Side A\n1 Intro 3:25" << "Side A\n1\tIntro\t3:25";
        QTest::newRow("not a list") << "Liner notes, recorded live." << "";
    }
    void pastedListsBecomeRows()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, rows);
        QCOMPARE(TrackRowsFromText(pasted), rows);
    }
};

QTEST_MAIN(TestAlbum)
#include "tst_album.moc"
