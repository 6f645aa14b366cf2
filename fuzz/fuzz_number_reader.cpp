// Any text reads as a number without overflow; the sign only flips the magnitude.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/number_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int32_t value = kelvaro::ReadNumber(text);
    const size_t start = text.find_first_not_of(" \t");
    if (start != std::string_view::npos && text[start] == '-') {
        std::string positive(text);
        positive[start] = '+';
        const int64_t expected = -int64_t{kelvaro::ReadNumber(positive)};
        // Only the clamp at the lower end may differ from the plain negation.
        if (value != expected && value != INT32_MIN) __builtin_trap();
    }
    return 0;
}
