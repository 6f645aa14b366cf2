// The arithmetic of the main window's layout, free of any system call: its sizes, and where
// the panel and the page splitters go.
#pragma once

#include "ui/dpi.h"
#include "ui/rect.h"

namespace kelvaro {

// Inner sizes of the main window: at creation, and the limits the user can size it to.
inline constexpr int kMainInnerWidth = 785;
inline constexpr int kMainInnerHeight = 640;
inline constexpr int kMainMinInnerWidth = 650;
inline constexpr int kMainMinInnerHeight = 400;
inline constexpr int kMainMaxInnerWidth = 4000;
inline constexpr int kMainMaxInnerHeight = 4000;

// The tab strip above the pages of the panel (at 96 DPI).
inline constexpr int kTabStripHeight = 28;

struct MainLayout {
    Rect panel;  // control 0
    Rect page;   // splitters 3 and 24, one per page
};

// The main window's layout for an inner area (below the menu bar) of the given size, with
// the heights the toolbar and the status bar gave themselves, in pixels at a DPI.
MainLayout ComputeMainLayout(int innerWidth, int innerHeight, int toolbarHeight,
                             int statusBarHeight, int dpi = kDesignDpi);

}  // namespace kelvaro
