// Control notifications as control events: the event types of the list views, the tree and
// the buttons, the tab control's page switch, and the header-click hook.
#pragma once

#include <windows.h>

namespace kelvaro {

// A control's WM_COMMAND and a WM_NOTIFY, raised as control events.
void RaiseControlCommand(HWND control, WORD notifyCode);
void RaiseControlNotification(NMHDR* notification);

// The header-click hook on the process list, installed once at start-up.
void InstallHeaderClickHook();

}  // namespace kelvaro
