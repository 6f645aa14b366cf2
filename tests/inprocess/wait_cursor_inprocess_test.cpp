// The wait cursor while a handler holds the program's thread: shown from the handler's
// start to its end even when the mouse moves, the arrow inside a message box of the
// handler, and no wait cursor for the details timer's ticks.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "inprocess/harness.h"
#include "support/ui_driver.h"
#include "ui/ids.h"
#include "ui/message_box_win.h"

namespace kelvaro::test {
namespace {

HCURSOR Arrow() {
    return LoadCursorA(nullptr, IDC_ARROW);
}
HCURSOR Hourglass() {
    return LoadCursorA(nullptr, IDC_WAIT);
}

// The pointer as it shows: the cursor of the thread that has the foreground window.
HCURSOR ShownCursor() {
    CURSORINFO info{};
    info.cbSize = sizeof(info);
    return GetCursorInfo(&info) ? info.hCursor : nullptr;
}

struct Signal {
    HANDLE handle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ~Signal() { CloseHandle(handle); }
    void Set() { SetEvent(handle); }
    bool WaitSet(DWORD ms = 10000) { return WaitForSingleObject(handle, ms) == WAIT_OBJECT_0; }
};

// A handler that the test holds open: `work` runs on the program's thread, then the
// handler waits for Release (at most 10 s, so a failing test cannot hang the loop).
class HeldHandler {
public:
    explicit HeldHandler(std::function<void()> work = nullptr)
        : runner_([this, work] {
              RunOnMainThread(
                  [this, work] {
                      entered_.Set();
                      if (work) work();
                      workDone_.Set();
                      release_.WaitSet();
                  },
                  20000);
          }) {}
    ~HeldHandler() {
        Release();
        runner_.join();
    }
    bool WaitEntered() { return entered_.WaitSet(); }
    bool WaitWorkDone() { return workDone_.WaitSet(); }
    void Release() { release_.Set(); }

private:
    Signal entered_, workDone_, release_;
    std::thread runner_;
};

class WaitCursor : public ::testing::Test {
protected:
    // The main window in front with the pointer resting on its client area, showing the
    // arrow of the window class.
    void SetUp() override {
        main_ = ProgramMainWindow();
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(RunOnMainThread([this] { SetForegroundWindow(main_); }));
        ASSERT_TRUE(WaitUntil([this] { return GetForegroundWindow() == main_; }));
        RECT client{};
        GetClientRect(main_, &client);
        rest_ = {client.right / 2, client.bottom / 2};
        ClientToScreen(main_, &rest_);
        SetCursorPos(rest_.x, rest_.y);
        ASSERT_TRUE(WaitUntil([] { return ShownCursor() == Arrow(); }));
    }

    HWND main_ = nullptr;
    POINT rest_{};
};

TEST_F(WaitCursor, ShowsWhileAHandlerRunsAndTheUsualCursorComesBackWhenItEnds) {
    {
        HeldHandler handler;
        ASSERT_TRUE(handler.WaitEntered());
        EXPECT_EQ(ShownCursor(), Hourglass());
        handler.Release();
    }
    // The pointer did not move: only the end of the handler can bring the arrow back.
    EXPECT_TRUE(WaitUntil([] { return ShownCursor() == Arrow(); }));
}

// The window class's cursor is set again on every WM_SETCURSOR, which only comes while
// the program takes messages: a mouse moving over the window during the handler does not
// end the wait cursor.
TEST_F(WaitCursor, StaysWhileTheMouseMovesOverTheWindowDuringTheHandler) {
    {
        HeldHandler handler;
        ASSERT_TRUE(handler.WaitEntered());
        for (int step = 1; step <= 5; ++step) {
            SetCursorPos(rest_.x + 8 * step, rest_.y + 4 * step);
            Sleep(40);
        }
        EXPECT_EQ(ShownCursor(), Hourglass());
        handler.Release();
    }
    EXPECT_TRUE(WaitUntil([] { return ShownCursor() == Arrow(); }));
}

// A message box inside a handler takes messages: the user answers it with the arrow, and
// the wait cursor comes back for the rest of the handler.
TEST_F(WaitCursor, AMessageBoxInsideAHandlerShowsTheArrow) {
    // The pointer rests beside the box (which is centred on the main window), so that
    // nothing but the program itself sets the cursor when the box appears.
    RECT client{};
    GetClientRect(main_, &client);
    POINT beside{40, client.bottom / 2};
    ClientToScreen(main_, &beside);
    SetCursorPos(beside.x, beside.y);
    ASSERT_TRUE(WaitUntil([] { return ShownCursor() == Arrow(); }));
    {
        HeldHandler handler([] { ShowMessageBox("Bitte warten", "Kelvaro", MB_OK); });
        ASSERT_TRUE(handler.WaitEntered());
        const std::optional<MessageBoxInfo> box = WaitForMessageBox(GetCurrentProcessId());
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(ShownCursor(), Arrow());
        PostMessageA(box->window, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(handler.WaitWorkDone());
        EXPECT_EQ(ShownCursor(), Hourglass());
        handler.Release();
    }
    EXPECT_TRUE(WaitUntil([] { return ShownCursor() == Arrow(); }));
}

// "Liste aktualisieren" holds the window for a whole snapshot; the details timer's tick,
// which comes twice a second, must not make the pointer flicker.
TEST_F(WaitCursor, RefreshCommandShowsItAndTheDetailsTimerDoesNot) {
    ForgetCursorsSeen();
    const int refreshes = RefreshCommandCount();
    PostMessageA(main_, WM_COMMAND, CmdRefreshLists, 0);
    ASSERT_TRUE(WaitUntil([&] { return RefreshCommandCount() == refreshes + 1; }, 10000));
    EXPECT_EQ(CursorDuringRefreshCommand(), Hourglass());
    ASSERT_TRUE(WaitUntil([] { return CursorDuringDetailsTick() != nullptr; }));
    EXPECT_NE(CursorDuringDetailsTick(), Hourglass());
    EXPECT_TRUE(WaitUntil([] { return ShownCursor() == Arrow(); }));
}

}  // namespace
}  // namespace kelvaro::test
