// Start-up with "Minimiert Starten" on (run with --start-minimised or
// --start-minimised-dangerous): the notification-area icon, the way back from it, the
// dangerous-process alert, and timer 1 with automatic refreshing off and on.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "inprocess/harness.h"
#include "shell/tray_win.h"
#include "support/test_process_win.h"
#include "support/ui_driver.h"
#include "ui/ids.h"

namespace kelvaro::test {
namespace {

void SendTrayMouse(UINT mouseMessage) {
    SendWait(ProgramMainWindow(), kTrayCallbackMessage, kTrayIconId, mouseMessage);
}

// The tests of one run share the program; those after the first bring the window where
// they need it first.
void BringBackFromTheTray() {
    if (!IsWindowVisible(ProgramMainWindow())) SendTrayMouse(WM_LBUTTONDOWN);
}
void SendIntoTheTray() {
    if (IsWindowVisible(ProgramMainWindow())) {
        SendWait(ProgramMainWindow(), WM_SYSCOMMAND, SC_MINIMIZE);
    }
}

// The state the start-up leaves, so this test runs first.
TEST(StartMinimised, WaitsInTheTrayAndComesBackByALeftClick) {
    const HWND main = ProgramMainWindow();
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(TrayIconExists(ProgramMainWindow(), kTrayIconId));

    // A double click does nothing of its own (its first press acts as a click).
    SendTrayMouse(WM_LBUTTONDBLCLK);
    SendTrayMouse(WM_RBUTTONDBLCLK);
    SendTrayMouse(WM_MOUSEMOVE);
    SendTrayMouse(WM_LBUTTONUP);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(TrayIconExists(ProgramMainWindow(), kTrayIconId));

    SendTrayMouse(WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsIconic(main));
    EXPECT_FALSE(TrayIconExists(ProgramMainWindow(), kTrayIconId));
}

TEST(StartMinimised, MinimisingAlwaysGoesToTheTray) {
    const HWND main = ProgramMainWindow();
    BringBackFromTheTray();
    ASSERT_TRUE(IsWindowVisible(main));
    SendWait(main, WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
    EXPECT_TRUE(TrayIconExists(ProgramMainWindow(), kTrayIconId));
}

TEST(StartMinimised, TrayRightClickOpensTheMenuAndOeffnenBringsTheWindowBack) {
    const HWND main = ProgramMainWindow();
    SendIntoTheTray();
    ASSERT_FALSE(IsWindowVisible(main));
    // The popup runs inside the handler, so the click is posted rather than sent.
    PostMessageA(main, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);
    ASSERT_TRUE(WaitUntil([] { return OpenPopupMenu(GetCurrentProcessId()) != nullptr; }));
    // The menu takes keys from the program's queue: the first item, "Öffnen".
    PostMessageA(main, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(main, WM_KEYDOWN, VK_RETURN, 0);
    // The way back shows the window, still minimised, then restores it and removes the
    // icon last; the command runs on the program's thread while this one looks.
    EXPECT_TRUE(WaitUntil([] { return !TrayIconExists(ProgramMainWindow(), kTrayIconId); }));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsIconic(main));
}

// A new task bar (the shell restarted) has lost every icon; the waiting program puts its
// icon back, or it could not be reached any more.
TEST(StartMinimised, IconComesBackWhenTheTaskBarIsMadeAnew) {
    const HWND main = ProgramMainWindow();
    SendWait(main, WM_SYSCOMMAND, SC_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
    ASSERT_TRUE(TrayIconExists(ProgramMainWindow(), kTrayIconId));
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = main;
    data.uID = kTrayIconId;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
    ASSERT_FALSE(TrayIconExists(ProgramMainWindow(), kTrayIconId));
    SendWait(main, RegisterWindowMessageA("TaskbarCreated"));
    EXPECT_TRUE(TrayIconExists(ProgramMainWindow(), kTrayIconId));
    EXPECT_FALSE(IsWindowVisible(main));
}

TEST(StartMinimised, RefreshTimerRunsButDoesNotRefreshWithAutomaticRefreshingOff) {
    const int ticks = AutoRefreshTickCount();
    TestProcess notepad(kNotepad, {}, true);
    ASSERT_TRUE(notepad.Running());
    EXPECT_TRUE(WaitUntil([ticks] { return AutoRefreshTickCount() >= ticks + 2; }, 10000));
    EXPECT_TRUE(notepad.Running()) << "timer 1 refreshed the lists with AutoAktualisieren off";
}

// A process classified "Gefährlich" shows the window during the first snapshot; the tray
// icon is added all the same by the start-up afterwards.
TEST(StartMinimisedDangerous, FirstSnapshotBringsTheWindowUpAndTheIconIsAddedAnyway) {
    const HWND main = ProgramMainWindow();
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsIconic(main));
    EXPECT_TRUE(TrayIconExists(ProgramMainWindow(), kTrayIconId));
}

// The timer's refresh may end notepad at any moment after its start, even before it is
// ready for input; the exit code tells that the kill list ended it.
TEST(StartMinimisedDangerous, RefreshTimerRefreshesWithAutomaticRefreshingOn) {
    TestProcess notepad(kNotepad, {}, true);
    ASSERT_TRUE(notepad.Started());
    EXPECT_TRUE(WaitUntil([&] { return !notepad.Running(); }, 10000))
        << "the kill list's notepad survived the refresh timer";
    EXPECT_EQ(notepad.ExitCode(), 1u);
}

// From the tray, a refresh that finds the dangerous process brings the window back (the
// refresh timer may come first; either refresh takes the same way).
TEST(StartMinimisedDangerous, RefreshFromTheTrayBringsTheWindowBack) {
    const HWND main = ProgramMainWindow();
    SendWait(main, WM_SYSCOMMAND, SC_MINIMIZE);
    SendWait(main, WM_COMMAND, CmdRefreshLists);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && !TrayIconExists(ProgramMainWindow(), kTrayIconId); }));
    EXPECT_FALSE(IsIconic(main));
}

}  // namespace
}  // namespace kelvaro::test
