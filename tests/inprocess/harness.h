// The in-process test build of the main program: the program's start-up and event loop run
// on the main thread as in the real exe, while the tests run on a second thread and look at
// the program from inside (menus, which another process cannot read under Wine) or hand
// work to the main thread through the program's own dispatch.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "shell/dispatch.h"
#include "support/program_window_win.h"  // ProgramMainWindow()

namespace kelvaro::test {

// Runs work on the program's thread, as a handler of the event loop, and waits for it.
// False when it did not run within the time (the loop is held by a message box, say).
bool RunOnMainThread(const std::function<void()>& work, int timeoutMs = 10000);

// Waits until the program's thread has taken every message posted to it before the call,
// also from inside a message box's or menu's loop: a marker posted behind them to a window
// of the harness on that thread comes back. False when it did not within the time.
bool WaitForPostedMessages(int timeoutMs = 10000);

// A timer number the harness does not use itself, for tests that post timer events.
inline constexpr int kTestTimer = 98;

// What the harness saw dispatched, through rows it added to the program's tables next to
// the program's own rows.
int TestTimerCount();        // timer kTestTimer
int AutoRefreshTickCount();  // timer 1
int RefreshCommandCount();   // command 3
std::vector<int> HeaderClicks();
// Control events of the window tree (20) and the properties list (21), by type.
int ControlEventCount(int control, ControlEventType type);
// The program thread's cursor as the harness's rows saw it while the last command 3 and
// the last details tick (timer 2) were handled; nullptr before the first one.
HCURSOR CursorDuringRefreshCommand();
HCURSOR CursorDuringDetailsTick();
void ForgetCursorsSeen();

// The working folder the program was started in.
const std::string& HarnessFolder();

// Sends a message to a window and waits for it to be handled.
LRESULT SendWait(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// A notification as a header control sends it to its list view (`from` in the header's
// place), sent from inside the process.
void SendHeaderNotification(HWND list, HWND from, UINT code, int column);

}  // namespace kelvaro::test
