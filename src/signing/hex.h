// Hex digits of the update manifest and the key list: lower case only, so that every
// value has one spelling.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvaro::signing {

// Decodes exactly `size` bytes from 2 * `size` lower-case hex digits; false for any other
// length or character.
bool DecodeLowerHex(std::string_view hex, uint8_t* out, size_t size);

std::string EncodeLowerHex(const uint8_t* bytes, size_t size);

}  // namespace kelvaro::signing
