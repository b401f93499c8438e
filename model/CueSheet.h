#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// A cue sheet: the album's title and performer, and each track's title, performer, audio
// file and start in it. Read in one pass over at most MaxFileBytes, whatever the bytes are;
// the audio files it names are measured by the caller, only for what the sheet cannot say
// itself (how long the last track of each file is).
class CueSheet
{
public:
    // Real sheets are a few KB, a sheet of 99 tracks with long titles and REM lines under
    // 100 KB; a larger file is no cue sheet anyone wrote by hand or by a ripper.
    static constexpr qint64 MaxFileBytes = 1024 * 1024;
    // A disc holds at most 99 tracks; TRACK lines beyond them are ignored with their lines.
    static constexpr int MaxTracks = 99;
    // Longer titles and names are cut; the CD-Text they come from holds far less.
    static constexpr int MaxValueChars = 256;
    // INDEX times count frames, 75 a second.
    static constexpr int FramesPerSecond = 75;

    enum class Status
    {
        Read,
        Unreadable, // missing, no regular file, or cannot be opened
        TooLarge,   // beyond MaxFileBytes
        NoTracks    // no audio TRACK line: no cue sheet of music
    };

    struct Track
    {
        int number = 0; // as the sheet numbers it
        QString title;
        QString performer;      // empty when the sheet names none for the track
        QString file;           // the audio file, resolved from the sheet's folder; may be ""
        qint64 startFrame = -1; // INDEX 01; -1 when the track has none
        qint64 lengthMs = -1;   // -1 when it cannot be told
    };

    // The length of the audio file at a path in milliseconds, or nothing when it is missing
    // or cannot be read.
    using AudioLength = std::function<std::optional<qint64>(const QString& path)>;

    // The sheet at `path`; its FILE names are taken from its folder.
    static CueSheet read(const QString& path, const AudioLength& lengthOf);
    // A sheet's bytes: UTF-8 when they are valid UTF-8 (a byte order mark or not), UTF-16
    // after its byte order mark, Windows-1252 otherwise. Lines end in CR LF, LF or CR.
    static CueSheet parse(QByteArrayView bytes, const QString& folder, const AudioLength& lengthOf);

    Status status() const { return m_status; }
    const QString& title() const { return m_title; }
    const QString& performer() const { return m_performer; }
    // From "REM DISCNUMBER n"; 0 when the sheet does not say.
    int disc() const { return m_disc; }
    const QList<Track>& tracks() const { return m_tracks; }

private:
    explicit CueSheet(Status status) : m_status(status) {}

    Status m_status;
    QString m_title;
    QString m_performer;
    int m_disc = 0;
    QList<Track> m_tracks;
};
