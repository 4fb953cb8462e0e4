// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverRecovery.h"

#include "CoverFile.h"
#include "ReasonTexts.h"
#include "VelmoraError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QUuid>

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

namespace {

const char LockName[] = "lock";
const char DescriptionName[] = "cover.json";
// Which picture file each area's picture is, and the cover's own file.
const char IndexName[] = "recovery.json";
// Beside the copies: what was found and could not be offered.
const char DamagedName[] = "damaged";

struct TJob
{
    TCoverFileContent Content;
    QString CoverFile;
};

bool WriteWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// A lock that counts as held only while its program runs, however long.
std::unique_ptr<QLockFile> Lock(const QString &folder)
{
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(QLatin1String(LockName)));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

// The picture files of a copy whose index does not read: by the kind and
// length the description gives, among the files named by their content.
void FindPictureFiles(const QString &folder, const std::array<TPictureEntry, 3> &pictures,
                      std::array<QString, 3> &files)
{
    const QDir dir(folder);
    for (size_t i = 0; i < 3; ++i) {
        if (pictures[i].Name.isEmpty() || !files[i].isEmpty())
            continue;
        for (const QFileInfo &f : dir.entryInfoList({QStringLiteral("*.") + pictures[i].Kind},
                                                    QDir::Files))
            if (f.size() == pictures[i].Bytes) {
                files[i] = f.fileName();
                break;
            }
    }
}

// The picture file names a copy's index gives, by area; empty for none.
bool ReadIndex(const QString &folder, std::array<QString, 3> &files, QString &coverFile)
{
    QFile f(QDir(folder).filePath(QLatin1String(IndexName)));
    if (!f.open(QIODevice::ReadOnly) || f.size() > MaxDescriptionBytes)
        return false;
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    coverFile = o.value(QLatin1String("coverFile")).toString();
    static const QRegularExpression plain(QStringLiteral("^[0-9a-f]{40}\\.[a-z0-9]{1,8}$"));
    const QJsonObject pictures = o.value(QLatin1String("pictures")).toObject();
    for (int i = 0; i < 3; ++i) {
        const QString name = pictures.value(QString::number(i + 1)).toString();
        if (!name.isEmpty() && !plain.match(name).hasMatch())
            return false;
        files[size_t(i)] = name;
    }
    return o.contains(QLatin1String("pictures"));
}

} // namespace

struct TCoverRecovery::TWriter
{
    QString Root;
    mutable std::mutex Mutex;
    std::condition_variable Wake;
    std::condition_variable Idle;
    std::optional<TJob> Pending;
    std::function<void(const QString &)> OnWritten;
    QStringList Moved; // by the last look for left copies
    bool DiscardPending = false;
    bool Busy = false;
    bool Stop = false;
    // Owned by the writer thread while it works; read by others under Mutex.
    QString Folder;
    std::unique_ptr<QLockFile> FolderLock;
    // The file each picture went to, by its serial: pictures are named by
    // their content, which is worked out once.
    std::map<quint64, QString> Written;
    std::thread Thread;

    explicit TWriter(const QString &root) : Root(root)
    {
        Thread = std::thread([this] { Loop(); });
    }
    ~TWriter()
    {
        {
            std::lock_guard<std::mutex> hold(Mutex);
            Stop = true;
        }
        Wake.notify_all();
        Thread.join();
    }

    void Loop()
    {
        std::unique_lock<std::mutex> hold(Mutex);
        for (;;) {
            Wake.wait(hold, [this] { return Stop || Pending || DiscardPending; });
            if (!Pending && !DiscardPending)
                break; // stopping with nothing left to do
            std::optional<TJob> job = std::move(Pending);
            Pending.reset();
            const bool discard = DiscardPending && !job;
            DiscardPending = false;
            Busy = true;
            hold.unlock();
            // A copy that cannot be written is said once it is known; the
            // next change tries again.
            QString why;
            const QString raised = ErrorTextOf([&] {
                if (discard)
                    RemoveOwn();
                else
                    why = WriteCopy(*job);
            });
            if (why.isEmpty())
                why = raised;
            hold.lock();
            if (!discard && OnWritten) {
                const auto tell = OnWritten;
                hold.unlock();
                tell(why);
                hold.lock();
            }
            Busy = false;
            Idle.notify_all();
        }
    }

