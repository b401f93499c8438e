#include "TrackList.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <limits>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// File names as a person orders them: "2 Song" before "10 Song", letters regardless of case.
int naturalCompare(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            while (i < a.size() && a[i] == QLatin1Char('0'))
                ++i;
            while (j < b.size() && b[j] == QLatin1Char('0'))
                ++j;
            qsizetype endA = i;
            qsizetype endB = j;
            while (endA < a.size() && isDigit(a[endA]))
                ++endA;
            while (endB < b.size() && isDigit(b[endB]))
                ++endB;
            if (endA - i != endB - j)
                return endA - i < endB - j ? -1 : 1;
            if (const int c = a.sliced(i, endA - i).compare(b.sliced(j, endB - j)))
                return c;
            i = endA;
            j = endB;
            continue;
        }
        const char32_t x = QChar::toCaseFolded(a[i].unicode());
        const char32_t y = QChar::toCaseFolded(b[j].unicode());
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    const qsizetype left = (a.size() - i) - (b.size() - j);
    return left < 0 ? -1 : (left > 0 ? 1 : 0);
}

// An untagged disc is the first one: a single disc is seldom tagged.
int discOf(const TrackList::Track& track)
{
    return qMax(track.disc, 1);
}

// The one value every track has, or "" when they differ or any has none.
template <typename Field> QString shared(const QList<TrackList::Track>& tracks, Field field)
{
    if (tracks.isEmpty())
        return QString();
    const QString first = field(tracks.constFirst());
    for (const TrackList::Track& track : tracks) {
        if (field(track) != first)
            return QString();
    }
    return first;
}

} // namespace

TrackList::TrackList(QList<Track> tracks) : m_tracks(std::move(tracks))
{
    const auto number = [](const Track& t) {
        return t.number > 0 ? t.number : std::numeric_limits<int>::max();
    };
    std::stable_sort(m_tracks.begin(), m_tracks.end(), [&](const Track& a, const Track& b) {
        if (discOf(a) != discOf(b))
            return discOf(a) < discOf(b);
        if (number(a) != number(b))
            return number(a) < number(b);
        if (const int c =
                naturalCompare(QFileInfo(a.file).fileName(), QFileInfo(b.file).fileName()))
            return c < 0;
        return a.file < b.file;
    });
}

QString TrackList::duration(qint64 ms)
{
    const qint64 seconds = (qMax(ms, qint64(0)) + 500) / 1000;
    const QString ss = QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (seconds < 3600)
        return QString::number(seconds / 60) + QLatin1Char(':') + ss;
    return QString::number(seconds / 3600) + QLatin1Char(':') +
           QStringLiteral("%1").arg(seconds / 60 % 60, 2, 10, QLatin1Char('0')) + QLatin1Char(':') +
           ss;
}

QString TrackList::text(const QString& total) const
{
    bool severalDiscs = false;
    bool ownNumbers = true;
    QSet<qint64> numbers;
    QSet<QString> artists;
    for (const Track& track : m_tracks) {
        severalDiscs = severalDiscs || discOf(track) != discOf(m_tracks.constFirst());
        const qint64 key = qint64(discOf(track)) << 32 | qint64(track.number);
        ownNumbers = ownNumbers && track.number > 0 && !numbers.contains(key);
        numbers.insert(key);
        if (!track.artist.isEmpty())
            artists.insert(track.artist);
    }
    const bool compilation = artists.size() > 1;

    QStringList lines;
    qint64 totalMs = 0;
    bool allTimed = !m_tracks.isEmpty();
    int place = 0;
    for (qsizetype i = 0; i < m_tracks.size(); ++i) {
        const Track& track = m_tracks[i];
        place = i > 0 && discOf(track) == discOf(m_tracks[i - 1]) ? place + 1 : 1;
        const int n = ownNumbers ? track.number : place;
        QString line =
            severalDiscs
                ? QStringLiteral("%1-%2").arg(discOf(track)).arg(n, 2, 10, QLatin1Char('0'))
                : QString::number(n);
        line += QLatin1Char('.');
        QString name = track.title;
        if (compilation && !track.artist.isEmpty())
            name = name.isEmpty() ? track.artist : track.artist + QStringLiteral(" \u2013 ") + name;
        if (!name.isEmpty())
            line += QLatin1Char(' ') + name;
        if (track.lengthMs >= 0) {
            line += QLatin1Char('\t') + duration(track.lengthMs);
            totalMs += track.lengthMs;
        } else {
            allTimed = false;
        }
        lines.append(line);
    }
    if (allTimed)
        lines.append(total + QLatin1Char('\t') + duration(totalMs));
    return lines.join(QLatin1Char('\n'));
}

TextBlock TrackList::block(const QSizeF& faceMm, const QString& total) const
{
    TextBlock block;
    block.text = text(total);
    block.size = kListPointSize;
    block.shrink = true;
    block.columns = m_tracks.size() > kOneColumnTracks ? 2 : 1;
    block.box = QRectF(kMarginMm, kMarginMm, faceMm.width() - 2 * kMarginMm,
                       faceMm.height() - 2 * kMarginMm);
    return block.normalized();
}

QString TrackList::commonArtist() const
{
    const QString albumArtist = shared(m_tracks, [](const Track& t) { return t.albumArtist; });
    return albumArtist.isEmpty() ? shared(m_tracks, [](const Track& t) { return t.artist; })
                                 : albumArtist;
}

bool TrackList::isOneAlbum() const
{
    return !shared(m_tracks, [](const Track& t) { return t.album; }).isEmpty() &&
           !commonArtist().isEmpty();
}

QString TrackList::albumLine() const
{
    if (!isOneAlbum())
        return QString();
    return commonArtist() + QStringLiteral(" \u2014 ") + m_tracks.constFirst().album;
}

TextBlock TrackList::titleBlock(const QSizeF& faceMm) const
{
    TextBlock block;
    block.text = albumLine();
    block.size = kTitlePointSize;
    block.bold = true;
    block.align = TextBlock::Align::Center;
    block.shrink = true;
    block.box = QRectF(kMarginMm, kMarginMm, faceMm.width() - 2 * kMarginMm, kTitleHeightMm);
    return block.normalized();
}
