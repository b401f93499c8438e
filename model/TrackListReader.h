#pragma once

#include "AudioTags.h"
#include "TrackList.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Makes a track list of what the user chose: audio files, cue sheets and folders. The audio
// files themselves are read by the function it is given (the program's reads their tags with
// TagLib), so that the model needs no audio library.
//
// A folder gives its cue sheets when it has any (a disc ripped to one file and its sheet, or
// a sheet beside the tracks it names), otherwise its audio files by their extensions; when it
// has neither, the folders in it are looked into, one level deep (an album kept as "CD1" and
// "CD2"). Subfolders of those are never read, nor more than kMaxFolderFiles files of a
// folder: choosing one's whole music collection must not keep the program busy for minutes.
class TrackListReader
{
public:
    using ReadTags = std::function<std::optional<platform::AudioTags>(const QString& path)>;

    static constexpr int kMaxFolderFiles = 250;

    // Why a file chosen gave no tracks.
    enum class Failure
    {
        Unreadable,      // missing, or no audio file the reader takes
        CueTooLarge,     // a cue sheet beyond CueSheet::MaxFileBytes
        CueWithoutTracks // a .cue file without a TRACK line
    };
    struct Unread
    {
        QString path;
        Failure failure;
    };
    struct Result
    {
        TrackList tracks;
        QList<Unread> unread; // in the order they were chosen
    };

    explicit TrackListReader(ReadTags readTags) : m_readTags(std::move(readTags)) {}

    Result read(const QStringList& paths) const;

    // The audio files a folder gives and the file dialog offers, by extension (lower case).
    static const QStringList& audioExtensions();
    static bool isCueSheet(const QString& path);

private:
    QStringList expand(const QStringList& paths) const;
    void readCueSheet(const QString& path, int disc, QList<TrackList::Track>& tracks,
                      QList<Unread>& unread) const;

    ReadTags m_readTags;
};
