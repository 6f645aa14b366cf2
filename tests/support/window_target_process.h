// Starts the window target program for a test and ends it again afterwards.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/window_target.h"

namespace kelvaro::test {

// Full path of the window target program next to the running executable.
std::string WindowTargetPath();

class WindowTargetProcess {
public:
    // Starts the program at exePath with the arguments and waits until its main window
    // exists (at most 20 s).
    WindowTargetProcess(const std::string& exePath, const std::string& arguments);
    ~WindowTargetProcess();
    WindowTargetProcess(const WindowTargetProcess&) = delete;
    WindowTargetProcess& operator=(const WindowTargetProcess&) = delete;

    bool started() const { return mainWindow_ != nullptr; }
    DWORD processId() const { return processId_; }
    HWND mainWindow() const { return mainWindow_; }
    // Sends a command to the main window and waits until it is handled.
    bool Command(TargetCommand command, LPARAM argument = 0) const;

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND mainWindow_ = nullptr;
};

// The top-level windows of a process in z-order, as EnumWindows reports them.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);

// Waits until the window no longer exists (at most 5 s); true when it is gone.
bool WaitForGone(HWND window);

}  // namespace kelvaro::test
