// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlbumReader.h"

#include "ReasonTexts.h"
#include "TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <taglib/aifffile.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

namespace {

const char *const AudioExtensions[] = {"mp3", "flac", "ogg", "oga", "opus", "m4a",
                                       "mp4", "wav", "aif", "aiff"};
// A CUE sheet, a folder or a track larger than this is not read.
constexpr qint64 MaxCueBytes = 1024 * 1024;
constexpr qint64 MaxPictureBytes = 64 * 1024 * 1024;
constexpr int MaxTracks = 10000;
constexpr int NotAudioText = 339;
constexpr int NoAudioText = 340;
constexpr int CannotReadText = 341;
constexpr int NoTrackText = 342;

QString ToQt(const TagLib::String &s)
{
    return QString::fromStdString(s.to8Bit(true)).trimmed();
}

// ID3v1 has no character set: Windows writes its own code page.
class TWindows1252Handler : public TagLib::ID3v1::StringHandler
{
public:
    TagLib::String parse(const TagLib::ByteVector &data) const override
    {
        // The field is padded with zeros (or spaces) to its length.
        QByteArray bytes(data.data(), int(data.size()));
        const qsizetype end = bytes.indexOf('\0');
        if (end >= 0)
            bytes.truncate(end);
        const QString text = IsValidUtf8(bytes) ? QString::fromUtf8(bytes) : FromWindows1252(bytes);
        return TagLib::String(text.toStdString(), TagLib::String::UTF8).stripWhiteSpace();
    }
};

// "3" or "3/12": the first number.
int LeadingNumber(const QString &s)
{
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d{1,4})"));
    const QRegularExpressionMatch m = number.match(s);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QString KindOf(const QByteArray &bytes, const QString &mime)
{
    if (bytes.startsWith("\xFF\xD8"))
        return QStringLiteral("jpg");
    if (bytes.startsWith("\x89PNG"))
        return QStringLiteral("png");
    if (bytes.startsWith("GIF8"))
        return QStringLiteral("gif");
    if (bytes.startsWith("BM"))
        return QStringLiteral("bmp");
    return mime.contains(QLatin1String("png")) ? QStringLiteral("png") : QStringLiteral("jpg");
}

// The front picture a file carries, if any: the front cover first.
QByteArray EmbeddedPicture(TagLib::File *file, QString &kind)
{
    QByteArray best;
    bool front = false;
    const auto offer = [&](const TagLib::ByteVector &data, const TagLib::String &mime, bool isFront) {
        if (data.isEmpty() || data.size() > MaxPictureBytes || (front && !isFront) ||
            (!best.isEmpty() && !isFront))
            return;
        best = QByteArray(data.data(), int(data.size()));
        kind = KindOf(best, ToQt(mime));
        front = isFront;
    };
    const auto fromId3 = [&](TagLib::ID3v2::Tag *tag) {
        if (!tag)
            return;
        for (TagLib::ID3v2::Frame *f : tag->frameListMap()["APIC"])
            if (auto *p = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame *>(f))
                offer(p->picture(), p->mimeType(),
                      p->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover);
    };
    const auto fromXiph = [&](const TagLib::List<TagLib::FLAC::Picture *> &pictures) {
        for (TagLib::FLAC::Picture *p : pictures)
            offer(p->data(), p->mimeType(), p->type() == TagLib::FLAC::Picture::FrontCover);
    };
    if (auto *mp3 = dynamic_cast<TagLib::MPEG::File *>(file))
        fromId3(mp3->ID3v2Tag());
    else if (auto *flac = dynamic_cast<TagLib::FLAC::File *>(file))
        fromXiph(flac->pictureList());
    else if (auto *vorbis = dynamic_cast<TagLib::Ogg::Vorbis::File *>(file))
        fromXiph(vorbis->tag() ? vorbis->tag()->pictureList() : TagLib::List<TagLib::FLAC::Picture *>());
    else if (auto *opus = dynamic_cast<TagLib::Ogg::Opus::File *>(file))
        fromXiph(opus->tag() ? opus->tag()->pictureList() : TagLib::List<TagLib::FLAC::Picture *>());
    else if (auto *wav = dynamic_cast<TagLib::RIFF::WAV::File *>(file))
        fromId3(wav->ID3v2Tag());
    else if (auto *aiff = dynamic_cast<TagLib::RIFF::AIFF::File *>(file))
        fromId3(aiff->tag());
    else if (auto *mp4 = dynamic_cast<TagLib::MP4::File *>(file)) {
        if (mp4->tag() && mp4->tag()->contains("covr"))
            for (const TagLib::MP4::CoverArt &art : mp4->tag()->item("covr").toCoverArtList())
                offer(art.data(), art.format() == TagLib::MP4::CoverArt::PNG ? "image/png" : "image/jpeg",
                      true);
    }
    return best;
}

struct TFileTags
{
    TAlbumTrack Track;
    QString Album;
    QString AlbumArtist;
    QByteArray Picture;
    QString PictureKind;
    bool Read = false;
};

TFileTags ReadFile(const QString &path)
{
    static const TWindows1252Handler windows;
    static const bool handled = (TagLib::ID3v1::Tag::setStringHandler(&windows), true);
    Q_UNUSED(handled);
    TFileTags out;
    out.Track.File = path;
    out.Track.Title = QFileInfo(path).completeBaseName();
    const QByteArray name = QFile::encodeName(path);
    TagLib::FileRef ref(name.constData(), true, TagLib::AudioProperties::Fast);
    if (ref.isNull())
        return out;
    out.Read = true;
    if (const TagLib::AudioProperties *a = ref.audioProperties())
        out.Track.Milliseconds = a->lengthInMilliseconds() > 0 ? a->lengthInMilliseconds() : -1;
    if (TagLib::Tag *tag = ref.tag()) {
        if (!tag->title().isEmpty())
            out.Track.Title = ToQt(tag->title());
        out.Track.Artist = ToQt(tag->artist());
        out.Album = ToQt(tag->album());
        out.Track.Number = int(std::min(tag->track(), 9999u));
    }
    const TagLib::PropertyMap properties = ref.file()->properties();
    const auto value = [&](const char *key) {
        const auto it = properties.find(key);
        return it == properties.end() || it->second.isEmpty() ? QString() : ToQt(it->second.front());
    };
    out.Track.Disc = LeadingNumber(value("DISCNUMBER"));
    out.AlbumArtist = value("ALBUMARTIST");
    out.Picture = EmbeddedPicture(ref.file(), out.PictureKind);
    return out;
}

// A picture file beside the music: cover, folder or front.
QByteArray FolderPicture(const QString &folder, QString &kind)
{
    const QDir dir(folder);
    for (const char *stem : {"cover", "folder", "front"})
        for (const QFileInfo &f : dir.entryInfoList(QDir::Files)) {
            const QString ext = f.suffix().toLower();
            if (f.completeBaseName().compare(QLatin1String(stem), Qt::CaseInsensitive) != 0 ||
                !(ext == "jpg" || ext == "jpeg" || ext == "png") || f.size() > MaxPictureBytes)
                continue;
            QFile file(f.filePath());
            if (file.open(QIODevice::ReadOnly)) {
                kind = ext == "png" ? QStringLiteral("png") : QStringLiteral("jpg");
                return file.readAll();
            }
        }
    return QByteArray();
}

QString Unquoted(QString s)
{
    s = s.trimmed();
    if (s.size() >= 2 && s.startsWith(QLatin1Char('"')) && s.endsWith(QLatin1Char('"')))
        s = s.mid(1, s.size() - 2);
    return s.trimmed();
}

} // namespace

