#pragma once

#include "SiteList.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The user's list of web sites where cover pictures can be found: a window of its own beside
// the main window, never modal. The list is read when the window opens and written back when
// it closes; while it is open the file is left alone.
class frmCoverSites : public QWidget
{
    Q_OBJECT

public:
    enum Action
    {
        Add,
        Delete,
        Edit,
        Go,
        Close
    };

    explicit frmCoverSites(const SiteList& sites, QWidget* mainWindow = nullptr);

    // The one window: made (and the list `sites` read) when none is open, else brought
    // forward as it is.
    static frmCoverSites* showWindow(QWidget* mainWindow, const SiteList& sites);
    // The open window, or nullptr.
    static frmCoverSites* openWindow();
    // Closes the open window, writing its list. False when it stayed open (see closeEvent).
    static bool closeWindow();

    void ApplyTexts();

    QListWidget* lstCoverSites() const { return m_list; }
    QPushButton* btnAccion(int index) const { return m_buttons[index]; }
    QGroupBox* Frame1() const { return m_frame; }
    // Says, when the list's file could not be read, which file it is and that it is kept.
    QLabel* lblReadError() const { return m_readError; }

    void btnAccion_Click(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ReadList();
    void AddSite();
    void DeleteSite();
    void EditSite();
    void GoToSite();
    QListWidgetItem* selectedEntry() const;
    void listChanged();
    void updateButtons();
    void closeNow(QCloseEvent* event);

    QGroupBox* m_frame = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_buttons[5] = {};
    QLabel* m_readError = nullptr;
    // The user has been told that this very list could not be written.
    SiteList m_sites;
    bool m_writeFailureShown = false;
    bool m_closed = false; // closed, and going
    // The file was there but could not be read: the empty list shown is not the user's list
    // and must never replace it.
    bool m_readFailed = false;
};
