// A program window moved to a screen of another DPI.
#pragma once

#include <windows.h>

namespace kelvaro {

// WM_DPICHANGED of program window `number`: the window is laid out for `dpi` (its fonts,
// images, field edges, columns and panes made or scaled for it) and takes the system's
// suggested rectangle.
void OnDpiChanged(HWND window, int number, int dpi, const RECT* suggested);

}  // namespace kelvaro
