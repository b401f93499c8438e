#pragma once

#include <QString>

// The file dialogs of the program.
enum FileDialogMode : qint16 {
    OpenCoverSet = 1,
    SaveCoverSet = 2,
    OpenPicture = 3,
    SaveBitmap = 4,
};

// Asks for a file in the given mode (any other value behaves as OpenCoverSet); the title
// suffix is joined to the mode's title without a blank. Returns "" when cancelled. The open
// modes return only existing files; the save modes refuse a missing folder and a read-only
// file, and ask before replacing an existing one.
QString AskFileName(qint16 mode, const QString& titleSuffix = QString());

// The picture filter of the open dialog.
QString pictureFilter();
