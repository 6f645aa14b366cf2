// The main window and everything on it: menu bar, toolbar, popup menus, status bar, the
// tabbed panel with its two pages, and the layout that keeps them fitted to the window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "shell/ids.h"
#include "shell/main_layout.h"

namespace kelvaro {

// Creates the main window hidden, then its menu bar, toolbar, popup menus, status bar and
// controls. False when the main window itself could not be created; a part that fails
// later is left out and the rest is built.
bool BuildMainWindow();

// Re-fits the controls of window 0 or 3 to its inner size; other windows: nothing.
void ApplyLayout(int window);

HWND MainWindow();
HWND MainToolbar();
HWND MainStatusBar();

// Status bar fields: a text, or the field's label with a count ("Prozesse: 42").
void SetStatusText(StatusField field, const std::string& text);
void WriteStatusCount(StatusField field, int64_t count);

// The check mark of a command's menu item.
void CheckCommand(CommandId command, bool checked);
bool IsCommandChecked(CommandId command);

// Opens a popup menu at the mouse position moved one pixel left and up, with the main
// window made the foreground window first. The chosen item arrives as a command event.
void OpenPopupMenu(PopupId popup);

// A notification of a control that needs an answer (custom drawing of list rows, for
// example): the handler's result is returned to the control. One handler per control and
// notification code; it runs at once, outside the event order.
using NotifyHandler = LRESULT (*)(NMHDR* notification);
void SetNotifyHandler(ControlId control, UINT code, NotifyHandler handler);

// Shows the page of the tabbed panel: 0 "Prozesse", 1 "Fenster".
void ShowPage(int page);

// For the shell itself: the main window's layout as it stands now; running the answer of
// a notification handler (false when none is set); forgetting the window at the end.
MainLayout CurrentMainLayout();
bool RunNotifyHandler(NMHDR* notification, LRESULT& result);
void ForgetMainWindowParts();

}  // namespace kelvaro
