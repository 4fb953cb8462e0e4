// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <QStringList>

class QIODevice;
struct zip;

// One file in a ZIP archive.
struct TArchiveEntry
{
    QString Name;
    QByteArray Data;
    bool Compress = true; // false for data that is compressed already (a JPEG)
};

// Writes the entries as a ZIP archive (libzip) to out; false, with why, when
// the archive could not be made or written.
bool WriteZipArchive(QIODevice &out, const QList<TArchiveEntry> &entries, QString &why);

// Reads a ZIP archive from a device that stays open while the reader lives.
// Nothing is read beyond what is asked for: the directory at opening, then
// each entry by name, up to a limit.
class TZipReader
{
public:
    // An archive whose directory declares more than maxEntries entries is
    // refused before libzip reads it.
    explicit TZipReader(QIODevice &in, int maxEntries = 64);
    ~TZipReader();
    TZipReader(const TZipReader &) = delete;
    TZipReader &operator=(const TZipReader &) = delete;

    // False, with Error() saying why, when the device holds no archive.
    bool IsOpen() const { return m_zip != nullptr; }
    QString Error() const { return m_error; }
    QStringList Names() const;
    // The entry's uncompressed size as its directory declares it; -1 when
    // there is no such entry.
    qint64 DeclaredSize(const QString &name) const;
    // The entry's bytes. False, with why, for a missing entry, one that
    // declares more than limit bytes, and one whose data does not match
    // what the archive declares (length, checksum).
    // read, when given, is told the bytes inflated so far every few
    // megabytes: a large entry takes a while.
    bool Read(const QString &name, qint64 limit, QByteArray &data, QString &why,
              const std::function<void(qint64 done)> &read = {});
    // The entry's first length bytes (fewer for a shorter entry), inflated
    // no further: enough to tell what it holds before reading it whole.
    bool ReadHead(const QString &name, qint64 length, QByteArray &head, QString &why);

private:
    struct TSource;
    TSource *m_source = nullptr;
    zip *m_zip = nullptr;
    QString m_error;
};
