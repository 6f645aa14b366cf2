// The tray icon and the main window's way into the notification area and back.
#include "shell/tray_win.h"

#include <shellapi.h>

#include <cstring>

#include "ui/frame_win.h"
#include "ui/resources_win.h"

namespace kelvaro {
namespace {

bool& IconShown() {
    static bool shown = false;
    return shown;
}

// The shell's library is loaded when the icon is first needed rather than with the
// program: a program that starts into its window does not wait for it.
BOOL NotifyIcon(DWORD message, NOTIFYICONDATAA* data) {
    using Function = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAA*);
    const HMODULE shell = LoadRunTimeLibrary("shell32.dll");
    const auto function = shell != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(
                                                 GetProcAddress(shell, "Shell_NotifyIconA")))
                                           : nullptr;
    return function != nullptr ? function(message, data) : FALSE;
}

NOTIFYICONDATAA IconData() {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = MainWindow();
    data.uID = kTrayIconId;
    return data;
}

}  // namespace

void AddTrayIcon() {
    if (IconShown() || MainWindow() == nullptr) return;
    NOTIFYICONDATAA data = IconData();
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = ProgramIcon(IconRole::Tray, IconSize::Small);
    std::strcpy(data.szTip, "Kelvaro");
    IconShown() = NotifyIcon(NIM_ADD, &data) != FALSE;
}

void RefreshTrayIcon() {
    if (!IconShown()) return;
    NOTIFYICONDATAA data = IconData();
    data.uFlags = NIF_ICON;
    data.hIcon = ProgramIcon(IconRole::Tray, IconSize::Small);
    NotifyIcon(NIM_MODIFY, &data);
}

void RemoveTrayIcon() {
    if (!IconShown()) return;
    NOTIFYICONDATAA data = IconData();
    NotifyIcon(NIM_DELETE, &data);
    IconShown() = false;
}

bool TrayIconShown() {
    return IconShown();
}

void SendToTray() {
    AddTrayIcon();
    if (const HWND window = MainWindow()) ShowWindow(window, SW_HIDE);
}

void ShowFromTray() {
    if (const HWND window = MainWindow()) {
        ShowWindow(window, SW_SHOW);
        ShowWindow(window, SW_RESTORE);
    }
    RemoveTrayIcon();
}

void OnTrayRightClick() {
    OpenPopupMenu(PopupTray);
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void OnTaskbarCreated() {
    if (!IconShown()) return;
    IconShown() = false;
    AddTrayIcon();
}

std::optional<TrayClick> TrayClickOf(LPARAM mouseMessage) {
    switch (static_cast<UINT>(mouseMessage)) {
        case WM_LBUTTONDOWN:
            return TrayClick::Left;
        case WM_RBUTTONDOWN:
            return TrayClick::Right;
        case WM_LBUTTONDBLCLK:
            return TrayClick::LeftDouble;
        case WM_RBUTTONDBLCLK:
            return TrayClick::RightDouble;
        default:
            return std::nullopt;
    }
}

}  // namespace kelvaro
