#include "ShellCommands.h"

#include "HelpWindow.h"
#include "ProgramFolder.h"
#include "Shell.h"
#include "Ui.h"
#include "frmAbout.h"
#include "frmCoverSites.h"

#include <QDir>
#include <QStandardPaths>

SiteList usersSiteList()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return SiteList(QDir(folder).filePath(SiteList::fileName()),
                    platform::programFile(SiteList::fileName()));
}

void showCoverSites(QWidget* mainWindow)
{
    frmCoverSites::showWindow(mainWindow, usersSiteList());
}

bool closeCoverSites()
{
    return frmCoverSites::closeWindow();
}

void showAbout(QWidget* parent)
{
    frmAbout about(parent);
    platform::ui().execDialog(&about);
}

void showHelpContents(QWidget* parent)
{
    HelpWindow::showContents(parent);
}

void showProductSite(QWidget* mainWindow, const QString& address)
{
    if (address.trimmed().isEmpty())
        HelpWindow::showContents(mainWindow);
    else
        platform::OpenWithShell(address);
}
