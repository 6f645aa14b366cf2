// Events through the real loop: the header-click hook, toolbar buttons as menu commands,
// control notifications as control events, timers, and the modality of message boxes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "inprocess/harness.h"
#include "shell/main_window_win.h"
#include "shell/program_win.h"
#include "support/ui_driver.h"
#include "ui/frame_win.h"
#include "ui/ids.h"
#include "ui/program_windows_win.h"

namespace kelvaro::test {
namespace {

TEST(HeaderClickHook, ReportsTheClickedColumnOfTheProcessListHeaderOnly) {
    const HWND list = ControlHandle(CtlProcessList);
    const auto header = reinterpret_cast<HWND>(SendWait(list, LVM_GETHEADER));
    ASSERT_NE(header, nullptr);
    const size_t before = HeaderClicks().size();
    SendHeaderNotification(list, header, HDN_ITEMCLICKA, 2);
    SendHeaderNotification(list, header, HDN_ITEMCLICKW, 0);
    // Another sender, or another header notification, is no column click.
    SendHeaderNotification(list, MainToolbar(), HDN_ITEMCLICKA, 1);
    SendHeaderNotification(list, header, HDN_ITEMDBLCLICKA, 3);
    SendWait(ProgramMainWindow(), WM_NULL);
    const std::vector<int> clicks = HeaderClicks();
    ASSERT_EQ(clicks.size(), before + 2);
    EXPECT_EQ(clicks[before], 2);
    EXPECT_EQ(clicks[before + 1], 0);
    // The list's own procedure still runs: it answers its own messages as before.
    EXPECT_EQ(SendWait(list, LVM_GETCOLUMNWIDTH, 0), 214);
}

// A real click on a column header: the list view's header reports it in the form it
// chose, and the hook passes the column on.
TEST(HeaderClickHook, ARealClickOnAColumnHeaderReachesTheHandler) {
    const HWND list = ControlHandle(CtlProcessList);
    RunOnMainThread([] { SetForegroundWindow(ProgramMainWindow()); });
    const size_t before = HeaderClicks().size();
    ClickListViewHeader(list, 2);
    ASSERT_TRUE(WaitUntil([before] { return HeaderClicks().size() == before + 1; }));
    EXPECT_EQ(HeaderClicks().back(), 2);
    ClickListViewHeader(list, 0);
    ASSERT_TRUE(WaitUntil([before] { return HeaderClicks().size() == before + 2; }));
    EXPECT_EQ(HeaderClicks().back(), 0);
}

TEST(Toolbar, AButtonPressDeliversItsMenuCommand) {
    const HWND toolbar = MainToolbar();
    RECT button{};
    ASSERT_TRUE(SendWait(toolbar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&button)));
    const LPARAM middle =
        MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    const int before = RefreshCommandCount();
    SendWait(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendWait(toolbar, WM_LBUTTONUP, 0, middle);
    EXPECT_TRUE(WaitUntil([before] { return RefreshCommandCount() == before + 1; }));
}

TEST(ControlEvents, SelectingARowOfAListRaisesChange) {
    const HWND properties = ControlHandle(CtlWindowProperties);
    const int before = ControlEventCount(CtlWindowProperties, ControlEventType::Change);
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendWait(properties, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&state));
    // Selected, then unselected: a change each time.
    EXPECT_EQ(ControlEventCount(CtlWindowProperties, ControlEventType::Change), before + 1);
    state.state = 0;
    SendWait(properties, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(ControlEventCount(CtlWindowProperties, ControlEventType::Change), before + 2);
    EXPECT_EQ(ControlEventCount(CtlWindowProperties, ControlEventType::RightClick), 0);
}

TEST(ControlEvents, SelectingATreeNodeRaisesChange) {
    const HWND tree = ControlHandle(CtlWindowTree);
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    char text[] = "explorer.exe";
    insert.item.pszText = text;
    const auto node = reinterpret_cast<HTREEITEM>(
        SendWait(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    ASSERT_NE(node, nullptr);
    const int before = ControlEventCount(CtlWindowTree, ControlEventType::Change);
    SendWait(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
    EXPECT_EQ(ControlEventCount(CtlWindowTree, ControlEventType::Change), before + 1);
    SendWait(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

// A right click on a tree node selects it first (a change) and then reports the click.
TEST(ControlEvents, RightClickOnATreeNodeSelectsItThenRaisesRightClick) {
    const HWND tree = ControlHandle(CtlWindowTree);
    RunOnMainThread([] {
        ShowPage(1);
        SetForegroundWindow(ProgramMainWindow());
    });
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    char first[] = "explorer.exe";
    char second[] = "notepad.exe";
    insert.item.pszText = first;
    SendWait(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
    insert.item.pszText = second;
    const auto node = reinterpret_cast<HTREEITEM>(
        SendWait(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    const int changes = ControlEventCount(CtlWindowTree, ControlEventType::Change);
    const int rightClicks = ControlEventCount(CtlWindowTree, ControlEventType::RightClick);
    MouseClickAt(TreeNodePoint(tree, node), true);
    EXPECT_TRUE(WaitUntil([&] {
        return ControlEventCount(CtlWindowTree, ControlEventType::RightClick) == rightClicks + 1;
    }));
    // The tree selects its first node when it takes the focus without a selection, so
    // the click may bring two changes; the clicked node ends up selected.
    EXPECT_GE(ControlEventCount(CtlWindowTree, ControlEventType::Change), changes + 1);
    EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendWait(tree, TVM_GETNEXTITEM, TVGN_CARET)), node);
    SendWait(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    RunOnMainThread([] { ShowPage(0); });
}

TEST(StartUp, StartsTheNetworkLayer) {
    EXPECT_TRUE(NetworkStartResult());
}

// KillTimer succeeds only for a timer that runs: with none, it changes nothing.
TEST(Timers, RefreshTimerNeverStartsWithTimeoutZero) {
    BOOL running = TRUE;
    ASSERT_TRUE(RunOnMainThread([&] { running = KillTimer(ProgramMainWindow(), TimerAutoRefresh); }));
    EXPECT_FALSE(running);
    EXPECT_EQ(AutoRefreshTickCount(), 0);
}

// The About box through the real path: modal for every program window, its topmost
// windows lowered, and no other handler running while it is open.
TEST(MessageBoxes, AboutBoxIsModalForAllProgramWindowsAndHoldsOtherEvents) {
    const HWND main = ProgramMainWindow();
    HWND search = nullptr;
    ASSERT_TRUE(RunOnMainThread([&] {
        WindowSpec spec;
        spec.id = WndSearch;
        spec.title = "Prozess suchen";
        spec.innerWidth = 500;
        spec.innerHeight = 400;
        search = OpenProgramWindow(spec, nullptr);
        SetForegroundWindow(ProgramMainWindow());
    }));
    SendWait(main, WM_COMMAND, CmdAlwaysOnTop);
    ASSERT_TRUE(IsWindowTopmost(main));

    PostMessageA(main, WM_COMMAND, CmdAbout, 0);
    const std::optional<MessageBoxInfo> box = WaitForMessageBox(GetCurrentProcessId());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->owner, main);
    EXPECT_FALSE(IsWindowEnabled(main));
    EXPECT_FALSE(IsWindowEnabled(search));
    EXPECT_FALSE(IsWindowTopmost(main));

    // Timer events that fall due meanwhile wait for the box, one per timer.
    const int ticks = TestTimerCount();
    PostMessageA(main, WM_TIMER, kTestTimer, 0);
    PostMessageA(main, WM_TIMER, kTestTimer, 0);
    // Once the box's loop has taken both, a handler run too early has run.
    ASSERT_TRUE(WaitForPostedMessages());
    EXPECT_EQ(TestTimerCount(), ticks);

    SendMessageA(box->window, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return TestTimerCount() == ticks + 1; }));
    SendWait(main, WM_NULL);
    EXPECT_EQ(TestTimerCount(), ticks + 1);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(IsWindowEnabled(search));
    EXPECT_TRUE(IsWindowTopmost(main));

    SendWait(main, WM_COMMAND, CmdAlwaysOnTop);
    EXPECT_FALSE(IsWindowTopmost(main));
    RunOnMainThread([] { CloseProgramWindow(WndSearch); });
}

}  // namespace
}  // namespace kelvaro::test
