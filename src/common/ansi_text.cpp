// Windows-1252 upper-casing table and byte helpers shared by both builds.
#include "common/ansi_text.h"

#include <array>

namespace kelvaro {
namespace {

std::array<unsigned char, 256> MakeUpperTable() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
    for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<unsigned char>(c - 32);
    // à..þ map to À..Þ, except the division sign 0xF7, which is no letter.
    for (int c = 0xE0; c <= 0xFE; ++c) {
        if (c != 0xF7) table[c] = static_cast<unsigned char>(c - 32);
    }
    table[0x9A] = 0x8A;  // š -> Š
    table[0x9C] = 0x8C;  // œ -> Œ
    table[0x9E] = 0x8E;  // ž -> Ž
    table[0xFF] = 0x9F;  // ÿ -> Ÿ
    return table;
}

const std::array<unsigned char, 256> kUpperTable = MakeUpperTable();

}  // namespace

char UpperCp1252(char c) {
    return static_cast<char>(kUpperTable[static_cast<unsigned char>(c)]);
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string UpperAnsi(std::string_view text) {
    std::string result(text);
    UpperAnsiInPlace(result);
    return result;
}

}  // namespace kelvaro
