// The scaling rule of the layout.
#include "ui/dpi.h"

#include <cstdint>

namespace kelvaro {

int MulDivRounded(int value, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const std::int64_t product = std::int64_t{value} * numerator;
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = denominator < 0 ? -std::int64_t{denominator} : denominator;
    const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
    const bool negative = (product < 0) != (denominator < 0);
    return static_cast<int>(negative ? -rounded : rounded);
}

Rect ScaleToDpi(const Rect& rect, int dpi) {
    return {ScaleToDpi(rect.x, dpi), ScaleToDpi(rect.y, dpi), ScaleToDpi(rect.width, dpi),
            ScaleToDpi(rect.height, dpi)};
}

}  // namespace kelvaro
