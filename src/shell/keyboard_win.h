// The keyboard of the program's windows: the main window's shortcut keys (F5, Ctrl+F,
// Ctrl+C, Entf) and the dialog keys of the settings, kill-list and search windows (Tab and
// Shift+Tab through the controls, Enter for the default button, Esc to close).
#pragma once

#include <windows.h>

namespace kelvaro {

// Makes the main window's accelerator table; EndProgram frees it with the rest.
void BuildShortcutKeys();
void DestroyShortcutKeys();

// Handles a message of the event loop that is a key of either kind, dispatching it on the
// way; false for every other message, which the loop then translates and dispatches.
bool TranslateProgramKeys(MSG& message);

}  // namespace kelvaro
