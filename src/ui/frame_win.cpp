// The main window's frame: its parts, and what the program's parts do with them.
#include "ui/frame_win.h"

#include <commctrl.h>

#include <vector>

#include "ui/program_windows_win.h"
#include "ui/wait_cursor_win.h"

namespace kelvaro {
namespace {

struct NotifyRow {
    ControlId control;
    UINT code;
    NotifyHandler handler;
};

struct Frame {
    FrameParts parts;
    std::vector<NotifyRow> notifyHandlers;
};

Frame& TheFrame() {
    static Frame frame;
    return frame;
}

}  // namespace

void SetFrameParts(const FrameParts& parts) {
    TheFrame().parts = parts;
}

void ForgetFrameParts() {
    TheFrame() = Frame{};
}

HWND MainWindow() {
    return TheFrame().parts.window;
}
HWND MainToolbar() {
    return TheFrame().parts.toolbar;
}
HWND MainStatusBar() {
    return TheFrame().parts.statusBar;
}

void SetStatusText(StatusField field, const std::string& text) {
    const HWND status = MainStatusBar();
    if (status == nullptr) return;
    SendMessageA(status, SB_SETTEXTA, static_cast<WPARAM>(field),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void WriteStatusCount(StatusField field, int64_t count) {
    SetStatusText(field, StatusFieldText(field, count));
}

void CheckCommand(CommandId command, bool checked) {
    const HMENU menu = TheFrame().parts.menuBar;
    if (menu == nullptr) return;
    CheckMenuItem(menu, static_cast<UINT>(command),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool IsCommandChecked(CommandId command) {
    const HMENU menu = TheFrame().parts.menuBar;
    if (menu == nullptr) return false;
    const UINT state = GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void OpenPopupMenu(PopupId popup) {
    POINT cursor{};
    GetCursorPos(&cursor);
    OpenPopupMenuAt(popup, {cursor.x - 1, cursor.y - 1});
}

void OpenPopupMenuAt(PopupId popup, POINT screen) {
    const FrameParts& parts = TheFrame().parts;
    const HMENU menu = parts.popupMenu != nullptr ? parts.popupMenu(popup) : nullptr;
    const HWND window = parts.window;
    if (menu == nullptr || window == nullptr) return;
    // The popup closes when the user clicks elsewhere only while its owner is the
    // foreground window; the empty message afterwards lets the owner's queue move on.
    SetForegroundWindow(window);
    const UsualCursorInside arrow;
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                   window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
}

POINT PopupPointBelow(HWND control, const RECT* itemInControl) {
    POINT point{0, 0};
    if (itemInControl != nullptr) point = {itemInControl->left, itemInControl->bottom};
    ClientToScreen(control, &point);
    return point;
}

void SetNotifyHandler(ControlId control, UINT code, NotifyHandler handler) {
    std::vector<NotifyRow>& rows = TheFrame().notifyHandlers;
    for (NotifyRow& row : rows) {
        if (row.control == control && row.code == code) {
            row.handler = handler;
            return;
        }
    }
    rows.push_back({control, code, handler});
}

bool RunNotifyHandler(NMHDR* notification, LRESULT& result) {
    const int control = ControlNumberOf(notification->hwndFrom);
    if (control < 0) return false;
    for (const NotifyRow& row : TheFrame().notifyHandlers) {
        if (row.control == control && row.code == notification->code && row.handler != nullptr) {
            result = row.handler(notification);
            return true;
        }
    }
    return false;
}

}  // namespace kelvaro
