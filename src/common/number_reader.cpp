// The program's number reader (decimal, "$" hexadecimal, "%" binary).
#include "common/number_reader.h"

#include <cstddef>

namespace kelvaro {
namespace {

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

}  // namespace

int32_t ReadNumber(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }

    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (pos < text.size() && text[pos] == '%') {
        base = 2;
        ++pos;
    }

    // Accumulate the magnitude with a ceiling just above the 32-bit range, so a long run
    // of digits can never overflow; the clamp below then gives the nearest 32-bit value.
    constexpr int64_t kCeiling = int64_t{1} << 32;
    int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0) break;
        magnitude = magnitude * base + digit;
        if (magnitude > kCeiling) magnitude = kCeiling;
    }

    const int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace kelvaro
