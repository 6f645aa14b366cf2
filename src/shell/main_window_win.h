// The main window and everything on it: menu bar, toolbar, popup menus, status bar, and the
// tabbed panel with the features' pages; the layout that keeps them fitted to the window.
// The parts of the program reach the window through the frame (ui/frame_win.h).
#pragma once

#include "shell/main_layout.h"

namespace kelvaro {

// Creates the main window hidden, then its menu bar, toolbar, popup menus, status bar and
// the pages, and hands the parts to the frame. False when the main window itself could not
// be created; a part that fails later is left out and the rest is built.
bool BuildMainWindow();

// Re-fits the bars, the panel and the pages to the window's inner size (window 0's layout).
void ApplyMainLayout();
// The main window's layout as it stands now.
MainLayout CurrentMainLayout();

// Shows the page of the tabbed panel: 0 "Prozesse", 1 "Fenster".
void ShowPage(int page);

}  // namespace kelvaro
