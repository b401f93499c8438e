#pragma once

#include <QString>
#include <QStringList>

// The cover-set files opened or saved last, newest first, kept in the settings store so the
// next start lists them too. A file is named once, by its absolute path.
class RecentCoverSets
{
public:
    static constexpr int MaxCount = 8;

    // The list as the settings store holds it.
    static RecentCoverSets load();

    const QStringList& paths() const { return m_paths; }

    // `path` moves to the top (or comes in there); the oldest beyond MaxCount drops out.
    void add(const QString& path);
    void remove(const QString& path);

    void save() const;

private:
    static QString key(int slot);
    static QString canonical(const QString& path);

    QStringList m_paths;
};
