// ApplyLayout: fits the controls of the main window and of the search window to their
// window's inner size, with the arithmetic of main_layout.h.
#include <windows.h>
#include <commctrl.h>

#include "shell/main_layout.h"
#include "shell/main_window_win.h"
#include "shell/program_windows_win.h"

namespace kelvaro {
namespace {

void Place(ControlId id, const Rect& rect) {
    if (const HWND control = ControlHandle(id)) {
        SetWindowPos(control, nullptr, rect.x, rect.y, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// A control's rectangle in its parent's inner coordinates.
bool CurrentRect(HWND control, Rect& rect) {
    RECT screen{};
    if (!GetWindowRect(control, &screen)) return false;
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&screen), 2);
    rect = {screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top};
    return true;
}

// Changes some of a control's place and size and keeps the rest.
template <typename Change>
void Adjust(ControlId id, Change change) {
    const HWND control = ControlHandle(id);
    Rect rect;
    if (control == nullptr || !CurrentRect(control, rect)) return;
    change(rect);
    SetWindowPos(control, nullptr, rect.x, rect.y, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ApplyMainLayout() {
    // The bars fit themselves to the window first; the rest is measured against them.
    if (const HWND toolbar = MainToolbar()) SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    if (const HWND status = MainStatusBar()) SendMessageA(status, WM_SIZE, 0, 0);
    const MainLayout layout = CurrentMainLayout();
    Place(CtlTabs, layout.panel);
    Place(CtlProcessSplitter, layout.page);
    Place(CtlWindowSplitter, layout.page);
}

void ApplySearchLayout() {
    const HWND window = ProgramWindow(WndSearch);
    RECT client{};
    if (window == nullptr || !GetClientRect(window, &client)) return;
    Rect results{0, 0, 300, 0};
    if (const HWND list = ControlHandle(CtlSearchResults)) CurrentRect(list, results);
    const SearchLayout layout = ComputeSearchLayout(client.right, client.bottom, results.width);
    Adjust(CtlSearchText, [&](Rect& r) { r.width = layout.searchTextWidth; });
    Adjust(CtlSearchButton, [&](Rect& r) { r.x = layout.searchButtonX; });
    Adjust(CtlSearchResults, [&](Rect& r) { r.height = layout.resultListHeight; });
    Adjust(CtlSearchDescription, [&](Rect& r) {
        r.width = layout.descriptionWidth;
        r.height = layout.descriptionHeight;
    });
}

}  // namespace

void ApplyLayout(int window) {
    switch (window) {
        case WndMain:
            ApplyMainLayout();
            break;
        case WndSearch:
            ApplySearchLayout();
            break;
        default:
            break;
    }
}

}  // namespace kelvaro