    void RemoveOwn()
    {
        if (Folder.isEmpty())
            return;
        // Everything but the lock goes first, while it still says the copy is
        // ours; then the lock is let go, which removes its file (removed with
        // the rest, it could not be released and Qt would warn of it), and
        // the folder, empty by then.
        QDir dir(Folder);
        for (const QFileInfo &entry :
             dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            if (entry.fileName() != QLatin1String(LockName)) {
                if (entry.isDir() && !entry.isSymLink())
                    QDir(entry.filePath()).removeRecursively();
                else
                    QFile::remove(entry.filePath());
            }
        std::lock_guard<std::mutex> hold(Mutex);
        FolderLock.reset();
        dir.removeRecursively();
        Folder.clear();
    }

    // Empty when the copy was written whole; else why not.
    QString WriteCopy(const TJob &job)
    {
        const auto cannot = [](const QString &path) {
            return QStringLiteral("%1 cannot be written").arg(QDir::toNativeSeparators(path));
        };
        if (Folder.isEmpty()) {
            const QString folder =
                QDir(Root).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces));
            if (!QDir().mkpath(folder))
                return cannot(folder);
            auto lock = Lock(folder);
            if (!lock)
                return cannot(QDir(folder).filePath(QLatin1String(LockName)));
            std::lock_guard<std::mutex> hold(Mutex);
            Folder = folder;
            FolderLock = std::move(lock);
        }
        const QDir dir(Folder);
        std::array<TPictureEntry, 3> pictures;
        QJsonObject files;
        QStringList keep{QLatin1String(LockName), QLatin1String(DescriptionName),
                         QLatin1String(IndexName)};
        for (int i = 0; i < 3; ++i) {
            const auto &picture = job.Content.State.Areas[size_t(i)].Picture;
            if (!picture)
                continue;
            TPictureEntry &p = pictures[size_t(i)];
            // A picture file already in the copy was written whole before:
            // a large photograph is written once, not at every change.
            // A picture no document numbered has no name to remember.
            QString unnumbered;
            QString &name = picture->Serial ? Written[picture->Serial] : unnumbered;
            if (name.isEmpty() || !dir.exists(name)) {
                const QByteArray bytes = StoredPictureBytes(*picture, p.Kind);
                const QString named =
                    QString::fromLatin1(
                        QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()) +
                    QLatin1Char('.') + p.Kind;
                if (!dir.exists(named) && !WriteWhole(dir.filePath(named), bytes))
                    return cannot(dir.filePath(named));
                name = named;
            }
            p.Kind = name.section(QLatin1Char('.'), 1);
            p.Bytes = QFileInfo(dir.filePath(name)).size();
            p.Name = PictureEntryName(i + 1, p.Kind);
            files.insert(QString::number(i + 1), name);
            keep << name;
        }
        const QJsonObject index{{"coverFile", job.CoverFile}, {"pictures", files}};
        if (!WriteWhole(dir.filePath(QLatin1String(DescriptionName)),
                        DescribeCover(job.Content, pictures)))
            return cannot(dir.filePath(QLatin1String(DescriptionName)));
        if (!WriteWhole(dir.filePath(QLatin1String(IndexName)), QJsonDocument(index).toJson()))
            return cannot(dir.filePath(QLatin1String(IndexName)));
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
            if (!keep.contains(name))
                QFile::remove(dir.filePath(name));
        return QString();
    }
};

TCoverRecovery::TCoverRecovery(const QString &root) : m_writer(std::make_unique<TWriter>(root)) {}

TCoverRecovery::~TCoverRecovery() = default;

void TCoverRecovery::Write(const TCoverFileContent &content, const QString &coverFile)
{
    {
        std::lock_guard<std::mutex> hold(m_writer->Mutex);
        m_writer->Pending = TJob{content, coverFile};
        m_writer->DiscardPending = false;
    }
    m_writer->Wake.notify_all();
}

void TCoverRecovery::SetOnWritten(std::function<void(const QString &)> handler)
{
    std::lock_guard<std::mutex> hold(m_writer->Mutex);
    m_writer->OnWritten = std::move(handler);
}

void TCoverRecovery::Discard()
{
    {
        std::lock_guard<std::mutex> hold(m_writer->Mutex);
        m_writer->Pending.reset();
        m_writer->DiscardPending = true;
    }
    m_writer->Wake.notify_all();
    Wait();
}

void TCoverRecovery::Wait()
{
    std::unique_lock<std::mutex> hold(m_writer->Mutex);
    m_writer->Idle.wait(hold, [this] {
        return !m_writer->Busy && !m_writer->Pending && !m_writer->DiscardPending;
    });
}

QString TCoverRecovery::Folder() const
{
    std::lock_guard<std::mutex> hold(m_writer->Mutex);
    return m_writer->Folder;
}

QString TCoverRecovery::DamagedFolder() const
{
    return QDir(m_writer->Root).filePath(QLatin1String(DamagedName));
}

