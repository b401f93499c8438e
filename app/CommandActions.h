#pragma once

#include "ImageList.h"

#include <QHash>
#include <QObject>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The main window's commands: one QAction each, which its menu item, its toolbar button and
// the document window's pop-up (the Edit menu) all show, so a command has one state
// wherever it appears. One table of the menu items and one of the toolbar drive their
// creation, their texts and the toolbar's keys.
class CommandActions : public QObject
{
    Q_OBJECT

public:
    // Fills the window's menu bar and adds its toolbar.
    explicit CommandActions(QMainWindow* window);

    // A menu item or separator by its name ("mnuSave"); a menu by its name ("mnuEdit").
    QAction* item(const QString& name) const { return m_items.value(name); }
    QMenu* menu(const QString& name) const { return m_menus.value(name); }
    // The command a toolbar key ("SAVE") stands for; nullptr for any other key.
    QAction* button(const QString& key) const { return m_buttons.value(key); }
    // The name of the menu item a toolbar key stands for ("" for none).
    static QString itemOfKey(const QString& key);
    QToolBar* toolBar() const { return m_toolBar; }
    const ImageList& icons() const { return m_icons; }

    // Every name of the menu items that run a command, in menu order.
    static QStringList commandNames();

    void applyTexts();

private:
    void createMenus(QMainWindow* window);
    void createToolBar(QMainWindow* window);

    QHash<QString, QAction*> m_items;
    QHash<QString, QAction*> m_buttons;
    QHash<QString, QMenu*> m_menus;
    QToolBar* m_toolBar = nullptr;
    ImageList m_icons;
};
