#pragma once

#include <QByteArray>
#include <QString>

// The cover-set file type, registered with the desktop for the current user.
//
// What the classes root holds on Windows is spread over three files here: the extension and
// the type's description make a shared-mime-info package, the type's open command a desktop
// entry of the program, and opening such a file by default is the user's mimeapps.list.
// The data and config homes follow XDG_DATA_HOME and XDG_CONFIG_HOME.
//
// Nothing is asked or reported: a file that cannot be written is simply left as it was.
// A file is written only when its content changes, and the desktop's caches are rebuilt
// (without waiting) only then, so a start with an unchanged registration writes nothing.

// Registers files ending in "." + extension (in either case) as the type
// application/x-<title>-document, described title + " Document", opened by programPath.
void RegisterFileType(const QString& extension, const QString& applicationTitle,
                      const QString& programPath);

// Makes the folder that holds a registration file, with every missing folder on its path.
void CreateRegistryKey(const QString& filePath);

// Replaces a registration file's content in a folder that exists. True when the file was
// written; false when it already held exactly this or could not be written.
bool SetRegistryValue(const QString& filePath, const QByteArray& content);

// The Exec line's form of one argument: quoted and escaped as the Desktop Entry rules
// require, so that blanks and the reserved characters reach the program unchanged.
QString desktopExecArgument(const QString& argument);
