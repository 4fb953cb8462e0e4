// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverFile.h"

#include "CoverArchive.h"
#include "PictureLoading.h"
#include "ReasonTexts.h"
#include "VelmoraError.h"

#include <algorithm>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <QStorageInfo>

const char CoverFileExtension[] = ".vmcover";
const char CoverDescriptionEntry[] = "cover.json";

namespace {

// More than this many entries is no cover this program wrote.
constexpr int MaxEntries = 64;
// All pictures of one cover together; three of today's largest photographs
// come nowhere near.
constexpr qint64 MaxPictureBytesInAll = 1024LL * 1024 * 1024;

const char PngKind[] = "png";

// How much of a picture entry is read to tell what it holds.
constexpr qint64 PictureHeadBytes = 64 * 1024;

// The ways picture files begin, whatever their name says: the loaders
// accept no other.
bool BeginsAsAPicture(const QByteArray &head)
{
    const auto at = [&](qsizetype offset, const char *magic, qsizetype length) {
        return head.size() >= offset + length && head.mid(offset, length) == QByteArray(magic, length);
    };
    return at(0, "\xFF\xD8\xFF", 3) || at(0, "\x89PNG\r\n\x1A\n", 8) || at(0, "GIF8", 4) ||
           at(0, "BM", 2) || at(0, "\0\0\1\0", 4) || at(0, "\0\0\2\0", 4) ||
           at(0, "\xD7\xCD\xC6\x9A", 4) || at(0, "\1\0\x09\0", 4) || at(0, "\2\0\x09\0", 4) ||
           (at(0, "\1\0\0\0", 4) && at(40, " EMF", 4)) || (at(0, "RIFF", 4) && at(8, "WEBP", 4)) ||
           at(0, "II*\0", 4) || at(0, "MM\0*", 4) || at(0, "II+\0", 4) || at(0, "MM\0+", 4);
}

// Before a picture entry is inflated: whether its head is a picture's, and
// whether a raster picture of the size its header declares could take so
// many bytes. A few bytes can inflate to hundreds of megabytes of nothing.
bool PictureHeadFits(const QByteArray &head, qint64 bytes, QString &why)
{
    if (!BeginsAsAPicture(head)) {
        why = ReasonText(NotPictureStartReason);
        return false;
    }
    // Only kinds that hold one picture: an animated GIF, an icon of many
    // sizes or a TIFF of many pages may well be larger than its first.
    if (!head.startsWith("\xFF\xD8\xFF") && !head.startsWith("\x89PNG") && !head.startsWith("BM"))
        return true;
    QBuffer buffer;
    buffer.setData(head);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    // Sixteen bytes a pixel hold the richest of these (16-bit RGBA with
    // its filter bytes) many times over; a megabyte more holds any extras.
    if (size.isValid() && !size.isEmpty() &&
        bytes > 16 * qint64(size.width()) * size.height() + 1024 * 1024) {
        why = ReasonText(FarLargerReason)
                  .arg(size.width())
                  .arg(size.height());
        return false;
    }
    return true;
}

// A reason as the system gave it, or where it says nothing ("Write error:
// Success" from a full disk) what is most likely.
QString WriteReason(const QString &reason, const QString &fileName)
{
    for (const char *empty : {"Success", "Unknown error", "No error"})
        if (reason.isEmpty() || reason.endsWith(QLatin1String(empty)))
            return QStorageInfo(QFileInfo(fileName).absolutePath()).bytesAvailable() < 1024 * 1024
                       ? ReasonText(DiskFullReason)
                       : ReasonText(NotWrittenWholeReason);
    return reason;
}

bool Compressed(const QString &kind)
{
    for (const char *k : {"jpg", "jpeg", "gif", "png", "webp"})
        if (kind == QLatin1String(k))
            return true;
    return false;
}

} // namespace

QByteArray StoredPictureBytes(const TPlacedPicture &picture, QString &kind)
{
    if (!picture.FileBytes.isEmpty()) {
        kind = picture.FileKind;
        return picture.FileBytes;
    }
    kind = QLatin1String(PngKind);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.Bitmap.save(&buffer, "PNG"))
        throw EVelmoraError(ReasonText(OutOfMemoryReason));
    return png;
}

std::shared_ptr<const TPlacedPicture> PlaceStoredPicture(const QByteArray &bytes,
                                                         const QString &kind, QString &why)
{
    auto placed = std::make_shared<TPlacedPicture>();
    placed->FileBytes = bytes;
    placed->FileKind = kind;
    if (std::unique_ptr<TGraphic> picture = LoadPictureBytes(bytes, kind, &why))
        PlacePictureOf(*placed, *picture);
    if (placed->Bitmap.isNull()) {
        if (why.isEmpty())
            why = ReasonText(EmptyPictureReason);
        return nullptr;
    }
    return placed;
}

