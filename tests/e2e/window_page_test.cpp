// The "Fenster" page of Kelvaro(x64).exe driven from outside: the window tree built from
// the window target program in several instances and copies, the properties of the
// selected window and their live renewal, the four window actions, the right-click menu,
// the preview area's pixels, and the refresh that reopens the open nodes.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/remote_buffer_win.h"
#include "support/temp_dir.h"
#include "support/ui_driver.h"
#include "support/window_target_process.h"
#include "ui/ids.h"

namespace kelvaro::test {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr const char* kUpperCaseExe = "KV_Window_Target.exe";
constexpr int kDetailRows = 11;
// The details are renewed every 500 ms; a change shows at the next tick. How soon is a
// figure of the benchmarks: here a busy machine may take much longer, and the waits end as
// soon as the change shows.
constexpr int kTickTimeoutMs = 10000;
// A tick and room for a loaded machine, to see that something stays as it is.
constexpr int kQuietTicksMs = 1200;

// The node text of a window as the tree shows it, read here independently.
std::string NodeTextOf(HWND window) {
    char title[512] = {};
    char className[256] = {};
    GetWindowTextA(window, title, sizeof(title));
    GetClassNameA(window, className, sizeof(className));
    const std::string klass = std::string("(") + className + ")";
    return title[0] == '\0' ? klass : std::string(title) + "  " + klass;
}

// The top-level windows of these processes in z-order: the level 1 nodes of their
// application, in order.
std::vector<HWND> TopLevelWindowsOfAll(const std::set<DWORD>& processIds) {
    struct Walk {
        const std::set<DWORD>* ids;
        std::vector<HWND> windows;
    } walk{&processIds, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& w = *reinterpret_cast<Walk*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (w.ids->count(owner) != 0) w.windows.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    return walk.windows;
}

// Byte order of the application nodes: A-Z folded to a-z, unsigned bytes.
std::string Folded(const std::string& text) {
    std::string folded = text;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

bool FoldedLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

// No popup menu of the process opens within the time.
bool NoPopupMenuFor(DWORD processId, int milliseconds) {
    return !WaitUntil([&] { return OpenPopupMenu(processId) != nullptr; }, milliseconds);
}

// A real click on a tab of a tab control in another process.
void ClickTab(HWND tabs, int index) {
    RemoteBuffer remote(tabs, sizeof(RECT));
    ASSERT_TRUE(remote);
    ASSERT_TRUE(SendWithTimeout(tabs, TCM_GETITEMRECT, index, remote.Param()));
    RECT rect{};
    ASSERT_TRUE(remote.Get(rect));
    MouseClickInWindow(tabs, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

struct Rgb {
    int r, g, b;
};
Rgb Split(uint32_t pixel) {
    return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
            static_cast<int>(pixel & 0xFF)};
}
bool Near(uint32_t pixel, uint32_t expected, int tolerance = 8) {
    const Rgb a = Split(pixel), b = Split(expected);
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kHeaderGrey = 0xCDCDCD;  // 205, 205, 205

// The size a picture is drawn at in an area W x H: its own when it fits below the 20-pixel
// header, else shrunk by the smaller of the two ratios, each side rounded.
SIZE ExpectedPictureSize(int areaWidth, int areaHeight, int width, int height) {
    float scale = 1.0f;
    if (areaWidth < width || areaHeight - 20 < height) {
        scale = std::min(static_cast<float>(areaWidth) / static_cast<float>(width),
                         static_cast<float>(areaHeight - 20) / static_cast<float>(height));
    }
    return {std::lround(static_cast<float>(width) * scale),
            std::lround(static_cast<float>(height) * scale)};
}

class WindowPageE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<TempDir>();
        const std::string folder = dir_->File("gross");
        std::filesystem::create_directories(folder);
        const std::string upper = folder + "\\" + kUpperCaseExe;
        ASSERT_TRUE(CopyFileA(WindowTargetPath().c_str(), upper.c_str(), FALSE));
        // The pictures lie right of the program's main window, which is moved to the top
        // left corner; they are topmost, so nothing covers them.
        first_ = std::make_unique<WindowTargetProcess>(WindowTargetPath(),
                                                       "--tag Erster --picture 400x300+860+0");
        second_ = std::make_unique<WindowTargetProcess>(WindowTargetPath(),
                                                        "--tag Zweiter --picture 200x100+1000+400");
        upper_ = std::make_unique<WindowTargetProcess>(upper, "--tag Gross");
        ASSERT_TRUE(first_->started() && second_->started() && upper_->started());
        // The other windows go to the bottom right, below the pictures, so that the main
        // window's page stays uncovered whichever window comes to the front.
        for (const auto* target : {first_.get(), second_.get(), upper_.get()}) {
            for (HWND window : TopLevelWindowsOf(target->processId())) {
                if (ClassName(window) == kTargetPictureClass) continue;
                const bool large = ClassName(window) == kTargetMainClass;
                SetWindowPos(window, nullptr, large ? 850 : 830, large ? 700 : 540, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }

        ProgramUnderTest::Options options;
        options.exePath = PathNextToTestExe("Kelvaro(x64).exe");
        options.files["Kelvaro"] = "0\r\nsvchost.exe\r\nDienst\xB5\r\n";
        program_ = std::make_unique<ProgramUnderTest>(options);
        main_ = program_->WaitForWindow("Kelvaro");
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(main_) != FALSE; }));
        SetWindowPos(main_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        tree_ = ChildById(main_, CtlWindowTree);
        properties_ = ChildById(main_, CtlWindowProperties);
        preview_ = ChildById(main_, CtlPreview);
        status_ = ChildByClass(main_, "msctls_statusbar32");
        ASSERT_TRUE(tree_ && properties_ && preview_ && status_);
        SetForegroundWindow(main_);
        ClickTab(ChildByClass(main_, WC_TABCONTROLA), 1);
        ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(tree_) != FALSE; }));
        // The z-order of the targets' windows when the tree was built, which is the order
        // of their nodes until the next refresh.
        builtOrder_ = TopLevelWindowsOfAll({first_->processId(), second_->processId()});
    }
    static void TearDownTestSuite() {
        program_.reset();
        first_.reset();
        second_.reset();
        upper_.reset();
        dir_.reset();
    }
    void SetUp() override {
        ASSERT_NE(tree_, nullptr);
        SetForegroundWindow(main_);
    }
    // A failure leaves a picture of the screen next to the test program.
    void TearDown() override {
        if (!HasFailure()) return;
        const std::string path = PathNextToTestExe(
            std::string("window_page_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".bmp");
        if (CaptureScreenRect(
                RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)})
                .SaveBmp(path)) {
            std::printf("screen saved as %s\n", path.c_str());
        }
    }

