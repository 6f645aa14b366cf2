// The registry of the program's windows and controls, and the generic opening and closing
// of windows.
#include "ui/program_windows_win.h"

#include <array>
#include <vector>

#include "ui/dpi_win.h"
#include "ui/resources_win.h"

namespace kelvaro {
namespace {

struct WindowSlot {
    HWND window = nullptr;
    int defaultButton = -1;
    bool limited = false;
    // The DPI the window is laid out for, and what its size limits are made from.
    int dpi = kDesignDpi;
    DWORD style = 0;
    SIZE minInner{};
    SIZE maxInner{};
    POINT minTrack{};
    POINT maxTrack{};
};

struct Registry {
    std::array<WindowSlot, kWindowCount> windows;
    std::array<HWND, kControlCount> controls{};
    std::array<WindowLayout, kWindowCount> layouts{};
};

Registry& Windows() {
    static Registry registry;
    return registry;
}

bool ValidWindowId(int id) {
    return id >= 0 && id < kWindowCount;
}
bool ValidControlId(int id) {
    return id >= 0 && id < kControlCount;
}

// The outer size around an inner area given in layout numbers, at a DPI.
SIZE OuterSize(int innerWidth, int innerHeight, DWORD style, int dpi) {
    RECT rect{0, 0, ScaleToDpi(innerWidth, dpi), ScaleToDpi(innerHeight, dpi)};
    AdjustWindowRectForDpi(rect, style, dpi);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void ComputeTrackLimits(WindowSlot& slot) {
    const SIZE minimum = OuterSize(slot.minInner.cx, slot.minInner.cy, slot.style, slot.dpi);
    const SIZE maximum = OuterSize(slot.maxInner.cx, slot.maxInner.cy, slot.style, slot.dpi);
    slot.minTrack = {minimum.cx, minimum.cy};
    slot.maxTrack = {maximum.cx, maximum.cy};
}

Rect ScreenArea() {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Rect WindowArea(HWND window) {
    RECT rect{};
    if (window == nullptr || !GetWindowRect(window, &rect)) return ScreenArea();
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void ForgetControlsOf(WindowId id) {
    Registry& registry = Windows();
    for (const ControlPlacement& placement : ControlPlacements()) {
        if (placement.window == id) registry.controls[placement.control] = nullptr;
    }
}

void PlaceInBand(HWND window, bool topmost) {
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::vector<HWND> OwnedWindows(HWND owner) {
    struct Search {
        HWND owner;
        std::vector<HWND> owned;
    } search{owner, {}};
    EnumThreadWindows(
        GetWindowThreadProcessId(owner, nullptr),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (GetWindow(window, GW_OWNER) == s->owner) s->owned.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.owned;
}

}  // namespace

void SetWindowTopmost(HWND window, bool topmost) {
    if (window == nullptr) return;
    PlaceInBand(window, topmost);
    if (IsWindowTopmost(window) == topmost) return;
    // Wine places a window that owns popups (the tool tips of its controls) right after
    // those popups instead of at the top of the topmost band, and leaves it non-topmost.
    // With the owned windows detached for the moment it is placed as asked; Windows
    // itself never gets here.
    const std::vector<HWND> owned = OwnedWindows(window);
    for (HWND popup : owned) SetWindowLongPtrA(popup, GWLP_HWNDPARENT, 0);
    PlaceInBand(window, topmost);
    for (HWND popup : owned) {
        SetWindowLongPtrA(popup, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
    }
}

bool IsWindowTopmost(HWND window) {
    return window != nullptr && (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

HWND CreateProgramWindow(const WindowSpec& spec, DWORD style) {
    if (!ValidWindowId(spec.id)) return nullptr;
    const HWND owner = spec.id == WndMain ? nullptr : ProgramWindow(WndMain);
    // A secondary window opens over the main window, on its screen.
    const int dpi = owner == nullptr ? SystemDpi() : ProgramWindowDpi(WndMain);
    const SIZE outer = OuterSize(spec.innerWidth, spec.innerHeight, style, dpi);
    Rect placed = CentreIn(owner == nullptr ? ScreenArea() : WindowArea(owner), outer.cx, outer.cy);
    if (spec.keepOnScreen) placed = KeepTopLeftOn(placed, ScreenArea());

    WindowSlot& slot = Windows().windows[spec.id];
    slot.defaultButton = spec.defaultButton;
    slot.limited = spec.sizable;
    slot.dpi = dpi;
    slot.style = style;
    slot.minInner = {spec.minInnerWidth, spec.minInnerHeight};
    slot.maxInner = {spec.maxInnerWidth, spec.maxInnerHeight};
    if (spec.sizable) ComputeTrackLimits(slot);
    slot.window =
        CreateWindowExA(0, kProgramWindowClass, spec.title, style, placed.x, placed.y, placed.width,
                        placed.height, owner, nullptr, GetModuleHandleA(nullptr),
                        reinterpret_cast<void*>(static_cast<INT_PTR>(spec.id)));
    // Placed on a screen of another DPI, the window is sized for that one before it gets
    // its controls.
    const int actual = slot.window != nullptr ? SystemDpiOfWindow(slot.window) : dpi;
    if (actual != dpi) {
        SetProgramWindowDpi(spec.id, actual);
        const SIZE resized = OuterSize(spec.innerWidth, spec.innerHeight, style, actual);
        SetWindowPos(slot.window, nullptr, 0, 0, resized.cx, resized.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return slot.window;
}

int ProgramWindowDpi(WindowId id) {
    return ValidWindowId(id) ? Windows().windows[id].dpi : kDesignDpi;
}

void SetProgramWindowDpi(WindowId id, int dpi) {
    if (!ValidWindowId(id) || dpi <= 0) return;
    WindowSlot& slot = Windows().windows[id];
    slot.dpi = dpi;
    if (slot.limited) ComputeTrackLimits(slot);
}

void SetWindowLayout(WindowId id, WindowLayout layout) {
    if (ValidWindowId(id)) Windows().layouts[id] = layout;
}

void ApplyLayout(WindowId id) {
    if (!ValidWindowId(id)) return;
    if (const WindowLayout layout = Windows().layouts[id]) layout();
}

HWND OpenProgramWindow(const WindowSpec& spec, void (*buildControls)(HWND window)) {
    if (spec.id == WndMain || !ValidWindowId(spec.id)) return nullptr;
    CloseProgramWindow(spec.id);
    const DWORD style =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (spec.sizable ? WS_THICKFRAME : 0);
    const HWND window = CreateProgramWindow(spec, style);
    if (window == nullptr) return nullptr;
    if (buildControls != nullptr) buildControls(window);
    ApplyLayout(spec.id);
    ShowWindow(window, SW_SHOW);
    // The keys start at the first control in reading order, as in a dialog.
    if (const HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) SetFocus(first);
    return window;
}

int DefaultButtonOf(int windowNumber) {
    if (!ValidWindowId(windowNumber) || windowNumber == WndMain) return -1;
    const WindowSlot& slot = Windows().windows[windowNumber];
    return slot.window != nullptr ? slot.defaultButton : -1;
}

void CloseProgramWindow(WindowId id) {
    if (id == WndMain || !ValidWindowId(id)) return;
    WindowSlot& slot = Windows().windows[id];
    const HWND window = slot.window;
    slot.window = nullptr;
    ForgetControlsOf(id);
    if (window != nullptr) DestroyWindow(window);
}

HWND ProgramWindow(WindowId id) {
    return ValidWindowId(id) ? Windows().windows[id].window : nullptr;
}

int WindowNumberOf(HWND window) {
    if (window == nullptr) return -1;
    const Registry& registry = Windows();
    for (int id = 0; id < kWindowCount; ++id) {
        if (registry.windows[id].window == window) return id;
    }
    return -1;
}

bool ApplyTrackSizeLimits(int windowNumber, MINMAXINFO* info) {
    if (!ValidWindowId(windowNumber) || info == nullptr) return false;
    const WindowSlot& slot = Windows().windows[windowNumber];
    if (!slot.limited) return false;
    info->ptMinTrackSize = slot.minTrack;
    info->ptMaxTrackSize = slot.maxTrack;
    return true;
}

HWND CreateControl(ControlId id, HWND parent, const char* className, const char* text, DWORD style,
                   DWORD exStyle, int x, int y, int width, int height, HFONT font) {
    if (!ValidControlId(id)) return nullptr;
    const HWND control = CreateWindowExA(
        exStyle, className, text, style | WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (control == nullptr) return nullptr;
    if (font == nullptr) font = DialogFont(DpiOf(parent));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Windows().controls[id] = control;
    return control;
}

void RememberControl(ControlId id, HWND control) {
    if (ValidControlId(id)) Windows().controls[id] = control;
}

HWND ControlHandle(ControlId id) {
    return ValidControlId(id) ? Windows().controls[id] : nullptr;
}

int ControlNumberOf(HWND control) {
    if (control == nullptr) return -1;
    const Registry& registry = Windows();
    for (int id = 0; id < kControlCount; ++id) {
        if (registry.controls[id] == control) return id;
    }
    return -1;
}

void DestroyProgramWindows() {
    Registry& registry = Windows();
    for (HWND& control : registry.controls) {
        if (control != nullptr && IsWindow(control)) DestroyWindow(control);
        control = nullptr;
    }
    for (int id = kWindowCount - 1; id >= 0; --id) {
        WindowSlot& slot = registry.windows[id];
        if (slot.window != nullptr) DestroyWindow(slot.window);
        slot.window = nullptr;
    }
}

}  // namespace kelvaro
