#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMdiArea;
class QMenu;

// The Window menu's part that follows the document area: the open document windows listed
// below its commands ("&1 title", the active one checked) each time it opens, Cascade, and
// Arrange Icons, which lines the minimised windows up along the bottom edge.
class WindowMenu : public QObject
{
    Q_OBJECT

public:
    // Neither is owned.
    WindowMenu(QMenu* menu, QMdiArea* area, QObject* parent = nullptr);

    void cascade();
    void arrangeIcons();

private:
    void fill();

    QMenu* m_menu;
    QMdiArea* m_area;
    QList<QAction*> m_windowActions;
};
