// The move of a program window to a screen of another DPI.
#include "shell/dpi_change_win.h"

#include "inspector/window_view_win.h"
#include "shell/frame_bars_win.h"
#include "shell/menus_win.h"
#include "shell/tray_win.h"
#include "ui/dpi_win.h"
#include "ui/frame_win.h"
#include "ui/program_windows_win.h"
#include "ui/resources_win.h"

namespace kelvaro {
namespace {

// The main window's own parts: the icons of the toolbar, the menus and the tray come in
// the sizes for its DPI, the status fields get their edges, the menus are measured anew,
// and the window tree is filled again (its open nodes opened again) for its icons' new
// size.
void RescaleMainWindowParts(int dpi) {
    LoadProgramIcons(dpi);
    RemakeToolbarImages();
    if (const HWND status = MainStatusBar()) SetStatusFieldEdges(status);
    RemeasureMenuItems(GetMenu(MainWindow()));
    RefreshTrayIcon();
    RefreshWindowView(true);
}

}  // namespace

void OnDpiChanged(HWND window, int number, int dpi, const RECT* suggested) {
    if (number < 0 || number >= kWindowCount || dpi <= 0) return;
    const auto id = static_cast<WindowId>(number);
    const int previous = ProgramWindowDpi(id);
    if (dpi != previous) {
        SetProgramWindowDpi(id, dpi);
        RescaleWindowContents(window, previous, dpi);
        if (id == WndMain) RescaleMainWindowParts(dpi);
        SendMessageA(window, WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(ApplicationIcon(IconSize::Small, dpi)));
        SendMessageA(window, WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(ApplicationIcon(IconSize::Large, dpi)));
    }
    if (suggested != nullptr) {
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyLayout(id);
}

}  // namespace kelvaro
