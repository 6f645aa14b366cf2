// The arithmetic of the search window's layout, free of any system call: the sizes and the
// one position that follow its inner size W x H; everything else stays where the window put
// it.
#pragma once

#include "ui/dpi.h"

namespace kelvaro {

struct SearchLayout {
    int searchTextWidth = 0;    // control 16: W - 110
    int searchButtonX = 0;      // control 19: W - 100
    int resultListHeight = 0;   // control 17: H - 35
    int descriptionWidth = 0;   // control 18: W - width of 17 - 15
    int descriptionHeight = 0;  // control 18: H - 35
};
// In pixels at a DPI: the margins are the 96-DPI ones scaled.
SearchLayout ComputeSearchLayout(int innerWidth, int innerHeight, int resultListWidth,
                                 int dpi = kDesignDpi);

}  // namespace kelvaro
