#pragma once

#include "CoverHost.h"
#include "ImageList.h"
#include "QtTranslations.h"
#include "frmMenu.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QUndoGroup>

#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QUndoCommand;
class RecentSetsMenu;

// The program's main window: a frame for the cover-set document windows, with the menus,
// the toolbar and the status bar, and the program's start-up.
class mdiORVLA : public QMainWindow, public CoverHost
{
    Q_OBJECT

public:
    // Runs the start-up steps that come before the window shows.
    explicit mdiORVLA(QWidget* parent = nullptr);
    ~mdiORVLA() override;

    // A menu item by its name ("mnuSave"), a toolbar button by its key ("SAVE").
    QAction* menuItem(const QString& name) const { return m_items.value(name); }
    QAction* toolButton(const QString& key) const { return m_buttons.value(key); }
    QMenu* menu(const QString& name) const { return m_menus.value(name); }
    QToolBar* barTools() const { return m_barTools; }
    QMdiArea* mdiArea() const { return m_mdi; }
    const ImageList& imgTools() const { return m_imgTools; }

    bool firstActivation() const { return m_firstActivation; }

    // What the cover sets need of the main window.
    QMdiArea* documentArea() override { return m_mdi; }
    std::shared_ptr<clsCover> activeCover() const override { return ActiveCover; }
    void setActiveCover(std::shared_ptr<clsCover> cover) override { ActiveCover = cover; }
    void UpdateCommands(frmMenu* window, bool enable) override;
    QMenu* editMenu() override { return m_menus.value(QStringLiteral("mnuEdit")); }
    void coverSetUsed(const QString& path) override;

    RecentSetsMenu* recentSets() const { return m_recent; }
    QUndoGroup& undoGroup() { return m_undoGroup; }
    const QtTranslations& qtTranslations() const { return m_qtTranslations; }

    void ApplyTexts();
    void ShowStatus(const QString& text) override;
    QString statusText() const;
    void OpenWithShell(const QString& target);

    // Runs the handler of the menu item a toolbar key stands for; other keys do nothing.
    void dispatchToolbarKey(const QString& key);

    // Menu commands.
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuPrint_Click();
    void mnuPrintPreview_Click();
    void mnuPreferences_Click();
    void mnuLanguage_Click();
    void mnuExit_Click();
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuCopyClip_Click();
    void mnuPasteClip_Click();
    void mnuInsertPicture_Click();
    void mnuDeletePicture_Click();
    void mnuInsertObject_Click();
    void mnuCascade_Click();
    void mnuArrangeIcons_Click();
    void mnuHelpContents_Click();
    void mnuCovers_Click();
    void mnuORVLASite_Click();
    void mnuAbout_Click();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Load();
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void fillWindowMenu();
    void createUndo();
    void showChangedFace(const QUndoCommand* command);
    // A set from the recent list: opened in a window of its own, or, when it is gone,
    // taken off the list with a message.
    void openRecentSet(const QString& path);
    void documentActivated(QMdiSubWindow* window);
    // A cover-set file dropped on the document area's free space opens in a new window.
    void coverSetDropped(const QString& path);
    void firstActivationOnce();
    // Closes every document window with its save question; false when the user kept one.
    bool closeDocuments();
    // After a load of the language database: when it failed, every changed cover set is
    // offered for saving (Yes or No; the program cannot stay) and the program ends. True
    // then, so the caller goes no further.
    bool endIfLanguageFailed();
    void offerChangedSetsForSaving();

    bool desktopMayOpenFaceFile() const;

    // Start-up steps that hand on to the cover-set and file-type subsystems.
    void openStartupCoverSet(const QString& path);
    void registerFileType();

    QMdiArea* m_mdi = nullptr;
    QToolBar* m_barTools = nullptr;
    QLabel* m_barEstado = nullptr;
    QHash<QString, QAction*> m_items;
    QHash<QString, QAction*> m_buttons;
    QHash<QString, QMenu*> m_menus;
    QList<QAction*> m_windowListActions;
    std::shared_ptr<clsCover> ActiveCover;
    QPointer<frmMenu> m_activeDocument; // the document window last activated
    ImageList m_imgTools;
    QUndoGroup m_undoGroup;
    RecentSetsMenu* m_recent = nullptr;
    QtTranslations m_qtTranslations;
    bool m_firstActivation = true;
};
