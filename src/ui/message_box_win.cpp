// Message boxes that are modal for every window of the program.
#include "ui/message_box_win.h"

#include <vector>

#include "ui/ids.h"
#include "ui/program_windows_win.h"
#include "ui/wait_cursor_win.h"

namespace kelvaro {
namespace {

bool BelongsToProgram(HWND window) {
    DWORD processId = 0;
    return window != nullptr && GetWindowThreadProcessId(window, &processId) != 0 &&
           processId == GetCurrentProcessId();
}

// What the box changed on the program's windows, put back when it closes.
struct ModalState {
    std::vector<HWND> disabled;
    std::vector<HWND> lowered;

    // The owner is disabled by the box itself, and enabled again by it.
    void Enter(HWND owner) {
        for (int id = 0; id < kWindowCount; ++id) {
            const HWND window = ProgramWindow(static_cast<WindowId>(id));
            if (window == nullptr) continue;
            if (IsWindowTopmost(window)) {
                SetWindowTopmost(window, false);
                lowered.push_back(window);
            }
            if (window != owner && IsWindowEnabled(window)) {
                EnableWindow(window, FALSE);
                disabled.push_back(window);
            }
        }
    }

    // Windows that were closed while the box was open are skipped.
    void Leave() {
        for (HWND window : disabled) {
            if (IsWindow(window)) EnableWindow(window, TRUE);
        }
        for (HWND window : lowered) {
            if (IsWindow(window)) SetWindowTopmost(window, true);
        }
    }
};

}  // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, UINT type) {
    const HWND foreground = GetForegroundWindow();
    const HWND owner = BelongsToProgram(foreground) ? foreground : nullptr;
    ModalState modal;
    const UsualCursorInside arrow;
    modal.Enter(owner);
    const int pressed = MessageBoxA(owner, text.c_str(), caption.c_str(), type);
    modal.Leave();
    return pressed;
}

}  // namespace kelvaro
