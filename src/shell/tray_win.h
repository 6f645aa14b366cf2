// The notification-area (tray) icon: where the minimised program waits, and how it comes
// back.
#pragma once

#include <windows.h>

#include <optional>

#include "shell/dispatch.h"

namespace kelvaro {

// The message the notification area sends to the main window for the icon's mouse events.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// Adds the icon (tray image, tool tip "Kelvaro") unless it is shown already.
void AddTrayIcon();
// Removes the icon if it is shown.
void RemoveTrayIcon();
bool TrayIconShown();
// A shown icon takes the tray image as it is now (loaded for another DPI).
void RefreshTrayIcon();

// Minimising: adds the icon and hides the main window, so it has no task-bar button.
void SendToTray();
// Back from the tray: shows the main window, restores it, removes the icon.
void ShowFromTray();
// A right click on the icon: popup 1 with "Öffnen" and "Beenden".
void OnTrayRightClick();

// The message the shell broadcasts when the task bar was made anew (after the shell
// restarted): every icon is gone then. The icon is put back if the program had one, so
// that a program waiting in the tray can still be reached.
UINT TaskbarCreatedMessage();
void OnTaskbarCreated();

// The click kind of one of the icon's mouse messages; none for moves and button releases.
std::optional<TrayClick> TrayClickOf(LPARAM mouseMessage);

}  // namespace kelvaro
