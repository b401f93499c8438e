#pragma once

#include "TextBlock.h"

#include <QList>
#include <QSizeF>
#include <QString>

// The tracks of a disc (or of several), in the order they play, and the text blocks made of
// them: the track list itself and the album's title line.
//
// The order: by disc (an untagged disc counts as the first), then by track number (tracks
// without one after the numbered ones), then by file name, digits compared as numbers.
//
// A line reads "7. Title<TAB>3:45". The number is the track's own when every track has one
// and no two on the same disc share it (a selection of tracks 3, 5 and 9 keeps those numbers,
// as on the disc); otherwise the tracks are numbered by their place. Tracks from more than
// one disc read "2-07. Title", the disc before the number, so a number is never repeated
// without saying which disc it is on. When the tracks are not all by one artist (a
// compilation), the artist comes before the title: "7. Artist – Title". A length rounds to
// the nearest second; a track without one has no time. The last line is the total time,
// worked out from the exact lengths, and is left out when any track's length is unknown:
// a total that silently leaves tracks out would be wrong on the insert.
class TrackList
{
public:
    struct Track
    {
        int disc = 0;   // 0: not known
        int number = 0; // 0: not known
        QString title;
        QString artist;
        QString album;
        QString albumArtist;
        qint64 lengthMs = -1; // -1: not known
        QString file;         // where it was read from, for the order and to name it
    };

    // Past this many tracks a list is laid out in two columns.
    static constexpr int kOneColumnTracks = 14;
    // The list keeps this far from the face's edges, and so clear of the Back's spines.
    static constexpr double kMarginMm = 10.0;
    // The size a list starts from before it shrinks to fit its box.
    static constexpr double kListPointSize = 10.0;
    // The album's line, across the top of the Front.
    static constexpr double kTitleHeightMm = 24.0;
    static constexpr double kTitlePointSize = 18.0;

    TrackList() = default;
    explicit TrackList(QList<Track> tracks);

    const QList<Track>& tracks() const { return m_tracks; }
    bool isEmpty() const { return m_tracks.isEmpty(); }

    // The lines, the total time after `total` (e.g. "Total") on the last one.
    QString text(const QString& total) const;
    // One block holding text(total): the face less the margin, shrinking to fit, in two
    // columns past kOneColumnTracks tracks.
    TextBlock block(const QSizeF& faceMm, const QString& total) const;

    // Whether the tracks are one album: every one names the same album and the same artist
    // (the album artist where every track has the same one, else the track artist).
    bool isOneAlbum() const;
    // "Artist — Album"; empty when the tracks are not one album.
    QString albumLine() const;
    // The album line across the top of a face, centred, bold, shrinking to fit.
    TextBlock titleBlock(const QSizeF& faceMm) const;

    // "3:45", or "1:02:03" past an hour; the milliseconds rounded to the nearest second.
    static QString duration(qint64 ms);

private:
    QString commonArtist() const;

    QList<Track> m_tracks;
};
