#pragma once

class QString;
class QWidget;

// What the main window's Preferences command and its start-up reach in this folder.

// The preferences dialog, modal.
void showPreferences(QWidget* parent);

// Registers the cover-set file type with the desktop for this program as it now runs.
void registerCoverSetFileType();

// With no editor named, a face's file goes to the desktop, which runs whatever it is asked to
// open: a script or a desktop entry would start a program. Only a file this program reads as
// a picture may go; for anything else the user is told, naming the file. True when it may.
bool mayHandToDesktop(const QString& path);
