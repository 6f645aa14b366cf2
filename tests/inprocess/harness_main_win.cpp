// Entry of the in-process test build. One run is one program run, in one of the start-up
// modes of kModes, chosen by the first argument; each mode runs its own test suites.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "inprocess/harness.h"
#include "kelvaro_version.h"
#include "shell/event_loop_win.h"
#include "shell/program_win.h"
#include "support/temp_dir.h"
#include "ui/program_windows_win.h"

namespace kelvaro::test {
namespace {

// The harness's own timer number, through which work reaches the program's thread.
constexpr int kHarnessTimer = 99;

struct Harness {
    std::mutex mutex;
    std::deque<std::function<void()>> work;
    std::vector<int> headerClicks;
    std::map<std::pair<int, int>, int> controlEvents;
    std::atomic<int> testTimerCount{0};
    std::atomic<int> autoRefreshTicks{0};
    std::atomic<int> refreshCommands{0};
    std::atomic<HCURSOR> cursorDuringRefresh{nullptr};
    std::atomic<HCURSOR> cursorDuringDetailsTick{nullptr};
    std::string folder;
};

Harness& State() {
    static Harness harness;
    return harness;
}

// A message-only window of the program's thread that raises an event for each marker
// posted to it; being no window of the program, its messages pass no event gate.
constexpr UINT kMarkerMessage = WM_APP + 17;
HWND g_marker = nullptr;

LRESULT CALLBACK MarkerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kMarkerMessage) {
        SetEvent(reinterpret_cast<HANDLE>(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void CreateMarkerWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = MarkerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KelvaroHarnessMarker";
    RegisterClassA(&windowClass);
    g_marker = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                               nullptr, windowClass.hInstance, nullptr);
}

void RunPendingWork() {
    for (;;) {
        std::function<void()> next;
        {
            std::lock_guard<std::mutex> lock(State().mutex);
            if (State().work.empty()) return;
            next = std::move(State().work.front());
            State().work.pop_front();
        }
        next();
    }
}

void CountTestTimer() {
    ++State().testTimerCount;
}
void CountAutoRefreshTick() {
    ++State().autoRefreshTicks;
}
void CountRefreshCommand() {
    State().cursorDuringRefresh = GetCursor();
    ++State().refreshCommands;
}
void NoteCursorOfDetailsTick() {
    State().cursorDuringDetailsTick = GetCursor();
}

void RecordHeaderClick(int column) {
    std::lock_guard<std::mutex> lock(State().mutex);
    State().headerClicks.push_back(column);
}

template <int Control, ControlEventType Type>
void RecordControlEvent() {
    std::lock_guard<std::mutex> lock(State().mutex);
    ++State().controlEvents[{Control, static_cast<int>(Type)}];
}

template <int Control>
void ObserveControl(DispatchTables& tables) {
    const ControlId id = static_cast<ControlId>(Control);
    tables.OnControl(id, ControlEventType::Change,
                     RecordControlEvent<Control, ControlEventType::Change>);
    tables.OnControl(id, ControlEventType::LeftClick,
                     RecordControlEvent<Control, ControlEventType::LeftClick>);
    tables.OnControl(id, ControlEventType::RightClick,
                     RecordControlEvent<Control, ControlEventType::RightClick>);
    tables.OnControl(id, ControlEventType::LeftDoubleClick,
                     RecordControlEvent<Control, ControlEventType::LeftDoubleClick>);
    tables.OnControl(id, ControlEventType::RightDoubleClick,
                     RecordControlEvent<Control, ControlEventType::RightDoubleClick>);
}

bool WaitForEventLoop() {
    for (int i = 0; i < 1000 && ProgramMainWindow() == nullptr; ++i) Sleep(20);
    const HWND window = ProgramMainWindow();
    DWORD_PTR ignored = 0;
    // Returns only once the program's thread takes messages, that is, in its event loop.
    return window != nullptr &&
           SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored) != 0;
}

// A definitions file that calls the Wine desktop process "Gefährlich".
constexpr const char* kDangerousDefinitions = "3\r\nexplorer.exe\r\nDer Desktop\xB5\r\n";

// Settings files of the modes, each with a kill list for Wine's notepad. The update check
// at start-up stays off: it would ask the network.
constexpr const char* kStartMinimisedSettings =
    "[Einstellungen]\r\nMinimiert Starten = 1\r\nAutoAktualisieren = 0\r\n"
    "AutoNachUpdatesSuchen = 0\r\nTimeout = 1\r\n[Prozesse zum Beenden]\r\n0 = NOTEPAD.exe\r\n";
constexpr const char* kStartMinimisedRefreshingSettings =
    "[Einstellungen]\r\nMinimiert Starten = 1\r\nAutoAktualisieren = 1\r\n"
    "AutoNachUpdatesSuchen = 0\r\nTimeout = 1\r\n[Prozesse zum Beenden]\r\n0 = NOTEPAD.exe\r\n";
constexpr const char* kNegativeTimeoutSettings =
    "[Einstellungen]\r\nMinimiert Starten = 0\r\nAutoAktualisieren = 1\r\n"
    "AutoNachUpdatesSuchen = 0\r\nTimeout = -1\r\n[Prozesse zum Beenden]\r\n0 = NOTEPAD.exe\r\n";

// The start-up modes: the argument, the suites it runs, and the files the program finds in
// its working folder (none when null).
struct Mode {
    const char* argument;
    const char* suites;
    const char* settings;
    const char* definitions;
};
constexpr Mode kModes[] = {
    {"", "-StartMinimised*:NegativeTimeout.*", nullptr, nullptr},
    {"--start-minimised", "StartMinimised.*", kStartMinimisedSettings, nullptr},
    {"--start-minimised-dangerous", "StartMinimisedDangerous.*", kStartMinimisedRefreshingSettings,
     kDangerousDefinitions},
    {"--negative-timeout", "NegativeTimeout.*", kNegativeTimeoutSettings, nullptr},
    {"--dpi-layout", "DpiLayout.*", nullptr, nullptr},
};

const Mode* FindMode(const std::string& argument) {
    for (const Mode& mode : kModes) {
        if (argument == mode.argument) return &mode;
    }
    return nullptr;
}

}  // namespace

