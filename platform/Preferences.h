#pragma once

#include <QString>

namespace platform {

// The external picture editor's path, as the settings store keeps it (Preferences/Editor):
// changed by the preferences dialog, read by Insert object. Empty: the desktop's own
// application for each picture.
QString editorPath();
void setEditorPath(const QString& path);

} // namespace platform
