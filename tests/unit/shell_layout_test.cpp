#include <gtest/gtest.h>

#include "shell/main_layout.h"
#include "shell/splitter_model.h"

namespace kelvaro {
namespace {

TEST(MainLayout, PanelFillsTheAreaBetweenToolbarAndStatusBarAndPagesLieBelowTheTabs) {
    // Inner area 785 x 620 below a 20-pixel menu bar, toolbar 42, status bar 22.
    const MainLayout layout = ComputeMainLayout(785, 620, 42, 22);
    EXPECT_EQ(layout.panel, (Rect{0, 42, 785, 556}));
    EXPECT_EQ(layout.page, (Rect{0, 42 + 28, 785, 556 - 28}));
}

TEST(MainLayout, AreasTooSmallForTheBarsGiveEmptyRatherThanNegativeSizes) {
    const MainLayout layout = ComputeMainLayout(0, 50, 42, 22);
    EXPECT_EQ(layout.panel.width, 0);
    EXPECT_EQ(layout.panel.height, 0);
    EXPECT_EQ(layout.page.height, 0);
}

TEST(SearchLayout, ControlsFollowTheInnerSize) {
    // As opened: 500 x 400 with the result list 300 wide.
    const SearchLayout opened = ComputeSearchLayout(500, 400, 300);
    EXPECT_EQ(opened.searchTextWidth, 390);
    EXPECT_EQ(opened.searchButtonX, 400);
    EXPECT_EQ(opened.resultListHeight, 365);
    EXPECT_EQ(opened.descriptionWidth, 185);
    EXPECT_EQ(opened.descriptionHeight, 365);
    // At its smallest, 450 x 300.
    const SearchLayout smallest = ComputeSearchLayout(450, 300, 300);
    EXPECT_EQ(smallest.searchTextWidth, 340);
    EXPECT_EQ(smallest.searchButtonX, 350);
    EXPECT_EQ(smallest.descriptionWidth, 135);
    EXPECT_EQ(smallest.resultListHeight, 265);
}

TEST(StatusFields, LabelsFollowedByTheCountInDecimal) {
    EXPECT_EQ(StatusFieldText(StatusProcesses, 42), "Prozesse: 42");
    EXPECT_EQ(StatusFieldText(StatusThreads, 5000000000LL), "Threads: 5000000000");
    EXPECT_EQ(StatusFieldText(StatusDefinitions, 0), "Anzahl Definitionen: 0");
    EXPECT_EQ(StatusFieldText(StatusWindows, 7), "Anzahl Fenster: 7");
    EXPECT_EQ(StatusFieldText(StatusChildWindows, 12), "Anzahl Child-Fenster: 12");
    EXPECT_EQ(kStatusFieldRightEdges, (std::array<int, 5>{100, 200, 370, 520, 710}));
}

TEST(WindowPlacement, CentredOnAnAreaAndKeptOnTheScreen) {
    EXPECT_EQ(CentreIn({0, 0, 1280, 1024}, 801, 699), (Rect{239, 162, 801, 699}));
    EXPECT_EQ(CentreIn({100, 50, 400, 300}, 200, 100), (Rect{200, 150, 200, 100}));
    // A dialog larger than its owner near the screen's corner would start off screen.
    const Rect offScreen = CentreIn({-50, -20, 100, 100}, 300, 300);
    EXPECT_LT(offScreen.x, 0);
    EXPECT_EQ(KeepTopLeftOn(offScreen, {0, 0, 1280, 1024}), (Rect{0, 0, 300, 300}));
    EXPECT_EQ(KeepTopLeftOn({10, 20, 5, 5}, {0, 0, 1280, 1024}), (Rect{10, 20, 5, 5}));
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

// Splitter 3: the process list keeps 470 pixels; the description takes the rest.
TEST(Splitter, FirstPaneFixedKeepsItsWidthWhenResized) {
    SplitterModel splitter(SplitterBar::Vertical, FixedPane::First, 785, 470);
    EXPECT_EQ(splitter.firstPane(), 470);
    EXPECT_EQ(splitter.secondPane(), 785 - 470 - 4);
    splitter.Resize(650);
    EXPECT_EQ(splitter.firstPane(), 470);
    EXPECT_EQ(splitter.secondPane(), 176);
    splitter.Resize(1200);
    EXPECT_EQ(splitter.firstPane(), 470);
    EXPECT_EQ(splitter.secondPane(), 726);
}

// Splitter 24: the right pane keeps its width, the tree takes the change.
TEST(Splitter, SecondPaneFixedKeepsItsWidthWhenResized) {
    SplitterModel splitter = SplitterModel::Halved(SplitterBar::Vertical, FixedPane::Second, 785);
    EXPECT_EQ(splitter.firstPane(), 390);
    EXPECT_EQ(splitter.secondPane(), 391);
    splitter.Resize(650);
    EXPECT_EQ(splitter.secondPane(), 391);
    EXPECT_EQ(splitter.firstPane(), 255);
}

// Splitter 23: no fixed pane, both keep their shares.
TEST(Splitter, NoFixedPaneKeepsTheShares) {
    SplitterModel splitter = SplitterModel::Halved(SplitterBar::Horizontal, FixedPane::None, 504);
    EXPECT_EQ(splitter.firstPane(), 250);
    splitter.Resize(1004);
    EXPECT_EQ(splitter.firstPane(), 500);
    splitter.DragBarTo(100);
    splitter.Resize(504);
    EXPECT_EQ(splitter.firstPane(), 50);
}

TEST(Splitter, ShrinkingBelowTheFixedPaneAndGrowingAgainGivesItsSizeBack) {
    SplitterModel splitter(SplitterBar::Vertical, FixedPane::First, 785, 470);
    splitter.Resize(300);
    EXPECT_EQ(splitter.firstPane(), 296);
    EXPECT_EQ(splitter.secondPane(), 0);
    splitter.Resize(785);
    EXPECT_EQ(splitter.firstPane(), 470);
    // Created before it has its size, as a control is before the first layout.
    SplitterModel early(SplitterBar::Vertical, FixedPane::First, 0, 470);
    early.Resize(785);
    EXPECT_EQ(early.firstPane(), 470);
}

TEST(Splitter, DraggingStaysInsideAndSetsWhatTheFixedPaneKeeps) {
    SplitterModel splitter(SplitterBar::Vertical, FixedPane::First, 785, 470);
    splitter.DragBarTo(-30);
    EXPECT_EQ(splitter.firstPane(), 0);
    splitter.DragBarTo(5000);
    EXPECT_EQ(splitter.firstPane(), 781);
    EXPECT_EQ(splitter.secondPane(), 0);
    splitter.DragBarTo(300);
    splitter.Resize(1000);
    EXPECT_EQ(splitter.firstPane(), 300);

    SplitterModel right = SplitterModel::Halved(SplitterBar::Vertical, FixedPane::Second, 785);
    right.DragBarTo(600);
    right.Resize(900);
    EXPECT_EQ(right.secondPane(), 181);
}

TEST(Splitter, LayoutPutsTheFourPixelBarBetweenThePanes) {
    const SplitterModel vertical(SplitterBar::Vertical, FixedPane::First, 785, 470);
    const SplitterModel::Panes side = vertical.Layout(500);
    EXPECT_EQ(side.first, (Rect{0, 0, 470, 500}));
    EXPECT_EQ(side.bar, (Rect{470, 0, 4, 500}));
    EXPECT_EQ(side.second, (Rect{474, 0, 311, 500}));

    const SplitterModel horizontal =
        SplitterModel::Halved(SplitterBar::Horizontal, FixedPane::None, 404);
    const SplitterModel::Panes stacked = horizontal.Layout(391);
    EXPECT_EQ(stacked.first, (Rect{0, 0, 391, 200}));
    EXPECT_EQ(stacked.bar, (Rect{0, 200, 391, 4}));
    EXPECT_EQ(stacked.second, (Rect{0, 204, 391, 200}));

    // Thinner than the bar: no pane has room, nothing is negative.
    const SplitterModel thin(SplitterBar::Vertical, FixedPane::First, 3, 470);
    const SplitterModel::Panes squeezed = thin.Layout(10);
    EXPECT_EQ(squeezed.first.width, 0);
    EXPECT_EQ(squeezed.bar.width, 3);
    EXPECT_EQ(squeezed.second.width, 0);
}

}  // namespace
}  // namespace kelvaro
