// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverArchive.h"

#include "ReasonTexts.h"

#include <QIODevice>
#include <zip.h>

#include <algorithm>
#include <memory>

namespace {

// What went wrong, in words a user can act on rather than libzip's own.
QString ZipErrorText(zip_error_t *error)
{
    switch (zip_error_code_zip(error)) {
    case ZIP_ER_NOZIP:
        return ReasonText(NotZipReason);
    case ZIP_ER_CRC:
        return ReasonText(ChecksumReason);
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_ENCRNOTSUPP:
        return ReasonText(PasswordReason);
    case ZIP_ER_EXISTS:
        return ReasonText(EntryTwiceReason);
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
        return ReasonText(CutShortReason);
    case ZIP_ER_COMPNOTSUPP:
        return ReasonText(CompressionReason);
    case ZIP_ER_MEMORY:
        return ReasonText(OutOfMemoryReason);
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
        return ReasonText(ReadFailedReason);
    case ZIP_ER_WRITE:
        return ReasonText(WriteFailedReason);
    default:
        return ReasonText(DamagedReason)
            .arg(QString::fromLocal8Bit(zip_error_strerror(error)));
    }
}

QString ZipErrorText(zip_t *archive)
{
    return ZipErrorText(zip_get_error(archive));
}

QString ZipErrorText(zip_file_t *file)
{
    return ZipErrorText(zip_file_get_error(file));
}

// libzip's view of a QIODevice: a file opened for reading, which keeps file
// names portable and lets tests and fuzzers read memory; or a new archive
// written straight to the device (a QSaveFile), which libzip seeks back on
// to complete each entry's header.
struct TDeviceSource
{
    QIODevice *Device = nullptr;
    bool Writing = false;
    zip_error_t Error;

    TDeviceSource() { zip_error_init(&Error); }
    ~TDeviceSource() { zip_error_fini(&Error); }
    TDeviceSource(const TDeviceSource &) = delete;
    TDeviceSource &operator=(const TDeviceSource &) = delete;

    static zip_int64_t Call(void *self, void *data, zip_uint64_t length, zip_source_cmd_t command)
    {
        return static_cast<TDeviceSource *>(self)->Do(data, length, command);
    }

    zip_int64_t Fail(int code)
    {
        zip_error_set(&Error, code, 0);
        return -1;
    }

    zip_int64_t Seek(void *data, zip_uint64_t length)
    {
        const zip_int64_t to = zip_source_seek_compute_offset(
            zip_uint64_t(Device->pos()), zip_uint64_t(Device->size()), data, length, &Error);
        if (to < 0)
            return -1;
        return Device->seek(to) ? 0 : Fail(ZIP_ER_SEEK);
    }

    zip_int64_t Do(void *data, zip_uint64_t length, zip_source_cmd_t command)
    {
        switch (command) {
        case ZIP_SOURCE_OPEN:
            return Writing || Device->seek(0) ? 0 : Fail(ZIP_ER_SEEK);
        case ZIP_SOURCE_READ: {
            const qint64 n = Writing ? -1 : Device->read(static_cast<char *>(data), qint64(length));
            return n < 0 ? Fail(ZIP_ER_READ) : n;
        }
        case ZIP_SOURCE_STAT: {
            // A new archive has nothing there yet.
            auto *st = static_cast<zip_stat_t *>(data);
            zip_stat_init(st);
            st->size = Writing ? 0 : zip_uint64_t(Device->size());
            st->valid |= ZIP_STAT_SIZE;
            return sizeof(*st);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&Error, data, length);
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE:
        case ZIP_SOURCE_BEGIN_WRITE:
        case ZIP_SOURCE_COMMIT_WRITE: // the caller commits the QSaveFile
        case ZIP_SOURCE_ROLLBACK_WRITE:
        case ZIP_SOURCE_REMOVE:
            return 0;
        case ZIP_SOURCE_WRITE: {
            const qint64 n = Device->write(static_cast<const char *>(data), qint64(length));
            return n == qint64(length) ? n : Fail(ZIP_ER_WRITE);
        }
        case ZIP_SOURCE_SEEK:
        case ZIP_SOURCE_SEEK_WRITE:
            return Seek(data, length);
        case ZIP_SOURCE_TELL:
        case ZIP_SOURCE_TELL_WRITE:
            return Device->pos();
        case ZIP_SOURCE_SUPPORTS:
            return Writing ? ZIP_SOURCE_SUPPORTS_WRITABLE : ZIP_SOURCE_SUPPORTS_SEEKABLE;
        default:
            return Fail(ZIP_ER_OPNOTSUPP);
        }
    }
};

} // namespace

