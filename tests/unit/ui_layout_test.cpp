// The UI kit's arithmetic: status fields, window placement, the DPI scaling rule and the
// splitter's rules.
#include <gtest/gtest.h>

#include <array>

#include "ui/dpi.h"
#include "ui/rect.h"
#include "ui/splitter_model.h"
#include "ui/status_fields.h"

namespace kelvaro {
namespace {

TEST(StatusFields, LabelsFollowedByTheCountInDecimal) {
    EXPECT_EQ(StatusFieldText(StatusProcesses, 42), "Prozesse: 42");
    EXPECT_EQ(StatusFieldText(StatusThreads, 5000000000LL), "Threads: 5000000000");
    EXPECT_EQ(StatusFieldText(StatusDefinitions, 0), "Anzahl Definitionen: 0");
    EXPECT_EQ(StatusFieldText(StatusWindows, 7), "Anzahl Fenster: 7");
    EXPECT_EQ(StatusFieldText(StatusChildWindows, 12), "Anzahl Child-Fenster: 12");
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

// Rounded as MulDiv rounds: halves away from zero, so negative font heights grow as the
// positive sizes do.
TEST(DpiScaling, LayoutNumbersScaleRoundedAsMulDiv) {
    struct Case {
        int value, dpi, scaled;
    };
    constexpr Case kCases[] = {{785, 96, 785}, {785, 144, 1178}, {55, 144, 83}, {55, 120, 69},
                               {370, 120, 463}, {710, 120, 888}, {1, 144, 2}, {0, 192, 0},
                               {-13, 144, -20}, {-11, 120, -14}, {4, 120, 5}, {214, 192, 428}};
    for (const Case& c : kCases) {
        EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
    }
    EXPECT_EQ(MulDivRounded(-20, 96, 144), -13);
    EXPECT_EQ(MulDivRounded(7, 1, 0), -1);
    EXPECT_EQ(ScaleToDpi(Rect{105, 140, 95, 25}, 144), (Rect{158, 210, 143, 38}));
}

// A move to 150 % and back gives the sizes the user had, and the bar is the 96-DPI bar
// scaled, however often the window moved.
TEST(Splitter, RescaledForAnotherDpiAndBack) {
    SplitterModel fixedFirst(SplitterBar::Vertical, FixedPane::First, 785, 470);
    SplitterModel fixedSecond = SplitterModel::Halved(SplitterBar::Vertical, FixedPane::Second, 785);
    fixedFirst.Rescale(96, 144);
    fixedSecond.Rescale(96, 144);
    fixedFirst.Resize(1178);
    fixedSecond.Resize(1178);
    EXPECT_EQ(fixedFirst.barThickness(), 6);
    EXPECT_EQ(fixedFirst.firstPane(), 705);
    EXPECT_EQ(fixedSecond.secondPane(), 587);  // 391 x 1.5
    fixedFirst.Rescale(144, 120);
    fixedFirst.Rescale(120, 96);
    fixedSecond.Rescale(144, 96);
    fixedFirst.Resize(785);
    fixedSecond.Resize(785);
    EXPECT_EQ(fixedFirst.barThickness(), 4);
    EXPECT_EQ(fixedFirst.firstPane(), 470);
    EXPECT_EQ(fixedSecond.secondPane(), 391);
    EXPECT_EQ(fixedSecond.firstPane(), 390);
}

}  // namespace
}  // namespace kelvaro