    // The node of an application, or -1.
    static int ApplicationNode(const std::vector<TreeNode>& nodes, const std::string& name) {
        for (size_t i = 0; i < nodes.size(); ++i) {
            if (nodes[i].level == 0 && nodes[i].text == name) return static_cast<int>(i);
        }
        return -1;
    }
    // The positions of the nodes one level below the node, up to the next node at its level.
    static std::vector<int> ChildNodes(const std::vector<TreeNode>& nodes, int parent) {
        std::vector<int> children;
        for (size_t i = static_cast<size_t>(parent) + 1;
             i < nodes.size() && nodes[i].level > nodes[parent].level; ++i) {
            if (nodes[i].level == nodes[parent].level + 1) children.push_back(static_cast<int>(i));
        }
        return children;
    }
    // The node of a top-level window of the target program (both instances share one
    // application), found by its place in the z-order of the build.
    static HTREEITEM WindowNode(HWND window, int* position = nullptr) {
        const std::vector<TreeNode> nodes = TreeNodes(tree_);
        const auto it = std::find(builtOrder_.begin(), builtOrder_.end(), window);
        const int application = ApplicationNode(nodes, kWindowTargetExe);
        if (it == builtOrder_.end() || application < 0) return nullptr;
        const std::vector<int> children = ChildNodes(nodes, application);
        const size_t index = static_cast<size_t>(it - builtOrder_.begin());
        if (index >= children.size() || nodes[children[index]].text != NodeTextOf(window)) {
            return nullptr;
        }
        if (position != nullptr) *position = children[index];
        return nodes[children[index]].item;
    }
    static HTREEITEM InnerNode(HWND topLevel, const std::string& text) {
        int position = -1;
        if (WindowNode(topLevel, &position) == nullptr) return nullptr;
        const std::vector<TreeNode> nodes = TreeNodes(tree_);
        for (int child : ChildNodes(nodes, position)) {
            if (nodes[child].text == text) return nodes[child].item;
        }
        return nullptr;
    }
    static HWND TargetWindow(const WindowTargetProcess& target, const std::string& className,
                             const std::string& titleStart = {}) {
        for (HWND window : TopLevelWindowsOf(target.processId())) {
            const std::string text = NodeTextOf(window);
            if (ClassName(window) == className && text.rfind(titleStart, 0) == 0) return window;
        }
        return nullptr;
    }

