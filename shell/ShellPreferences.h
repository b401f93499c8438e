#pragma once

class QWidget;

// What the main window's Preferences command and its start-up reach in this folder.

// The preferences dialog, modal.
void showPreferences(QWidget* parent);

// Registers the cover-set file type with the desktop for this program as it now runs.
void registerCoverSetFileType();
