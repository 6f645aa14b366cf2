// The window system side of the inspector: enumeration of the desktop's windows into the
// program's application list, and the readers of a window's title, class and state and
// of a file's small icon.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "inspector/window_details.h"
#include "inspector/window_model.h"

namespace kelvaro {

inline HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}
inline WindowHandle FromHwnd(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window));
}
// Sign-extends a stored icon to the handle the system gave out.
inline HICON WidenIcon(IconHandle icon) {
    return reinterpret_cast<HICON>(static_cast<std::intptr_t>(icon));
}
// The 32-bit form of an icon; an icon that does not survive the round trip (never seen
// for user handles) is destroyed and stored as 0, so no wrong handle is ever released.
IconHandle NarrowIcon(HICON icon);
void ReleaseIcon(IconHandle icon);

// The services of the real window system: EnumWindows, GetWindowThreadProcessId, a Tool
// Help module snapshot, EnumChildWindows and the shell's small icon.
const WindowServices& SystemWindowServices();

// Appends every top-level window of the desktop to the program's application list.
void EnumerateWindows();
// Empties the program's application list and releases its icons.
void ClearApplications();

// The window's title in the ANSI code page; empty when it has none or is gone.
std::string ReadWindowTitle(WindowHandle window);
// The window's class name; empty when the window is gone.
std::string ReadWindowClass(WindowHandle window);
// The tree text of a window: title and class as FormatWindowNodeText puts them.
std::string ReadWindowNodeText(WindowHandle window);
// The small shell icon of an existing file (the caller owns it), or null.
HICON GetSmallFileIcon(const std::string& path);

// Title, class, state and outer rectangle of a window, read now.
WindowFacts ReadWindowFacts(WindowHandle window);

// Sorts the program's application list and rebuilds the program's tree model from it.
void BuildProgramWindowTree();

}  // namespace kelvaro