    static std::vector<std::string> Values() {
        std::vector<std::string> values;
        for (int row = 0; row < kDetailRows; ++row)
            values.push_back(ListViewText(properties_, row, 1));
        return values;
    }
    static std::vector<std::string> ExpectedValues(const std::string& process, HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        char title[512] = {};
        GetWindowTextA(window, title, sizeof(title));
        return {process,
                title,
                ClassName(window),
                std::to_string(reinterpret_cast<intptr_t>(window)),
                IsIconic(window) ? "Minimiert" : "Normal",
                IsWindowEnabled(window) ? "Aktiviert" : "Deaktiviert",
                IsWindowVisible(window) ? "Sichtbar" : "Versteckt",
                std::to_string(rect.left),
                std::to_string(rect.top),
                std::to_string(rect.right - rect.left),
                std::to_string(rect.bottom - rect.top)};
    }
    static bool ValuesBecome(const std::vector<std::string>& expected,
                             int timeoutMs = kTickTimeoutMs) {
        return WaitUntil([&] { return Values() == expected; }, timeoutMs);
    }
    static bool ValueBecomes(int row, const std::string& expected) {
        return WaitUntil([&] { return ListViewText(properties_, row, 1) == expected; },
                         kTickTimeoutMs);
    }
    // Selects a node and waits until the selection has been handled.
    static void Select(HTREEITEM item) {
        ASSERT_NE(item, nullptr);
        TreeSelect(tree_, item);
        SendAndWait(main_, WM_NULL);
    }

    static std::unique_ptr<TempDir> dir_;
    static std::unique_ptr<WindowTargetProcess> first_, second_, upper_;
    static std::unique_ptr<ProgramUnderTest> program_;
    static HWND main_, tree_, properties_, preview_, status_;
    static std::vector<HWND> builtOrder_;
};

std::unique_ptr<TempDir> WindowPageE2E::dir_;
std::unique_ptr<WindowTargetProcess> WindowPageE2E::first_, WindowPageE2E::second_,
    WindowPageE2E::upper_;
std::unique_ptr<ProgramUnderTest> WindowPageE2E::program_;
HWND WindowPageE2E::main_ = nullptr;
HWND WindowPageE2E::tree_ = nullptr;
HWND WindowPageE2E::properties_ = nullptr;
HWND WindowPageE2E::preview_ = nullptr;
HWND WindowPageE2E::status_ = nullptr;
std::vector<HWND> WindowPageE2E::builtOrder_;

