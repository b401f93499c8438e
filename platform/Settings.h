#pragma once

#include <QString>

namespace platform {

// The per-user settings store: text values addressed by application, section and key.
// The application name selects the store's file (~/.config/<app>/<app>.conf).
QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& defaultValue = QString());
void SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value);
bool HasSetting(const QString& app, const QString& section, const QString& key);

// Tests keep the store in a file of their own (an INI file in a temporary folder);
// an empty path returns to the user's real store.
void setSettingsFileForTests(const QString& iniPath);

} // namespace platform
