// Whole-program benchmarks of Kelvaro(x64).exe under Wine, against a minimal Win32
// program measured in the same run:
//   start-up: from CreateProcess to the first visible top-level window of the process;
//   idle: CPU time of the running program over 10 s without input (GetProcessTimes; on
//   Windows only: under Wine use main_program_idle.sh).
// Both programs are looked for next to this executable.
//   memory: the working set (and its peak) of each program once its window is visible and
//   it waits for input;
//   main_program_bench.exe [rounds] [idle seconds] [program instead of Kelvaro(x64).exe]
//                          [a second build of the program, taking turns with the first]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string NextToMe(const std::string& name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

std::string NewFolder(int round) {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    const std::string folder = std::string(base) + "kelvaro-bench-" +
                               std::to_string(GetCurrentProcessId()) + "-" + std::to_string(round);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// Whether a top-level window of the program's first thread is visible. Only that thread's
// windows are asked about: going through every window of the desktop each millisecond
// would load the wineserver that the starting program needs. (Out-of-context WinEvent
// hooks, which would need no polling at all, do not report other processes under Wine 8.)
bool HasVisibleWindow(DWORD threadId) {
    bool visible = false;
    EnumThreadWindows(
        threadId,
        [](HWND window, LPARAM param) -> BOOL {
            if (!IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<bool*>(param) = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&visible));
    return visible;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

struct Running {
    PROCESS_INFORMATION info{};
    double secondsToWindow = -1;
    double workingSetMiB = -1;
    double peakWorkingSetMiB = -1;
};

// The memory of a program that has shown its window and waits for input (under Wine the
// Linux process's resident and peak resident size).
void ReadMemory(Running& running) {
    WaitForInputIdle(running.info.hProcess, 5000);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!K32GetProcessMemoryInfo(running.info.hProcess, &counters, sizeof(counters))) return;
    running.workingSetMiB = static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
    running.peakWorkingSetMiB =
        static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

Running Start(const std::string& program, const std::string& folder) {
    Running running;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + program + "\"";
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &running.info)) {
        return running;
    }
    for (int i = 0; i < 30000; ++i) {
        if (HasVisibleWindow(running.info.dwThreadId)) {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            running.secondsToWindow = Seconds(start, now);
            break;
        }
        Sleep(1);
    }
    return running;
}

void Stop(Running& running) {
    if (running.info.hProcess == nullptr) return;
    TerminateProcess(running.info.hProcess, 0);
    WaitForSingleObject(running.info.hProcess, 10000);
    CloseHandle(running.info.hThread);
    CloseHandle(running.info.hProcess);
    running.info = {};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Minimum(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

double CpuSeconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    auto value = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

// The cost of one request to the wineserver (an event made and closed is two), which sets
// the pace of everything a starting program asks of the window system. It varies with
// the machine's load and its wake-up latency, so it is reported beside the figures.
double ServerRoundTripMicroseconds() {
    constexpr int kPairs = 5000;
    LARGE_INTEGER from;
    LARGE_INTEGER to;
    QueryPerformanceCounter(&from);
    for (int i = 0; i < kPairs; ++i) CloseHandle(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    QueryPerformanceCounter(&to);
    return Seconds(from, to) * 1e6 / (2 * kPairs);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 7;
    const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 10;
    const std::string kelvaro = NextToMe(argc > 3 ? argv[3] : "Kelvaro(x64).exe");
    const std::string minimal = NextToMe("bench_minimal_window.exe");
    const std::string second = argc > 4 ? NextToMe(argv[4]) : std::string();

    std::vector<double> kelvaroTimes;
    std::vector<double> minimalTimes;
    std::vector<double> secondTimes;
    std::vector<double> kelvaroMemory, kelvaroPeak, secondMemory, secondPeak;
    for (int round = 0; round < rounds; ++round) {
        // Alternating, so that a busy moment of the machine hits both alike.
        Running a = Start(minimal, NewFolder(round));
        Stop(a);
        Running b = Start(kelvaro, NewFolder(round));
        ReadMemory(b);
        Stop(b);
        Running c;
        if (!second.empty()) {
            c = Start(second, NewFolder(round));
            ReadMemory(c);
            Stop(c);
        }
        if (a.secondsToWindow < 0 || b.secondsToWindow < 0 ||
            (!second.empty() && c.secondsToWindow < 0)) {
            std::printf("round %d: a program showed no window\n", round);
            return 1;
        }
        minimalTimes.push_back(a.secondsToWindow);
        kelvaroTimes.push_back(b.secondsToWindow);
        kelvaroMemory.push_back(b.workingSetMiB);
        kelvaroPeak.push_back(b.peakWorkingSetMiB);
        if (!second.empty()) {
            secondTimes.push_back(c.secondsToWindow);
            secondMemory.push_back(c.workingSetMiB);
            secondPeak.push_back(c.peakWorkingSetMiB);
        }
    }
    // The median is the figure; the fastest run shows the work itself when other work
    // shares the machine.
    const double minimalMedian = Median(minimalTimes);
    const double kelvaroMedian = Median(kelvaroTimes);
    std::printf("start-up to visible window, %d runs each (wineserver request: %.1f us)\n", rounds,
                ServerRoundTripMicroseconds());
    std::printf("  median:  minimal %.0f ms, Kelvaro %.0f ms, ratio %.2f (goal at most 1.5)\n",
                minimalMedian * 1000, kelvaroMedian * 1000, kelvaroMedian / minimalMedian);
    std::printf("  fastest: minimal %.0f ms, Kelvaro %.0f ms, ratio %.2f\n",
                Minimum(minimalTimes) * 1000, Minimum(kelvaroTimes) * 1000,
                Minimum(kelvaroTimes) / Minimum(minimalTimes));
    std::printf("  memory (median working set / peak): %s %.1f / %.1f MiB\n",
                argc > 3 ? argv[3] : "Kelvaro(x64).exe", Median(kelvaroMemory),
                Median(kelvaroPeak));
    if (!second.empty()) {
        std::printf("  %s: median %.0f ms, fastest %.0f ms, ratio to the first %.3f / %.3f\n",
                    argv[4], Median(secondTimes) * 1000, Minimum(secondTimes) * 1000,
                    Median(secondTimes) / kelvaroMedian,
                    Minimum(secondTimes) / Minimum(kelvaroTimes));
        std::printf("  memory (median working set / peak): %s %.1f / %.1f MiB\n", argv[4],
                    Median(secondMemory), Median(secondPeak));
    }

    // Wine does not bring another process's CPU times up to date while it runs, so the
    // difference would read 0 and look like a goal met.
    if (RunningUnderWine()) {
        std::printf(
            "idle: Wine keeps no current CPU times of another process; "
            "measure with bench/main_program_idle.sh\n");
        return 0;
    }
    Running idle = Start(kelvaro, NewFolder(rounds));
    Sleep(2000);  // start-up work done, only the loop left
    const double before = CpuSeconds(idle.info.hProcess);
    Sleep(static_cast<DWORD>(idleSeconds) * 1000);
    const double after = CpuSeconds(idle.info.hProcess);
    Stop(idle);
    if (before < 0 || after < 0) {
        std::printf("idle: process times not available\n");
        return 1;
    }
    const double percent = (after - before) / idleSeconds * 100;
    std::printf("idle for %d s: %.3f s CPU, %.2f%% of one core (goal below 1%%)\n", idleSeconds,
                after - before, percent);
    return 0;
}
