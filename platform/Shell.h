#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Opens a document or web address with the user's default application for it. A local
// path or file: address opens the file; anything else is handed on as an address.
// Returns whether the desktop accepted the request.
bool openDocument(const QString& target);

// Opens a document or web address with the desktop's "open", showing the busy cursor while
// the desktop is asked. The result is not reported.
void OpenWithShell(const QString& target);

// Starts a program as a process of its own; the program never waits for it or watches it.
bool startProgram(const QString& program, const QStringList& arguments);

} // namespace platform
