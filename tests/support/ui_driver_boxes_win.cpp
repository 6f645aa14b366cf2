// The UI driver's message boxes (dialogs of class #32770: caption, text, buttons, icon,
// owner, and the answer by button id), its check of notification-area icons and of open
// popup menus.
#include <windows.h>
#include <shellapi.h>

#include "support/remote_buffer_win.h"
#include "support/ui_driver.h"

namespace kelvaro::test {

namespace {

constexpr char kDialogClass[] = "#32770";
constexpr int kMessageBoxTextId = 0xFFFF;  // the text Static of a system message box

bool IsIconStatic(HWND child) {
    return (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

MessageBoxInfo ReadMessageBox(HWND box) {
    MessageBoxInfo info;
    info.window = box;
    info.owner = GetWindow(box, GW_OWNER);
    info.caption = WindowText(box);
    // Direct children in z-order; hidden ones are no part of what the user sees.
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        const std::string className = ClassName(child);
        if (lstrcmpiA(className.c_str(), "Button") == 0) {
            info.buttons.push_back(WindowText(child));
            info.buttonIds.push_back(GetDlgCtrlID(child));
        } else if (lstrcmpiA(className.c_str(), "Static") == 0) {
            if (IsIconStatic(child)) {
                // An icon Static without an icon is the place holder of a box with none.
                info.hasIcon = info.hasIcon || SendWithTimeout(child, STM_GETICON) != 0;
            } else if (info.text.empty() || GetDlgCtrlID(child) == kMessageBoxTextId) {
                info.text = WindowText(child);
            }
        }
    }
    return info;
}

HWND FirstVisibleDialog(DWORD processId) {
    for (HWND window : TopLevelWindows(processId, {}, kDialogClass)) {
        if (IsWindowVisible(window)) return window;
    }
    return nullptr;
}

}  // namespace

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, int timeoutMs) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FirstVisibleDialog(processId)) != nullptr; },
                   timeoutMs)) {
        return std::nullopt;
    }
    return ReadMessageBox(box);
}

bool NoMessageBoxFor(DWORD processId, int milliseconds) {
    return !WaitUntil([&] { return FirstVisibleDialog(processId) != nullptr; }, milliseconds);
}

bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId) {
    HWND button = GetDlgItem(box.window, buttonId);
    if (button == nullptr || !IsWindowVisible(button)) return false;
    // What a pressed button sends its dialog; unlike BM_CLICK it does not depend on the
    // box being the active window.
    return PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != FALSE;
}

HWND OpenPopupMenu(DWORD processId) {
    for (HWND menu : TopLevelWindows(processId, {}, "#32768")) {
        if (IsWindowVisible(menu)) return menu;
    }
    return nullptr;
}

bool TrayIconExists(HWND owner, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = 0;  // change nothing: only whether the icon is there
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

}  // namespace kelvaro::test
