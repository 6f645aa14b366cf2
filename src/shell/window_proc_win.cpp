// The shared window procedure: one line per message kind, each handing over to a small
// translation into events.
#include "shell/window_proc_win.h"

#include "shell/control_events_win.h"
#include "shell/dpi_change_win.h"
#include "shell/event_loop_win.h"
#include "shell/frame_bars_win.h"
#include "shell/menus_win.h"
#include "shell/tray_win.h"
#include "ui/canvas_win.h"
#include "ui/dpi_win.h"
#include "ui/frame_win.h"
#include "ui/program_windows_win.h"
#include "ui/resources_win.h"
#include "ui/splitter_win.h"

namespace kelvaro {
namespace {

// The window's number travels in the creation parameters and is kept in the window's
// user data from WM_NCCREATE on, so that messages sent during creation know it too.
void RememberNumber(HWND window, LPARAM createStruct) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(createStruct);
    const auto number = reinterpret_cast<INT_PTR>(create->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(number + 1));
}

int NumberOf(HWND window) {
    return static_cast<int>(GetWindowLongPtrA(window, GWLP_USERDATA)) - 1;
}

void OnSizeMessage(int number, WPARAM kind) {
    const auto window = static_cast<WindowId>(number);
    RaiseEvent(kind == SIZE_MINIMIZED ? Event::Minimise(window) : Event::Size(window));
}

void OnCommandMessage(int number, WPARAM wParam, LPARAM lParam) {
    const auto from = reinterpret_cast<HWND>(lParam);
    const int id = LOWORD(wParam);
    // In a secondary window the dialog manager reports Esc as IDCANCEL, which closes the
    // window as its close box does (and must not be taken for a command of that number).
    if (number != WndMain) {
        if (from == nullptr && id == IDCANCEL) RaiseEvent(Event::Close(static_cast<WindowId>(number)));
        if (from != nullptr) RaiseControlCommand(from, HIWORD(wParam));
        return;
    }
    // Menu items arrive without a sender and with code 0, shortcut keys with code 1;
    // toolbar buttons from the toolbar with their command's number.
    const bool fromMenu = from == nullptr && (HIWORD(wParam) == 0 || HIWORD(wParam) == 1);
    const bool fromToolbar = from != nullptr && from == MainToolbar();
    if (fromMenu || fromToolbar) {
        if (id < kCommandCount) RaiseEvent(Event::Command(id));
        return;
    }
    if (from != nullptr) RaiseControlCommand(from, HIWORD(wParam));
}

// Shift+F10 and the menu key reach the window as a context menu request without a mouse
// position; a right click is served by the control's own notification.
// The menu key opens the menu of the control with the keyboard focus. Its WM_CONTEXTMENU
// climbs to this window through the controls' parents, and Wine hands on each parent's
// handle instead of the control's, so wParam cannot tell which control it was.
void OnContextMenuMessage(WPARAM wParam, LPARAM lParam) {
    if (lParam != -1) return;
    const HWND focus = GetFocus();
    const int control = ControlNumberOf(focus != nullptr ? focus : reinterpret_cast<HWND>(wParam));
    if (control >= 0) RaiseEvent(Event::Control(control, ControlEventType::MenuKey));
}

LRESULT OnNotifyMessage(LPARAM lParam) {
    auto* notification = reinterpret_cast<NMHDR*>(lParam);
    if (AnswerToolbarToolTip(notification)) return 0;
    LRESULT result = 0;
    const bool answered = RunNotifyHandler(notification, result);
    RaiseControlNotification(notification);
    return answered ? result : 0;
}

void OnTrayMessage(LPARAM mouseMessage) {
    if (const auto click = TrayClickOf(mouseMessage)) RaiseEvent(Event::Tray(*click));
}

// A window that loses the activation (to a message box, another program) remembers which
// of its controls had the focus and gives it back when it is active again; the default
// would put the focus on the window itself, where no key does anything.
HWND& FocusBeforeDeactivation(int number) {
    static HWND focus[kWindowCount] = {};
    return focus[number];
}

bool OnActivateMessage(HWND window, int number, WPARAM wParam) {
    HWND& remembered = FocusBeforeDeactivation(number);
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        remembered = focus != nullptr && IsChild(window, focus) ? focus : nullptr;
        return false;
    }
    if (remembered == nullptr || !IsWindow(remembered) || !IsChild(window, remembered) ||
        !IsWindowVisible(remembered)) {
        return false;
    }
    SetFocus(remembered);
    return true;
}

}  // namespace

LRESULT CALLBACK ProgramWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) RememberNumber(window, lParam);
    const int number = NumberOf(window);
    if (number < 0 || number >= kWindowCount)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CLOSE:
            RaiseEvent(Event::Close(static_cast<WindowId>(number)));
            return 0;
        case WM_SIZE:
            OnSizeMessage(number, wParam);
            return 0;
        case WM_GETMINMAXINFO:
            if (ApplyTrackSizeLimits(number, reinterpret_cast<MINMAXINFO*>(lParam))) return 0;
            break;
        case WM_TIMER:
            RaiseEvent(Event::Timer(static_cast<int>(wParam)));
            return 0;
        case WM_COMMAND:
            OnCommandMessage(number, wParam, lParam);
            return 0;
        case WM_ACTIVATE:
            if (OnActivateMessage(window, number, wParam)) return 0;
            break;
        case WM_CONTEXTMENU:
            OnContextMenuMessage(wParam, lParam);
            return 0;
        case WM_MENUCHAR:
            return AnswerMenuChar(wParam, lParam);
        case DM_GETDEFID:
            if (const int button = DefaultButtonOf(number); button >= 0) {
                return MAKELRESULT(button, DC_HASDEFID);
            }
            break;
        case WM_NOTIFY:
            return OnNotifyMessage(lParam);
        case WM_MEASUREITEM:
            if (MeasureMenuItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_DRAWITEM:
            if (DrawMenuItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_DPICHANGED:
            OnDpiChanged(window, number, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case kTrayCallbackMessage:
            OnTrayMessage(lParam);
            return 0;
    }
    if (message == TaskbarCreatedMessage() && number == WndMain) OnTaskbarCreated();
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterWindowClasses() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ProgramWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = ApplicationIcon(IconSize::Large);
    windowClass.hIconSm = ApplicationIcon(IconSize::Small);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kProgramWindowClass;
    const bool windows = RegisterClassExA(&windowClass) != 0;
    const bool splitters = RegisterSplitterClass();
    const bool canvases = RegisterCanvasClass();
    return windows && splitters && canvases;
}

}  // namespace kelvaro
