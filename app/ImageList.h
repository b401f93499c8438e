#pragma once

#include <QHash>
#include <QIcon>
#include <QString>
#include <QStringList>

// The toolbar's pictures by key. Each comes from the desktop's icon theme where the theme
// has a fitting icon, else from the program's own, so a button is never blank. A picture is
// made when first asked for: reading an icon costs start-up time, and most are never shown.
class ImageList
{
public:
    ImageList();

    QStringList keys() const { return m_keys; }
    bool contains(const QString& key) const { return m_keys.contains(key); }
    QIcon icon(const QString& key) const;

private:
    QStringList m_keys;
    mutable QHash<QString, QIcon> m_icons;
};
