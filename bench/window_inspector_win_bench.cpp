// Window inspector benchmark under Wine, while the window target program shows 2,000
// inner windows: ClearApplications + EnumerateWindows + the tree model (with every node's
// title and class read), and the whole RefreshWindowView with the tree control of the real
// main window filled, each against a bare EnumWindows + EnumChildWindows walk of the same
// desktop in the same run; then one details tick (ShowWindowDetails with the preview) of a
// 1280 x 1024 window.
#include <objbase.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "inspector/window_preview_win.h"
#include "inspector/window_system_win.h"
#include "inspector/window_tree.h"
#include "inspector/window_tree_control_win.h"
#include "inspector/window_view_win.h"
#include "shell/main_window_win.h"
#include "shell/window_proc_win.h"
#include "support/window_target.h"
#include "ui/dpi_win.h"
#include "ui/frame_win.h"
#include "ui/program_windows_win.h"
#include "ui/resources_win.h"

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
    bool Start(const std::string& arguments) {
        char own[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, own, MAX_PATH);
        std::string path(own);
        path.resize(path.find_last_of('\\') + 1);
        path += test::kWindowTargetExe;
        std::string commandLine = "\"" + path + "\" " + arguments;
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

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The program's main window with its controls, built as at start-up, on the "Fenster" page.
bool BuildProgramWindow() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                                        ICC_LISTVIEW_CLASSES |
                                                        ICC_TREEVIEW_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CreateProgramFonts();
    LoadProgramIcons(SystemDpi());
    if (!RegisterWindowClasses() || !BuildMainWindow()) return false;
    ApplyMainLayout();
    ShowPage(1);
    ShowWindow(MainWindow(), SW_SHOWNORMAL);
    Pump();
    return true;
}

// The parts of the model on their own.
void ModelParts() {
    const double enumerate = MedianSeconds(kRepetitions, [] {
        ClearApplications();
        EnumerateWindows();
    });
    const double tree = MedianSeconds(kRepetitions, [] { BuildProgramWindowTree(); });
    Report("ClearApplications + EnumerateWindows", enumerate * 1000, "ms");
    Report("the tree model (sorting, titles and classes read)", tree * 1000, "ms");
}

// The display position of the first node whose text starts with the prefix, or -1.
int32_t NodeStartingWith(const std::string& prefix) {
    const std::vector<TreeNode>& nodes = ProgramWindowTree().Nodes;
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].Text.rfind(prefix, 0) == 0) return static_cast<int32_t>(i);
    }
    return -1;
}

// The tree control's share of a refresh, each part timed on its own with the nodes open
// as the last refresh left them: FillTreeControl (removing and adding every node) with
// redrawing off, opening the remembered nodes, turning redrawing on, and the one painting
// that follows in the event loop.
void TreeControlParts(HWND tree) {
    std::vector<size_t> open;
    for (size_t i = 0; i < ProgramWindowTree().Nodes.size(); ++i)
        if (IsTreeNodeExpanded(tree, i)) open.push_back(i);
    const auto filled = [tree, &open](bool reopen) {
        SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
        FillTreeControl(tree, ProgramWindowTree());
        if (reopen) ExpandTreeNodes(tree, open);
    };
    const double fill = MedianSeconds(
        kRepetitions, [tree] { FillTreeControl(tree, ProgramWindowTree()); },
        [&filled] { filled(true); });
    const double reopen = MedianSeconds(
        kRepetitions, [tree, &open] { ExpandTreeNodes(tree, open); }, [&filled] { filled(false); });
    const double resume = MedianSeconds(
        kRepetitions, [tree] { SendMessageA(tree, WM_SETREDRAW, TRUE, 0); },
        [&filled] { filled(true); });
    const double paint = MedianSeconds(
        kRepetitions, [tree] { UpdateWindow(tree); },
        [tree] { InvalidateRect(tree, nullptr, TRUE); });
    Report("  of which removing and adding the nodes (FillTreeControl)", fill * 1000, "ms");
    Report("  of which opening the remembered nodes again", reopen * 1000, "ms");
    Report("  of which turning redrawing on", resume * 1000, "ms");
    Report("  painting the tree once afterwards (not in the refresh)", paint * 1000, "ms");
}

void ReportRatio(const char* label, const std::vector<double>& times,
                 const std::vector<double>& bareTimes) {
    const double median = Median(times);
    std::printf("  %s\n", label);
    Report("    median", median * 1000, "ms");
    Report("    as a multiple of the bare walk (medians)", median / Median(bareTimes), "x");
    Report("    the same for the fastest run of each",
           *std::min_element(times.begin(), times.end()) /
               *std::min_element(bareTimes.begin(), bareTimes.end()),
           "x");
}

