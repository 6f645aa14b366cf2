// The window model against the real window system under Wine: the window target program
// runs in one or more instances and copies, and the enumeration must group, order and
// read its windows as they are.
#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "inspector/window_system_win.h"
#include "inspector/window_tree.h"
#include "support/temp_dir.h"
#include "support/window_target_process.h"

namespace kelvaro {
namespace {

using test::WindowTargetProcess;

std::string Tagged(const char* title, const std::string& tag) {
    return std::string(title) + " " + tag;
}

class WindowEnumerationWin : public ::testing::Test {
protected:
    WindowEnumerationWin() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the shell's icon look-up needs COM
        ClearApplications();
    }
    ~WindowEnumerationWin() override {
        ClearApplications();
        CoUninitialize();
    }

    static void Enumerate() {
        ClearApplications();
        EnumerateWindows();
    }

    static std::vector<const ApplicationRecord*> RecordsNamed(const std::string& name) {
        std::vector<const ApplicationRecord*> records;
        for (const ApplicationRecord& record : ProgramApplications()) {
            if (record.Name == name) records.push_back(&record);
        }
        return records;
    }

    // The record's top-level windows that belong to one process, in list order.
    static std::vector<HWND> WindowsOf(const ApplicationRecord& record, DWORD processId) {
        std::vector<HWND> windows;
        for (const WindowRecord& window : record.Windows) {
            DWORD owner = 0;
            GetWindowThreadProcessId(ToHwnd(window.Handle), &owner);
            if (owner == processId) windows.push_back(ToHwnd(window.Handle));
        }
        return windows;
    }

    static const WindowRecord* RecordOfWindow(HWND window) {
        for (const ApplicationRecord& record : ProgramApplications()) {
            for (const WindowRecord& candidate : record.Windows) {
                if (ToHwnd(candidate.Handle) == window) return &candidate;
            }
        }
        return nullptr;
    }

    static std::string CopyTarget(const test::TempDir& dir, const std::string& folder,
                                  const std::string& name) {
        std::filesystem::create_directories(dir.File(folder));
        const std::string path = dir.File(folder) + "\\" + name;
        EXPECT_TRUE(CopyFileA(test::WindowTargetPath().c_str(), path.c_str(), FALSE)) << path;
        return path;
    }
};

// Every window below `parent` in pre-order, siblings from the top of the z-order down:
// the order a full walk of the window tree reports them in.
void WalkDescendants(HWND parent, std::vector<HWND>& out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        out.push_back(child);
        WalkDescendants(child, out);
    }
}

