// The refresh of the process list view under Wine, inside the real program: its start-up,
// main window and event loop run on the main thread, and a second thread posts each round
// and waits for the list to be painted.
//   synthetic refresh: an event posted to the main window empties the process list, walks
//     2,000 synthetic snapshot entries through the snapshot walk (classified by 667
//     definitions), sorts and fills the list; the clock runs from the post until the list
//     view has finished painting.
//   command 3: "Liste aktualisieren" as the menu sends it, with the real snapshot of the
//     Wine prefix, posted to painted.
//   process_view_win_bench.exe [rounds]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "inventory/definitions.h"
#include "inventory/kill_list.h"
#include "inventory/process_list.h"
#include "inventory/process_sort.h"
#include "inventory/process_view_win.h"
#include "kelvaro_version.h"
#include "shell/event_loop_win.h"
#include "shell/program_win.h"
#include "support/program_window_win.h"
#include "ui/ids.h"
#include "ui/program_windows_win.h"

namespace {

using namespace kelvaro;

constexpr int kBenchTimer = 97;
constexpr int kRecords = 2000;

struct Clock {
    HANDLE painted = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::atomic<bool> awaitingPaint{false};
    WNDPROC listProcedure = nullptr;
    LARGE_INTEGER handlerStart{};
    LARGE_INTEGER fillStart{};
    LARGE_INTEGER handlerEnd{};
};

Clock& State() {
    static Clock clock;
    return clock;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

// The list view's own painting runs first; the round ends when it has drawn the list.
LRESULT CALLBACK TimedListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(State().listProcedure, list, message, wParam, lParam);
    if (message == WM_PAINT && State().awaitingPaint.exchange(false)) SetEvent(State().painted);
    return result;
}

std::string SyntheticName(int i) {
    static const char* const stems[] = {"svchost",  "Service",  "chrome",  "RuntimeBroker",
                                        "explorer", "WmiPrvSE", "conhost", "dllhost"};
    return std::string(stems[(i * 7) % 8]) + std::to_string((i * 7919) % 1000) + ".exe";
}

std::string SyntheticDefinitions() {
    std::string bytes;
    for (int i = 0; i < kRecords; i += 3) {
        bytes += std::to_string(i % 5) + "\r\n" + SyntheticName(i) +
                 "\r\nEin Dienst, der im Hintergrund l\xE4uft.\xB5Nicht beenden.\xB5\r\n";
    }
    return bytes;
}

// The process half of a refresh with a snapshot of 2,000 synthetic entries.
void SyntheticRefresh() {
    QueryPerformanceCounter(&State().handlerStart);
    ProgramProcesses().Clear();
    const SnapshotServices services{[](uint32_t) { return false; }, [] { return true; }, [] {}, 0};
    SnapshotWalk walk(ProgramProcesses(), ProgramKillList(), ProgramDefinitions(), services);
    for (int i = 0; i < kRecords; ++i) {
        const std::string name = SyntheticName(i);
        walk.OnProcessFound(
            {static_cast<uint32_t>(1000 + i), 1 + (i * 13) % 90, 4 + 2 * (i % 4), name});
    }
    SortProcessList();
    QueryPerformanceCounter(&State().fillStart);
    FillProcessList();
    QueryPerformanceCounter(&State().handlerEnd);
    State().awaitingPaint = true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char* name, const std::vector<double>& values) {
    std::printf("%-58s median %7.2f ms  fastest %7.2f ms  slowest %7.2f ms\n", name, Median(values),
                *std::min_element(values.begin(), values.end()),
                *std::max_element(values.begin(), values.end()));
}

// One round: post the event, wait until the list has been painted.
double TimedRound(HWND window, UINT message, WPARAM wParam, bool armed) {
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    if (armed) State().awaitingPaint = true;
    QueryPerformanceCounter(&start);
    PostMessageA(window, message, wParam, 0);
    if (WaitForSingleObject(State().painted, 10000) != WAIT_OBJECT_0) return -1;
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

void RunRounds(int rounds) {
    HWND window = nullptr;
    for (int i = 0; i < 1000; ++i) {
        window = test::ProgramMainWindow();
        if (window != nullptr && IsWindowVisible(window)) break;
        window = nullptr;
        Sleep(20);
    }
    const HWND list = ControlHandle(CtlProcessList);
    if (window == nullptr || list == nullptr) {
        std::printf("the program did not come up\n");
        ExitProcess(1);
    }
    Sleep(500);  // the start-up's own painting is over
    State().listProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimedListProcedure)));

    std::vector<double> synthetic;
    std::vector<double> handler;
    std::vector<double> fill;
    std::vector<double> command;
    for (int round = 0; round < rounds; ++round) {
        const double total = TimedRound(window, WM_TIMER, kBenchTimer, false);
        if (total < 0) break;
        synthetic.push_back(total);
        handler.push_back(Milliseconds(State().handlerStart, State().handlerEnd));
        fill.push_back(Milliseconds(State().fillStart, State().handlerEnd));
        Sleep(50);
    }
    const size_t rows = static_cast<size_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int round = 0; round < rounds; ++round) {
        const double total = TimedRound(window, WM_COMMAND, CmdRefreshLists, true);
        if (total < 0) break;
        command.push_back(total);
        Sleep(50);
    }
    const size_t realRows = static_cast<size_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    std::printf("%d rounds each; list rows: %zu synthetic, %zu from the real snapshot\n", rounds,
                rows, realRows);
    if (!synthetic.empty()) {
        Report("synthetic refresh of 2,000 rows, posted to painted", synthetic);
        Report("  of which the handler (walk, sort, fill)", handler);
        Report("  of which FillProcessList", fill);
    }
    if (!command.empty()) Report("command 3 with the real snapshot, posted to painted", command);
    std::fflush(stdout);
    // A process's working folder cannot be removed while it is one.
    const std::filesystem::path folder = std::filesystem::current_path();
    SetCurrentDirectoryA(folder.parent_path().string().c_str());
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    // The program reads and creates its files in the working folder: a fresh one.
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    const std::string folder =
        std::string(base) + "kelvaro-view-bench-" + std::to_string(GetCurrentProcessId());
    std::filesystem::create_directories(folder);
    SetCurrentDirectoryA(folder.c_str());

    ProgramDefinitions().AppendFile(SyntheticDefinitions());
    ProgramDispatch().OnTimer(kBenchTimer, SyntheticRefresh);
    std::thread(RunRounds, rounds).detach();
    // The program's definitions file is empty; the synthetic ones stay when it is read.
    kelvaro::RunProgram(KELVARO_VERSION_TEXT);
}