// The bare walk, the model alone (ClearApplications + EnumerateWindows + tree model) and
// RefreshWindowView(true) with the tree control filled, timed in turns so that all three
// see the same load on the machine. The tree is painted between rounds, as the event
// loop would, outside the timed parts.
void RefreshAgainstBareWalk(const char* label) {
    const HWND tree = ControlHandle(CtlWindowTree);
    std::vector<double> bareTimes, modelTimes, refreshTimes;
    for (int i = 0; i < kRepetitions; ++i) {
        bareTimes.push_back(MedianSeconds(1, [] { KeepAlive(BareWalk()); }));
        modelTimes.push_back(MedianSeconds(1, [] {
            ClearApplications();
            EnumerateWindows();
            BuildProgramWindowTree();
        }));
        refreshTimes.push_back(MedianSeconds(1, [] { RefreshWindowView(true); }));
        UpdateWindow(tree);
        Pump();
    }
    std::printf("%s\n", label);
    Report("  bare EnumWindows + EnumChildWindows walk (median)", Median(bareTimes) * 1000, "ms");
    ReportRatio("ClearApplications + EnumerateWindows + tree model", modelTimes, bareTimes);
    ReportRatio("RefreshWindowView(true), tree control filled", refreshTimes, bareTimes);
    TreeControlParts(tree);
}

// One details tick of a 1280 x 1024 window: ShowWindowDetails, with its capture and the
// scaled drawing into the preview area.
void DetailsTick() {
    Target picture;
    if (!picture.Start("--tag Messbild --picture 1280x1024+0+0")) {
        std::printf("the picture window could not be shown\n");
        return;
    }
    RefreshWindowView(false);
    const int32_t position = NodeStartingWith(std::string(test::kTargetPictureTitle) + " Messbild");
    WindowSelection& selection = ProgramWindowSelection();
    ResolveTreeSelection(selection, ProgramApplications(), ProgramWindowTree().Nodes, position);
    const WindowHandle window = selection.SelectedWindow;
    if (window == 0) {
        std::printf("the picture window is not in the tree\n");
        return;
    }
    RECT area{};
    GetClientRect(ControlHandle(CtlPreview), &area);
    const double first = MedianSeconds(1, [window] { ShowWindowDetails(window); });
    const double tick = MedianSeconds(
        kRepetitions, [window] { ShowWindowDetails(window); }, Pump);
    const double capture = MedianSeconds(
        kRepetitions, [window] { CaptureWindow(window); }, Pump);
    const double preview = MedianSeconds(
        kRepetitions, [window] { UpdatePreview(window); }, Pump);
    const PictureSize size = PreviewPictureSize();
    std::printf("details tick of a %d x %d window into a %ld x %ld preview area\n", size.Width,
                size.Height, area.right, area.bottom);
    Report("  first ShowWindowDetails", first * 1000, "ms");
    Report("  ShowWindowDetails (median)", tick * 1000, "ms");
    Report("  of which CaptureWindow", capture * 1000, "ms");
    Report("  of which UpdatePreview (capture and drawing)", preview * 1000, "ms");
    ProgramWindowSelection() = {};
}

}  // namespace
}  // namespace kelvaro::bench

int main() {
    using namespace kelvaro;
    using namespace kelvaro::bench;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Target target;
    if (!target.Start("--tag Messung --inner " + std::to_string(kInnerWindows))) {
        std::printf("the window target program could not be started\n");
        return 1;
    }
    if (!BuildProgramWindow()) {
        std::printf("the main window could not be built\n");
        return 1;
    }

    const long walked = BareWalk();
    RefreshWindowView(false);
    Pump();
    Report("windows of the desktop (top-level and inner, bare walk)", walked, "");
    Report("top-level windows in the model", ProgramWindowTree().WindowCount, "");
    Report("inner windows in the model", ProgramWindowTree().InnerWindowCount, "");

    ModelParts();
    BreakDown();
    RefreshWindowView(false);
    RefreshAgainstBareWalk("refresh with every node closed:");
    const int32_t application = NodeStartingWith(test::kWindowTargetExe);
    const int32_t many = NodeStartingWith(test::kTargetManyTitle);
    if (application >= 0 && many >= 0) {
        ExpandTreeNodes(ControlHandle(CtlWindowTree),
                        {static_cast<size_t>(application), static_cast<size_t>(many)});
        RefreshAgainstBareWalk("refresh with the 2,000 inner windows' node open:");
    }
    DetailsTick();

    ReleaseWindowView();
    CoUninitialize();
    return 0;
}
