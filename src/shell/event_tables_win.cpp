// The dispatch tables of the main program, row by row, and the program's own handlers.
#include "shell/event_tables_win.h"

#include <windows.h>

#include "inspector/window_actions_win.h"
#include "inspector/window_view_win.h"
#include "inventory/end_process_win.h"
#include "inventory/kill_list_window_win.h"
#include "inventory/process_snapshot_win.h"
#include "inventory/process_view_win.h"
#include "inventory/search_window_win.h"
#include "shell/about.h"
#include "shell/program_win.h"
#include "shell/settings.h"
#include "shell/settings_win.h"
#include "shell/tray_win.h"
#include "ui/clipboard_win.h"
#include "ui/frame_win.h"
#include "ui/message_box_win.h"
#include "ui/program_windows_win.h"
#include "update/update_check_win.h"

namespace kelvaro {
namespace {

// A size change: the window's layout.
template <WindowId Window>
void OnWindowSize() {
    ApplyLayout(Window);
}

// Timer 1 keeps firing with automatic refreshing off and then does nothing.
void OnAutoRefreshTimer() {
    if (ProgramSettings().AutoRefresh != 0) RefreshLists();
}

// The menu item's check mark is the state: checked means topmost.
void OnAlwaysOnTopCommand() {
    const bool topmost = !IsCommandChecked(CmdAlwaysOnTop);
    CheckCommand(CmdAlwaysOnTop, topmost);
    SetWindowTopmost(MainWindow(), topmost);
}

void OnAboutCommand() {
    ShowMessageBox(AboutText(VersionText()), kAboutCaption, MB_OK);
}

void OnCheckForUpdatesCommand() {
    CheckForUpdates(true);
}

int FocusedControl() {
    return ControlNumberOf(GetFocus());
}

// Ctrl+C and "Kopieren" copy from the control that has the focus; a right click gives it
// to the control whose popup it opens.
void OnCopyCommand() {
    std::string text;
    switch (FocusedControl()) {
        case CtlProcessList:
            text = SelectedProcessText();
            break;
        case CtlWindowTree:
            text = SelectedNodeText();
            break;
        case CtlWindowProperties:
            text = WindowPropertiesText();
            break;
        default:
            return;
    }
    if (!text.empty()) CopyTextToClipboard(MainWindow(), text);
}

// Entf and "Prozess beenden" act on the process list only: on the "Fenster" page the key
// must not end a process that is not in sight.
void OnEndProcessCommand() {
    if (FocusedControl() != CtlProcessList) return;
    if (EndSelectedProcess()) RefreshLists();
}

}  // namespace

void RefreshLists() {
    // The process half: a new snapshot, sorted and shown in the list view.
    RefreshProcessList();
    // The window half: the window tree, with the open nodes opened again.
    RefreshWindowView(true);
}

void RegisterEventHandlers(DispatchTables& tables) {
    // Close requests. Window 2 (the kill list) saves its list before it closes.
    tables.OnClose(WndMain, RequestQuit);
    tables.OnClose(WndSettings, CloseSettingsDialog);
    tables.OnClose(WndKillList, OnKillListWindowClose);
    tables.OnClose(WndSearch, CloseSearchWindow);

    tables.OnSize(WndMain, OnWindowSize<WndMain>);
    tables.OnSize(WndSearch, OnWindowSize<WndSearch>);
    tables.OnMinimise(WndMain, SendToTray);

    tables.OnTimer(TimerDetails, OnDetailsTimer);
    tables.OnTimer(TimerAutoRefresh, OnAutoRefreshTimer);

    tables.OnTray(TrayClick::Left, ShowFromTray);
    tables.OnTray(TrayClick::Right, OnTrayRightClick);

    // Menu commands 0 to 22, shared by menu items, popup items, toolbar buttons and the
    // main window's shortcut keys. Rows of one command run in the order given.
    tables.OnCommand(CmdOpenFromTray, ShowFromTray);
    tables.OnCommand(CmdTrayQuit, RequestQuit);
    tables.OnCommand(CmdSearchProcess, OpenSearchWindow);
    tables.OnCommand(CmdRefreshLists, RefreshLists);
    tables.OnCommand(CmdCheckForUpdates, OnCheckForUpdatesCommand);
    // The settings dialog opens empty and is filled from the settings file.
    tables.OnCommand(CmdSettings, OpenSettingsDialog);
    tables.OnCommand(CmdSettings, LoadSettings);
    tables.OnCommand(CmdQuit, RequestQuit);
    tables.OnCommand(CmdSortAscending, OnSortDirectionCommand<SortAscending>);
    tables.OnCommand(CmdSortDescending, OnSortDirectionCommand<SortDescending>);
    tables.OnCommand(CmdSortByName, OnSortKeyCommand<SortByName>);
    tables.OnCommand(CmdSortByPriority, OnSortKeyCommand<SortByPriority>);
    tables.OnCommand(CmdSortByThreads, OnSortKeyCommand<SortByThreads>);
    tables.OnCommand(CmdSortByVerdict, OnSortKeyCommand<SortByVerdict>);
    tables.OnCommand(CmdKillListWindow, OpenKillListWindow);
    tables.OnCommand(CmdAlwaysOnTop, OnAlwaysOnTopCommand);
    tables.OnCommand(CmdAbout, OnAboutCommand);
    tables.OnCommand(CmdAddToKillList, AddSelectedProcessToKillList);
    // The window actions do nothing while no window is selected.
    tables.OnCommand(CmdToggleWindowVisible, OnToggleWindowVisible);
    tables.OnCommand(CmdToggleWindowEnabled, OnToggleWindowEnabled);
    tables.OnCommand(CmdCloseWindow, OnRequestWindowClose);
    tables.OnCommand(CmdBringWindowToFront, OnBringWindowToFront);
    tables.OnCommand(CmdCopy, OnCopyCommand);
    tables.OnCommand(CmdEndProcess, OnEndProcessCommand);

    // Control events, by control.
    tables.OnControl(CtlProcessList, ControlEventType::Change, OnProcessSelected);
    tables.OnControl(CtlProcessList, ControlEventType::RightClick, OnProcessListRightClick);
    tables.OnControl(CtlProcessList, ControlEventType::MenuKey, OnProcessListMenuKey);
    tables.OnControl(CtlSave, ControlEventType::Click, SaveSettings);
    tables.OnControl(CtlSave, ControlEventType::Click, CloseSettingsDialog);
    tables.OnControl(CtlCancel, ControlEventType::Click, CloseSettingsDialog);
    tables.OnControl(CtlKillList, ControlEventType::Any, OnKillListRowEvent);
    tables.OnControl(CtlKillAdd, ControlEventType::Click, OnKillAddClicked);
    tables.OnControl(CtlKillRemove, ControlEventType::Click, OnKillRemoveClicked);
    tables.OnControl(CtlSearchResults, ControlEventType::Change, OnSearchResultSelected);
    tables.OnControl(CtlSearchButton, ControlEventType::Click, OnSearchButtonClicked);
    tables.OnControl(CtlWindowTree, ControlEventType::Change, OnTreeSelectionChanged);
    tables.OnControl(CtlWindowTree, ControlEventType::RightClick, OnTreeRightClick);
    tables.OnControl(CtlWindowTree, ControlEventType::MenuKey, OnTreeMenuKey);
    tables.OnControl(CtlWindowProperties, ControlEventType::RightClick, OnPropertiesRightClick);
    tables.OnControl(CtlWindowProperties, ControlEventType::MenuKey, OnPropertiesMenuKey);

    tables.OnColumnHeaderClick(OnColumnHeaderClick);
}

}  // namespace kelvaro
