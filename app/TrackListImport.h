#pragma once

#include <QStringList>

class CoverSet;

// The Text panel's track list from files: asks for audio files, a cue sheet or a folder,
// reads them under the busy cursor, and writes the list as one block on the set's current
// face. When the tracks are one album it offers the album's line for the Front and the Back's
// spines; the list and those lines are one step to undo. The files that gave no tracks are
// named in one message once the rest are on the face.
class TrackListImport
{
public:
    enum class Choose
    {
        Files, // audio files or cue sheets
        Folder
    };

    // The index of the new block on the current face, or -1 when nothing was added.
    static int run(CoverSet& set, Choose choose);
    // The same for what was already chosen.
    static int fromPaths(CoverSet& set, const QStringList& paths);

    // The file dialog's filter: the audio files the reader takes and cue sheets.
    static QString filter();
};
