// Construction and layout of the main window: the window, its menu bar, toolbar, popup
// menus and status bar, and the tabbed panel over which each feature lays its page.
#include "shell/main_window_win.h"

#include <windows.h>
#include <commctrl.h>

#include "inspector/window_view_win.h"
#include "inventory/process_view_win.h"
#include "shell/frame_bars_win.h"
#include "shell/keyboard_win.h"
#include "shell/menus_win.h"
#include "ui/frame_win.h"
#include "ui/program_windows_win.h"

namespace kelvaro {
namespace {

// The pages of the tabbed panel in the order of their tabs. Each feature builds its page
// as one splitter, which lies over the panel as the panel's sibling, so that the page's
// controls report to the main window directly.
struct PageRow {
    const char* title;
    ControlId splitter;
    void (*build)(HWND mainWindow, const Rect& page);
};

constexpr PageRow kPages[] = {
    {kProcessPageTitle, CtlProcessSplitter, BuildProcessPage},
    {kWindowPageTitle, CtlWindowSplitter, BuildWindowPage},
};

void Place(ControlId id, const Rect& rect) {
    if (const HWND control = ControlHandle(id)) {
        SetWindowPos(control, nullptr, rect.x, rect.y, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void BuildPanel(HWND mainWindow) {
    const MainLayout layout = CurrentMainLayout();
    const Rect& panel = layout.panel;
    const HWND tabs = CreateControl(CtlTabs, mainWindow, WC_TABCONTROLA, "", WS_CLIPSIBLINGS, 0,
                                    panel.x, panel.y, panel.width, panel.height);
    if (tabs != nullptr) {
        for (size_t i = 0; i < std::size(kPages); ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(kPages[i].title);
            SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
    }
    for (const PageRow& page : kPages) page.build(mainWindow, layout.page);
    // The pages are put above the panel in the drawing order.
    for (const PageRow& page : kPages) {
        if (const HWND splitter = ControlHandle(page.splitter)) {
            SetWindowPos(splitter, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    ShowPage(0);
}

}  // namespace

bool BuildMainWindow() {
    WindowSpec spec;
    spec.id = WndMain;
    spec.title = "Kelvaro";
    spec.innerWidth = kMainInnerWidth;
    spec.innerHeight = kMainInnerHeight;
    spec.sizable = true;
    spec.minInnerWidth = kMainMinInnerWidth;
    spec.minInnerHeight = kMainMinInnerHeight;
    spec.maxInnerWidth = kMainMaxInnerWidth;
    spec.maxInnerHeight = kMainMaxInnerHeight;
    FrameParts parts;
    parts.window = CreateProgramWindow(spec, WS_OVERLAPPEDWINDOW);
    if (parts.window == nullptr) return false;

    // The menu bar is attached after the window was sized for an inner area without it,
    // so it takes its height from that area.
    parts.menuBar = BuildMenuBar();
    if (parts.menuBar != nullptr && !SetMenu(parts.window, parts.menuBar)) {
        DestroyMenu(parts.menuBar);
        parts.menuBar = nullptr;
    }
    parts.toolbar = BuildToolbar(parts.window);
    BuildPopupMenus();
    BuildShortcutKeys();
    parts.popupMenu = PopupMenuHandle;
    parts.statusBar = BuildStatusBar(parts.window);
    // The panel is measured against the bars, which the frame hands out.
    SetFrameParts(parts);
    BuildPanel(parts.window);
    return true;
}

MainLayout CurrentMainLayout() {
    RECT client{};
    if (const HWND window = MainWindow()) GetClientRect(window, &client);
    auto heightOf = [](HWND bar) {
        RECT rect{};
        return bar != nullptr && GetWindowRect(bar, &rect)
                   ? static_cast<int>(rect.bottom - rect.top)
                   : 0;
    };
    return ComputeMainLayout(client.right, client.bottom, heightOf(MainToolbar()),
                             heightOf(MainStatusBar()), ProgramWindowDpi(WndMain));
}

void ApplyMainLayout() {
    // The bars fit themselves to the window first; the rest is measured against them.
    if (const HWND toolbar = MainToolbar()) SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    if (const HWND status = MainStatusBar()) SendMessageA(status, WM_SIZE, 0, 0);
    const MainLayout layout = CurrentMainLayout();
    Place(CtlTabs, layout.panel);
    for (const PageRow& page : kPages) Place(page.splitter, layout.page);
}

void ShowPage(int page) {
    const HWND tabs = ControlHandle(CtlTabs);
    if (tabs != nullptr && SendMessageA(tabs, TCM_GETCURSEL, 0, 0) != page) {
        SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    }
    for (size_t i = 0; i < std::size(kPages); ++i) {
        if (const HWND splitter = ControlHandle(kPages[i].splitter)) {
            ShowWindow(splitter, static_cast<int>(i) == page ? SW_SHOW : SW_HIDE);
        }
    }
}

}  // namespace kelvaro
