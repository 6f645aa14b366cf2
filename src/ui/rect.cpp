// Placing a window on an area.
#include "ui/rect.h"

#include <algorithm>

namespace kelvaro {

Rect CentreIn(const Rect& area, int width, int height) {
    return {area.x + (area.width - width) / 2, area.y + (area.height - height) / 2, width, height};
}

Rect KeepTopLeftOn(const Rect& window, const Rect& screen) {
    Rect kept = window;
    kept.x = std::max(kept.x, screen.x);
    kept.y = std::max(kept.y, screen.y);
    return kept;
}

}  // namespace kelvaro
