#include "CommandActions.h"

#include "LangRuntime.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

struct MenuItemDef
{
    const char* name;   // a menu, an item, or a separator ("mnuSepara..."), in menu order
    const char* parent; // the menu it belongs to; nullptr for a top-level menu
    int caption;        // string number; 0 for a separator
    QKeyCombination shortcut;
    bool enabledAtStart;
};

constexpr QKeyCombination kNone{};

// The menu bar in its order of appearance.
const MenuItemDef kMenuItems[] = {
    {"mnuFile", nullptr, 1066, kNone, true},
    {"mnuNew", "mnuFile", 1080, Qt::CTRL | Qt::Key_N, true},
    {"mnuSepara0100", "mnuFile", 0, kNone, true},
    {"mnuOpen", "mnuFile", 1084, Qt::CTRL | Qt::Key_O, true},
    {"mnuSave", "mnuFile", 1092, Qt::CTRL | Qt::Key_S, false},
    {"mnuSaveAs", "mnuFile", 1266, Qt::CTRL | Qt::Key_A, false},
    {"mnuSepara01", "mnuFile", 0, kNone, true},
    {"mnuPrint", "mnuFile", 1088, Qt::CTRL | Qt::Key_P, false},
    {"mnuPrintPreview", "mnuFile", 1440, Qt::CTRL | Qt::SHIFT | Qt::Key_P, false},
    {"mnuSepara0101", "mnuFile", 0, kNone, true},
    {"mnuPreferences", "mnuFile", 1238, kNone, true},
    {"mnuSepara0102", "mnuFile", 0, kNone, true},
    {"mnuLanguage", "mnuFile", 1076, kNone, true},
    {"mnuSepara0103", "mnuFile", 0, kNone, true},
    {"mnuExit", "mnuFile", 1154, Qt::CTRL | Qt::Key_X, true},
    {"mnuEdit", nullptr, 1062, kNone, true},
    {"mnuUndo", "mnuEdit", 1472, Qt::CTRL | Qt::Key_Z, false},
    {"mnuRedo", "mnuEdit", 1474, Qt::CTRL | Qt::SHIFT | Qt::Key_Z, false},
    {"mnuSepara0202", "mnuEdit", 0, kNone, true},
    {"mnuCopyClip", "mnuEdit", 1056, Qt::CTRL | Qt::Key_C, false},
    {"mnuPasteClip", "mnuEdit", 1086, Qt::CTRL | Qt::Key_V, false},
    {"mnuSepara0201", "mnuEdit", 0, kNone, true},
    {"mnuInsertPicture", "mnuEdit", 1072, Qt::CTRL | Qt::Key_I, false},
    {"mnuDeletePicture", "mnuEdit", 1060, Qt::CTRL | Qt::Key_D, false},
    {"mnuSepara0200", "mnuEdit", 0, kNone, true},
    {"mnuInsertObject", "mnuEdit", 1064, kNone, false},
    {"mnuSepara0203", "mnuEdit", 0, kNone, true},
    {"mnuText", "mnuEdit", 1490, Qt::CTRL | Qt::Key_T, true},
    {"mnuLargerView", "mnuEdit", 1536, kNone, false},
    {"mnuRoundLabel", "mnuEdit", 1550, kNone, false},
    {"mnuWindow", nullptr, 1096, kNone, true},
    {"mnuCascade", "mnuWindow", 1048, kNone, true},
    {"mnuArrangeIcons", "mnuWindow", 1042, kNone, true},
    {"mnuHelp", nullptr, 1070, kNone, true},
    {"mnuHelpContents", "mnuHelp", 1054, Qt::Key_F1, true},
    {"mnuSepara02", "mnuHelp", 0, kNone, true},
    {"mnuCovers", "mnuHelp", 1144, kNone, true},
    {"mnuSepara04", "mnuHelp", 0, kNone, true},
    {"mnuORVLASite", "mnuHelp", 1312, kNone, true},
    {"mnuSepara03", "mnuHelp", 0, kNone, true},
    {"mnuAbout", "mnuHelp", 1038, kNone, true},
};

struct ToolButtonDef
{
    const char* key;       // nullptr for a separator
    const char* item;      // the menu item whose command it is
    int toolTip;           // localised tool tip
    const char* designTip; // until the texts are applied
};

