#include "Settings.h"

#include <QSettings>

#include <memory>

namespace platform {
namespace {

QString g_testFile;

std::unique_ptr<QSettings> openStore(const QString& app)
{
    if (!g_testFile.isEmpty())
        return std::make_unique<QSettings>(g_testFile, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, app, app);
}

QString settingKey(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& defaultValue)
{
    const auto store = openStore(app);
    return store->value(settingKey(section, key), defaultValue).toString();
}

void SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value)
{
    SaveSettings(app, section, {{key, value}});
}

QStringList GetSettings(const QString& app, const QString& section, const QStringList& keys)
{
    const auto store = openStore(app);
    QStringList values;
    for (const QString& key : keys)
        values.append(store->value(settingKey(section, key)).toString());
    return values;
}

void SaveSettings(const QString& app, const QString& section,
                  const QList<std::pair<QString, QString>>& keyValues)
{
    const auto store = openStore(app);
    bool changed = false;
    for (const auto& [key, value] : keyValues) {
        const QString name = settingKey(section, key);
        // Writing the store means locking and replacing its file: not for a value it holds.
        if (store->contains(name) && store->value(name).toString() == value)
            continue;
        store->setValue(name, value);
        changed = true;
    }
    if (changed)
        store->sync();
}

bool HasSetting(const QString& app, const QString& section, const QString& key)
{
    return openStore(app)->contains(settingKey(section, key));
}

void setSettingsFileForTests(const QString& iniPath)
{
    g_testFile = iniPath;
}

} // namespace platform
