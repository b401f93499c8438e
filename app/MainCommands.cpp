// The main window's menus and toolbar: one table of the menu items and one of the toolbar
// buttons drive their creation, their texts and the toolbar's dispatch.
#include "mdiORVLA.h"

#include "LangRuntime.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>

namespace {

using Handler = void (mdiORVLA::*)();

struct MenuItemDef
{
    const char* name;    // a menu, an item, or a separator ("mnuSepara..."), in menu order
    const char* parent;  // the menu it belongs to; nullptr for a top-level menu
    int caption;         // string number; 0 for a separator
    QKeyCombination shortcut;
    bool enabledAtStart;
    Handler handler;
};

constexpr QKeyCombination kNone{};

// The menu bar in its order of appearance.
const MenuItemDef kMenuItems[] = {
    {"mnuFile", nullptr, 1066, kNone, true, nullptr},
    {"mnuNew", "mnuFile", 1080, Qt::CTRL | Qt::Key_N, true, &mdiORVLA::mnuNew_Click},
    {"mnuSepara0100", "mnuFile", 0, kNone, true, nullptr},
    {"mnuOpen", "mnuFile", 1084, Qt::CTRL | Qt::Key_O, true, &mdiORVLA::mnuOpen_Click},
    {"mnuSave", "mnuFile", 1092, Qt::CTRL | Qt::Key_S, false, &mdiORVLA::mnuSave_Click},
    {"mnuSaveAs", "mnuFile", 1266, Qt::CTRL | Qt::Key_A, false, &mdiORVLA::mnuSaveAs_Click},
    {"mnuSepara01", "mnuFile", 0, kNone, true, nullptr},
    {"mnuPrint", "mnuFile", 1088, Qt::CTRL | Qt::Key_P, false, &mdiORVLA::mnuPrint_Click},
    {"mnuPrintPreview", "mnuFile", 1440, Qt::CTRL | Qt::SHIFT | Qt::Key_P, false,
     &mdiORVLA::mnuPrintPreview_Click},
    {"mnuSepara0101", "mnuFile", 0, kNone, true, nullptr},
    {"mnuPreferences", "mnuFile", 1238, kNone, true, &mdiORVLA::mnuPreferences_Click},
    {"mnuSepara0102", "mnuFile", 0, kNone, true, nullptr},
    {"mnuLanguage", "mnuFile", 1076, kNone, true, &mdiORVLA::mnuLanguage_Click},
    {"mnuSepara0103", "mnuFile", 0, kNone, true, nullptr},
    {"mnuExit", "mnuFile", 1154, Qt::CTRL | Qt::Key_X, true, &mdiORVLA::mnuExit_Click},
    {"mnuEdit", nullptr, 1062, kNone, true, nullptr},
    {"mnuUndo", "mnuEdit", 1472, Qt::CTRL | Qt::Key_Z, false, &mdiORVLA::mnuUndo_Click},
    {"mnuRedo", "mnuEdit", 1474, Qt::CTRL | Qt::SHIFT | Qt::Key_Z, false, &mdiORVLA::mnuRedo_Click},
    {"mnuSepara0202", "mnuEdit", 0, kNone, true, nullptr},
    {"mnuCopyClip", "mnuEdit", 1056, Qt::CTRL | Qt::Key_C, false, &mdiORVLA::mnuCopyClip_Click},
    {"mnuPasteClip", "mnuEdit", 1086, Qt::CTRL | Qt::Key_V, false,
     &mdiORVLA::mnuPasteClip_Click},
    {"mnuSepara0201", "mnuEdit", 0, kNone, true, nullptr},
    {"mnuInsertPicture", "mnuEdit", 1072, Qt::CTRL | Qt::Key_I, false,
     &mdiORVLA::mnuInsertPicture_Click},
    {"mnuDeletePicture", "mnuEdit", 1060, Qt::CTRL | Qt::Key_D, false,
     &mdiORVLA::mnuDeletePicture_Click},
    {"mnuSepara0200", "mnuEdit", 0, kNone, true, nullptr},
    {"mnuInsertObject", "mnuEdit", 1064, kNone, false, &mdiORVLA::mnuInsertObject_Click},
    {"mnuWindow", nullptr, 1096, kNone, true, nullptr},
    {"mnuCascade", "mnuWindow", 1048, kNone, true, &mdiORVLA::mnuCascade_Click},
    {"mnuArrangeIcons", "mnuWindow", 1042, kNone, true, &mdiORVLA::mnuArrangeIcons_Click},
    {"mnuHelp", nullptr, 1070, kNone, true, nullptr},
    {"mnuHelpContents", "mnuHelp", 1054, Qt::Key_F1, true, &mdiORVLA::mnuHelpContents_Click},
    {"mnuSepara02", "mnuHelp", 0, kNone, true, nullptr},
    {"mnuCovers", "mnuHelp", 1144, kNone, true, &mdiORVLA::mnuCovers_Click},
    {"mnuSepara04", "mnuHelp", 0, kNone, true, nullptr},
    {"mnuORVLASite", "mnuHelp", 1312, kNone, true, &mdiORVLA::mnuORVLASite_Click},
    {"mnuSepara03", "mnuHelp", 0, kNone, true, nullptr},
    {"mnuAbout", "mnuHelp", 1038, kNone, true, &mdiORVLA::mnuAbout_Click},
};

struct ToolButtonDef
{
    const char* key;       // nullptr for a separator
    int toolTip;           // localised tool tip
    const char* designTip; // until the texts are applied
    bool enabledAtStart;
    Handler handler;       // the menu item's handler
};

// The toolbar, positions 1 to 12.
const ToolButtonDef kToolButtons[] = {
    {"NEW", 1224, "", true, &mdiORVLA::mnuNew_Click},
    {"OPEN", 1236, "Open existing Cover Set", true, &mdiORVLA::mnuOpen_Click},
    {"SAVE", 1274, "Save Cover Set", false, &mdiORVLA::mnuSave_Click},
    {"PRINT", 1260, "Print Cover Set", false, &mdiORVLA::mnuPrint_Click},
    {nullptr, 0, nullptr, true, nullptr},
    {"COPY", 1140, "Copy to Clipboard", false, &mdiORVLA::mnuCopyClip_Click},
    {"PASTE", 1246, "Paste from Clipboard", false, &mdiORVLA::mnuPasteClip_Click},
    {nullptr, 0, nullptr, true, nullptr},
    {"OBJECT", 1156, "Edit Object", false, &mdiORVLA::mnuInsertObject_Click},
    {"PICTURE", 1202, "Insert Picture", false, &mdiORVLA::mnuInsertPicture_Click},
    {nullptr, 0, nullptr, true, nullptr},
    {"HELP", 1296, "Show Help", true, &mdiORVLA::mnuHelpContents_Click},
};

// The order the menu captions are applied in.
const char* const kCaptionOrder[] = {
    "mnuFile",         "mnuNew",          "mnuOpen",        "mnuSave",          "mnuSaveAs",
    "mnuPrint",        "mnuPrintPreview", "mnuPreferences", "mnuLanguage",      "mnuExit",
    "mnuEdit",         "mnuUndo",         "mnuRedo",        "mnuCopyClip",     "mnuPasteClip",   "mnuInsertPicture", "mnuDeletePicture",
    "mnuInsertObject", "mnuWindow",       "mnuCascade",     "mnuArrangeIcons",  "mnuHelp",
    "mnuHelpContents", "mnuCovers",       "mnuORVLASite",   "mnuAbout",
};

int captionOf(const QString& name)
{
    for (const MenuItemDef& def : kMenuItems) {
        if (name == QLatin1String(def.name))
            return def.caption;
    }
    return 0;
}

} // namespace

