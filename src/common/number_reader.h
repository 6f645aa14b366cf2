// The program's number reader: the verdict line of the definitions file, the numbers of
// the update information file and the "Timeout in sec" field all read numbers this way.
#pragma once

#include <cstdint>
#include <string_view>

namespace kelvaro {

// Skips leading blanks and tabs, takes an optional "+" or "-", then decimal digits, or
// "$" and hexadecimal digits, or "%" and binary digits, up to the first other character.
// No digits read as 0. Values beyond the 32-bit range are clamped to it.
int32_t ReadNumber(std::string_view text);

}  // namespace kelvaro
