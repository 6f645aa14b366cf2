// Layout arithmetic of the main window.
#include "shell/main_layout.h"

#include <algorithm>

namespace kelvaro {

MainLayout ComputeMainLayout(int innerWidth, int innerHeight, int toolbarHeight,
                             int statusBarHeight, int dpi) {
    const int tabStrip = ScaleToDpi(kTabStripHeight, dpi);
    // A window can be made smaller than its bars only in theory (it has a minimum size),
    // but a negative size would be taken by the window system as a huge one.
    MainLayout layout;
    layout.panel = {0, toolbarHeight, std::max(innerWidth, 0),
                    std::max(innerHeight - toolbarHeight - statusBarHeight, 0)};
    layout.page = {0, toolbarHeight + tabStrip, std::max(innerWidth, 0),
                   std::max(layout.panel.height - tabStrip, 0)};
    return layout;
}

}  // namespace kelvaro
