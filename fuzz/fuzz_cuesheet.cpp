// A cue sheet from any bytes, as the Text panel's track list reads it: refused only for its
// size or for having no tracks; otherwise at most 99 tracks whose titles and names are within
// their bound and hold no control character (a tab would move a track list's times), whose
// times and lengths make sense, and whose audio files are measured at most once each and
// only for the last track of a file. Read twice, it reads the same; made a track list, it
// has a line for each track and one for the total when every length is known.
//
// Input: the sheet's bytes. The audio files it names are "measured" from their names, so
// that every way a length can come out is reached without a file.
#include "CueSheet.h"
#include "FuzzBudget.h"
#include "TrackList.h"

#include <QHash>
#include <QSet>

#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_cuesheet: %s\n", what);
        std::abort();
    }
}

const QString kFolder = QStringLiteral("/nonexistent/music");

bool cleanValue(const QString& value)
{
    if (value.size() > CueSheet::MaxValueChars || value != value.trimmed())
        return false;
    for (const QChar c : value) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzBudget budget("fuzz_cuesheet", size);
    const QByteArrayView bytes(data, qsizetype(size));
    QHash<QString, int> measured;
    const auto lengthOf = [&measured](const QString& path) -> std::optional<qint64> {
        ++measured[path];
        const size_t hash = qHash(path);
        if (hash % 4 == 0)
            return std::nullopt;                 // missing or unreadable
        return qint64(hash % (3 * 3600 * 1000)); // up to three hours, 0 included
    };
    const CueSheet sheet = CueSheet::parse(bytes, kFolder, lengthOf);
    check((sheet.status() == CueSheet::Status::TooLarge) == (qint64(size) > CueSheet::MaxFileBytes),
          "a sheet was refused for its size unlike its size");
    if (sheet.status() != CueSheet::Status::Read) {
        check(sheet.tracks().isEmpty(), "a sheet refused still gave tracks");
        return 0;
    }
    check(!sheet.tracks().isEmpty() && sheet.tracks().size() <= CueSheet::MaxTracks,
          "a sheet read gave no tracks or more than a disc holds");
    check(cleanValue(sheet.title()) && cleanValue(sheet.performer()),
          "the album's title or performer is beyond its bound or holds a control character");
    check(sheet.disc() >= 0 && sheet.disc() <= 999, "the disc number is out of range");
    for (auto it = measured.cbegin(); it != measured.cend(); ++it)
        check(it.value() == 1 && !it.key().isEmpty(), "an audio file was measured twice");
    check(measured.size() <= CueSheet::MaxTracks, "more files were measured than tracks read");

    QList<TrackList::Track> tracks;
    for (const CueSheet::Track& track : sheet.tracks()) {
        check(cleanValue(track.title) && cleanValue(track.performer),
              "a track's title or performer is beyond its bound or holds a control character");
        check(track.number >= 0 && track.number <= 99, "a track number is out of range");
        check(track.startFrame >= -1, "a start is negative");
        check(track.lengthMs == -1 || (track.lengthMs > 0 && track.startFrame >= 0),
              "a length is not positive, or a track without a start has one");
        check(track.lengthMs == -1 || track.file.isEmpty() ||
                  track.file.startsWith(QLatin1Char('/')),
              "an audio file is not named from the sheet's folder");
        TrackList::Track listed;
        listed.number = track.number;
        listed.title = track.title;
        listed.artist = track.performer;
        listed.lengthMs = track.lengthMs;
        listed.file = track.file;
        tracks.append(listed);
    }

    const CueSheet again = CueSheet::parse(bytes, kFolder, lengthOf);
    check(again.tracks().size() == sheet.tracks().size() && again.title() == sheet.title() &&
              again.performer() == sheet.performer(),
          "the same bytes read differently");
    for (qsizetype i = 0; i < again.tracks().size(); ++i) {
        const CueSheet::Track& a = again.tracks()[i];
        const CueSheet::Track& b = sheet.tracks()[i];
        check(a.title == b.title && a.lengthMs == b.lengthMs && a.startFrame == b.startFrame &&
                  a.file == b.file,
              "the same bytes read differently");
    }

    const TrackList list(tracks);
    bool timed = true;
    for (const TrackList::Track& track : tracks)
        timed = timed && track.lengthMs >= 0;
    const QString text = list.text(QStringLiteral("Total"));
    check(text.count(QLatin1Char('\n')) + 1 == tracks.size() + (timed ? 1 : 0),
          "the track list has not one line for each track and the total");
    check(text.count(QLatin1Char('\t')) <= tracks.size() + 1,
          "a line of the track list holds more than one tab");
    return 0;
}
