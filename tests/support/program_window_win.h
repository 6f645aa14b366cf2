// The main window of the program when the program runs inside this process: in the
// in-process test build and in the benchmarks of the real program. Header only, so that a
// benchmark needs none of the test libraries.
#pragma once

#include <windows.h>

#include "ui/program_windows_win.h"

namespace kelvaro::test {

// Found by class and title among this process's windows, shown or not: other programs of
// the same class may run on the desktop, and this process has other windows titled
// "Kelvaro" (its message boxes). Null before the program has made it.
inline HWND ProgramMainWindow() {
    struct Search {
        HWND found = nullptr;
    } search;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            char className[64] = {};
            char title[64] = {};
            GetClassNameA(window, className, sizeof(className));
            GetWindowTextA(window, title, sizeof(title));
            if (processId != GetCurrentProcessId() ||
                lstrcmpA(className, kProgramWindowClass) != 0 || lstrcmpA(title, "Kelvaro") != 0) {
                return TRUE;
            }
            reinterpret_cast<Search*>(param)->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace kelvaro::test