void SaveCoverFile(const QString &fileName, const TCoverFileContent &content)
{
    std::array<TPictureEntry, 3> pictures;
    QList<TArchiveEntry> entries;
    for (CoverArea area = 1; area <= 3; ++area) {
        const auto &picture = content.State.Areas[size_t(area - 1)].Picture;
        if (!picture)
            continue;
        TPictureEntry &p = pictures[size_t(area - 1)];
        TArchiveEntry e;
        e.Data = StoredPictureBytes(*picture, p.Kind);
        p.Name = e.Name = PictureEntryName(area, p.Kind);
        p.Bytes = e.Data.size();
        e.Compress = !Compressed(p.Kind);
        entries << e;
    }
    entries.prepend(TArchiveEntry{QLatin1String(CoverDescriptionEntry),
                                  DescribeCover(content, pictures), true});

    // The old file stays whole until the new one is: QSaveFile writes a
    // file of its own beside it and puts it in its place at the end.
    QSaveFile file(fileName);
    QString why;
    if (!file.open(QIODevice::WriteOnly))
        why = file.errorString();
    else if (!WriteZipArchive(file, entries, why))
        file.cancelWriting();
    else if (!file.commit())
        why = file.errorString();
    else
        return;
    throw EVelmoraError(EVelmoraError::UnableToWrite(fileName).Text() + QStringLiteral(": ") +
                        WriteReason(why, fileName));
}

bool OpenCoverFile(const QString &fileName, TCoverFileContent &content, QString &why,
                   const TWorkProgress &progress)
{
    const QFileInfo info(fileName);
    if (!info.isFile()) {
        why = ReasonText(NotAFileReason);
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        why = file.errorString();
        return false;
    }
    return ReadCoverFile(file, content, why, progress);
}

bool ReadCoverFile(QIODevice &in, TCoverFileContent &content, QString &why,
                   const TWorkProgress &progress)
{
    try {
        TZipReader archive(in, MaxEntries);
        if (!archive.IsOpen()) {
            why = ReasonText(NotACoverBecauseReason).arg(archive.Error());
            return false;
        }
        if (archive.Names().size() > MaxEntries) {
            why = ReasonText(HoldsTooMuchReason);
            return false;
        }
        QByteArray json;
        std::array<TPictureEntry, 3> pictures;
        if (!archive.Read(QLatin1String(CoverDescriptionEntry), MaxDescriptionBytes, json, why) ||
            !ReadCoverDescription(json, content, pictures, why))
            return false;
        qint64 total = 0;
        for (const TPictureEntry &p : pictures) {
            if (p.Name.isEmpty())
                continue;
            total += p.Bytes;
            if (archive.DeclaredSize(p.Name) != p.Bytes || total > MaxPictureBytesInAll) {
                why = ReasonText(NotAsDescribedReason).arg(p.Name);
                return false;
            }
        }
        // The work counted in megabytes read, and one step for each picture
        // placed: a large picture tells of its reading as it goes, so that
        // the window stays responsive.
        const qint64 mb = 1024 * 1024;
        int count = 0;
        for (const TPictureEntry &p : pictures)
            if (!p.Name.isEmpty())
                count += int(p.Bytes / mb) + 1;
        int decoded = 0;
        for (size_t i = 0; i < 3; ++i) {
            const TPictureEntry &p = pictures[i];
            if (p.Name.isEmpty())
                continue;
            if (progress)
                progress(decoded, count);
            QByteArray head;
            QString headWhy;
            if (!archive.ReadHead(p.Name, PictureHeadBytes, head, why))
                return false;
            if (!PictureHeadFits(head, p.Bytes, headWhy)) {
                why = ReasonText(PictureHeadReason).arg(p.Name, headWhy);
                return false;
            }
            QByteArray bytes;
            const int before = decoded;
            const auto read = [&](qint64 done) {
                if (progress)
                    progress(before + int(done / mb), count);
            };
            if (!archive.Read(p.Name, p.Bytes, bytes, why, read))
                return false;
            decoded = before + int(p.Bytes / mb) + 1;
            QString pictureWhy;
            content.State.Areas[i].Picture = PlaceStoredPicture(bytes, p.Kind, pictureWhy);
            if (!content.State.Areas[i].Picture) {
                why = ReasonText(PictureReason).arg(p.Name, pictureWhy);
                return false;
            }
        }
        if (progress && count > 0)
            progress(count, count);
        return true;
    } catch (const EVelmoraError &e) {
        why = e.Text();
    } catch (const std::bad_alloc &) {
        why = ReasonText(OutOfMemoryReason);
    }
    return false;
}