void mdiORVLA::createActions()
{
    for (const MenuItemDef& def : kMenuItems) {
        const QString name = QString::fromLatin1(def.name);
        if (!def.parent) {
            auto* menu = new QMenu(this);
            menu->setObjectName(name);
            m_menus.insert(name, menu);
            m_items.insert(name, menu->menuAction());
            continue;
        }
        auto* action = new QAction(this);
        action->setObjectName(name);
        if (def.caption == 0) {
            action->setSeparator(true);
        } else {
            action->setShortcut(QKeySequence(def.shortcut));
            action->setEnabled(def.enabledAtStart);
            connect(action, &QAction::triggered, this, def.handler);
        }
        m_items.insert(name, action);
    }
}

void mdiORVLA::createMenus()
{
    for (const MenuItemDef& def : kMenuItems) {
        const QString name = QString::fromLatin1(def.name);
        if (!def.parent)
            menuBar()->addMenu(m_menus.value(name));
        else
            m_menus.value(QString::fromLatin1(def.parent))->addAction(m_items.value(name));
    }
    // The Window menu also lists the open document windows.
    connect(m_menus.value(QStringLiteral("mnuWindow")), &QMenu::aboutToShow, this,
            &mdiORVLA::fillWindowMenu);
}

void mdiORVLA::createToolBar()
{
    m_barTools = addToolBar(QString());
    m_barTools->setObjectName(QStringLiteral("barTools"));
    m_barTools->setMovable(false);
    m_barTools->setIconSize(QSize(22, 22));
    for (const ToolButtonDef& def : kToolButtons) {
        if (!def.key) {
            m_barTools->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(def.key);
        auto* button = new QAction(m_imgTools.icon(key), QString(), this);
        button->setObjectName(QStringLiteral("barTools_") + key);
        button->setData(key);
        button->setToolTip(QString::fromUtf8(def.designTip));
        button->setEnabled(def.enabledAtStart);
        connect(button, &QAction::triggered, this, [this, key] { dispatchToolbarKey(key); });
        m_barTools->addAction(button);
        m_buttons.insert(key, button);
    }
}

void mdiORVLA::dispatchToolbarKey(const QString& key)
{
    for (const ToolButtonDef& def : kToolButtons) {
        if (def.key && key == QLatin1String(def.key)) {
            (this->*def.handler)();
            return;
        }
    }
}

void mdiORVLA::ApplyTexts()
{
    for (const ToolButtonDef& def : kToolButtons) {
        if (def.key) {
            const QString text = LangString(def.toolTip);
            QAction* button = m_buttons.value(QString::fromLatin1(def.key));
            button->setToolTip(text);
            button->setText(text);
        }
    }
    for (const char* name : kCaptionOrder) {
        const QString item = QString::fromLatin1(name);
        const QString text = LangString(captionOf(item));
        if (QMenu* menu = m_menus.value(item))
            menu->setTitle(text);
        else
            m_items.value(item)->setText(text);
    }
    // Qt's own texts follow the language of the menus.
    m_qtTranslations.follow(lang::LangRuntime::instance().languageName());
}

void mdiORVLA::fillWindowMenu()
{
    QMenu* windowMenu = m_menus.value(QStringLiteral("mnuWindow"));
    for (QAction* action : std::as_const(m_windowListActions)) {
        windowMenu->removeAction(action);
        action->deleteLater();
    }
    m_windowListActions.clear();
    const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
    if (windows.isEmpty())
        return;
    m_windowListActions.append(windowMenu->addSeparator());
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        ++number;
        QString title = window->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                         : QStringLiteral("%1 %2").arg(number).arg(title);
        QAction* action = windowMenu->addAction(text);
        action->setCheckable(true);
        action->setChecked(window == m_mdi->activeSubWindow());
        const QPointer<QMdiSubWindow> target(window);
        connect(action, &QAction::triggered, this, [this, target] {
            if (target)
                m_mdi->setActiveSubWindow(target);
        });
        m_windowListActions.append(action);
    }
}