TEST_F(WindowEnumerationWin, InstancesAndFolderCopiesOfOneFileNameShareOneRecord) {
    test::TempDir dir;
    const std::string copy = CopyTarget(dir, "kopie", test::kWindowTargetExe);
    WindowTargetProcess first(test::WindowTargetPath(), "--tag Erster");
    WindowTargetProcess second(test::WindowTargetPath(), "--tag Zweiter");
    WindowTargetProcess elsewhere(copy, "--tag Kopie");
    ASSERT_TRUE(first.started() && second.started() && elsewhere.started());

    Enumerate();
    const auto records = RecordsNamed(test::kWindowTargetExe);
    ASSERT_EQ(records.size(), 1u);
    for (const WindowTargetProcess* target : {&first, &second, &elsewhere}) {
        // All the process's top-level windows, in the system's z-order.
        EXPECT_EQ(WindowsOf(*records[0], target->processId()),
                  test::TopLevelWindowsOf(target->processId()));
        EXPECT_GE(WindowsOf(*records[0], target->processId()).size(), 4u)
            << "main, untitled, invisible and tool window";
    }
    // Each handle once, in the order the system reported them.
    std::vector<HWND> listed;
    for (const WindowRecord& window : records[0]->Windows)
        listed.push_back(ToHwnd(window.Handle));
    std::vector<HWND> all;
    EnumWindows(
        [](HWND window, LPARAM out) {
            reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> expected;
    std::copy_if(all.begin(), all.end(), std::back_inserter(expected), [&](HWND window) {
        return std::find(listed.begin(), listed.end(), window) != listed.end();
    });
    EXPECT_EQ(listed, expected);
}

// Wine reports the executable's path with the file name spelt as the program was started,
// so each copy is started by the name it has on disk.
TEST_F(WindowEnumerationWin, FileNamesThatDifferOnlyInCaseGiveTwoRecords) {
    test::TempDir dir;
    const std::string lower = CopyTarget(dir, "klein", "kv_case_target.exe");
    const std::string mixed = CopyTarget(dir, "gross", "KV_Case_Target.exe");
    WindowTargetProcess a(lower, "--tag klein");
    WindowTargetProcess b(mixed, "--tag gross");
    ASSERT_TRUE(a.started() && b.started());

    Enumerate();
    const auto lowerRecords = RecordsNamed("kv_case_target.exe");
    const auto mixedRecords = RecordsNamed("KV_Case_Target.exe");
    ASSERT_EQ(lowerRecords.size(), 1u);
    ASSERT_EQ(mixedRecords.size(), 1u);
    EXPECT_GE(WindowsOf(*lowerRecords[0], a.processId()).size(), 4u);
    EXPECT_TRUE(WindowsOf(*lowerRecords[0], b.processId()).empty());
    EXPECT_GE(WindowsOf(*mixedRecords[0], b.processId()).size(), 4u);
    EXPECT_TRUE(WindowsOf(*mixedRecords[0], a.processId()).empty());
}

TEST_F(WindowEnumerationWin, EveryDescendantAtEveryDepthIsInOneFlatListInWalkOrder) {
    WindowTargetProcess target(test::WindowTargetPath(), "--tag Tiefe");
    ASSERT_TRUE(target.started());
    Enumerate();
    const WindowRecord* main = RecordOfWindow(target.mainWindow());
    ASSERT_NE(main, nullptr);

    std::vector<HWND> walked;
    WalkDescendants(target.mainWindow(), walked);
    std::vector<HWND> children;
    for (WindowHandle child : main->Children)
        children.push_back(ToHwnd(child));
    EXPECT_EQ(children, walked);

    std::vector<std::string> titles;
    for (WindowHandle child : main->Children)
        titles.push_back(ReadWindowTitle(child));
    std::vector<std::string> sorted = titles;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"", test::kTargetLevel1, test::kTargetLevel2,
                                                test::kTargetLevel3, test::kTargetButton}));
    // Depth first: each level directly follows its parent.
    const auto at = [&](const char* title) {
        return std::find(titles.begin(), titles.end(), title) - titles.begin();
    };
    EXPECT_EQ(at(test::kTargetLevel2), at(test::kTargetLevel1) + 1);
    EXPECT_EQ(at(test::kTargetLevel3), at(test::kTargetLevel2) + 1);
    const HWND level3 = ToHwnd(main->Children[at(test::kTargetLevel3)]);
    EXPECT_EQ(GetParent(GetParent(GetParent(level3))), target.mainWindow());
    EXPECT_EQ(ReadWindowClass(FromHwnd(level3)), "Static");
    EXPECT_EQ(ReadWindowClass(main->Children[at(test::kTargetButton)]), "Button");
    EXPECT_EQ(ReadWindowClass(main->Children[at(test::kTargetLevel1)]), test::kTargetPanelClass);

    // Windows of other programs have no descendants of the target.
    for (const ApplicationRecord& record : ProgramApplications()) {
        for (const WindowRecord& window : record.Windows) {
            if (&window == main) continue;
            for (HWND child : children) {
                EXPECT_EQ(
                    std::count(window.Children.begin(), window.Children.end(), FromHwnd(child)), 0);
            }
        }
    }
}

TEST_F(WindowEnumerationWin, UntitledInvisibleAndToolWindowsAreListedWithTheirTexts) {
    WindowTargetProcess target(test::WindowTargetPath(), "--tag Arten");
    ASSERT_TRUE(target.started());
    Enumerate();
    const auto records = RecordsNamed(test::kWindowTargetExe);
    ASSERT_EQ(records.size(), 1u);

    bool untitled = false, invisible = false, tool = false, main = false;
    for (HWND window : WindowsOf(*records[0], target.processId())) {
        const std::string title = ReadWindowTitle(FromHwnd(window));
        const std::string className = ReadWindowClass(FromHwnd(window));
        if (className == test::kTargetPlainClass && title.empty()) {
            untitled = true;
            EXPECT_EQ(ReadWindowNodeText(FromHwnd(window)), "(KvTargetPlain)");
        }
        if (title == Tagged(test::kTargetHiddenTitle, "Arten")) {
            invisible = true;
            EXPECT_FALSE(IsWindowVisible(window));
        }
        if (title == Tagged(test::kTargetToolTitle, "Arten")) {
            tool = true;
            EXPECT_NE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
        }
        if (window == target.mainWindow()) {
            main = true;
            // The title's "ü" arrives as the code page 1252 byte 0xFC.
            EXPECT_EQ(title, "Zielfenster f\xFCr Tests Arten");
            EXPECT_EQ(className, test::kTargetMainClass);
            EXPECT_EQ(ReadWindowNodeText(FromHwnd(window)),
                      "Zielfenster f\xFCr Tests Arten  (KvTargetMain)");
        }
    }
    EXPECT_TRUE(untitled);
    EXPECT_TRUE(invisible);
    EXPECT_TRUE(tool);
    EXPECT_TRUE(main);

    // The tree counts every listed window and every window inside one.
    BuildProgramWindowTree();
    int32_t windows = 0, inner = 0;
    for (const ApplicationRecord& record : ProgramApplications()) {
        windows += static_cast<int32_t>(record.Windows.size());
        for (const WindowRecord& window : record.Windows)
            inner += static_cast<int32_t>(window.Children.size());
    }
    EXPECT_EQ(ProgramWindowTree().WindowCount, windows);
    EXPECT_EQ(ProgramWindowTree().InnerWindowCount, inner);
    EXPECT_GE(inner, 5);
    EXPECT_EQ(ProgramWindowTree().Nodes.size(), ProgramApplications().size() + windows + inner);
}

