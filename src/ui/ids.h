// The numbers by which events name the program's windows, commands, controls, timers and
// popup menus, each named once here, and the texts that menus and toolbar share.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kelvaro {

// The program's windows. Events carry the number of the window they came from.
enum WindowId : int {
    WndMain = 0,
    WndSettings = 1,
    WndKillList = 2,
    WndSearch = 3,
};
inline constexpr int kWindowCount = 4;

// Menu items, popup items and toolbar buttons share one number space: a toolbar button
// carries the number of the menu item it stands for.
enum CommandId : int {
    CmdOpenFromTray = 0,          // popup 1 "Öffnen"
    CmdTrayQuit = 1,              // popup 1 "Beenden"
    CmdSearchProcess = 2,         // "Prozess suchen..."
    CmdRefreshLists = 3,          // "Liste aktualisieren"
    CmdCheckForUpdates = 4,       // "Auf Updates prüfen"
    CmdSettings = 5,              // "Einstellungen"
    CmdQuit = 6,                  // "Beenden"
    CmdSortAscending = 7,         // "Aufsteigend"
    CmdSortDescending = 8,        // "Absteigend"
    CmdSortByName = 9,            // "Name"
    CmdSortByPriority = 10,       // "Priorität"
    CmdSortByThreads = 11,        // "Anzahl Threads"
    CmdSortByVerdict = 12,        // "Befund"
    CmdKillListWindow = 13,       // "Bestimmte Prozesse beenden, wenn sie gefunden werden..."
    CmdAlwaysOnTop = 14,          // "Immer im Vordergrund"
    CmdAbout = 15,                // "Über"
    CmdAddToKillList = 16,        // popup 2 "Prozess beenden, wenn gefunden"
    CmdToggleWindowVisible = 17,  // popup 3 "Fenster zeigen/verstecken"
    CmdToggleWindowEnabled = 18,  // popup 3 "Fenster aktivieren/deaktivieren"
    CmdCloseWindow = 19,          // popup 3 "Fenster schliessen"
    CmdBringWindowToFront = 20,   // popup 3 "Fenster in Vordergrund setzen"
    CmdCopy = 21,                 // popups 2, 3 and 4 "Kopieren", Ctrl+C
    CmdEndProcess = 22,           // popup 2 "Prozess beenden", Entf
};
inline constexpr int kCommandCount = 23;

// Controls: one number space across all windows, because one dispatcher serves them all.
enum ControlId : int {
    // Main window.
    CtlTabs = 0,
    CtlProcessList = 1,
    CtlDescription = 2,
    CtlProcessSplitter = 3,
    // Settings dialog.
    CtlAutostart = 4,
    CtlStartMinimised = 5,
    CtlCheckForUpdates = 6,
    CtlAutoRefresh = 7,
    CtlTimeoutLabel = 8,
    CtlTimeout = 9,
    CtlSave = 10,
    CtlCancel = 11,
    // Kill-list window.
    CtlKillList = 12,
    CtlKillName = 13,
    CtlKillAdd = 14,
    CtlKillRemove = 15,
    // Search window.
    CtlSearchText = 16,
    CtlSearchResults = 17,
    CtlSearchDescription = 18,
    CtlSearchButton = 19,
    // Main window, page "Fenster".
    CtlWindowTree = 20,
    CtlWindowProperties = 21,
    CtlPreview = 22,
    CtlDetailsSplitter = 23,
    CtlWindowSplitter = 24,
};
inline constexpr int kControlCount = 25;

enum TimerId : int {
    TimerAutoRefresh = 1,  // every "Timeout" seconds
    TimerDetails = 2,      // every 500 ms
};
inline constexpr unsigned kDetailsTimerIntervalMs = 500;

enum PopupId : int {
    PopupTray = 1,
    PopupProcessList = 2,
    PopupWindowTree = 3,
    PopupWindowProperties = 4,
};
inline constexpr int kPopupCount = 4;

// The notification-area icon's number among the main window's icons.
inline constexpr unsigned kTrayIconId = 1;

struct ControlPlacement {
    ControlId control;
    WindowId window;
};

// Every control with the window that holds it.
std::span<const ControlPlacement> ControlPlacements();
// The window that holds a control.
WindowId WindowOfControl(ControlId control);

// The text of a command as its menu item shows it; the toolbar's tool tips use the same.
std::string_view CommandText(CommandId command);

// The text as a menu item carries it: "&" before the letter that Alt (or the letter alone,
// inside an open menu) picks, chosen so that no two items of one menu share one.
std::string MenuLabel(CommandId command);
// The letter of a label that its "&" marks, upper-cased (A to Z and the German umlauts in
// Windows-1252); 0 when it has none.
char MnemonicOf(std::string_view label);

// The keys of the main window that stand for commands, and their names as the menus show
// them right-aligned ("Strg+F").
struct ShortcutKey {
    CommandId command;
    unsigned short virtualKey;
    bool control;
    const char* name;
};
std::span<const ShortcutKey> ShortcutKeys();
// The name of a command's key; empty when it has none.
std::string_view ShortcutKeyName(CommandId command);

}  // namespace kelvaro
