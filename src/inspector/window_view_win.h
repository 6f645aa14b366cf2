// The "Fenster" page: the window tree (control 20), the properties list (21) and the
// selection that drives the details and the preview. The window half of the start-up and
// of every refresh lives here.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "inspector/window_model.h"
#include "ui/rect.h"

namespace kelvaro {

// The page's tab text.
inline constexpr const char* kWindowPageTitle = "Fenster";

// Builds the page over the main window's panel: splitter 24 with the tree on the left and,
// on the right, splitter 23 with the properties list (its eleven "Parameter" rows) above
// the preview. A control that cannot be made is left out.
void BuildWindowPage(HWND mainWindow, const Rect& page);

struct WindowTreeCounts {
    int32_t Windows = 0;
    int32_t InnerWindows = 0;
};

// Enumerates the windows anew and rebuilds the tree; writes status bar fields 3 and 4.
// With remember, the nodes that were open are opened again (matched by their text).
// Afterwards no window is selected.
void RefreshWindowView(bool remember);

// Rebuilds the tree control from the application list (sorted on the way), all nodes
// collapsed, painted once.
WindowTreeCounts BuildWindowTree();

// The display positions of the selected node and its ancestors joined by "/", outermost
// first; empty when no node is selected.
std::string SelectedNodePath();

// Control 20: the selection changed; a right click (the node under the mouse is already
// selected); the menu key (popup 3 at the selected window's node).
void OnTreeSelectionChanged();
void OnTreeRightClick();
void OnTreeMenuKey();
// Control 21, the properties list: a right click and the menu key open popup 4.
void OnPropertiesRightClick();
void OnPropertiesMenuKey();

// What "Kopieren" puts on the clipboard: the selected node's text as the tree shows it;
// the properties as "Parameter<TAB>Wert" lines, the selected row or else all of them.
std::string SelectedNodeText();
std::string WindowPropertiesText();

// The "Wert" column of the properties list for a window, then its preview.
void ShowWindowDetails(WindowHandle window);
// Empties the "Wert" column.
void ClearWindowDetails();

// Timer 2: renews the selected window's details and preview, if a window is selected.
void OnDetailsTimer();

// Releases the tree's images, the preview picture and the application list at the end.
void ReleaseWindowView();

}  // namespace kelvaro
