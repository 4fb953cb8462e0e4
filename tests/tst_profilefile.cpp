// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileFile.h"
#include "TestFiles.h"
#include "VelmoraError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif
#include <csignal>
#include <sys/resource.h>

namespace {

// Tells a file rewritten in place from one replaced by another.
unsigned long long InodeOf(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
#else
    Q_UNUSED(path);
    return 0;
#endif
}

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString Path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

private Q_SLOTS:
    void newFileGetsSectionsAndKeysInOrderWithCrLf()
    {
        const QString path = Path("new.ini");
        TProfileFile f(path);
        f.WriteString("Box 10", "SingleWidth", "10");
        f.WriteString("Box 10", "SingleHeight", "10");
        f.WriteString("Other", "A", "1");
        QCOMPARE(ReadBytes(path),
                 QByteArray("[Box 10]\r\nSingleWidth=10\r\nSingleHeight=10\r\n[Other]\r\nA=1\r\n"));
    }

    void readsNamesWithoutRegardToCaseTrimmedAndUnquoted()
    {
        const QString path = Path("hand.ini");
        WriteBytes(path, "; a comment\n[ BOX ]\n  Width = 12.5 \nName=\"quoted value\"\n"
                         "Single='x'\nMixed=\"a'\nKeyOnly\n\n[Next]\nWidth=1\n");
        TProfileFile f(path);
        QCOMPARE(f.ReadSectionNames(), QStringList({"BOX", "Next"}));
        QCOMPARE(f.ReadString("box", "WIDTH", "d"), QStringLiteral("12.5"));
        QCOMPARE(f.ReadString("Box", "name", "d"), QStringLiteral("quoted value"));
        QCOMPARE(f.ReadString("Box", "single", "d"), QStringLiteral("x"));
        QCOMPARE(f.ReadString("Box", "mixed", "d"), QStringLiteral("\"a'"));
        QCOMPARE(f.ReadString("Box", "KeyOnly", "d"), QString());
        QCOMPARE(f.ReadString("Box", "missing", "d"), QStringLiteral("d"));
        QCOMPARE(f.ReadString("Nowhere", "Width", "0"), QStringLiteral("0"));
        QCOMPARE(f.ReadString("next", "width", "d"), QStringLiteral("1"));
    }

    void rewriteTouchesOnlyItsOwnLine()
    {
        const QString path = Path("keep.ini");
        const QByteArray before = "; keep me\n[box]\nsinglewidth=1\n  odd line without equals  \r\n"
                                  "Other = 5\n\n[Next]\nSingleWidth=2\n";
        WriteBytes(path, before);
        TProfileFile f(path);
        f.WriteString("BOX", "SingleWidth", "7");
        // The stored spellings of section and key stay; the line gets CR LF.
        QCOMPARE(ReadBytes(path),
                 QByteArray("; keep me\n[box]\nsinglewidth=7\r\n  odd line without "
                            "equals  \r\nOther = 5\n\n[Next]\nSingleWidth=2\n"));
    }

    void missingKeyGoesToTheEndOfItsSection()
    {
        const QString path = Path("append.ini");
        WriteBytes(path, "[A]\r\nx=1\r\n\r\n[B]\r\ny=2");
        TProfileFile f(path);
        f.WriteString("a", "z", "3");
        f.WriteString("B", "w", "4");
        QCOMPARE(ReadBytes(path), QByteArray("[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\nw=4\r\n"));
        f.WriteString("C", "v", "5");
        QCOMPARE(ReadBytes(path),
                 QByteArray("[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\nw=4\r\n[C]\r\nv=5\r\n"));
    }

    void eraseSectionRemovesHeaderAndKeys()
    {
        const QString path = Path("erase.ini");
        // Each section's comment stands above its header, and goes with it.
        WriteBytes(path, "; about A\r\n[A]\r\nx=1\r\n; about B\r\n[B]\r\ny=2\r\n; about C\r\n"
                         "[C]\r\nz=3\r\n");
        TProfileFile f(path);
        f.EraseSection("b");
        QCOMPARE(ReadBytes(path), QByteArray("; about A\r\n[A]\r\nx=1\r\n; about C\r\n[C]\r\nz=3\r\n"));
        const QByteArray same = ReadBytes(path);
        f.EraseSection("missing");
        QCOMPARE(ReadBytes(path), same);
        f.EraseSection("A");
        QCOMPARE(ReadBytes(path), QByteArray("; about C\r\n[C]\r\nz=3\r\n"));
        f.EraseSection("C");
        QCOMPARE(ReadBytes(path), QByteArray());
    }

