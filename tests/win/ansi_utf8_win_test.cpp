// The portable Windows-1252 table must agree with the system's conversion between the
// ANSI code page and UTF-8, for every byte and every character of the basic plane.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/ansi_utf8.h"

namespace kelvaro {
namespace {

std::string Utf8Of(char32_t code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

class AnsiUtf8Win : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 1252u) << "the tests expect the Windows-1252 ANSI code page";
    }
};

TEST_F(AnsiUtf8Win, SystemAndTableAgreeForEveryAnsiByte) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(AnsiToUtf8(one), Cp1252ToUtf8(one)) << "byte 0x" << std::hex << byte;
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(one)), one) << "byte 0x" << std::hex << byte;
        all += one;
    }
    all += std::string(1, '\0') + all;  // a zero byte inside a text is a character too
    EXPECT_EQ(AnsiToUtf8(all), Cp1252ToUtf8(all));
    EXPECT_EQ(Utf8ToAnsi(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(AnsiToUtf8(""), "");
    EXPECT_EQ(Utf8ToAnsi(""), "");
}

TEST_F(AnsiUtf8Win, SystemAndTableAgreeForEveryCharacterOfTheBasicPlane) {
    int mismatches = 0;
    for (char32_t code = 1; code < 0x10000; ++code) {
        if (code >= 0xD800 && code <= 0xDFFF) continue;  // surrogates are no characters
        const std::string utf8 = Utf8Of(code);
        const std::string system = Utf8ToAnsi(utf8);
        if (system != Utf8ToCp1252(utf8) && ++mismatches <= 10) {
            ADD_FAILURE() << "U+" << std::hex << static_cast<uint32_t>(code) << ": system \""
                          << system << "\", table \"" << Utf8ToCp1252(utf8) << "\"";
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(AnsiUtf8Win, CharactersBeyondTheBasicPlaneGiveTwoQuestionMarks) {
    for (const char32_t code : {char32_t{0x10000}, char32_t{0x1F600}, char32_t{0x10FFFF}}) {
        const std::string text = std::string("a").append(Utf8Of(code)).append("b");
        EXPECT_EQ(Utf8ToAnsi(text), "a??b");
        EXPECT_EQ(Utf8ToCp1252(text), "a??b");
    }
}

// Ill-formed input inside a text: both sides give "?" and keep the text around it. (For a
// cut-off sequence at the very end, and for the count of "?" in some ill-formed sequences,
// Wine's decoder differs from the Unicode recommendation that the table follows.)
TEST_F(AnsiUtf8Win, IllFormedBytesInsideATextBecomeQuestionMarksOnBothSides) {
    for (const std::string bad : {"a\x80"
                                  "b",
                                  "a\xC0\x80"
                                  "b",
                                  "a\xE2\x82"
                                  "b",
                                  "a\xFF"
                                  "b",
                                  "a\xF5"
                                  "b",
                                  "a\xC3"
                                  "b"}) {
        EXPECT_EQ(Utf8ToAnsi(bad), Utf8ToCp1252(bad));
        EXPECT_EQ(Utf8ToAnsi(bad).front(), 'a');
        EXPECT_EQ(Utf8ToAnsi(bad).back(), 'b');
    }
}

}  // namespace
}  // namespace kelvaro
