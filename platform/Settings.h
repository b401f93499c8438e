#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace platform {

// The per-user settings store: text values addressed by application, section and key.
// The application name selects the store's file (~/.config/<app>/<app>.conf).
QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& defaultValue = QString());
void SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value);
bool HasSetting(const QString& app, const QString& section, const QString& key);

// Several keys of one section at once: the store is read, and written, once.
QStringList GetSettings(const QString& app, const QString& section, const QStringList& keys);
void SaveSettings(const QString& app, const QString& section,
                  const QList<std::pair<QString, QString>>& keyValues);

// Tests keep the store in a file of their own (an INI file in a temporary folder);
// an empty path returns to the user's real store.
void setSettingsFileForTests(const QString& iniPath);

} // namespace platform
