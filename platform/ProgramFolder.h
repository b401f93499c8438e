#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The folder the program's own files (language database, help, starting site list) are
// found in: the executable's folder. Whoever reads those files is handed it (tests hand in
// a folder of their own).
QString programFolder();

// The path of one of the program's own files: in `folder`, or, for an installed program, in
// ../share/orvella beside it. When the file is in neither, the path in `folder` is returned
// (so a message can name where it was expected).
QString programFile(const QString& folder, const QString& name);
// The same in the program folder.
QString programFile(const QString& name);

// The folders label sheets are read from: the program's own, then the user's, in the
// program's data folder (the same for the program and its batch tool), whose sheets replace
// the program's of the same name.
QStringList labelSheetFolders(const QString& programFolder);

// The program's real executable path (for the file-type registration).
QString programPath();

// The cover-set path of a command line (its arguments after the program name): every
// argument except "/L=" switches, joined by single blanks.
QString commandLinePath(const QStringList& arguments);

} // namespace platform
