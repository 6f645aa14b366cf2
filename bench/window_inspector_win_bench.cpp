// Window inspector benchmark under Wine: ClearApplications + EnumerateWindows + the tree
// model (with every node's title and class read) while the window target program shows
// 2,000 inner windows, against a bare EnumWindows + EnumChildWindows walk of the same
// desktop in the same run.
#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "inspector/window_system_win.h"
#include "inspector/window_tree.h"
#include "support/window_target.h"

namespace kelvaro::bench {
namespace {

constexpr int kInnerWindows = 2000;
constexpr int kRepetitions = 21;

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevelAndInside(HWND window, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

long BareWalk() {
    long count = 0;
    EnumWindows(CountTopLevelAndInside, reinterpret_cast<LPARAM>(&count));
    return count;
}

struct Target {
    PROCESS_INFORMATION info{};
    bool Start() {
        char own[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, own, MAX_PATH);
        std::string path(own);
        path.resize(path.find_last_of('\\') + 1);
        path += test::kWindowTargetExe;
        std::string commandLine =
            "\"" + path + "\" --tag Messung --inner " + std::to_string(kInnerWindows);
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &info)) {
            return false;
        }
        return WaitForInputIdle(info.hProcess, 60000) == 0;
    }
    ~Target() {
        if (info.hProcess == nullptr) return;
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The system calls behind the figures, each over the windows and processes of the model.
void BreakDown() {
    std::vector<WindowHandle> windows;
    std::vector<std::uint32_t> processes;
    std::vector<std::string> paths;
    for (const ApplicationRecord& record : ProgramApplications()) {
        for (const WindowRecord& window : record.Windows) {
            windows.push_back(window.Handle);
            windows.insert(windows.end(), window.Children.begin(), window.Children.end());
        }
    }
    const WindowServices& system = SystemWindowServices();
    for (const ApplicationRecord& record : ProgramApplications()) {
        for (const WindowRecord& window : record.Windows) {
            const std::uint32_t pid = system.owningProcessId(window.Handle);
            if (std::find(processes.begin(), processes.end(), pid) == processes.end()) {
                processes.push_back(pid);
                if (auto path = system.firstModulePath(pid)) paths.push_back(*path);
            }
        }
    }
    const double modules = MedianSeconds(kRepetitions, [&] {
        for (std::uint32_t pid : processes)
            KeepAlive(system.firstModulePath(pid));
    });
    const double icons = MedianSeconds(kRepetitions, [&] {
        for (const std::string& path : paths)
            ReleaseIcon(system.smallFileIcon(path));
    });
    const double titles = MedianSeconds(kRepetitions, [&] {
        for (WindowHandle window : windows)
            KeepAlive(ReadWindowTitle(window));
    });
    const double classes = MedianSeconds(kRepetitions, [&] {
        for (WindowHandle window : windows)
            KeepAlive(ReadWindowClass(window));
    });
    Report("  module snapshots, one per process", modules * 1000, "ms");
    Report("  processes with windows", static_cast<double>(processes.size()), "");
    Report("  small icons fetched and released, one per application", icons * 1000, "ms");
    Report("  ReadWindowTitle of every window", titles * 1000, "ms");
    Report("  ReadWindowClass of every window", classes * 1000, "ms");
}

}  // namespace
}  // namespace kelvaro::bench

int main() {
    using namespace kelvaro;
    using namespace kelvaro::bench;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Target target;
    if (!target.Start()) {
        std::printf("the window target program could not be started\n");
        return 1;
    }

    const long walked = BareWalk();
    ClearApplications();
    EnumerateWindows();
    BuildProgramWindowTree();
    Report("windows of the desktop (top-level and inner, bare walk)", walked, "");
    Report("top-level windows in the model", ProgramWindowTree().WindowCount, "");
    Report("inner windows in the model", ProgramWindowTree().InnerWindowCount, "");

    // The two are timed in turns, so both see the same load on the machine.
    std::vector<double> bareTimes, wholeTimes;
    for (int i = 0; i < kRepetitions; ++i) {
        bareTimes.push_back(MedianSeconds(1, [] { KeepAlive(BareWalk()); }));
        wholeTimes.push_back(MedianSeconds(1, [] {
            ClearApplications();
            EnumerateWindows();
            BuildProgramWindowTree();
        }));
    }
    const double bare = Median(bareTimes);
    const double whole = Median(wholeTimes);
    const double bareFastest = *std::min_element(bareTimes.begin(), bareTimes.end());
    const double wholeFastest = *std::min_element(wholeTimes.begin(), wholeTimes.end());
    const double enumerate = MedianSeconds(kRepetitions, [] {
        ClearApplications();
        EnumerateWindows();
    });
    const double tree = MedianSeconds(kRepetitions, [] { BuildProgramWindowTree(); });

    Report("bare EnumWindows + EnumChildWindows walk", bare * 1000, "ms");
    Report("ClearApplications + EnumerateWindows + tree model", whole * 1000, "ms");
    Report("whole refresh model as a multiple of the bare walk", whole / bare, "x");
    Report("the same for the fastest run of each", wholeFastest / bareFastest, "x");
    Report("  of which ClearApplications + EnumerateWindows", enumerate * 1000, "ms");
    Report("  of which the tree model (titles and classes read)", tree * 1000, "ms");
    BreakDown();

    ClearApplications();
    CoUninitialize();
    return 0;
}
