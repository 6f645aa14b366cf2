// The window "Bestimmte Prozesse beenden" (window 2), in which the user edits the kill
// list, and the process list's command that puts the selected process on it. While the
// window is open, row r of its name list shows entry r of the kill list.
#pragma once

namespace kelvaro {

// Command 13: opens the window with one row per kill-list entry, the name field empty and
// the remove button disabled. An open one is closed first, without saving.
void OpenKillListWindow();

// Any notification of the name list: the remove button is enabled while a row is selected.
void OnKillListRowEvent();

// The add button: appends the name field's text to the kill list and to the rows; an empty
// field does nothing. The field keeps its text; nothing is saved yet.
void OnKillAddClicked();

// The remove button: removes the selected row and the entry it shows; nothing is saved
// yet. Without a selected row it does nothing.
void OnKillRemoveClicked();

// The window's close box: saves the kill list, then closes the window. The only moment at
// which the window's edits are written.
void OnKillListWindowClose();

// Command 16 of the process list's popup menu: puts the selected process's name on the
// kill list, after a question for a "Systemprozess" or "Wichtig" process, and saves the
// list at once. A name already on the list (byte for byte) is refused with a notice.
void AddSelectedProcessToKillList();

// To be called after the kill list was read again from the settings file: an open window's
// rows are made to show the new list.
void OnKillListReloaded();

}  // namespace kelvaro