bool IsAudioFile(const QString &fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    for (const char *a : AudioExtensions)
        if (ext == QLatin1String(a))
            return true;
    return false;
}

bool IsCueSheet(const QString &fileName)
{
    return QFileInfo(fileName).suffix().compare(QLatin1String("cue"), Qt::CaseInsensitive) == 0;
}

TAlbum ReadCueSheet(const QString &text, const QString &folder,
                    const std::function<qint64(const QString &file)> &fileLength)
{
    TAlbum album;
    QString file;
    struct TIndexed
    {
        TAlbumTrack Track;
        qint64 Start = -1; // in milliseconds within its file
    };
    QList<TIndexed> tracks;
    static const QRegularExpression index(QStringLiteral("^(\\d+):(\\d{1,2}):(\\d{1,2})$"));
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        const int space = line.indexOf(QLatin1Char(' '));
        const QString word = (space < 0 ? line : line.left(space)).toUpper();
        const QString rest = space < 0 ? QString() : line.mid(space + 1);
        TAlbumTrack *track = tracks.isEmpty() ? nullptr : &tracks.last().Track;
        if (word == QLatin1String("FILE")) {
            QString name = rest;
            const int type = name.lastIndexOf(QLatin1Char(' '));
            if (type > 0 && !name.endsWith(QLatin1Char('"')))
                name = name.left(type);
            file = QDir(folder).filePath(Unquoted(name));
        } else if (word == QLatin1String("TRACK") && tracks.size() < MaxTracks) {
            TIndexed t;
            t.Track.File = file;
            t.Track.Number = LeadingNumber(rest);
            tracks << t;
        } else if (word == QLatin1String("TITLE")) {
            (track ? track->Title : album.Title) = Unquoted(rest);
        } else if (word == QLatin1String("PERFORMER")) {
            (track ? track->Artist : album.Artist) = Unquoted(rest);
        } else if (word == QLatin1String("INDEX") && !tracks.isEmpty()) {
            const QStringList parts = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            const QRegularExpressionMatch m = index.match(parts.value(1));
            if (parts.value(0).toInt() == 1 && m.hasMatch())
                tracks.last().Start = (m.captured(1).toLongLong() * 60 + m.captured(2).toLongLong()) * 1000 +
                                      m.captured(3).toLongLong() * 1000 / 75;
        }
    }
    for (int i = 0; i < tracks.size(); ++i) {
        TIndexed &t = tracks[i];
        if (t.Track.Title.isEmpty())
            t.Track.Title = ReasonText(UntitledTrackText).arg(t.Track.Number > 0 ? t.Track.Number : i + 1);
        qint64 end = -1;
        if (i + 1 < tracks.size() && tracks[i + 1].Track.File == t.Track.File)
            end = tracks[i + 1].Start;
        else if (fileLength)
            end = fileLength(t.Track.File);
        if (t.Start >= 0 && end >= t.Start)
            t.Track.Milliseconds = end - t.Start;
        album.Tracks << t.Track;
    }
    return album;
}

