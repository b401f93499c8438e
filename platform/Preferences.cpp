#include "Preferences.h"

#include "AppInfo.h"
#include "Settings.h"

namespace platform {

namespace {

const QString kSection = QStringLiteral("Preferences");
const QString kKey = QStringLiteral("Editor");

} // namespace

QString editorPath()
{
    return GetSetting(applicationTitle(), kSection, kKey, QString());
}

void setEditorPath(const QString& path)
{
    SaveSetting(applicationTitle(), kSection, kKey, path);
}

} // namespace platform