bool WriteZipArchive(QIODevice &out, const QList<TArchiveEntry> &entries, QString &why)
{
    TDeviceSource target;
    target.Device = &out;
    target.Writing = true;
    zip_error_t error;
    zip_error_init(&error);
    zip_t *archive = nullptr;
    zip_source_t *source = zip_source_function_create(&TDeviceSource::Call, &target, &error);
    if (source) {
        archive = zip_open_from_source(source, ZIP_TRUNCATE, &error);
        if (!archive)
            zip_source_free(source);
    }
    if (!archive) {
        why = ZipErrorText(&error);
        zip_error_fini(&error);
        return false;
    }
    zip_error_fini(&error);
    const auto fail = [&](const QString &text) {
        why = text;
        zip_discard(archive);
        return false;
    };
    for (const TArchiveEntry &e : entries) {
        // The data is referenced, not copied: entries outlive zip_close.
        zip_source_t *data = zip_source_buffer(archive, e.Data.constData(),
                                               zip_uint64_t(e.Data.size()), 0);
        if (!data)
            return fail(ZipErrorText(archive));
        const zip_int64_t index =
            zip_file_add(archive, e.Name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(data);
            return fail(ZipErrorText(archive));
        }
        if (zip_set_file_compression(archive, zip_uint64_t(index),
                                     e.Compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) != 0)
            return fail(ZipErrorText(archive));
    }
    if (zip_close(archive) != 0) {
        // The device's own reason (a full disk) says more than libzip's.
        const QString reason = out.errorString();
        return fail(ZipErrorText(archive) +
                    (reason.isEmpty() || reason == QLatin1String("Unknown error")
                         ? QString()
                         : QStringLiteral(" (%1)").arg(reason)));
    }
    return true;
}

struct TZipReader::TSource : TDeviceSource
{
};

namespace {

quint64 LittleEndian(const QByteArray &bytes, qsizetype at, int size)
{
    quint64 v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | quint8(bytes.at(at + i));
    return v;
}

// Whether every directory the archive's end records could point libzip at
// is small: libzip reads a whole directory into memory before anyone can
// count its entries, and a hostile file may declare millions.
bool SmallDirectories(QIODevice &in, qint64 maxEntries, qint64 maxBytes)
{
    // The end record is 22 bytes and its comment at most 65535: libzip looks
    // no further back either.
    const qint64 size = in.size();
    const qint64 from = std::max<qint64>(0, size - (22 + 65535 + 20));
    if (!in.seek(from))
        return false;
    const QByteArray tail = in.read(size - from);
    for (qsizetype at = tail.size() - 22; at >= 0; --at) {
        if (LittleEndian(tail, at, 4) != 0x06054b50)
            continue;
        const quint64 entries = LittleEndian(tail, at + 10, 2);
        const quint64 bytes = LittleEndian(tail, at + 12, 4);
        // A ZIP64 end record, found through its locator just before, holds
        // the true counts where the classic record says "see there".
        const bool zip64 = at >= 20 && LittleEndian(tail, at - 20, 4) == 0x07064b50;
        if ((entries > quint64(maxEntries) && !(zip64 && entries == 0xFFFF)) ||
            (bytes > quint64(maxBytes) && !(zip64 && bytes == 0xFFFFFFFF)))
            return false;
        if (zip64) {
            const quint64 record = LittleEndian(tail, at - 20 + 8, 8);
            if (size < 56 || record > quint64(size - 56) || !in.seek(qint64(record)))
                return false;
            const QByteArray end64 = in.read(56);
            if (end64.size() < 56 || LittleEndian(end64, 0, 4) != 0x06064b50 ||
                LittleEndian(end64, 32, 8) > quint64(maxEntries) ||
                LittleEndian(end64, 40, 8) > quint64(maxBytes))
                return false;
        }
    }
    return true;
}

} // namespace

