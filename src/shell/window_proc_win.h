// The window procedure shared by the program's windows: it turns the window system's
// messages into events and routes them; it holds no behaviour of its own.
#pragma once

#include <windows.h>

namespace kelvaro {

LRESULT CALLBACK ProgramWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the window classes of the program's windows, splitters and canvases.
bool RegisterWindowClasses();

}  // namespace kelvaro
