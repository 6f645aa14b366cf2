// Splitter rules: pane sizes on resize and on dragging the bar.
#include "ui/splitter_model.h"

#include <algorithm>
#include <cmath>

#include "ui/dpi.h"

namespace kelvaro {

SplitterModel::SplitterModel(SplitterBar bar, FixedPane fixed, int length, int firstPane,
                             int barThickness)
    : bar_(bar), fixed_(fixed), thickness_(std::max(barThickness, 1)), length_(std::max(length, 0)) {
    // A splitter may be created smaller than its fixed pane (before the first layout);
    // the pane gets its size as soon as there is room.
    wantedFirst_ = std::max(firstPane, 0);
    wantedSecond_ = std::max(Room() - wantedFirst_, 0);
    share_ = Room() > 0 ? std::min(static_cast<double>(wantedFirst_) / Room(), 1.0) : 0.5;
}

SplitterModel SplitterModel::Halved(SplitterBar bar, FixedPane fixed, int length,
                                    int barThickness) {
    const int room = std::max(length - std::max(barThickness, 1), 0);
    return SplitterModel(bar, fixed, length, room / 2, barThickness);
}

int SplitterModel::Room() const {
    return std::max(length_ - thickness_, 0);
}

void SplitterModel::Rescale(int fromDpi, int toDpi) {
    if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) return;
    thickness_ = std::max(ScaleToDpi(kSplitterBarThickness, toDpi), 1);
    wantedFirst_ = MulDivRounded(wantedFirst_, toDpi, fromDpi);
    wantedSecond_ = MulDivRounded(wantedSecond_, toDpi, fromDpi);
    length_ = MulDivRounded(length_, toDpi, fromDpi);
}

void SplitterModel::Resize(int length) {
    length_ = std::max(length, 0);
}

void SplitterModel::DragBarTo(int position) {
    const int first = std::clamp(position, 0, Room());
    wantedFirst_ = first;
    wantedSecond_ = Room() - first;
    share_ = Room() > 0 ? static_cast<double>(first) / Room() : 0.5;
}

int SplitterModel::firstPane() const {
    int first = 0;
    switch (fixed_) {
        case FixedPane::First:
            first = wantedFirst_;
            break;
        case FixedPane::Second:
            first = Room() - wantedSecond_;
            break;
        case FixedPane::None:
            first = static_cast<int>(std::lround(share_ * Room()));
            break;
    }
    return std::clamp(first, 0, Room());
}

SplitterModel::Panes SplitterModel::Layout(int breadth) const {
    breadth = std::max(breadth, 0);
    const int first = firstPane();
    const int barLength = std::min(thickness_, length_);
    const int secondStart = first + barLength;
    const int second = std::max(length_ - secondStart, 0);
    if (bar_ == SplitterBar::Vertical) {
        return {{0, 0, first, breadth},
                {first, 0, barLength, breadth},
                {secondStart, 0, second, breadth}};
    }
    return {
        {0, 0, breadth, first}, {0, first, breadth, barLength}, {0, secondStart, breadth, second}};
}

}  // namespace kelvaro