TEST_F(WindowPageE2E, TreeGroupsByFileNameInFoldedOrderWithEveryWindowInside) {
    const std::vector<TreeNode> nodes = TreeNodes(tree_);
    ASSERT_FALSE(nodes.empty());
    // Applications in folded order; the program itself is among them.
    std::vector<std::string> applications;
    for (const TreeNode& node : nodes)
        if (node.level == 0) applications.push_back(node.text);
    for (size_t i = 1; i < applications.size(); ++i) {
        EXPECT_FALSE(FoldedLess(Folded(applications[i]), Folded(applications[i - 1])))
            << applications[i - 1] << " before " << applications[i];
    }
    EXPECT_GE(ApplicationNode(nodes, "Kelvaro(x64).exe"), 0);
    // Two instances of one file name share an application; a name that differs only in
    // letter case is an application of its own, right beside it.
    const int shared = ApplicationNode(nodes, kWindowTargetExe);
    const int upper = ApplicationNode(nodes, kUpperCaseExe);
    ASSERT_GE(shared, 0);
    ASSERT_GE(upper, 0);
    EXPECT_EQ(std::count(applications.begin(), applications.end(), kWindowTargetExe), 1);
    const auto at = [&](const std::string& name) {
        return std::find(applications.begin(), applications.end(), name) - applications.begin();
    };
    EXPECT_EQ(std::abs(at(kWindowTargetExe) - at(kUpperCaseExe)), 1);

    // Level 1: every top-level window of both instances in z-order, the untitled and the
    // invisible one included.
    std::vector<std::string> expected;
    for (HWND window : TopLevelWindowsOfAll({first_->processId(), second_->processId()}))
        expected.push_back(NodeTextOf(window));
    std::vector<std::string> shown;
    for (int child : ChildNodes(nodes, shared)) shown.push_back(nodes[child].text);
    EXPECT_THAT(shown, ElementsAreArray(expected));
    EXPECT_THAT(shown, ::testing::Contains("(KvTargetPlain)"));
    EXPECT_THAT(shown, ::testing::Contains("Unsichtbar Erster  (KvTargetPlain)"));
    EXPECT_EQ(ChildNodes(nodes, upper).size(), TopLevelWindowsOf(upper_->processId()).size());

    // Level 2: the main window's windows at every depth in one flat list, walk order.
    int mainNode = -1;
    ASSERT_NE(WindowNode(first_->mainWindow(), &mainNode), nullptr);
    std::vector<std::string> inner;
    std::vector<int> levels;
    for (int child : ChildNodes(nodes, mainNode)) {
        inner.push_back(nodes[child].text);
        levels.push_back(nodes[child].level);
    }
    EXPECT_THAT(inner, ElementsAre("Ebene 1  (KvTargetPanel)", "Ebene 2  (KvTargetPanel)",
                                   "Ebene 3  (Static)", "Knopf  (Button)", "(Static)"));
    EXPECT_THAT(levels, Each(2));
    EXPECT_TRUE(std::none_of(nodes.begin(), nodes.end(), [](const TreeNode& n) {
        return n.level > 2 || n.expanded || n.selected;
    }));

    // The status bar counts the nodes of this build.
    const long windows =
        std::count_if(nodes.begin(), nodes.end(), [](const TreeNode& n) { return n.level == 1; });
    const long innerWindows =
        std::count_if(nodes.begin(), nodes.end(), [](const TreeNode& n) { return n.level == 2; });
    EXPECT_EQ(StatusBarText(status_, 3), "Anzahl Fenster: " + std::to_string(windows));
    EXPECT_EQ(StatusBarText(status_, 4), "Anzahl Child-Fenster: " + std::to_string(innerWindows));
}

