// The dispatch tables of the main program, row by row, and the shell's own handlers.
#include <windows.h>

#include "inventory/kill_list_window.h"
#include "inventory/process_view.h"
#include "inventory/search_window.h"
#include "inspector/window_actions_win.h"
#include "inspector/window_view_win.h"
#include "shell/about.h"
#include "shell/main_window_win.h"
#include "shell/message_box_win.h"
#include "shell/program.h"
#include "shell/program_windows_win.h"
#include "shell/refresh.h"
#include "shell/settings.h"
#include "shell/settings_win.h"
#include "shell/tray_win.h"
#include "update/update_check.h"

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

void CheckForUpdatesOnCommand() {
    CheckForUpdates(true);
}

}  // namespace

void RegisterEventHandlers(DispatchTables& tables) {
    // Close requests. Window 2 (the kill list) saves its list before it closes.
    tables.OnClose(WndMain, RequestQuit);
    tables.OnClose(WndSettings, CloseSettingsWindow);
    tables.OnClose(WndKillList, CloseKillListWindow);
    tables.OnClose(WndSearch, CloseSearchWindow);

    tables.OnSize(WndMain, ApplyMainLayout);
    tables.OnSize(WndSearch, ApplySearchLayout);
    tables.OnMinimise(WndMain, SendToTray);

    tables.OnTimer(TimerDetails, OnDetailsTimer);
    tables.OnTimer(TimerAutoRefresh, OnAutoRefreshTimer);

    tables.OnTray(TrayClick::Left, ShowFromTray);
    tables.OnTray(TrayClick::Right, OpenTrayMenu);

    // Menu commands 0 to 20, shared by menu items, popup items and toolbar buttons. Rows
    // of one command run in the order given.
    tables.OnCommand(CmdOpenFromTray, ShowFromTray);
    tables.OnCommand(CmdTrayQuit, RequestQuit);
    tables.OnCommand(CmdSearchProcess, OpenSearchWindow);
    tables.OnCommand(CmdRefreshLists, RefreshLists);
    tables.OnCommand(CmdCheckForUpdates, CheckForUpdatesOnCommand);
    // The settings dialog opens empty and is filled from the settings file.
    tables.OnCommand(CmdSettings, OpenSettingsDialog);
    tables.OnCommand(CmdSettings, LoadSettings);
    tables.OnCommand(CmdQuit, RequestQuit);
    tables.OnCommand(CmdSortAscending, SortInDirection<kSortAscending>);
    tables.OnCommand(CmdSortDescending, SortInDirection<kSortDescending>);
    tables.OnCommand(CmdSortByName, SortByKey<kSortByName>);
    tables.OnCommand(CmdSortByPriority, SortByKey<kSortByPriority>);
    tables.OnCommand(CmdSortByThreads, SortByKey<kSortByThreads>);
    tables.OnCommand(CmdSortByVerdict, SortByKey<kSortByVerdict>);
    tables.OnCommand(CmdKillListWindow, OpenKillListWindow);
    tables.OnCommand(CmdAlwaysOnTop, ToggleAlwaysOnTop);
    tables.OnCommand(CmdAbout, ShowAboutBox);
    tables.OnCommand(CmdAddToKillList, AddSelectedProcessToKillList);
    // The window actions do nothing while no window is selected.
    tables.OnCommand(CmdToggleWindowVisible, OnToggleWindowVisible);
    tables.OnCommand(CmdToggleWindowEnabled, OnToggleWindowEnabled);
    tables.OnCommand(CmdCloseWindow, OnRequestWindowClose);
    tables.OnCommand(CmdBringWindowToFront, OnBringWindowToFront);

    // Control events, by control.
    tables.OnControl(CtlProcessList, ControlEventType::Change, OnProcessSelected);
    tables.OnControl(CtlProcessList, ControlEventType::RightClick, OpenProcessListMenu);
    tables.OnControl(CtlSave, ControlEventType::Click, SaveSettings);
    tables.OnControl(CtlSave, ControlEventType::Click, CloseSettingsWindow);
    tables.OnControl(CtlCancel, ControlEventType::Click, CloseSettingsWindow);
    tables.OnControl(CtlKillList, ControlEventType::Any, OnKillListRowEvent);
    tables.OnControl(CtlKillAdd, ControlEventType::Click, AddTypedNameToKillList);
    tables.OnControl(CtlKillRemove, ControlEventType::Click, RemoveSelectedKillListRow);
    tables.OnControl(CtlSearchResults, ControlEventType::Change, OnSearchResultSelected);
    tables.OnControl(CtlSearchButton, ControlEventType::Click, OnSearchButtonClicked);
    tables.OnControl(CtlWindowTree, ControlEventType::Change, OnTreeSelectionChanged);
    tables.OnControl(CtlWindowTree, ControlEventType::RightClick, OnTreeRightClick);

    tables.OnColumnHeaderClick(OnColumnHeaderClick);
}

}  // namespace kelvaro
