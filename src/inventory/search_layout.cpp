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

SearchLayout ComputeSearchLayout(int innerWidth, int innerHeight, int resultListWidth) {
    SearchLayout layout;
    layout.searchTextWidth = NotNegative(innerWidth - 110);
    layout.searchButtonX = innerWidth - 100;
    layout.resultListHeight = NotNegative(innerHeight - 35);
    layout.descriptionWidth = NotNegative(innerWidth - resultListWidth - 15);
    layout.descriptionHeight = NotNegative(innerHeight - 35);
    return layout;
}

}  // namespace kelvaro