// The toolbar, positions 1 to 12.
const ToolButtonDef kToolButtons[] = {
    {"NEW", "mnuNew", 1224, ""},
    {"OPEN", "mnuOpen", 1236, "Open existing Cover Set"},
    {"SAVE", "mnuSave", 1274, "Save Cover Set"},
    {"PRINT", "mnuPrint", 1260, "Print Cover Set"},
    {nullptr, nullptr, 0, nullptr},
    {"COPY", "mnuCopyClip", 1140, "Copy to Clipboard"},
    {"PASTE", "mnuPasteClip", 1246, "Paste from Clipboard"},
    {nullptr, nullptr, 0, nullptr},
    {"OBJECT", "mnuInsertObject", 1156, "Edit Object"},
    {"PICTURE", "mnuInsertPicture", 1202, "Insert Picture"},
    {nullptr, nullptr, 0, nullptr},
    {"HELP", "mnuHelpContents", 1296, "Show Help"},
};

// The order the menu captions are applied in.
const char* const kCaptionOrder[] = {
    "mnuFile",          "mnuNew",           "mnuOpen",         "mnuSave",     "mnuSaveAs",
    "mnuPrint",         "mnuPrintPreview",  "mnuPreferences",  "mnuLanguage", "mnuExit",
    "mnuEdit",          "mnuUndo",          "mnuRedo",         "mnuCopyClip", "mnuPasteClip",
    "mnuInsertPicture", "mnuDeletePicture", "mnuInsertObject", "mnuText",     "mnuLargerView",
    "mnuRoundLabel",
    "mnuWindow",        "mnuCascade",
    "mnuArrangeIcons",  "mnuHelp",          "mnuHelpContents", "mnuCovers",   "mnuORVLASite",
    "mnuAbout",
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

CommandActions::CommandActions(QMainWindow* window) : QObject(window)
{
    createMenus(window);
    createToolBar(window);
}

void CommandActions::createMenus(QMainWindow* window)
{
    for (const MenuItemDef& def : kMenuItems) {
        const QString name = QString::fromLatin1(def.name);
        if (!def.parent) {
            auto* menu = new QMenu(window);
            menu->setObjectName(name);
            m_menus.insert(name, menu);
            m_items.insert(name, menu->menuAction());
            window->menuBar()->addMenu(menu);
            continue;
        }
        auto* action = new QAction(window);
        action->setObjectName(name);
        if (def.caption == 0) {
            action->setSeparator(true);
        } else {
            action->setShortcut(QKeySequence(def.shortcut));
            action->setEnabled(def.enabledAtStart);
        }
        m_items.insert(name, action);
        m_menus.value(QString::fromLatin1(def.parent))->addAction(action);
    }
}

void CommandActions::createToolBar(QMainWindow* window)
{
    m_toolBar = window->addToolBar(QString());
    m_toolBar->setObjectName(QStringLiteral("barTools"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(22, 22));
    for (const ToolButtonDef& def : kToolButtons) {
        if (!def.key) {
            m_toolBar->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(def.key);
        QAction* command = m_items.value(QString::fromLatin1(def.item));
        command->setIcon(m_icons.icon(key));
        command->setData(key);
        command->setToolTip(QString::fromUtf8(def.designTip));
        m_toolBar->addAction(command);
        m_buttons.insert(key, command);
    }
}

QString CommandActions::itemOfKey(const QString& key)
{
    for (const ToolButtonDef& def : kToolButtons) {
        if (def.key && key == QLatin1String(def.key))
            return QString::fromLatin1(def.item);
    }
    return QString();
}

QStringList CommandActions::commandNames()
{
    QStringList names;
    for (const MenuItemDef& def : kMenuItems) {
        if (def.parent && def.caption != 0)
            names.append(QString::fromLatin1(def.name));
    }
    return names;
}

void CommandActions::applyTexts()
{
    for (const char* name : kCaptionOrder) {
        const QString item = QString::fromLatin1(name);
        const QString text = LangString(captionOf(item));
        if (QMenu* menu = m_menus.value(item))
            menu->setTitle(text);
        else
            m_items.value(item)->setText(text);
    }
    // A button says what it does in its own words (its tool tip), the menu in the caption.
    for (const ToolButtonDef& def : kToolButtons) {
        if (def.key)
            m_buttons.value(QString::fromLatin1(def.key))->setToolTip(LangString(def.toolTip));
    }
}
