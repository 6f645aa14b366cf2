// The program's message boxes: owned by the foreground window when it is one of ours, and
// modal for all of the program's windows while open.
#pragma once

#include <windows.h>

#include <string>

namespace kelvaro {

// Shows a message box (MessageBoxA's `type` flags) and returns the pressed button. While
// it is open, the program's other windows are disabled and its topmost windows lose the
// topmost state; both come back when it closes.
int ShowMessageBox(const std::string& text, const std::string& caption, UINT type);

}  // namespace kelvaro
