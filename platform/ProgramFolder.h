#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The folder the program's own files (language database, help, starting site list) are
// found in: the executable's folder. Tests point it at a temporary folder.
QString programFolder();
void setProgramFolder(const QString& folder); // empty: back to the executable's folder

// The path of one of the program's own files: in the program folder, or, for an installed
// program, in ../share/orvella beside it. When the file is in neither, the program-folder
// path is returned (so a message can name where it was expected).
QString programFile(const QString& name);

// The program's real executable path (for the file-type registration).
QString programPath();

// The cover-set path of a command line (its arguments after the program name): every
// argument except "/L=" switches, joined by single blanks.
QString commandLinePath(const QStringList& arguments);

} // namespace platform
