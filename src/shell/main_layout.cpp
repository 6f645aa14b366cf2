// Layout arithmetic of the main window and the search window.
#include "shell/main_layout.h"

#include <algorithm>
#include <string_view>

namespace kelvaro {
namespace {

constexpr std::array<std::string_view, kStatusFieldCount> kStatusFieldLabels = {
    "Prozesse: ", "Threads: ", "Anzahl Definitionen: ", "Anzahl Fenster: ",
    "Anzahl Child-Fenster: "};

// A window can be made smaller than its controls' fixed margins only in theory (both
// windows have minimum sizes), but a negative size would be taken by the window system as
// a huge one.
int NotNegative(int value) {
    return std::max(value, 0);
}

}  // namespace

MainLayout ComputeMainLayout(int innerWidth, int innerHeight, int toolbarHeight,
                             int statusBarHeight) {
    MainLayout layout;
    layout.panel = {0, toolbarHeight, NotNegative(innerWidth),
                    NotNegative(innerHeight - toolbarHeight - statusBarHeight)};
    layout.page = {0, toolbarHeight + kTabStripHeight, NotNegative(innerWidth),
                   NotNegative(layout.panel.height - kTabStripHeight)};
    return layout;
}

SearchLayout ComputeSearchLayout(int innerWidth, int innerHeight, int resultListWidth) {
    SearchLayout layout;
    layout.searchTextWidth = NotNegative(innerWidth - 110);
    layout.searchButtonX = innerWidth - 100;
    layout.resultListHeight = NotNegative(innerHeight - 35);
    layout.descriptionWidth = NotNegative(innerWidth - resultListWidth - 15);
    layout.descriptionHeight = NotNegative(innerHeight - 35);
    return layout;
}

std::string StatusFieldText(StatusField field, int64_t count) {
    const int index = static_cast<int>(field);
    if (index < 0 || index >= kStatusFieldCount) return {};
    std::string text(kStatusFieldLabels[static_cast<size_t>(index)]);
    text += std::to_string(count);
    return text;
}

Rect CentreIn(const Rect& area, int width, int height) {
    return {area.x + (area.width - width) / 2, area.y + (area.height - height) / 2, width, height};
}

Rect KeepTopLeftOn(const Rect& window, const Rect& screen) {
    Rect kept = window;
    kept.x = std::max(kept.x, screen.x);
    kept.y = std::max(kept.y, screen.y);
    return kept;
}

uint32_t AutoRefreshIntervalMs(int32_t timeoutSeconds) {
    const int64_t milliseconds = static_cast<int64_t>(timeoutSeconds) * 1000;
    if (milliseconds < 0 || milliseconds > kTimerMaximumMs) return kTimerMaximumMs;
    return static_cast<uint32_t>(milliseconds);
}

}  // namespace kelvaro
