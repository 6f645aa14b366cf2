// The portable Windows-1252 table must agree with the system's conversion between the
// ANSI code page and UTF-8, for every byte and every character of the basic plane.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/ansi_utf8.h"

namespace kelvaro {
namespace {

// The UTF-8 form of UTF-16 text, as the system writes it.
std::string SystemUtf8(const std::wstring& wide) {
    char out[16] = {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           out, sizeof out, nullptr, nullptr);
    return std::string(out, length > 0 ? length : 0);
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
    for (wchar_t unit = 1; unit != 0; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF) continue;  // halves of surrogate pairs
        const std::string utf8 = SystemUtf8(std::wstring(1, unit));
        if (Utf8ToAnsi(utf8) != Utf8ToCp1252(utf8) && ++mismatches <= 10) {
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(unit) << ": system \""
                          << Utf8ToAnsi(utf8) << "\", table \"" << Utf8ToCp1252(utf8) << "\"";
        }
    }
    EXPECT_EQ(mismatches, 0);
    // U+1F600 lies beyond the basic plane: two UTF-16 units, so two question marks.
    const std::string beyond = std::string("a").append(SystemUtf8(L"\xD83D\xDE00")).append("b");
    EXPECT_EQ(Utf8ToAnsi(beyond), "a??b");
    EXPECT_EQ(Utf8ToCp1252(beyond), "a??b");
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
