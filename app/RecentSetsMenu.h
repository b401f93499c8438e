#pragma once

#include "RecentCoverSets.h"

#include <QList>
#include <QObject>

class QAction;
class QMenu;

// The recent cover sets in the File menu, above Exit: "&1 ..." to "&8 ...", newest first,
// with a line below them. The list is read from the settings store when first needed (the
// menu opening, or a set opened or saved), not at start-up.
class RecentSetsMenu : public QObject
{
    Q_OBJECT

public:
    // The entries go into `fileMenu` just before `before`.
    RecentSetsMenu(QMenu* fileMenu, QAction* before, QObject* parent = nullptr);

    // A set was opened or saved: it comes first, in the menu and in the store.
    void add(const QString& path);
    // A set that is gone leaves the list.
    void remove(const QString& path);

    QStringList paths();
    // The menu's entries as they are now (tests).
    QList<QAction*> entries();

Q_SIGNALS:
    void chosen(const QString& path);

private:
    RecentCoverSets& list();
    void rebuild();

    QMenu* m_menu;
    QAction* m_before;
    RecentCoverSets m_list;
    bool m_loaded = false;
    bool m_stale = true;
    QList<QAction*> m_entries;
    QAction* m_separator = nullptr;
};
