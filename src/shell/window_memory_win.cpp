// Reading the main window's place, columns, splitters and sort off the window system, and
// putting them back.
#include "shell/window_memory_win.h"

#include <windows.h>
#include <commctrl.h>

#include "ini/ini.h"
#include "inventory/process_sort.h"
#include "inventory/process_view_win.h"
#include "shell/window_memory.h"
#include "ui/program_windows_win.h"
#include "ui/splitter_win.h"

namespace kelvaro {
namespace {

constexpr ControlId kSplitters[kRememberedSplitters] = {CtlProcessSplitter, CtlWindowSplitter,
                                                        CtlDetailsSplitter};

bool& Maximised() {
    static bool maximised = false;
    return maximised;
}

// On a screen that is there now, and within the sizes the window can be given.
bool FitsPresentScreens(const RECT& rect) {
    if (MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) == nullptr) return false;
    MINMAXINFO limits{};
    if (!ApplyTrackSizeLimits(WndMain, &limits)) return true;
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    return width >= limits.ptMinTrackSize.x && width <= limits.ptMaxTrackSize.x &&
           height >= limits.ptMinTrackSize.y && height <= limits.ptMaxTrackSize.y;
}

void RestorePlacement(HWND window, const WindowMemory& memory) {
    const RECT rect{memory.left, memory.top, memory.left + memory.width,
                    memory.top + memory.height};
    if (!FitsPresentScreens(rect)) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement)) return;
    placement.rcNormalPosition = rect;
    placement.showCmd = SW_HIDE;
    placement.flags = 0;
    SetWindowPlacement(window, &placement);
    Maximised() = memory.maximised;
}

void RestoreColumns(const WindowMemory& memory) {
    const HWND list = ControlHandle(CtlProcessList);
    if (list == nullptr) return;
    for (int column = 0; column < kRememberedColumns; ++column) {
        SendMessageA(list, LVM_SETCOLUMNWIDTH, column, memory.columnWidths[static_cast<size_t>(column)]);
    }
    int order[kRememberedColumns];
    for (int i = 0; i < kRememberedColumns; ++i) order[i] = memory.columnOrder[static_cast<size_t>(i)];
    SendMessageA(list, LVM_SETCOLUMNORDERARRAY, kRememberedColumns, reinterpret_cast<LPARAM>(order));
}

WindowMemory ReadLiveWindow(HWND window) {
    WindowMemory memory;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    const RECT& r = placement.rcNormalPosition;
    memory.left = r.left;
    memory.top = r.top;
    memory.width = r.right - r.left;
    memory.height = r.bottom - r.top;
    // A window minimised (or sent to the tray) from its maximised state comes back so.
    memory.maximised = IsZoomed(window) || (placement.flags & WPF_RESTORETOMAXIMIZED) != 0;
    if (const HWND list = ControlHandle(CtlProcessList)) {
        int order[kRememberedColumns] = {0, 1, 2, 3};
        SendMessageA(list, LVM_GETCOLUMNORDERARRAY, kRememberedColumns, reinterpret_cast<LPARAM>(order));
        for (int column = 0; column < kRememberedColumns; ++column) {
            const auto at = static_cast<size_t>(column);
            memory.columnWidths[at] = static_cast<int32_t>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
            memory.columnOrder[at] = order[column];
        }
    }
    for (int i = 0; i < kRememberedSplitters; ++i) {
        memory.splitters[static_cast<size_t>(i)] = SplitterPosition(ControlHandle(kSplitters[i]));
    }
    memory.sortKey = ProgramSortState().key;
    memory.sortDirection = ProgramSortState().direction;
    return memory;
}

}  // namespace

void RestoreWindowMemory() {
    if (!IniOpen(kSettingsFileName)) return;
    const std::optional<WindowMemory> memory = ReadWindowMemory();
    IniClose();
    const HWND window = ProgramWindow(WndMain);
    if (!memory || window == nullptr) return;
    RestorePlacement(window, *memory);
    // The splitters are sized by the layout first, so that each keeps the position given.
    ApplyLayout(WndMain);
    RestoreColumns(*memory);
    for (int i = 0; i < kRememberedSplitters; ++i) {
        SetSplitterPosition(ControlHandle(kSplitters[i]), memory->splitters[static_cast<size_t>(i)]);
    }
    SetSortKey(static_cast<SortKey>(memory->sortKey));
    SetSortDirection(static_cast<SortDirection>(memory->sortDirection));
}

bool RestoresMaximised() {
    return Maximised();
}

void SaveWindowMemory() {
    const HWND window = ProgramWindow(WndMain);
    if (window == nullptr) return;
    const WindowMemory memory = ReadLiveWindow(window);
    if (!IniOpen(kSettingsFileName)) return;
    WriteWindowMemory(memory);
    IniClose();
}

}  // namespace kelvaro