TEST_F(WindowPageE2E, PropertiesOfATopLevelWindowAnInnerWindowAndAnApplication) {
    const HWND main = first_->mainWindow();
    Select(WindowNode(main));
    EXPECT_TRUE(ValuesBecome(ExpectedValues(kWindowTargetExe, main)))
        << testing::PrintToString(Values());
    EXPECT_EQ(Values()[1], "Zielfenster f\xFCr Tests Erster");
    EXPECT_EQ(Values()[9], "420");

    const HWND level3 =
        FindWindowExA(FindWindowExA(FindWindowExA(main, nullptr, nullptr, "Ebene 1"), nullptr,
                                    nullptr, "Ebene 2"),
                      nullptr, nullptr, "Ebene 3");
    ASSERT_NE(level3, nullptr);
    Select(InnerNode(main, "Ebene 3  (Static)"));
    EXPECT_TRUE(ValuesBecome(ExpectedValues(kWindowTargetExe, level3)))
        << testing::PrintToString(Values());

    const HWND upperMain = upper_->mainWindow();
    const std::vector<TreeNode> nodes = TreeNodes(tree_);
    const int upper = ApplicationNode(nodes, kUpperCaseExe);
    ASSERT_GE(upper, 0);
    for (int child : ChildNodes(nodes, upper)) {
        if (nodes[child].text == NodeTextOf(upperMain)) Select(nodes[child].item);
    }
    EXPECT_TRUE(ValuesBecome(ExpectedValues(kUpperCaseExe, upperMain)));

    // An application node blanks the values and selects no window.
    Select(nodes[upper].item);
    EXPECT_TRUE(ValuesBecome(std::vector<std::string>(kDetailRows)));
    const bool visible = IsWindowVisible(upperMain) != FALSE;
    SendAndWait(main_, WM_COMMAND, CmdToggleWindowVisible);
    EXPECT_EQ(IsWindowVisible(upperMain) != FALSE, visible);
}

// Nobody selects anything again: the details tick renews them by itself.
TEST_F(WindowPageE2E, DetailsFollowTitleAndEnabledStateByThemselves) {
    const HWND main = first_->mainWindow();
    const std::string title = "Zielfenster f\xFCr Tests Erster";
    Select(WindowNode(main));
    ASSERT_TRUE(ValueBecomes(1, title));

    ASSERT_TRUE(first_->Command(kTargetRetitle, 7));
    EXPECT_TRUE(ValueBecomes(1, std::string(kTargetRetitled) + " 7"));
    ASSERT_TRUE(first_->Command(kTargetDisable));
    EXPECT_TRUE(ValueBecomes(5, "Deaktiviert"));
    ASSERT_TRUE(first_->Command(kTargetEnable));
    EXPECT_TRUE(ValueBecomes(5, "Aktiviert"));

    SetWindowTextA(main, title.c_str());
    EXPECT_TRUE(ValueBecomes(1, title));
}

TEST_F(WindowPageE2E, ActionsHideShowDisableEnableAndBringToFront) {
    const HWND tool = TargetWindow(*first_, kTargetPlainClass, kTargetToolTitle);
    ASSERT_NE(tool, nullptr);
    Select(WindowNode(tool));
    ASSERT_TRUE(ValueBecomes(6, "Sichtbar"));
    PostCommand(main_, CmdToggleWindowVisible);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(tool); }));
    EXPECT_TRUE(ValueBecomes(6, "Versteckt"));
    PostCommand(main_, CmdToggleWindowVisible);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(tool) != FALSE; }));
    EXPECT_TRUE(ValueBecomes(6, "Sichtbar"));

    const HWND main = first_->mainWindow();
    Select(WindowNode(main));
    PostCommand(main_, CmdToggleWindowEnabled);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main); }));
    EXPECT_TRUE(ValueBecomes(5, "Deaktiviert"));
    PostCommand(main_, CmdToggleWindowEnabled);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));

    // An inner window: the button inside the main window.
    const HWND button = FindWindowExA(main, nullptr, "Button", nullptr);
    ASSERT_NE(button, nullptr);
    Select(InnerNode(main, "Knopf  (Button)"));
    ASSERT_TRUE(ValueBecomes(2, "Button"));
    PostCommand(main_, CmdToggleWindowVisible);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(button); }));
    PostCommand(main_, CmdToggleWindowEnabled);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(button); }));
    PostCommand(main_, CmdToggleWindowVisible);
    PostCommand(main_, CmdToggleWindowEnabled);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(button) && IsWindowEnabled(button); }));

    const HWND second = second_->mainWindow();
    Select(WindowNode(second));
    PostCommand(main_, CmdBringWindowToFront);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == second; }));
    SetForegroundWindow(main_);
}

