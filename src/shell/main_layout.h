// The arithmetic of the windows' layout, free of any system call: where the panel and the
// page splitters of the main window go, how the search window's controls follow its size,
// the status bar's fields, window centring and the interval of the refresh timer.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kelvaro {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// Inner sizes of the main window: at creation, and the limits the user can size it to.
inline constexpr int kMainInnerWidth = 785;
inline constexpr int kMainInnerHeight = 640;
inline constexpr int kMainMinInnerWidth = 650;
inline constexpr int kMainMinInnerHeight = 400;
inline constexpr int kMainMaxInnerWidth = 4000;
inline constexpr int kMainMaxInnerHeight = 4000;

// The tab strip above the pages of the panel.
inline constexpr int kTabStripHeight = 28;

struct MainLayout {
    Rect panel;  // control 0
    Rect page;   // splitters 3 and 24, one per page
};

// The main window's layout for an inner area (below the menu bar) of the given size, with
// the heights the toolbar and the status bar gave themselves.
MainLayout ComputeMainLayout(int innerWidth, int innerHeight, int toolbarHeight,
                             int statusBarHeight);

// The sizes and the one position of the search window that follow its inner size W x H;
// everything else stays where the window put it.
struct SearchLayout {
    int searchTextWidth = 0;    // control 16: W - 110
    int searchButtonX = 0;      // control 19: W - 100
    int resultListHeight = 0;   // control 17: H - 35
    int descriptionWidth = 0;   // control 18: W - width of 17 - 15
    int descriptionHeight = 0;  // control 18: H - 35
};
SearchLayout ComputeSearchLayout(int innerWidth, int innerHeight, int resultListWidth);

// Status bar fields, their right edges in pixels and their texts.
enum StatusField : int {
    StatusProcesses = 0,
    StatusThreads = 1,
    StatusDefinitions = 2,
    StatusWindows = 3,
    StatusChildWindows = 4,
};
inline constexpr int kStatusFieldCount = 5;
inline constexpr std::array<int, kStatusFieldCount> kStatusFieldRightEdges = {100, 200, 370, 520,
                                                                              710};
// The field's label followed by the count in decimal, e.g. "Prozesse: 42".
std::string StatusFieldText(StatusField field, int64_t count);

// A window of the given outer size centred on an area (the screen, or an owner window).
Rect CentreIn(const Rect& area, int width, int height);
// The window moved right and down as far as needed to start inside the screen's left and
// top edges.
Rect KeepTopLeftOn(const Rect& window, const Rect& screen);

// The largest interval the window system's timers accept.
inline constexpr uint32_t kTimerMaximumMs = 0x7FFFFFFF;
// The interval of the refresh timer for "Timeout" seconds. Intervals beyond the window
// system's limit, negative ones included, become that limit, as the system itself would
// reduce them; the product is formed in 64 bits so that no "Timeout" wraps round.
uint32_t AutoRefreshIntervalMs(int32_t timeoutSeconds);

}  // namespace kelvaro
