#pragma once

#include <QString>

namespace platform {

// The program-wide copy of the external picture editor's path: read from the settings store
// when the main window first shows, changed by the preferences dialog, read by Insert object.
QString editorPath();
void setEditorPath(const QString& path);

} // namespace platform
