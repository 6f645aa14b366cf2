// Layout arithmetic of the search window.
#include "inventory/search_layout.h"

#include <algorithm>

namespace kelvaro {
namespace {

// The window can be made smaller than its controls' fixed margins only in theory (it has a
// minimum size), but a negative size would be taken by the window system as a huge one.
int NotNegative(int value) {
    return std::max(value, 0);
}

}  // namespace

SearchLayout ComputeSearchLayout(int innerWidth, int innerHeight, int resultListWidth,
                                 int dpi) {
    SearchLayout layout;
    layout.searchTextWidth = NotNegative(innerWidth - ScaleToDpi(110, dpi));
    layout.searchButtonX = innerWidth - ScaleToDpi(100, dpi);
    layout.resultListHeight = NotNegative(innerHeight - ScaleToDpi(35, dpi));
    layout.descriptionWidth = NotNegative(innerWidth - resultListWidth - ScaleToDpi(15, dpi));
    layout.descriptionHeight = NotNegative(innerHeight - ScaleToDpi(35, dpi));
    return layout;
}

}  // namespace kelvaro
