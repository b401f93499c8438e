#include "RecentCoverSets.h"

#include "AppInfo.h"
#include "Settings.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("Recent");

} // namespace

QString RecentCoverSets::key(int slot)
{
    return QStringLiteral("File%1").arg(slot + 1);
}

QString RecentCoverSets::canonical(const QString& path)
{
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

RecentCoverSets RecentCoverSets::load()
{
    RecentCoverSets recent;
    QStringList keys;
    for (int slot = 0; slot < MaxCount; ++slot)
        keys.append(key(slot));
    const QStringList stored = platform::GetSettings(platform::applicationTitle(), kSection, keys);
    for (const QString& text : stored) {
        const QString path = canonical(text);
        if (!path.isEmpty() && !recent.m_paths.contains(path))
            recent.m_paths.append(path);
    }
    return recent;
}

void RecentCoverSets::add(const QString& path)
{
    const QString file = canonical(path);
    if (file.isEmpty())
        return;
    m_paths.removeAll(file);
    m_paths.prepend(file);
    while (m_paths.size() > MaxCount)
        m_paths.removeLast();
}

void RecentCoverSets::remove(const QString& path)
{
    m_paths.removeAll(canonical(path));
}

void RecentCoverSets::save() const
{
    // Every slot is written, so a list that got shorter leaves no old entry behind.
    QList<std::pair<QString, QString>> entries;
    for (int slot = 0; slot < MaxCount; ++slot)
        entries.append({key(slot), m_paths.value(slot)});
    platform::SaveSettings(platform::applicationTitle(), kSection, entries);
}
