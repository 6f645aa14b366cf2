// The settings at run time: reading them (at start-up, and into the settings dialog when
// it opens), the settings dialog "Einstellungen" (window 1), and saving from it.
#pragma once

namespace kelvaro {

// Reads the settings file: the kill list, then the five settings; fills the settings
// dialog when it is open. A missing file changes nothing, the dialog included.
void LoadSettings();

// Opens the settings dialog with its boxes cleared and its field empty, replacing one
// that is open. Not modal: the main window stays usable.
void OpenSettingsDialog();
// Closes the dialog without saving.
void CloseSettingsDialog();

// Takes the dialog's choices into the program: the autostart shortcut, the settings, the
// refresh timer, and the settings file. Does nothing when the settings file is missing.
void SaveSettings();

}  // namespace kelvaro