// A window asked to close goes; it stays selected and reads as a window that is gone.
TEST_F(WindowPageE2E, CloseRequestEndsAWindowThatStaysSelectedWithEmptyDetails) {
    const HWND untitled = TargetWindow(*second_, kTargetPlainClass, "(");
    ASSERT_NE(untitled, nullptr);
    Select(WindowNode(untitled));
    ASSERT_TRUE(ValueBecomes(2, kTargetPlainClass));
    const size_t nodes = TreeNodes(tree_).size();
    PostCommand(main_, CmdCloseWindow);
    EXPECT_TRUE(WaitForGone(untitled));
    EXPECT_TRUE(ValuesBecome({kWindowTargetExe, "", "",
                              std::to_string(reinterpret_cast<intptr_t>(untitled)), "Normal",
                              "Deaktiviert", "Versteckt", "0", "0", "0", "0"}))
        << testing::PrintToString(Values());
    EXPECT_EQ(TreeNodes(tree_).size(), nodes);
}

TEST_F(WindowPageE2E, RightClickMenuOnlyOnWindowNodesAndItsCommandsAct) {
    std::vector<TreeNode> nodes = TreeNodes(tree_);
    const int application = ApplicationNode(nodes, kWindowTargetExe);
    ASSERT_GE(application, 0);
    SendWithTimeout(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(nodes[application].item));
    MouseClickAt(TreeNodePoint(tree_, nodes[application].item), true);
    // The click selected the application node and opened nothing.
    EXPECT_TRUE(WaitUntil([&] {
        const std::vector<TreeNode> now = TreeNodes(tree_);
        return now.size() > static_cast<size_t>(application) && now[application].selected;
    }));
    EXPECT_TRUE(NoPopupMenuFor(program_->processId(), 700));
    EXPECT_THAT(Values(), Each(std::string()));

    // On a window node the menu opens; its second entry hides and shows the window.
    const HWND tool = TargetWindow(*first_, kTargetPlainClass, kTargetToolTitle);
    const HTREEITEM node = WindowNode(tool);
    ASSERT_NE(node, nullptr);
    SendWithTimeout(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(node));
    for (bool visibleAfter : {false, true}) {
        MouseClickAt(TreeNodePoint(tree_, node), true);
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (menu = OpenPopupMenu(program_->processId())); }));
        RECT rect{};
        GetWindowRect(menu, &rect);
        // Four entries of equal height: "Fenster schliessen", "Fenster zeigen/verstecken",
        // "Fenster aktivieren/deaktivieren", "Fenster in Vordergrund setzen".
        MouseClickAt(
            POINT{(rect.left + rect.right) / 2, rect.top + (rect.bottom - rect.top) * 3 / 8});
        EXPECT_TRUE(WaitUntil([&] { return (IsWindowVisible(tool) != FALSE) == visibleAfter; }));
        EXPECT_TRUE(WaitUntil([&] { return OpenPopupMenu(program_->processId()) == nullptr; }));
    }
    EXPECT_TRUE(ValueBecomes(1, "Werkzeug Erster"));
}

