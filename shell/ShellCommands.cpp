#include "ShellCommands.h"

#include "HelpWindow.h"
#include "Shell.h"
#include "Ui.h"
#include "frmAbout.h"
#include "frmCoverSites.h"

void showCoverSites(QWidget* mainWindow)
{
    frmCoverSites::showWindow(mainWindow);
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
