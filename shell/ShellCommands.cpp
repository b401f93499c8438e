#include "ShellCommands.h"

#include "HelpWindow.h"
#include "ProgramFolder.h"
#include "Shell.h"
#include "Ui.h"
#include "frmAbout.h"
#include "frmCoverSites.h"

#include <QDir>
#include <QStandardPaths>

SiteList usersSiteList(const QString& programFolder)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return SiteList(QDir(folder).filePath(SiteList::fileName()),
                    platform::programFile(programFolder, SiteList::fileName()));
}

void showCoverSites(QWidget* mainWindow, const QString& programFolder)
{
    frmCoverSites::showWindow(mainWindow, usersSiteList(programFolder));
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

void showHelpContents(QWidget* parent, const QString& programFolder)
{
    HelpWindow::showContents(parent, programFolder);
}

void showProductSite(QWidget* mainWindow, const QString& address, const QString& programFolder)
{
    if (address.trimmed().isEmpty())
        HelpWindow::showContents(mainWindow, programFolder);
    else
        platform::OpenWithShell(address);
}