// From the keyboard: Shift+F10 opens the menu of the selected node or property at it, not
// at the mouse, and Strg+C copies the node's text or the row as "Parameter<TAB>Wert".
TEST_F(WindowPageE2E, TheTreeAndThePropertiesCopyAndOpenTheirMenusFromTheKeyboard) {
    const HWND tool = TargetWindow(*first_, kTargetPlainClass, kTargetToolTitle);
    const HTREEITEM node = WindowNode(tool);
    ASSERT_NE(node, nullptr);
    SendWithTimeout(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(node));
    constexpr int kClassRow = 2;
    const struct {
        HWND control;
        std::function<POINT()> itemPoint;
        std::function<std::string()> expected;
    } cases[] = {
        {tree_, [&] { return TreeNodePoint(tree_, node); }, [&] { return NodeTextOf(tool); }},
        {properties_, [] { return ListViewRowPoint(properties_, kClassRow); },
         [] {
             return ListViewText(properties_, kClassRow, 0) + "\t" +
                    ListViewText(properties_, kClassRow, 1);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ClassName(c.control));
        MouseClickAt(c.itemPoint());  // selects the item and gives the control the focus
        ASSERT_TRUE(FocusBecomes(main_, c.control));
        ASSERT_TRUE(ValueBecomes(2, kTargetPlainClass));
        SetCursorPos(5, 5);
        PressKeys({VK_SHIFT, VK_F10});
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (menu = OpenPopupMenu(program_->processId())); }));
        RECT rect{};
        GetWindowRect(menu, &rect);
        EXPECT_LT(std::abs(rect.top - c.itemPoint().y), 20) << rect.top;
        PressKeys({VK_ESCAPE});
        ASSERT_TRUE(WaitUntil([&] { return OpenPopupMenu(program_->processId()) == nullptr; }));

        EmptyTheClipboard();
        PressKeys({VK_CONTROL, 'C'});
        EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == c.expected(); }))
            << ClipboardText().value_or("(no text)") << " instead of " << c.expected();
    }
}

