// Windows-1252 <-> UTF-8 by table: the portable half of the ANSI/UTF-8 seam.
#include "common/ansi_utf8.h"

#include <array>
#include <cstdint>

namespace kelvaro {
namespace {

constexpr char kNoForm = '?';

// Code points of the bytes 0x80-0x9F; the rest of Windows-1252 is Latin-1.
// clang-format off
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};
// clang-format on

char32_t CodePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

// The Windows-1252 byte of a code point, or kNoForm.
char ByteOf(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == code) return static_cast<char>(0x80 + i);
    }
    return kNoForm;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsContinuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return byte >= low && byte <= high;
}

// Decodes one character at `pos` and advances past it. An ill-formed piece (the longest
// start of a valid sequence, at least one byte) gives kIllFormed.
constexpr char32_t kIllFormed = 0xFFFFFFFF;

char32_t DecodeOne(std::string_view text, size_t& pos) {
    const auto at = [&](size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    };
    const unsigned char lead = at(pos);
    ++pos;
    if (lead < 0x80) return lead;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
    } else {
        return kIllFormed;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char next = at(pos);
        const bool fits =
            pos < text.size() && (i == 1 ? IsContinuation(next, low, high) : IsContinuation(next));
        if (!fits) return kIllFormed;
        code = (code << 6) | (next & 0x3F);
        ++pos;
    }
    return code;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t code = DecodeOne(utf8, pos);
        if (code == kIllFormed) {
            out += kNoForm;
        } else if (code > 0xFFFF) {
            out.append(2, kNoForm);  // one per half of the UTF-16 surrogate pair
        } else {
            out += ByteOf(code);
        }
    }
    return out;
}

}  // namespace kelvaro
