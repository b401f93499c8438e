#include "TrackListReader.h"

#include "CueSheet.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

QStringList patterns(const QStringList& extensions)
{
    QStringList list;
    for (const QString& ext : extensions)
        list.append(QStringLiteral("*.") + ext);
    return list;
}

// The track files of one folder: its cue sheets when it has any, else its audio files.
QStringList filesOf(const QString& folder)
{
    const QDir dir(folder);
    const auto files = [&dir](const QStringList& extensions) {
        QStringList names = dir.entryList(patterns(extensions), QDir::Files, QDir::Name);
        names = names.mid(0, TrackListReader::kMaxFolderFiles);
        for (QString& name : names)
            name = dir.filePath(name);
        return names;
    };
    const QStringList cues = files({QStringLiteral("cue")});
    return cues.isEmpty() ? files(TrackListReader::audioExtensions()) : cues;
}

} // namespace

const QStringList& TrackListReader::audioExtensions()
{
    static const QStringList extensions = {
        QStringLiteral("flac"), QStringLiteral("mp3"), QStringLiteral("ogg"), QStringLiteral("oga"),
        QStringLiteral("opus"), QStringLiteral("m4a"), QStringLiteral("wav")};
    return extensions;
}

bool TrackListReader::isCueSheet(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("cue"), Qt::CaseInsensitive) == 0;
}

QStringList TrackListReader::expand(const QStringList& paths) const
{
    QStringList files;
    QSet<QString> seen;
    const auto add = [&](const QStringList& more) {
        for (const QString& file : more) {
            const QString key = QFileInfo(file).absoluteFilePath();
            if (!seen.contains(key)) {
                seen.insert(key);
                files.append(file);
            }
        }
    };
    for (const QString& path : paths) {
        if (!QFileInfo(path).isDir()) {
            add({path});
            continue;
        }
        QStringList found = filesOf(path);
        if (found.isEmpty()) {
            const QDir dir(path);
            const QStringList subfolders =
                dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
            for (const QString& sub : subfolders) {
                if (found.size() >= kMaxFolderFiles)
                    break;
                found += filesOf(dir.filePath(sub));
            }
            found = found.mid(0, kMaxFolderFiles);
        }
        add(found);
    }
    return files;
}

void TrackListReader::readCueSheet(const QString& path, int disc, QList<TrackList::Track>& tracks,
                                   QList<Unread>& unread) const
{
    const CueSheet sheet =
        CueSheet::read(path, [this](const QString& audio) -> std::optional<qint64> {
            const std::optional<platform::AudioTags> tags =
                m_readTags ? m_readTags(audio) : std::nullopt;
            if (!tags || tags->lengthMs < 0)
                return std::nullopt;
            return tags->lengthMs;
        });
    switch (sheet.status()) {
    case CueSheet::Status::Read:
        break;
    case CueSheet::Status::Unreadable:
        unread.append({path, Failure::Unreadable});
        return;
    case CueSheet::Status::TooLarge:
        unread.append({path, Failure::CueTooLarge});
        return;
    case CueSheet::Status::NoTracks:
        unread.append({path, Failure::CueWithoutTracks});
        return;
    }
    for (const CueSheet::Track& cue : sheet.tracks()) {
        TrackList::Track track;
        track.disc = sheet.disc() > 0 ? sheet.disc() : disc;
        track.number = cue.number;
        track.title = cue.title;
        track.artist = cue.performer.isEmpty() ? sheet.performer() : cue.performer;
        track.album = sheet.title();
        track.albumArtist = sheet.performer();
        track.lengthMs = cue.lengthMs;
        track.file = path;
        tracks.append(track);
    }
}

TrackListReader::Result TrackListReader::read(const QStringList& paths) const
{
    const QStringList files = expand(paths);
    // Several sheets are several discs, in the order of their names, unless they say which.
    QStringList sheets;
    for (const QString& file : files) {
        if (isCueSheet(file))
            sheets.append(file);
    }
    sheets.sort(Qt::CaseInsensitive);

    Result result;
    QList<TrackList::Track> tracks;
    for (const QString& file : files) {
        if (isCueSheet(file)) {
            const int disc = sheets.size() > 1 ? int(sheets.indexOf(file)) + 1 : 0;
            readCueSheet(file, disc, tracks, result.unread);
            continue;
        }
        const std::optional<platform::AudioTags> tags =
            m_readTags ? m_readTags(file) : std::nullopt;
        if (!tags) {
            result.unread.append({file, Failure::Unreadable});
            continue;
        }
        TrackList::Track track;
        track.disc = tags->disc;
        track.number = tags->track;
        track.title = tags->title.isEmpty() ? QFileInfo(file).completeBaseName() : tags->title;
        track.artist = tags->artist;
        track.album = tags->album;
        track.albumArtist = tags->albumArtist;
        track.lengthMs = tags->lengthMs;
        track.file = file;
        tracks.append(track);
    }
    result.tracks = TrackList(std::move(tracks));
    return result;
}