TEST_F(WindowEnumerationWin, IconsComeFromTheShellAndAreReleasedWithTheList) {
    WindowTargetProcess target(test::WindowTargetPath(), "--tag Symbol");
    ASSERT_TRUE(target.started());
    Enumerate();
    const auto records = RecordsNamed(test::kWindowTargetExe);
    ASSERT_EQ(records.size(), 1u);
    const IconHandle stored = records[0]->Icon;
    ASSERT_NE(stored, 0);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(WidenIcon(stored), &info));
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof(mask), &mask);
    EXPECT_EQ(mask.bmWidth, GetSystemMetrics(SM_CXSMICON));
    DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);

    ClearApplications();
    EXPECT_TRUE(ProgramApplications().empty());
    EXPECT_FALSE(GetIconInfo(WidenIcon(stored), &info)) << "the icon was not destroyed";

    EXPECT_EQ(GetSmallFileIcon("C:\\gibt\\es\\nicht.exe"), nullptr);
}

TEST_F(WindowEnumerationWin, ReadersFollowLiveChangesAndReadGoneWindowsAsEmpty) {
    WindowTargetProcess target(test::WindowTargetPath(), "--tag Live");
    ASSERT_TRUE(target.started());
    const WindowHandle main = FromHwnd(target.mainWindow());
    WindowFacts facts = ReadWindowFacts(main);
    EXPECT_TRUE(facts.Enabled);
    EXPECT_TRUE(facts.Visible);
    EXPECT_FALSE(facts.Minimized);
    EXPECT_TRUE(facts.HasRectangle);
    EXPECT_EQ(facts.Right - facts.Left, 420);
    EXPECT_EQ(facts.Bottom - facts.Top, 300);

    ASSERT_TRUE(target.Command(test::kTargetRetitle, 7));
    ASSERT_TRUE(target.Command(test::kTargetDisable));
    facts = ReadWindowFacts(main);
    EXPECT_EQ(facts.Title, "Zielfenster ge\xE4ndert 7");
    EXPECT_FALSE(facts.Enabled);
    EXPECT_EQ(WindowDetailTexts("kv_window_target.exe", facts)[5], "Deaktiviert");
    ASSERT_TRUE(target.Command(test::kTargetEnable));
    EXPECT_TRUE(ReadWindowFacts(main).Enabled);

    // Titles of every length are read whole, also those that fill a short buffer.
    for (size_t length : {254u, 255u, 256u, 3000u}) {
        const std::string title(length, 'x');
        SetWindowTextA(target.mainWindow(), title.c_str());
        EXPECT_EQ(ReadWindowTitle(main), title) << length;
    }

    ASSERT_TRUE(target.Command(test::kTargetQuit));
    ASSERT_TRUE(test::WaitForGone(target.mainWindow()));
    facts = ReadWindowFacts(main);
    EXPECT_EQ(facts.Title, "");
    EXPECT_EQ(facts.ClassName, "");
    EXPECT_FALSE(facts.Enabled);
    EXPECT_FALSE(facts.Visible);
    EXPECT_FALSE(facts.Minimized);
    EXPECT_FALSE(facts.HasRectangle);
    EXPECT_EQ(ReadWindowNodeText(main), "()");
}

}  // namespace
}  // namespace kelvaro