// The width of the caption in the program's font, "Tahoma" 10 points, measured here.
int CaptionWidth() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    const HFONT font = CreateFontA(-MulDiv(10, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
    const HGDIOBJ previous = SelectObject(screen, font);
    SIZE size{};
    GetTextExtentPoint32A(screen, "Fenster Vorschau", 16, &size);
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

class PreviewShot {
public:
    explicit PreviewShot(HWND preview) : shot_(CaptureWindow(preview, true)) {}
    const Screenshot& shot() const { return shot_; }
    // Every pixel of the header band that is not part of the caption is the header grey;
    // the caption's dark pixels start at W / 2 - T / 2 (T its width) and end within it.
    bool HeaderIsRight(std::string* why) const {
        int minX = shot_.width, maxX = -1, minY = 20, maxY = -1;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < shot_.width; ++x) {
                const uint32_t pixel = shot_.At(x, y);
                if (Near(pixel, kHeaderGrey, 0)) continue;
                const Rgb c = Split(pixel);
                if (c.r + c.g + c.b > 3 * 205) {
                    *why = "light pixel in the header";
                    return false;
                }
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
        }
        if (maxX < 0) {
            *why = "no caption";
            return false;
        }
        const int width = CaptionWidth();
        const int left = shot_.width / 2 - width / 2;
        *why = "caption at x " + std::to_string(minX) + ".." + std::to_string(maxX) + ", y " +
               std::to_string(minY) + ".." + std::to_string(maxY) + " in width " +
               std::to_string(shot_.width) + ", expected from x " + std::to_string(left) + ", " +
               std::to_string(width) + " wide";
        return minX >= left && minX <= left + 3 && maxX < left + width && maxX > left + width / 2 &&
               minY >= 2;
    }
    // The picture of the two-coloured window is drawn at (0, 20) in size w x h, white
    // around it.
    bool PictureIsAt(SIZE size, std::string* why) const {
        const int w = size.cx, h = size.cy;
        struct Probe {
            int x, y;
            uint32_t colour;
        };
        const uint32_t left = kPictureLeftColour, right = kPictureRightColour;
        const std::vector<Probe> probes = {
            {1, 21, left},
            {w / 4, 20 + h / 2, left},
            {w / 2 - 3, 20 + h - 2, left},
            {w / 2 + 3, 21, right},
            {w * 3 / 4, 20 + h / 2, right},
            {w - 2, 20 + h - 2, right},
            {w + 1, 20 + h / 2, kWhite},
            {w / 4, 20 + h + 1, kWhite},
            {shot_.width - 1, shot_.height - 1, kWhite},
        };
        for (const Probe& p : probes) {
            if (p.x >= shot_.width || p.y >= shot_.height) continue;
            if (!Near(shot_.At(p.x, p.y), p.colour)) {
                char text[96];
                std::snprintf(text, sizeof(text), "pixel (%d, %d) is %06X, expected %06X", p.x, p.y,
                              shot_.At(p.x, p.y), p.colour);
                *why = text;
                return false;
            }
        }
        return true;
    }

private:
    Screenshot shot_;
};

TEST_F(WindowPageE2E, PreviewShowsHeaderCaptionAndThePictureScaledToFit) {
    const SIZE area = ClientSize(preview_);
    ASSERT_GT(area.cy, 120);
    std::string why;
    // 400 x 300 does not fit: shrunk uniformly.
    const HWND big = TargetWindow(*first_, kTargetPictureClass);
    Select(WindowNode(big));
    const SIZE shrunk = ExpectedPictureSize(area.cx, area.cy, 400, 300);
    ASSERT_TRUE(shrunk.cx < 400);
    EXPECT_TRUE(WaitUntil([&] {
        PreviewShot shot(preview_);
        return shot.HeaderIsRight(&why) && shot.PictureIsAt(shrunk, &why);
    })) << why;
    RecordProperty("preview", std::to_string(area.cx) + "x" + std::to_string(area.cy));

    // 200 x 100 fits: its own size at (0, 20).
    const HWND small = TargetWindow(*second_, kTargetPictureClass);
    Select(WindowNode(small));
    EXPECT_TRUE(WaitUntil([&] {
        PreviewShot shot(preview_);
        return shot.HeaderIsRight(&why) && shot.PictureIsAt(SIZE{200, 100}, &why);
    })) << why;

    // An empty rectangle leaves the header on white.
    SetWindowPos(small, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitUntil([&] {
        PreviewShot shot(preview_);
        const Screenshot& s = shot.shot();
        for (int y = 20; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                if (s.At(x, y) != kWhite) return false;
        return shot.HeaderIsRight(&why);
    })) << why;
    SetWindowPos(small, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Last, since the refresh renews every node: the open nodes open again by their text, and
// no window is selected afterwards.
TEST_F(WindowPageE2E, RefreshReopensOpenNodesByTextAndSelectsNoWindow) {
    const HWND main = first_->mainWindow();
    Select(WindowNode(main));
    ASSERT_TRUE(ValueBecomes(2, kTargetMainClass));
    std::vector<TreeNode> nodes = TreeNodes(tree_);
    const std::set<std::string> open = {kWindowTargetExe, NodeTextOf(main)};
    for (auto node = nodes.rbegin(); node != nodes.rend(); ++node) {
        TreeExpand(tree_, node->item, open.count(node->text) != 0);
    }
    nodes = TreeNodes(tree_);
    ASSERT_EQ(
        std::count_if(nodes.begin(), nodes.end(), [](const TreeNode& n) { return n.expanded; }), 2);

    PostCommand(main_, CmdRefreshLists);
    // The rebuilt tree has no selected node; the details are blank.
    EXPECT_TRUE(WaitUntil(
        [&] {
            nodes = TreeNodes(tree_);
            return !nodes.empty() &&
                   std::none_of(nodes.begin(), nodes.end(),
                                [](const TreeNode& n) { return n.selected; }) &&
                   std::count_if(nodes.begin(), nodes.end(),
                                 [](const TreeNode& n) { return n.expanded; }) == 2;
        },
        10000));
    SendAndWait(main_, WM_NULL);
    nodes = TreeNodes(tree_);
    std::set<std::string> reopened;
    for (const TreeNode& node : nodes)
        if (node.expanded) reopened.insert(node.text);
    EXPECT_EQ(reopened, open);
    EXPECT_THAT(Values(), Each(std::string()));
    // No window is selected: the actions do nothing.
    SendAndWait(main_, WM_COMMAND, CmdToggleWindowEnabled);
    EXPECT_TRUE(IsWindowEnabled(main));
    // Nor do the ticks that follow fill the details.
    EXPECT_FALSE(WaitUntil(
        [] {
            const std::vector<std::string> values = Values();
            return std::any_of(values.begin(), values.end(),
                               [](const std::string& value) { return !value.empty(); });
        },
        kQuietTicksMs));
}

}  // namespace
}  // namespace kelvaro::test