bool ReadAlbum(const QStringList &paths, TAlbum &album, QString &why, const TTextLookup &texts)
{
    album = TAlbum();
    QStringList files;
    QString folder;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            folder = info.filePath();
            for (const QFileInfo &f : QDir(path).entryInfoList(QDir::Files, QDir::Name))
                if (IsAudioFile(f.fileName()) && files.size() < MaxTracks)
                    files << f.filePath();
        } else if (IsCueSheet(path)) {
            QFile cue(path);
            if (!cue.open(QIODevice::ReadOnly) || cue.size() > MaxCueBytes) {
                why = texts(CannotReadText).arg(QDir::toNativeSeparators(path));
                return false;
            }
            QByteArray bytes = cue.readAll();
            if (bytes.startsWith("\xEF\xBB\xBF"))
                bytes.remove(0, 3);
            const QString text = IsValidUtf8(bytes) ? QString::fromUtf8(bytes) : FromWindows1252(bytes);
            folder = info.path();
            album = ReadCueSheet(text, folder, [](const QString &file) {
                const TFileTags tags = ReadFile(file);
                return tags.Read ? tags.Track.Milliseconds : qint64(-1);
            });
            if (album.Tracks.isEmpty()) {
                why = texts(NoTrackText).arg(QDir::toNativeSeparators(path));
                return false;
            }
            // The picture of the first file that has one, or the folder's;
            // a sheet's tracks mostly share one file.
            QStringList seen;
            for (const TAlbumTrack &t : album.Tracks) {
                if (seen.contains(t.File))
                    continue;
                seen << t.File;
                const TFileTags tags = ReadFile(t.File);
                if (!tags.Picture.isEmpty()) {
                    album.Picture = tags.Picture;
                    album.PictureKind = tags.PictureKind;
                    break;
                }
            }
            if (album.Picture.isEmpty())
                album.Picture = FolderPicture(folder, album.PictureKind);
            return true;
        } else if (IsAudioFile(path) && files.size() < MaxTracks) {
            files << path;
            folder = info.path();
        }
    }
    if (files.isEmpty()) {
        why = texts(NoAudioText);
        return false;
    }
    QStringList artists, albumArtists;
    for (const QString &file : files) {
        TFileTags tags = ReadFile(file);
        if (!tags.Read || tags.Track.Milliseconds < 0)
            album.Problems << texts(NotAudioText).arg(QFileInfo(file).fileName());
        if (album.Title.isEmpty())
            album.Title = tags.Album;
        if (!tags.AlbumArtist.isEmpty())
            albumArtists << tags.AlbumArtist;
        if (!tags.Track.Artist.isEmpty())
            artists << tags.Track.Artist;
        if (album.Picture.isEmpty() && !tags.Picture.isEmpty()) {
            album.Picture = tags.Picture;
            album.PictureKind = tags.PictureKind;
        }
        album.Tracks << tags.Track;
    }
    // The album artist where the files say it, else the artist most of
    // the tracks share.
    const QStringList &pool = albumArtists.isEmpty() ? artists : albumArtists;
    int best = 0;
    for (const QString &a : pool)
        if (pool.count(a) > best) {
            best = int(pool.count(a));
            album.Artist = a;
        }
    if (album.Title.isEmpty() && !folder.isEmpty())
        album.Title = QFileInfo(folder).fileName();
    SortTracks(album.Tracks);
    if (album.Picture.isEmpty() && !folder.isEmpty())
        album.Picture = FolderPicture(folder, album.PictureKind);
    return true;
}
