// The one scaling rule of every layout: the numbers of the windows are written for 96 DPI
// and become pixels at the DPI of the window they belong to, rounded as MulDiv rounds.
// Free of any system call.
#pragma once

#include "ui/rect.h"

namespace kelvaro {

// The resolution the layout numbers are written for (100 %).
inline constexpr int kDesignDpi = 96;

// value * numerator / denominator, rounded half away from zero (as MulDiv); -1 for a
// denominator of 0.
int MulDivRounded(int value, int numerator, int denominator);

// A layout number at 96 DPI in pixels at `dpi`.
inline int ScaleToDpi(int value, int dpi) {
    return MulDivRounded(value, dpi, kDesignDpi);
}
Rect ScaleToDpi(const Rect& rect, int dpi);

}  // namespace kelvaro
