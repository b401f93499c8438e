#pragma once

#include "CommandActions.h"
#include "ProgramFolder.h"
#include "QtTranslations.h"
#include "clsCover.h"
#include "frmMenu.h"

#include <QMainWindow>
#include <QUndoGroup>

#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class CoverSetDropArea;
class QUndoCommand;
class RecentSetsMenu;
class RoundLabelAction;
class TextPanel;
class WindowMenu;

// The program's main window: a frame for the cover-set document windows, with the menus,
// the toolbar and the status bar, and the program's start-up. It owns the open cover sets
// and their windows, and learns of every change from their signals.

class mdiORVLA : public QMainWindow
{
    Q_OBJECT

public:
    // Runs the start-up steps that come before the window shows.
    // `arguments`: the command line after the program name (a set to open, "/L=" switches);
    // `programFolder`: where the program's own files are (help, the starting site list).
    explicit mdiORVLA(const QStringList& arguments = {},
                      const QString& programFolder = platform::programFolder(),
                      QWidget* parent = nullptr);
    ~mdiORVLA() override;

    // A menu item by its name ("mnuSave"), a toolbar button by its key ("SAVE").
    // The menu item, the toolbar button and the pop-up's entry of a command are one action.
    QAction* menuItem(const QString& name) const { return m_commands->item(name); }
    QAction* toolButton(const QString& key) const { return m_commands->button(key); }
    QMenu* menu(const QString& name) const { return m_commands->menu(name); }
    QToolBar* barTools() const { return m_commands->toolBar(); }
    QMdiArea* mdiArea() const { return m_mdi; }
    const ImageList& imgTools() const { return m_commands->icons(); }
    // The Edit menu, also the document windows' pop-up menu.
    QMenu* editMenu() const { return menu(QStringLiteral("mnuEdit")); }

    bool firstActivation() const { return m_firstActivation; }

    // The set of the active document window; none when no window is open.
    std::shared_ptr<clsCover> activeCover() const { return ActiveCover; }

    RecentSetsMenu* recentSets() const { return m_recent; }
    QUndoGroup& undoGroup() { return m_undoGroup; }
    TextPanel* textPanel() const { return m_textPanel; }
    const QtTranslations& qtTranslations() const { return m_qtTranslations; }

    void ApplyTexts();
    virtual void ShowStatus(const QString& text);
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
    // Shows the Text panel; opens a larger view of the current face.
    void mnuText_Click();
    void mnuLargerView_Click();
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

private:
    void Load(const QStringList& arguments);
    void connectCommands();
    void createStatusBar();
    // Every command's state, worked out from the active set, its current face and the
    // clipboard; called on every change of any of them.
    void updateCommandStates();
    // A document window's pop-up: the Edit menu itself.
    void showPopup(const QPoint& globalPos);
    // A new cover set whose window goes into the document area, watched from now on.
    std::shared_ptr<clsCover> makeCoverSet();
    // A cover-set file opened in a window of its own.
    void openCoverSet(const QString& path);
    void createUndo();
    void showChangedFace(const QUndoCommand* command);
    void coverSetUsed(const QString& path);
    // A set from the recent list: opened in a window of its own, or, when it is gone,
    // taken off the list with a message.
    void openRecentSet(const QString& path);
    void documentActivated(QMdiSubWindow* window);
    void firstActivationOnce();
    // Closes every document window with its save question; false when the user kept one.
    bool closeDocuments();
    // After a load of the language database: when it failed, every changed cover set is
    // offered for saving (Yes or No; the program cannot stay) and the program ends. True
    // then, so the caller goes no further.
    bool endIfLanguageFailed();
    void offerChangedSetsForSaving();

    bool desktopMayOpenFaceFile() const;

    // The desktop learns of the file type, after start-up.
    void registerFileType();

    QMdiArea* m_mdi = nullptr;
    CommandActions* m_commands = nullptr;
    TextPanel* m_textPanel = nullptr;
    RoundLabelAction* m_roundLabel = nullptr;
    QLabel* m_barEstado = nullptr;
    WindowMenu* m_windowMenu = nullptr;
    std::shared_ptr<clsCover> ActiveCover;
    QUndoGroup m_undoGroup;
    RecentSetsMenu* m_recent = nullptr;
    QtTranslations m_qtTranslations;
    QString m_programFolder;
    bool m_firstActivation = true;
};
