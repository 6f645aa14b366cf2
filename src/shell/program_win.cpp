// The main program's run: the start-up sequence in its fixed order, the program's state,
// and EndProgram.
#include "shell/program_win.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "ini/ini.h"
#include "inspector/window_tree.h"
#include "inspector/window_view_win.h"
#include "inventory/definitions.h"
#include "inventory/kill_list.h"
#include "inventory/process_snapshot_win.h"
#include "inventory/process_view_win.h"
#include "netupdate/netupdate.h"
#include "shell/control_events_win.h"
#include "shell/event_loop_win.h"
#include "shell/event_tables_win.h"
#include "shell/frame_bars_win.h"
#include "shell/keyboard_win.h"
#include "shell/main_window_win.h"
#include "shell/menus_win.h"
#include "shell/settings.h"
#include "shell/settings_win.h"
#include "shell/tray_win.h"
#include "shell/window_memory_win.h"
#include "shell/window_proc_win.h"
#include "shell/wiring_win.h"
#include "ui/dpi_win.h"
#include "ui/frame_win.h"
#include "ui/program_windows_win.h"
#include "ui/resources_win.h"
#include "ui/wait_cursor_win.h"
#include "update/update_check_win.h"

namespace kelvaro {
namespace {

struct ProgramState {
    bool quit = false;
    bool comStarted = false;
    std::string version;
    bool networkStartResult = false;
};

ProgramState& State() {
    static ProgramState state;
    return state;
}

void WriteStartupStatus() {
    const ProcessList& processes = ProgramProcesses();
    WriteStatusCount(StatusProcesses, static_cast<int64_t>(processes.records.size()));
    WriteStatusCount(StatusThreads, processes.threadTotal);
    WriteStatusCount(StatusDefinitions, DefinitionsCount());
    WriteStatusCount(StatusWindows, ProgramWindowTree().WindowCount);
    WriteStatusCount(StatusChildWindows, ProgramWindowTree().InnerWindowCount);
}

void StartUp(const char* version) {
    ProgramState& state = State();
    // 1. COM for this thread, and the common controls.
    state.comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                                        ICC_LISTVIEW_CLASSES |
                                                        ICC_TREEVIEW_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // 2. The empty lists of the other parts: definitions with their index, process
    //    records, kill list, the window inspector's application list.
    ProgramDefinitions();
    ProgramProcesses();
    ProgramKillList();
    ProgramApplications();
    // 3. The two fonts.
    CreateProgramFonts();
    // 4. The network layer; its result is kept for the update check.
    state.networkStartResult = StartNetwork();
    // 5. The version text.
    state.version = version;
    // 6. The five icons (and the program's own, for its windows), in the sizes for the
    //    screen the main window opens on.
    LoadProgramIcons(SystemDpi());
    // 7-8. The main window, hidden, with its menus, bars and controls.
    //      Only a main window that cannot be made ends the program here; without the
    //      splitter or drawing-surface class it starts with those parts missing.
    RegisterWindowClasses();
    if (!BuildMainWindow()) EndProgram();
    // 9. The settings and the kill list. Without a settings file every setting stays 0.
    LoadSettings();
    // 10. The definitions.
    LoadDefinitions();
    // 11. The first process snapshot, sorted and shown in the list view.
    TakeProcessSnapshot();
    SortProcessList();
    FillProcessList();
    // 12. The window half: the window tree and its two counters.
    RefreshWindowView(false);
    // 13. The five status bar fields.
    WriteStartupStatus();
    // 14. The layout, then what the window remembers from the last run (nothing at the
    //     first start, which looks as it always has).
    ApplyLayout(WndMain);
    RestoreWindowMemory();
    const HWND window = MainWindow();
    // 15. The details timer.
    SetTimer(window, TimerDetails, kDetailsTimerIntervalMs, nullptr);
    // 16. The header-click hook of the process list.
    InstallHeaderClickHook();
    const Settings& settings = ProgramSettings();
    // 17. The refresh timer.
    if (settings.Timeout != 0) {
        SetTimer(window, TimerAutoRefresh, AutoRefreshIntervalMs(settings.Timeout), nullptr);
    }
    // 18. Into the tray, or shown.
    if (settings.StartMinimised != 0) {
        AddTrayIcon();
    } else {
        ShowWindow(window, RestoresMaximised() ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    }
    // 19. The update check at start-up, when "AutoNachUpdatesSuchen" is on.
    if (settings.CheckForUpdates != 0) CheckForUpdates(false);
}

}  // namespace

void RunProgram(const char* version) {
    RegisterEventHandlers(ProgramDispatch());
    WireParts();
    // Events that the start-up itself causes (sizes, a dangerous process's alert) are
    // handled once it is complete, as if it were one handler.
    RunAsHandler([version] {
        const WaitCursor wait;
        StartUp(version);
    });
    RunEventLoop();
    EndProgram();
}

void EndProgram() {
    // 1. The tray icon.
    RemoveTrayIcon();
    // 2. A settings file still open (EndProgram can be entered from any handler) is
    //    closed, its pending changes written.
    IniClose();
    //    Then what the main window remembers for the next run, read off it while it still
    //    exists (into a settings file that exists; the program never creates one).
    SaveWindowMemory();
    // 3-5. Controls and windows go before the libraries that hold their code: a rich
    //    edit control whose library is gone would crash when it is destroyed.
    StopNetwork();
    DestroyProgramWindows();
    ForgetFrameParts();
    FreeRunTimeLibraries();
    // 6. Fonts and images.
    DestroyPopupMenus();
    DestroyShortcutKeys();
    ReleaseToolbarImages();
    ReleaseProgramFonts();
    ReleaseProgramIcons();
    // 7. Everything else, and out.
    ProgramProcesses().Clear();
    ClearDefinitions();
    ProgramKillList().clear();
    ReleaseWindowView();
    if (State().comStarted) CoUninitialize();
    ExitProcess(0);
}

void RequestQuit() {
    State().quit = true;
}
bool QuitRequested() {
    return State().quit;
}
const std::string& VersionText() {
    return State().version;
}
bool NetworkStartResult() {
    return State().networkStartResult;
}

}  // namespace kelvaro
