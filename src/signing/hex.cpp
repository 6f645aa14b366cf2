// Lower-case hex digits.
#include "signing/hex.h"

namespace kelvaro::signing {
namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

bool DecodeLowerHex(std::string_view hex, uint8_t* out, size_t size) {
    if (hex.size() != 2 * size) return false;
    for (size_t i = 0; i < size; ++i) {
        const int high = DigitValue(hex[2 * i]);
        const int low = DigitValue(hex[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        out[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return true;
}

std::string EncodeLowerHex(const uint8_t* bytes, size_t size) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * size);
    for (size_t i = 0; i < size; ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 15];
    }
    return hex;
}

}  // namespace kelvaro::signing
