// The rules of a splitter, free of any system call: two panes and a bar between them (4
// pixels at 96 DPI), which the user drags, and which pane keeps its size when the splitter is resized.
#pragma once

#include "ui/rect.h"

namespace kelvaro {

enum class SplitterBar {
    Vertical,    // the panes lie side by side
    Horizontal,  // the panes lie one above the other
};

enum class FixedPane {
    None,    // both panes keep their share of the length
    First,   // the left or upper pane keeps its size
    Second,  // the right or lower pane keeps its size
};

inline constexpr int kSplitterBarThickness = 4;

class SplitterModel {
public:
    // `length` is the splitter's extent across the bar (its width for a vertical bar), and
    // `firstPane` the first pane's size at creation; all in pixels, the bar's thickness too.
    SplitterModel(SplitterBar bar, FixedPane fixed, int length, int firstPane,
                  int barThickness = kSplitterBarThickness);
    // The same with the bar in the middle.
    static SplitterModel Halved(SplitterBar bar, FixedPane fixed, int length,
                                int barThickness = kSplitterBarThickness);

    // The window moved to a screen of another DPI: the sizes the user asked for and the bar
    // are scaled by `toDpi` / `fromDpi` (the bar from its 96-DPI thickness, so that it is
    // the same at the same DPI however often the window moved).
    void Rescale(int fromDpi, int toDpi);

    // The splitter got a new extent: the fixed pane keeps the size it was last given (as
    // far as the new extent allows), or both panes keep their shares.
    void Resize(int length);
    // The user put the bar's leading edge at this position; it stays within the splitter.
    void DragBarTo(int position);

    SplitterBar bar() const { return bar_; }
    int length() const { return length_; }
    int barThickness() const { return thickness_; }
    int firstPane() const;
    int secondPane() const { return Room() - firstPane(); }

    struct Panes {
        Rect first;
        Rect bar;
        Rect second;
    };
    // The rectangles inside a splitter of the current length and the given extent along
    // the bar (its height for a vertical bar).
    Panes Layout(int breadth) const;

private:
    int Room() const;  // the length both panes share

    SplitterBar bar_;
    FixedPane fixed_;
    int thickness_ = kSplitterBarThickness;
    int length_ = 0;
    // What the user last asked for: the fixed pane's size, or for no fixed pane the first
    // pane's share of the room as a fraction. Kept apart from the current sizes so that
    // shrinking the splitter below the fixed size and growing it again gives it back.
    int wantedFirst_ = 0;
    int wantedSecond_ = 0;
    double share_ = 0.5;
};

}  // namespace kelvaro