    void lineBreaksInTextCannotSplitTheFile()
    {
        const QString path = Path("breaks.ini");
        TProfileFile f(path);
        f.WriteString("A\r\n[B]", "k", "v\nw=1");
        QCOMPARE(f.ReadSectionNames(), QStringList({"A  [B]"}));
        QCOMPARE(f.ReadString("A  [B]", "k", "d"), QStringLiteral("v w=1"));
    }

    void valuesAreCutAt2047Characters()
    {
        const QString path = Path("long.ini");
        TProfileFile f(path);
        f.WriteString("S", "k", QString(3000, 'x'));
        QCOMPARE(f.ReadString("S", "k", "").size(), 2047);
        WriteBytes(path, "[S]\r\nk=" + QByteArray(3000, 'y') + "\r\n");
        QCOMPARE(f.ReadString("S", "k", ""), QString(2047, 'y'));
    }

    void everyEncodingReadsAndKeepsTheLinesAWriteDoesNotTouch_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QByteArray>("after"); // of setting k of A to 2; empty: refused
        const auto utf16 = [](const QString &text, bool le) {
            QByteArray out = le ? "\xFF\xFE" : "\xFE\xFF";
            for (const QChar c : text) {
                const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
                out.append(le ? lo : hi).append(le ? hi : lo);
            }
            return out;
        };
        const QString text = QStringLiteral("[A]\r\nk=1\r\n[\u00c9t\u00e9 \u65e5]\r\nk=3\r\n");
        const QString written = QStringLiteral("[A]\r\nk=2\r\n[\u00c9t\u00e9 \u65e5]\r\nk=3\r\n");
        QTest::newRow("utf-8 with a windows-1252 line")
            << QByteArray("[A]\nk=1\n[Caf\xe9]\nk=\x80\n[\xc3\x89t\xc3\xa9]\nk=3\n")
            << QStringList{"A", "Caf\u00e9", "\u00c9t\u00e9"}
            << QByteArray("[A]\nk=2\r\n[Caf\xe9]\nk=\x80\n[\xc3\x89t\xc3\xa9]\nk=3\n");
        QTest::newRow("utf-16 LE") << utf16(text, true) << QStringList{"A", "\u00c9t\u00e9 \u65e5"}
                                   << utf16(written, true);
        QTest::newRow("utf-16 BE") << utf16(text, false) << QStringList{"A", "\u00c9t\u00e9 \u65e5"}
                                   << utf16(written, false);
        QTest::newRow("utf-16 cut in a character")
            << utf16(text, true) + "\x41" << QStringList{"A", "\u00c9t\u00e9 \u65e5"} << QByteArray();
        QTest::newRow("utf-16 with a lone surrogate, kept")
            << utf16(text, true) + QByteArray("\x00\xD8", 2) << QStringList{"A", "\u00c9t\u00e9 \u65e5"}
            << utf16(written, true) + QByteArray("\x00\xD8", 2);
        // Names beyond what one listing of the old profile services held.
        QByteArray many = "[A]\r\nk=1\r\n";
        QStringList manyNames{"A"};
        for (int i = 0; i < 200; ++i) {
            manyNames << QString::number(i).rightJustified(99, 'n');
            many += "[" + manyNames.last().toLatin1() + "]\r\n";
        }
        QTest::newRow("200 long names") << many << manyNames << many.replace("k=1", "k=2");
    }
    void everyEncodingReadsAndKeepsTheLinesAWriteDoesNotTouch()
    {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, names);
        QFETCH(QByteArray, after);
        const QString path = Path("encoded.ini");
        WriteBytes(path, before);
        TProfileFile f(path);
        QCOMPARE(f.ReadSectionNames(), names);
        QCOMPARE(f.ReadString(names.last(), "k", "d"), names.size() > 3 ? "d" : "3");
        if (after.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(EVelmoraError, f.WriteString("A", "k", "2"));
            QCOMPARE(ReadBytes(path), before);
        } else {
            f.WriteString("A", "k", "2");
            QCOMPARE(ReadBytes(path), after);
        }
    }

    void missingFileReadsEmptyAndIsCreatedByAWrite()
    {
        const QString path = Path("absent.ini");
        TProfileFile f(path);
        QVERIFY(f.ReadSectionNames().isEmpty());
        QCOMPARE(f.ReadString("A", "b", "0"), QStringLiteral("0"));
        f.WriteString("A", "b", "1");
        QCOMPARE(ReadBytes(path), QByteArray("[A]\r\nb=1\r\n"));
    }

    void refusedWritesRaiseAndLeaveTheFile()
    {
        const QString missingDir = m_dir.filePath("no/such/dir/CoverSizes.ini");
        try {
            TProfileFile(missingDir).WriteString("A", "b", "1");
            QFAIL("no error");
        } catch (const EVelmoraError &e) {
            QCOMPARE(e.Text(), "Unable to write to " + missingDir);
        }

        const QString readOnly = Path("readonly.ini");
        WriteBytes(readOnly, "[A]\r\nb=1\r\n");
        QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadUser);
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, TProfileFile(readOnly).WriteString("A", "b", "2"));
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, TProfileFile(readOnly).EraseSection("A"));
        QCOMPARE(ReadBytes(readOnly), QByteArray("[A]\r\nb=1\r\n"));
    }

    void aFolderThatTakesNoNewFileIsWrittenInPlace()
    {
        QTemporaryDir shared;
        const QString path = shared.filePath("CoverSizes.ini");
        WriteBytes(path, "[A]\r\nb=1\r\n");
        const auto folderBits = QFile::permissions(shared.path());
        QFile::setPermissions(shared.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        TProfileFile f(path);
        const auto inode = InodeOf(path);
        QFile held(path); // keeps the inode from being reused by a replacement
        QVERIFY(held.open(QIODevice::ReadOnly));
        f.WriteString("A", "b", "2");
        f.WriteString("C", "d", "3");
        QCOMPARE(InodeOf(path), inode); // the same file, not a replacement
        const QByteArray written = ReadBytes(path);
        QFile::setPermissions(path, QFileDevice::ReadOwner);
        QVERIFY_THROWS_EXCEPTION(EVelmoraError, f.WriteString("A", "b", "4"));
        const QByteArray refused = ReadBytes(path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::setPermissions(shared.path(), folderBits);
        QCOMPARE(written, QByteArray("[A]\r\nb=2\r\n[C]\r\nd=3\r\n"));
        QCOMPARE(refused, written);
        QCOMPARE(QDir(shared.path()).entryList(QDir::Files), QStringList({"CoverSizes.ini"}));
    }

    void byteOrderMarkDoesNotHideTheFirstSection()
    {
        const QString path = Path("bom.ini");
        WriteBytes(path, "\xEF\xBB\xBF[A]\r\nb=1\r\n");
        TProfileFile f(path);
        QCOMPARE(f.ReadSectionNames(), QStringList({"A"}));
        f.WriteString("A", "b", "2");
        QCOMPARE(ReadBytes(path), QByteArray("\xEF\xBB\xBF[A]\r\nb=2\r\n"));
    }

    void interruptedWriteLeavesTheOldFileWhole()
    {
        // A file-size limit makes the disk "full" part way through writing
        // the new contents.
        const QString path = Path("full.ini");
        QByteArray content;
        for (int i = 0; i < 300; ++i)
            content += "[Size " + QByteArray::number(i) + "]\r\nSingleWidth=1\r\n";
        WriteBytes(path, content);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = rlim_t(content.size() / 2);
        setrlimit(RLIMIT_FSIZE, &small);
        bool raised = false;
        try {
            TProfileFile(path).WriteString("Size 3", "SingleWidth", "2");
        } catch (const EVelmoraError &e) {
            raised = e.Text() == "Unable to write to " + path;
        }
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(raised);
        QCOMPARE(ReadBytes(path), content);
        // No temporary file is left behind.
        QCOMPARE(QDir(m_dir.path()).entryList({"full.ini*"}, QDir::Files),
                 QStringList({"full.ini"}));
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
