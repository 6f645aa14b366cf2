// The search window's layout arithmetic.
#include <gtest/gtest.h>

#include "inventory/search_layout.h"

namespace kelvaro {
namespace {

TEST(SearchLayout, ControlsFollowTheInnerSize) {
    // As opened: 500 x 400 with the result list 300 wide.
    const SearchLayout opened = ComputeSearchLayout(500, 400, 300);
    EXPECT_EQ(opened.searchTextWidth, 390);
    EXPECT_EQ(opened.searchButtonX, 400);
    EXPECT_EQ(opened.resultListHeight, 365);
    EXPECT_EQ(opened.descriptionWidth, 185);
    EXPECT_EQ(opened.descriptionHeight, 365);
    // At its smallest, 450 x 300.
    const SearchLayout smallest = ComputeSearchLayout(450, 300, 300);
    EXPECT_EQ(smallest.searchTextWidth, 340);
    EXPECT_EQ(smallest.searchButtonX, 350);
    EXPECT_EQ(smallest.descriptionWidth, 135);
    EXPECT_EQ(smallest.resultListHeight, 265);
    // At 150 %: 750 x 600 with the list 450 wide, the margins scaled.
    const SearchLayout scaled = ComputeSearchLayout(750, 600, 450, 144);
    EXPECT_EQ(scaled.searchTextWidth, 585);
    EXPECT_EQ(scaled.searchButtonX, 600);
    EXPECT_EQ(scaled.resultListHeight, 547);  // 35 x 1.5 = 52.5, rounded up
    EXPECT_EQ(scaled.descriptionWidth, 277);  // 15 x 1.5 = 22.5, rounded up
}

}  // namespace
}  // namespace kelvaro
