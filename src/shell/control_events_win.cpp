// Control notifications as control events: the event types of the list views, the tree
// and the buttons, the tab control's page switch, and the header-click hook.
#include "shell/control_events_win.h"

#include <commctrl.h>

#include <optional>

#include "shell/event_loop_win.h"
#include "shell/main_window_win.h"
#include "ui/program_windows_win.h"

namespace kelvaro {
namespace {

bool IsButton(HWND control) {
    char className[16] = {};
    return GetClassNameA(control, className, sizeof(className)) > 0 &&
           lstrcmpiA(className, "Button") == 0;
}

bool HasSelection(HWND list) {
    return SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) >= 0;
}

// Multi-column lists (1, 17, 21).
std::optional<ControlEventType> ListEventType(const NMHDR* notification) {
    switch (notification->code) {
        case NM_CLICK: {
            // A left click counts when it hits an item while an item is selected.
            const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(notification);
            if (click->iItem >= 0 && HasSelection(notification->hwndFrom)) {
                return ControlEventType::LeftClick;
            }
            return std::nullopt;
        }
        case NM_RCLICK:
            return ControlEventType::RightClick;
        case NM_DBLCLK:
            return ControlEventType::LeftDoubleClick;
        case NM_RDBLCLK:
            return ControlEventType::RightDoubleClick;
        case LVN_ITEMCHANGED: {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(notification);
            const UINT changed = change->uOldState ^ change->uNewState;
            if ((change->uChanged & LVIF_STATE) != 0 &&
                (changed & (LVIS_SELECTED | LVIS_STATEIMAGEMASK)) != 0) {
                return ControlEventType::Change;
            }
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

// A right click on the tree first selects the node under the mouse, as a left click
// would; the selection change is raised on the way.
void SelectNodeUnderMouse(HWND tree) {
    TVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ScreenToClient(tree, &hit.pt);
    const auto item = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (item != nullptr && (hit.flags & TVHT_ONITEM) != 0) {
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
}

// The window tree (20). The tree reports in the ANSI or the UTF-16 form depending on what
// its parent answered when asked; both are taken.
std::optional<ControlEventType> TreeEventType(const NMHDR* notification) {
    switch (notification->code) {
        case NM_RCLICK:
            SelectNodeUnderMouse(notification->hwndFrom);
            return ControlEventType::RightClick;
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW:
            return ControlEventType::Change;
        case NM_DBLCLK:
            return ControlEventType::LeftDoubleClick;
        default:
            return std::nullopt;
    }
}

struct HookState {
    HWND list = nullptr;
    WNDPROC previous = nullptr;
};

HookState& Hook() {
    static HookState state;
    return state;
}

// The process list's procedure runs first and its result is returned; a click on a
// column header is raised on top of that.
LRESULT CALLBACK ProcessListHook(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(Hook().previous, list, message, wParam, lParam);
    if (message == WM_NOTIFY) {
        const auto* notification = reinterpret_cast<const NMHDR*>(lParam);
        const auto header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
        // The header reports in the form its parent asked for; the ANSI form is the one
        // expected, the UTF-16 form is taken as well.
        if (notification->hwndFrom == header &&
            (notification->code == HDN_ITEMCLICKA || notification->code == HDN_ITEMCLICKW)) {
            RaiseEvent(Event::HeaderClick(reinterpret_cast<const NMHEADERA*>(lParam)->iItem));
        }
    }
    return result;
}

}  // namespace

void RaiseControlCommand(HWND control, WORD notifyCode) {
    const int id = ControlNumberOf(control);
    if (id < 0) return;
    const ControlEventType type = notifyCode == BN_CLICKED && IsButton(control)
                                      ? ControlEventType::Click
                                      : ControlEventType::Other;
    RaiseEvent(Event::Control(id, type));
}

void RaiseControlNotification(NMHDR* notification) {
    const int id = ControlNumberOf(notification->hwndFrom);
    std::optional<ControlEventType> type;
    switch (id) {
        case CtlProcessList:
        case CtlSearchResults:
        case CtlWindowProperties:
            type = ListEventType(notification);
            break;
        case CtlWindowTree:
            type = TreeEventType(notification);
            break;
        case CtlTabs:
            // The panel switches its pages itself; this is not an event of the program.
            if (notification->code == TCN_SELCHANGE) {
                ShowPage(
                    static_cast<int>(SendMessageA(notification->hwndFrom, TCM_GETCURSEL, 0, 0)));
            }
            return;
        default:
            return;
    }
    if (type) RaiseEvent(Event::Control(id, *type));
}

void InstallHeaderClickHook() {
    HookState& hook = Hook();
    const HWND list = ControlHandle(CtlProcessList);
    if (list == nullptr || hook.list == list) return;
    // The previous procedure is known before the hook can receive its first message.
    hook.previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(list, GWLP_WNDPROC));
    if (hook.previous == nullptr) return;
    if (SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcessListHook)) == 0) {
        return;
    }
    hook.list = list;
}

}  // namespace kelvaro
