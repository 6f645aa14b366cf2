// The toolbar and the status bar of the main window.
#pragma once

#include <windows.h>

namespace kelvaro {

// Child ids of the two bars. They are not controls of the dispatcher (those are 0 to 24):
// the toolbar's buttons report as menu commands, and the status bar reports nothing.
inline constexpr int kToolbarChildId = 100;
inline constexpr int kStatusBarChildId = 101;

// Flat buttons with 32 x 32 images (at 96 DPI) and tool tips; null when it could not be
// made.
HWND BuildToolbar(HWND mainWindow);
// The five fixed fields; null when it could not be made.
HWND BuildStatusBar(HWND mainWindow);
// The fields' right edges at the main window's DPI.
void SetStatusFieldEdges(HWND status);
// The button images anew from the program's icons, in the size for the main window's DPI.
void RemakeToolbarImages();

// Answers a tool tip's request for the text of a toolbar button: the text of the menu item
// with the same command. False when the notification is not such a request.
bool AnswerToolbarToolTip(NMHDR* notification);

// The toolbar does not own its image list; it is released at the program's end.
void ReleaseToolbarImages();

}  // namespace kelvaro
