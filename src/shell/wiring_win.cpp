// The services the program hands to the parts below it.
#include "shell/wiring_win.h"

#include <windows.h>

#include "inventory/definitions.h"
#include "inventory/process_snapshot_win.h"
#include "inventory/search_window_win.h"
#include "shell/event_tables_win.h"
#include "shell/main_window_win.h"
#include "shell/program_win.h"
#include "shell/tray_win.h"
#include "ui/frame_win.h"
#include "ui/program_windows_win.h"
#include "update/update_check_win.h"

namespace kelvaro {
namespace {

bool IsMainWindowVisible() {
    const HWND window = MainWindow();
    return window != nullptr && IsWindowVisible(window);
}

// New definitions take effect at once: every process is classified anew, and an open
// search window searches the new list again, so that its rows name no definitions that
// are gone.
void ReloadDefinitions() {
    ClearDefinitions();
    LoadDefinitions();
    WriteStatusCount(StatusDefinitions, DefinitionsCount());
    RefreshLists();
    OnDefinitionsReloaded();
}

}  // namespace

void WireParts() {
    SetWindowLayout(WndMain, ApplyMainLayout);
    SetWindowLayout(WndSearch, LayOutSearchWindow);
    SetMainWindowAlert(IsMainWindowVisible, ShowFromTray);
    UpdateCheckProgram update;
    update.networkStarted = NetworkStartResult;
    update.runningVersion = VersionText;
    update.definitionsCount = DefinitionsCount;
    update.reloadDefinitions = ReloadDefinitions;
    update.endProgram = [] { EndProgram(); };
    SetUpdateCheckProgram(std::move(update));
}

}  // namespace kelvaro
