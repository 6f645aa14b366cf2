// The window actions of popup menu 3: ask a window to close, hide or show it, disable or
// enable it, bring it to the foreground. They act on windows of any program, top-level or
// inner, and report nothing; the next details tick shows the new state.
#pragma once

#include "inspector/window_model.h"

namespace kelvaro {

// Posts WM_CLOSE and returns at once; the window's program decides.
void RequestWindowClose(WindowHandle window);
// Hides a visible window; shows (and activates) a hidden one.
void ToggleWindowVisible(WindowHandle window);
// Disables a window that accepts input; enables one that does not.
void ToggleWindowEnabled(WindowHandle window);
void BringWindowToFront(WindowHandle window);

// Commands 17 to 20: the action on the selected window; nothing while none is selected.
void OnToggleWindowVisible();
void OnToggleWindowEnabled();
void OnRequestWindowClose();
void OnBringWindowToFront();

}  // namespace kelvaro
