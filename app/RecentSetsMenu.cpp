#include "RecentSetsMenu.h"

#include <QAction>
#include <QDir>
#include <QFontMetrics>
#include <QMenu>

namespace {

// Long paths are cut in the middle, so the file's name and the start of its folder show.
constexpr int kEntryWidthPixels = 420;

} // namespace

RecentSetsMenu::RecentSetsMenu(QMenu* fileMenu, QAction* before, QObject* parent)
    : QObject(parent), m_menu(fileMenu), m_before(before)
{
    connect(m_menu, &QMenu::aboutToShow, this, &RecentSetsMenu::rebuild);
}

RecentCoverSets& RecentSetsMenu::list()
{
    if (!m_loaded) {
        m_list = RecentCoverSets::load();
        m_loaded = true;
    }
    return m_list;
}

void RecentSetsMenu::add(const QString& path)
{
    list().add(path);
    m_list.save();
    m_stale = true;
}

void RecentSetsMenu::remove(const QString& path)
{
    list().remove(path);
    m_list.save();
    m_stale = true;
}

QStringList RecentSetsMenu::paths()
{
    return list().paths();
}

QList<QAction*> RecentSetsMenu::entries()
{
    rebuild();
    return m_entries;
}

void RecentSetsMenu::rebuild()
{
    if (!m_stale)
        return;
    m_stale = false;
    for (QAction* entry : std::as_const(m_entries)) {
        m_menu->removeAction(entry);
        entry->deleteLater();
    }
    m_entries.clear();
    const QStringList& paths = list().paths();
    if (!m_separator) {
        m_separator = new QAction(this);
        m_separator->setSeparator(true);
        m_menu->insertAction(m_before, m_separator);
    }
    m_separator->setVisible(!paths.isEmpty());

    const QFontMetrics metrics(m_menu->font());
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        QString shown = metrics.elidedText(QDir::toNativeSeparators(path), Qt::ElideMiddle,
                                           kEntryWidthPixels);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), this);
        entry->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        entry->setToolTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { Q_EMIT chosen(path); });
        m_menu->insertAction(m_separator, entry);
        m_entries.append(entry);
    }
}
