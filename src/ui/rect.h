// Rectangles of windows and controls, free of any system call: the one rectangle of every
// layout, and a window's place centred on an area.
#pragma once

namespace kelvaro {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// A window of the given outer size centred on an area (the screen, or an owner window).
Rect CentreIn(const Rect& area, int width, int height);
// The window moved right and down as far as needed to start inside the screen's left and
// top edges.
Rect KeepTopLeftOn(const Rect& window, const Rect& screen);

}  // namespace kelvaro