QStringList TCoverRecovery::MovedToDamaged() const
{
    std::lock_guard<std::mutex> hold(m_writer->Mutex);
    return m_writer->Moved;
}

QList<TCoverRecovery::TLeftCopy> TCoverRecovery::LeftCopies() const
{
    QList<TLeftCopy> copies;
    QStringList moved;
    const QString own = Folder();
    const QDir root(m_writer->Root);
    for (const QFileInfo &sub : root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (sub.absoluteFilePath() == QFileInfo(own).absoluteFilePath() ||
            sub.fileName() == QLatin1String(DamagedName))
            continue;
        // Held by a program that runs: its copy, not a left one.
        auto lock = Lock(sub.absoluteFilePath());
        if (!lock)
            continue;
        TLeftCopy copy;
        copy.Folder = sub.absoluteFilePath();
        QFile description(QDir(copy.Folder).filePath(QLatin1String(DescriptionName)));
        TCoverFileContent content;
        std::array<TPictureEntry, 3> pictures;
        QString why;
        if (!description.open(QIODevice::ReadOnly) || description.size() > MaxDescriptionBytes ||
            !ReadCoverDescription(description.readAll(), content, pictures, why)) {
            QStringList held = QDir(copy.Folder).entryList(QDir::Files | QDir::Hidden);
            held.removeAll(QLatin1String(LockName));
            lock.reset();
            // A folder its program never wrote into holds nothing at all.
            if (held.isEmpty()) {
                QDir(copy.Folder).removeRecursively();
                continue;
            }
            // Nothing to offer, but nothing is thrown away either: kept
            // where the user is told to look.
            QDir().mkpath(DamagedFolder());
            const QString to = QDir(DamagedFolder()).filePath(sub.fileName());
            if (QDir().rename(copy.Folder, to))
                moved << to;
            continue;
        }
        // The index only names the picture files; without it they are
        // found by the description.
        std::array<QString, 3> files;
        ReadIndex(copy.Folder, files, copy.CoverFile);
        copy.Written = QFileInfo(description).lastModified();
        copies << copy;
    }
    {
        std::lock_guard<std::mutex> hold(m_writer->Mutex);
        m_writer->Moved = moved;
    }
    std::sort(copies.begin(), copies.end(),
              [](const TLeftCopy &a, const TLeftCopy &b) { return a.Written > b.Written; });
    return copies;
}

bool TCoverRecovery::Restore(const TLeftCopy &copy, TCoverFileContent &content, QString &why,
                             QStringList *lost)
{
    Wait();
    auto lock = Lock(copy.Folder);
    std::array<QString, 3> files;
    QString coverFile;
    QFile description(QDir(copy.Folder).filePath(QLatin1String(DescriptionName)));
    std::array<TPictureEntry, 3> pictures;
    if (!lock || !description.open(QIODevice::ReadOnly) ||
        description.size() > MaxDescriptionBytes) {
        why = ReasonText(CopyIncompleteReason);
        return false;
    }
    if (!ReadCoverDescription(description.readAll(), content, pictures, why))
        return false;
    if (!ReadIndex(copy.Folder, files, coverFile))
        files = {};
    FindPictureFiles(copy.Folder, pictures, files);
    // One picture that does not read costs that picture, not the texts and
    // the other pictures with it.
    for (size_t i = 0; i < 3; ++i) {
        if (pictures[i].Name.isEmpty())
            continue;
        QString pictureWhy;
        try {
            const QString path = QDir(copy.Folder).filePath(files[i]);
            const QByteArray bytes = files[i].isEmpty() ? QByteArray() : ReadPictureFile(path);
            if (bytes.size() != pictures[i].Bytes)
                pictureWhy = ReasonText(FileMissingReason);
            else
                content.State.Areas[i].Picture =
                    PlaceStoredPicture(bytes, pictures[i].Kind, pictureWhy);
        } catch (const EVelmoraError &e) {
            pictureWhy = e.Text();
        } catch (const std::bad_alloc &) {
            pictureWhy = ReasonText(OutOfMemoryReason);
        }
        if (!content.State.Areas[i].Picture && lost)
            *lost << QStringLiteral("%1: %2").arg(i + 1).arg(pictureWhy);
    }
    // Taken over: this program's own copy from now on.
    Discard();
    std::lock_guard<std::mutex> hold(m_writer->Mutex);
    m_writer->Folder = copy.Folder;
    m_writer->FolderLock = std::move(lock);
    return true;
}

void TCoverRecovery::Remove(const TLeftCopy &copy)
{
    if (auto lock = Lock(copy.Folder)) {
        lock->unlock();
        QDir(copy.Folder).removeRecursively();
    }
}
