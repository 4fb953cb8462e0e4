// SPDX-License-Identifier: GPL-3.0-or-later
#include "Album.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {

constexpr int DiscText = 327;
constexpr int TotalText = 328;
constexpr int MoreTracksText = 329;

} // namespace

QString DurationText(qint64 ms)
{
    if (ms < 0)
        return QString();
    const qint64 seconds = (ms + 500) / 1000;
    const qint64 h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    if (h > 0)
        return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QLatin1Char('0'));
}

QString AlbumLine(const TAlbum &album)
{
    if (album.Artist.isEmpty() || album.Title.isEmpty())
        return album.Artist + album.Title;
    return album.Artist + QStringLiteral(" - ") + album.Title;
}

void SortTracks(QList<TAlbumTrack> &tracks)
{
    std::stable_sort(tracks.begin(), tracks.end(), [](const TAlbumTrack &a, const TAlbumTrack &b) {
        if (a.Disc != b.Disc)
            return a.Disc < b.Disc;
        // Numbered tracks first, in their order.
        if ((a.Number > 0) != (b.Number > 0))
            return a.Number > 0;
        if (a.Number != b.Number)
            return a.Number < b.Number;
        return QString::localeAwareCompare(QFileInfo(a.File).fileName(),
                                           QFileInfo(b.File).fileName()) < 0;
    });
}

QString TrackListText(const TAlbum &album, const TTextLookup &texts, int shown)
{
    // Tabs and line breaks inside a tag would break the rows.
    const auto clean = [](QString s) {
        return s.replace(QLatin1Char('\t'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '))
            .trimmed();
    };
    QSet<int> discs;
    for (const TAlbumTrack &t : album.Tracks)
        discs.insert(t.Disc);
    const bool headings = discs.size() > 1;
    const int count = shown < 0 ? int(album.Tracks.size()) : std::min(shown, int(album.Tracks.size()));
    QStringList rows;
    qint64 total = 0;
    bool known = true;
    int disc = -1;
    for (int i = 0; i < int(album.Tracks.size()); ++i) {
        const TAlbumTrack &t = album.Tracks[i];
        if (t.Milliseconds >= 0)
            total += t.Milliseconds;
        else
            known = false;
        if (i >= count)
            continue;
        if (headings && t.Disc != disc) {
            disc = t.Disc;
            rows << texts(DiscText).arg(disc);
        }
        QString title = clean(t.Title);
        if (!t.Artist.isEmpty() && t.Artist.compare(album.Artist, Qt::CaseInsensitive) != 0)
            title += QStringLiteral(" (%1)").arg(clean(t.Artist));
        rows << QStringLiteral("%1\t%2\t%3").arg(t.Number > 0 ? t.Number : i + 1).arg(title,
                                                                                        DurationText(t.Milliseconds));
    }
    if (count < album.Tracks.size())
        rows << texts(MoreTracksText).arg(album.Tracks.size() - count);
    if (known && !album.Tracks.isEmpty())
        rows << QStringLiteral("\t%1\t%2").arg(texts(TotalText), DurationText(total));
    return rows.join(QLatin1Char('\n'));
}

QString TrackRowsFromText(const QString &text)
{
    // An optional number, the title, and a length in m:ss (or h:mm:ss),
    // bare or in brackets, after a tab or a space.
    static const QRegularExpression line(QStringLiteral(
        R"(^\s*(?:(\d{1,3})\s*[.):\-]?\s*(?:-\s*)?)?(.*?)\s*(?:\t+|\s+)[(\[]?((?:\d+:)?\d{1,2}:\d{2})[)\]]?\s*$)"));
    QStringList rows;
    int number = 0;
    bool any = false;
    for (QString l : text.split(QLatin1Char('\n'))) {
        l.remove(QLatin1Char('\r'));
        if (l.trimmed().isEmpty())
            continue;
        const QRegularExpressionMatch m = line.match(l);
        if (!m.hasMatch() || m.captured(2).trimmed().isEmpty()) {
            rows << l.trimmed().replace(QLatin1Char('\t'), QLatin1Char(' '));
            continue;
        }
        any = true;
        number = m.captured(1).isEmpty() ? number + 1 : m.captured(1).toInt();
        QString title = m.captured(2).trimmed();
        title.replace(QLatin1Char('\t'), QLatin1Char(' '));
        rows << QStringLiteral("%1\t%2\t%3").arg(number).arg(title, m.captured(3));
    }
    return any ? rows.join(QLatin1Char('\n')) : QString();
}