TZipReader::TZipReader(QIODevice &in, int maxEntries) : m_source(new TSource)
{
    m_source->Device = &in;
    // Each entry's directory record is a few dozen bytes and its name; a
    // cover's names are short.
    if (!SmallDirectories(in, maxEntries, qint64(maxEntries) * 1024)) {
        m_error = ReasonText(HoldsTooMuchEntryReason);
        return;
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_function_create(&TSource::Call, m_source, &error);
    if (source) {
        m_zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
        if (!m_zip)
            zip_source_free(source);
    }
    if (!m_zip)
        m_error = ZipErrorText(&error);
    zip_error_fini(&error);
}

TZipReader::~TZipReader()
{
    if (m_zip)
        zip_discard(m_zip);
    delete m_source;
}

QStringList TZipReader::Names() const
{
    QStringList names;
    if (!m_zip)
        return names;
    const zip_int64_t n = zip_get_num_entries(m_zip, 0);
    for (zip_int64_t i = 0; i < n; ++i)
        if (const char *name = zip_get_name(m_zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS))
            names << QString::fromUtf8(name);
    return names;
}

qint64 TZipReader::DeclaredSize(const QString &name) const
{
    if (!m_zip)
        return -1;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(m_zip, name.toUtf8().constData(), ZIP_FL_ENC_GUESS, &st) != 0 ||
        !(st.valid & ZIP_STAT_SIZE) || st.size > zip_uint64_t(INT64_MAX))
        return -1;
    return qint64(st.size);
}

namespace {

using TZipFile = std::unique_ptr<zip_file_t, int (*)(zip_file_t *)>;

TZipFile OpenEntry(zip_t *zip, const QString &name, QString &why)
{
    TZipFile file(zip_fopen(zip, name.toUtf8().constData(), ZIP_FL_ENC_GUESS), &zip_fclose);
    if (!file)
        why = ZipErrorText(zip);
    return file;
}

// Fills bytes from the entry as far as it goes; false, with why, when its
// data does not inflate.
bool Fill(zip_file_t *file, QByteArray &bytes, QString &why,
          const std::function<void(qint64)> &read = {})
{
    const qint64 piece = 4 * 1024 * 1024;
    qint64 got = 0;
    while (got < bytes.size()) {
        const zip_int64_t n = zip_fread(file, bytes.data() + got,
                                        zip_uint64_t(std::min(piece, bytes.size() - got)));
        if (n < 0) {
            why = ZipErrorText(file);
            return false;
        }
        if (n == 0)
            break;
        got += n;
        if (read)
            read(got);
    }
    bytes.truncate(qsizetype(got));
    return true;
}

} // namespace

bool TZipReader::ReadHead(const QString &name, qint64 length, QByteArray &head, QString &why)
{
    const qint64 size = DeclaredSize(name);
    if (size < 0) {
        why = QStringLiteral("\"%1\" is missing from the file.").arg(name);
        return false;
    }
    const TZipFile file = OpenEntry(m_zip, name, why);
    if (!file)
        return false;
    head = QByteArray(qsizetype(std::min(size, length)), Qt::Uninitialized);
    return Fill(file.get(), head, why);
}

bool TZipReader::Read(const QString &name, qint64 limit, QByteArray &data, QString &why,
                      const std::function<void(qint64)> &read)
{
    const qint64 size = DeclaredSize(name);
    if (size < 0) {
        why = QStringLiteral("\"%1\" is missing from the file.").arg(name);
        return false;
    }
    if (size > limit) {
        why = QStringLiteral("\"%1\" is larger than a cover file may hold.").arg(name);
        return false;
    }
    const TZipFile file = OpenEntry(m_zip, name, why);
    if (!file)
        return false;
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    if (!Fill(file.get(), bytes, why, read))
        return false;
    // The data must end where the directory says, and its checksum (checked
    // by libzip at the end) must hold.
    char beyond;
    const zip_int64_t more = zip_fread(file.get(), &beyond, 1);
    if (bytes.size() != size || more != 0) {
        why = more < 0 ? ZipErrorText(file.get())
                       : QStringLiteral("\"%1\" is damaged.").arg(name);
        return false;
    }
    data = bytes;
    return true;
}