bool RunOnMainThread(const std::function<void()>& work, int timeoutMs) {
    auto done = std::shared_ptr<void>(CreateEventA(nullptr, TRUE, FALSE, nullptr), CloseHandle);
    {
        std::lock_guard<std::mutex> lock(State().mutex);
        State().work.push_back([work, done] {
            work();
            SetEvent(done.get());
        });
    }
    PostMessageA(ProgramMainWindow(), WM_TIMER, kHarnessTimer, 0);
    return WaitForSingleObject(done.get(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

bool WaitForPostedMessages(int timeoutMs) {
    static const HANDLE seen = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ResetEvent(seen);
    return g_marker != nullptr &&
           PostMessageA(g_marker, kMarkerMessage, 0, reinterpret_cast<LPARAM>(seen)) &&
           WaitForSingleObject(seen, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

int TestTimerCount() {
    return State().testTimerCount.load();
}
int AutoRefreshTickCount() {
    return State().autoRefreshTicks.load();
}
int RefreshCommandCount() {
    return State().refreshCommands.load();
}

std::vector<int> HeaderClicks() {
    std::lock_guard<std::mutex> lock(State().mutex);
    return State().headerClicks;
}

int ControlEventCount(int control, ControlEventType type) {
    std::lock_guard<std::mutex> lock(State().mutex);
    const auto found = State().controlEvents.find({control, static_cast<int>(type)});
    return found == State().controlEvents.end() ? 0 : found->second;
}
HCURSOR CursorDuringRefreshCommand() {
    return State().cursorDuringRefresh.load();
}
HCURSOR CursorDuringDetailsTick() {
    return State().cursorDuringDetailsTick.load();
}
void ForgetCursorsSeen() {
    State().cursorDuringRefresh = nullptr;
    State().cursorDuringDetailsTick = nullptr;
}
const std::string& HarnessFolder() {
    return State().folder;
}

LRESULT SendWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

void SendHeaderNotification(HWND list, HWND from, UINT code, int column) {
    NMHEADERA notification{};
    notification.hdr.hwndFrom = from;
    notification.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(from));
    notification.hdr.code = code;
    notification.iItem = column;
    SendWait(list, WM_NOTIFY, notification.hdr.idFrom, reinterpret_cast<LPARAM>(&notification));
}

}  // namespace kelvaro::test

int main(int argc, char** argv) {
    using namespace kelvaro;
    ::testing::InitGoogleTest(&argc, argv);
    const test::Mode* mode = test::FindMode(argc > 1 ? argv[1] : "");
    if (mode == nullptr) return 2;
    if (::testing::GTEST_FLAG(filter) == "*") ::testing::GTEST_FLAG(filter) = mode->suites;

    char original[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, original);
    auto folder = std::make_unique<test::TempDir>();
    test::State().folder = folder->path();
    SetCurrentDirectoryA(folder->path().c_str());
    if (mode->definitions != nullptr) {
        test::WriteBytes(folder->File("Kelvaro"), mode->definitions);
    }
    if (mode->settings != nullptr) test::WriteBytes(folder->File("Kelvaro.ini"), mode->settings);

    DispatchTables& tables = ProgramDispatch();
    tables.OnTimer(test::kHarnessTimer, test::RunPendingWork);
    tables.OnTimer(test::kTestTimer, test::CountTestTimer);
    tables.OnTimer(TimerAutoRefresh, test::CountAutoRefreshTick);
    tables.OnCommand(CmdRefreshLists, test::CountRefreshCommand);
    tables.OnTimer(TimerDetails, test::NoteCursorOfDetailsTick);
    tables.OnColumnHeaderClick(test::RecordHeaderClick);
    test::ObserveControl<CtlWindowTree>(tables);
    test::ObserveControl<CtlWindowProperties>(tables);
    test::CreateMarkerWindow();

    std::thread([&folder, original] {
        const int result = test::WaitForEventLoop() ? RUN_ALL_TESTS() : 2;
        SetCurrentDirectoryA(original);
        folder.reset();
        std::fflush(stdout);
        ExitProcess(static_cast<UINT>(result));
    }).detach();
    RunProgram(KELVARO_VERSION_TEXT);
}
