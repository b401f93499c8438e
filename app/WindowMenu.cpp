#include "WindowMenu.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

WindowMenu::WindowMenu(QMenu* menu, QMdiArea* area, QObject* parent)
    : QObject(parent), m_menu(menu), m_area(area)
{
    connect(m_menu, &QMenu::aboutToShow, this, &WindowMenu::fill);
}

void WindowMenu::cascade()
{
    m_area->cascadeSubWindows();
}

void WindowMenu::arrangeIcons()
{
    int x = 0;
    const int bottom = m_area->viewport()->height();
    const QList<QMdiSubWindow*> windows = m_area->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* window : windows) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > m_area->viewport()->width())
            x = 0;
        window->move(x, bottom - size.height());
        x += size.width();
    }
}

void WindowMenu::fill()
{
    for (QAction* action : std::as_const(m_windowActions)) {
        m_menu->removeAction(action);
        action->deleteLater();
    }
    m_windowActions.clear();
    const QList<QMdiSubWindow*> windows = m_area->subWindowList();
    if (windows.isEmpty())
        return;
    m_windowActions.append(m_menu->addSeparator());
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        ++number;
        QString title = window->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                         : QStringLiteral("%1 %2").arg(number).arg(title);
        QAction* action = m_menu->addAction(text);
        action->setCheckable(true);
        action->setChecked(window == m_area->activeSubWindow());
        const QPointer<QMdiSubWindow> target(window);
        connect(action, &QAction::triggered, this, [this, target] {
            if (target)
                m_area->setActiveSubWindow(target);
        });
        m_windowActions.append(action);
    }
}
