// The four window actions and the commands that apply them to the selected window.
#include "inspector/window_actions_win.h"

#include <windows.h>

#include "inspector/window_system_win.h"
#include "inspector/window_tree.h"

namespace kelvaro {
namespace {

// The selected window of the tree, 0 when none.
WindowHandle SelectedWindow() {
    return ProgramWindowSelection().SelectedWindow;
}

}  // namespace

void RequestWindowClose(WindowHandle window) {
    PostMessageA(ToHwnd(window), WM_CLOSE, 0, 0);
}

void ToggleWindowVisible(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    ShowWindow(hwnd, IsWindowVisible(hwnd) ? SW_HIDE : SW_SHOW);
}

void ToggleWindowEnabled(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    EnableWindow(hwnd, IsWindowEnabled(hwnd) ? FALSE : TRUE);
}

void BringWindowToFront(WindowHandle window) {
    SetForegroundWindow(ToHwnd(window));
}

void OnToggleWindowVisible() {
    if (const WindowHandle window = SelectedWindow()) ToggleWindowVisible(window);
}

void OnToggleWindowEnabled() {
    if (const WindowHandle window = SelectedWindow()) ToggleWindowEnabled(window);
}

void OnRequestWindowClose() {
    if (const WindowHandle window = SelectedWindow()) RequestWindowClose(window);
}

void OnBringWindowToFront() {
    if (const WindowHandle window = SelectedWindow()) BringWindowToFront(window);
}

}  // namespace kelvaro
