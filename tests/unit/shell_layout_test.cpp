// The main window's layout arithmetic and the refresh timer's interval.
#include <gtest/gtest.h>

#include <cstdint>

#include "shell/main_layout.h"
#include "shell/settings.h"

namespace kelvaro {
namespace {

TEST(MainLayout, PanelFillsTheAreaBetweenToolbarAndStatusBarAndPagesLieBelowTheTabs) {
    // Inner area 785 x 620 below a 20-pixel menu bar, toolbar 42, status bar 22.
    const MainLayout layout = ComputeMainLayout(785, 620, 42, 22);
    EXPECT_EQ(layout.panel, (Rect{0, 42, 785, 556}));
    EXPECT_EQ(layout.page, (Rect{0, 42 + 28, 785, 556 - 28}));
    // At 150 % the tab strip is 42 high.
    const MainLayout scaled = ComputeMainLayout(1178, 930, 60, 33, 144);
    EXPECT_EQ(scaled.page, (Rect{0, 60 + 42, 1178, 930 - 60 - 33 - 42}));
}

TEST(MainLayout, AreasTooSmallForTheBarsGiveEmptyRatherThanNegativeSizes) {
    const MainLayout layout = ComputeMainLayout(0, 50, 42, 22);
    EXPECT_EQ(layout.panel.width, 0);
    EXPECT_EQ(layout.panel.height, 0);
    EXPECT_EQ(layout.page.height, 0);
}

TEST(RefreshTimer, IntervalIsTimeoutSecondsWithinTheSystemLimit) {
    EXPECT_EQ(AutoRefreshIntervalMs(5), 5000u);
    EXPECT_EQ(AutoRefreshIntervalMs(2147483), 2147483000u);
    // Beyond the limit, negative values included, the system's maximum (about 24.8 days).
    EXPECT_EQ(AutoRefreshIntervalMs(2147484), kTimerMaximumMs);
    EXPECT_EQ(AutoRefreshIntervalMs(-1), kTimerMaximumMs);
    EXPECT_EQ(AutoRefreshIntervalMs(INT32_MIN), kTimerMaximumMs);
    // A product that would wrap round in 32 bits must not come out as a short interval.
    EXPECT_EQ(AutoRefreshIntervalMs(4294968), kTimerMaximumMs);
    EXPECT_EQ(AutoRefreshIntervalMs(INT32_MAX), kTimerMaximumMs);
}

}  // namespace
}  // namespace kelvaro
