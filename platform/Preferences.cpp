#include "Preferences.h"

namespace platform {
namespace {
QString g_editorPath;
}

QString editorPath()
{
    return g_editorPath;
}

void setEditorPath(const QString& path)
{
    g_editorPath = path;
}

} // namespace platform
