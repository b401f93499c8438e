#pragma once

class QString;
class QWidget;
class SiteList;

// What the main window's Help menu and its closing reach in this folder. `programFolder` is
// where the program's own files are (the help, the starting site list).

// The user's list of cover sites: CS.DAT in the user's data folder, begun from the program's.
SiteList usersSiteList(const QString& programFolder);

// Shows the cover-sites window beside the main window: made (and its list read) when none
// is open, else only brought forward.
void showCoverSites(QWidget* mainWindow, const QString& programFolder);
// Closes the cover-sites window, writing its list; true when none is open afterwards. When
// the list cannot be written the user is told and the window stays open with the edits
// (false); a second call with the list unchanged closes it anyway.
bool closeCoverSites();

// The about box, modal.
void showAbout(QWidget* parent);

// The help window on the contents page of the program's help.
void showHelpContents(QWidget* parent, const QString& programFolder);

// Help's web command: the product's web site in the user's browser, or, when there is no
// address, the help page about the program.
void showProductSite(QWidget* mainWindow, const QString& address, const QString& programFolder);
