// Start-up with a negative "Timeout" in the settings file (run with --negative-timeout):
// timer 1 is started all the same, with an interval beyond the window system's limit,
// which the system cuts to its longest (about 24.8 days), so nothing is refreshed soon.
#include <windows.h>

#include <gtest/gtest.h>

#include "inprocess/harness.h"
#include "ui/ids.h"

namespace kelvaro::test {
namespace {

TEST(NegativeTimeout, RefreshTimerRunsButNotSoon) {
    // No tick comes within two seconds, though "AutoAktualisieren" is on.
    for (int waited = 0; waited < 2000; waited += 20) {
        ASSERT_EQ(AutoRefreshTickCount(), 0) << "timer 1 fired after " << waited << " ms";
        Sleep(20);
    }
    // KillTimer succeeds only for a timer that runs; it is put back as the program set it.
    BOOL running = FALSE;
    ASSERT_TRUE(RunOnMainThread([&] {
        running = KillTimer(ProgramMainWindow(), TimerAutoRefresh);
        if (running) SetTimer(ProgramMainWindow(), TimerAutoRefresh, USER_TIMER_MAXIMUM, nullptr);
    }));
    EXPECT_TRUE(running) << "timer 1 was not started";
}

}  // namespace
}  // namespace kelvaro::test
