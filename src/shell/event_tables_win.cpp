// The dispatch tables of the main program, row by row, and the shell's own handlers.
#include <windows.h>

#include "inspector/window_actions_win.h"
#include "inspector/window_view_win.h"
#include "shell/about.h"
#include "shell/main_window_win.h"
#include "shell/message_box_win.h"
#include "shell/program.h"
#include "shell/program_windows_win.h"
#include "shell/refresh.h"
#include "shell/settings.h"
#include "shell/tray_win.h"

namespace kelvaro {
namespace {

void ApplyMainLayout() {
    ApplyLayout(WndMain);
}
void ApplySearchLayout() {
    ApplyLayout(WndSearch);
}
void CloseSettingsWindow() {
    CloseProgramWindow(WndSettings);
}
void CloseSearchWindow() {
    CloseProgramWindow(WndSearch);
}

// Timer 1 keeps firing with automatic refreshing off and then does nothing.
void OnAutoRefreshTimer() {
    if (ProgramSettings().AutoRefresh != 0) RefreshLists();
}

void OpenProcessListMenu() {
    OpenPopupMenu(PopupProcessList);
}

// The menu item's check mark is the state: checked means topmost.
void ToggleAlwaysOnTop() {
    const bool topmost = !IsCommandChecked(CmdAlwaysOnTop);
    CheckCommand(CmdAlwaysOnTop, topmost);
    SetWindowTopmost(MainWindow(), topmost);
}

void ShowAboutBox() {
    ShowMessageBox(AboutText(VersionText()), kAboutCaption, MB_OK);
}

}  // namespace

void RegisterEventHandlers(DispatchTables& tables) {
    // Close requests. Window 2 (the kill list) saves its list before it closes; its row
    // comes with the kill-list window.
    tables.OnClose(WndMain, RequestQuit);
    tables.OnClose(WndSettings, CloseSettingsWindow);
    tables.OnClose(WndSearch, CloseSearchWindow);

    tables.OnSize(WndMain, ApplyMainLayout);
    tables.OnSize(WndSearch, ApplySearchLayout);
    tables.OnMinimise(WndMain, SendToTray);

    tables.OnTimer(TimerDetails, OnDetailsTimer);
    tables.OnTimer(TimerAutoRefresh, OnAutoRefreshTimer);

    tables.OnTray(TrayClick::Left, ShowFromTray);
    tables.OnTray(TrayClick::Right, OpenTrayMenu);

    // Menu commands 0 to 20. The rows of commands 2, 4, 5, 7-13 and 16 come with the parts
    // that carry them out.
    tables.OnCommand(CmdOpenFromTray, ShowFromTray);
    tables.OnCommand(CmdTrayQuit, RequestQuit);
    tables.OnCommand(CmdRefreshLists, RefreshLists);
    tables.OnCommand(CmdQuit, RequestQuit);
    tables.OnCommand(CmdAlwaysOnTop, ToggleAlwaysOnTop);
    tables.OnCommand(CmdAbout, ShowAboutBox);
    tables.OnCommand(CmdToggleWindowVisible, OnToggleWindowVisible);
    tables.OnCommand(CmdToggleWindowEnabled, OnToggleWindowEnabled);
    tables.OnCommand(CmdCloseWindow, OnRequestWindowClose);
    tables.OnCommand(CmdBringWindowToFront, OnBringWindowToFront);

    // Control events. The rows of controls 1 (change), 10-12, 14, 15, 17 and 19 come with
    // the parts that own those controls.
    tables.OnControl(CtlProcessList, ControlEventType::RightClick, OpenProcessListMenu);
    tables.OnControl(CtlWindowTree, ControlEventType::Change, OnTreeSelectionChanged);
    tables.OnControl(CtlWindowTree, ControlEventType::RightClick, OnTreeRightClick);

    // The header-click handler (the process list's sorting) comes with the list view.
}

}  // namespace kelvaro
