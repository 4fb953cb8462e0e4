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
        WriteBytes(path, "[A]\r\nx=1\r\n[B]\r\ny=2\r\n; note\r\n[C]\r\nz=3\r\n");
        TProfileFile f(path);
        f.EraseSection("b");
        QCOMPARE(ReadBytes(path), QByteArray("[A]\r\nx=1\r\n[C]\r\nz=3\r\n"));
        const QByteArray same = ReadBytes(path);
        f.EraseSection("missing");
        QCOMPARE(ReadBytes(path), same);
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

    void sectionListingStopsAt16384Bytes()
    {
        const QString path = Path("many.ini");
        QByteArray content;
        // 200 names of 99 characters take 100 bytes each with the terminator.
        for (int i = 0; i < 200; ++i)
            content += "[" + QByteArray::number(i).rightJustified(99, 'n') + "]\r\n";
        WriteBytes(path, content);
        const QStringList names = TProfileFile(path).ReadSectionNames();
        // 163 whole names take 16300 bytes; 82 remain, less the two final
        // terminators: the 164th name is cut to 82 characters.
        QCOMPARE(names.size(), 164);
        QCOMPARE(names[162].size(), 99);
        QCOMPARE(names[163].size(), 82);
        QCOMPARE(names[163], QByteArray::number(163).rightJustified(99, 'n').left(82));
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
