#pragma once

#include <QString>

#include <optional>

namespace platform {

// What an audio file says of itself: its tags and its length. Read with TagLib, by the
// file's extension (FLAC, MP3, Ogg Vorbis, Opus, M4A, WAV and the rest TagLib knows).
struct AudioTags
{
    int disc = 0;  // 0: not tagged
    int track = 0; // 0: not tagged
    QString title;
    QString artist;
    QString album;
    QString albumArtist;
    qint64 lengthMs = -1; // -1: unknown

    // The file's tags and length; nothing when it is no regular file or TagLib cannot read
    // it as audio.
    static std::optional<AudioTags> read(const QString& path);
};

} // namespace platform
