#include "common/ansi_utf8.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

TEST(AnsiUtf8, GermanTextConvertsBothWays) {
    const std::string ansi =
        "Gr\xF6\xDF"
        "e \x80 \xC4nderung \x84"
        "a\x93";  // Größe € Änderung „a“
    const std::string utf8 =
        "Gr\xC3\xB6\xC3\x9F"
        "e \xE2\x82\xAC \xC3\x84nderung \xE2\x80\x9E"
        "a\xE2\x80\x9C";
    EXPECT_EQ(Cp1252ToUtf8(ansi), utf8);
    EXPECT_EQ(Utf8ToCp1252(utf8), ansi);
}

TEST(AnsiUtf8, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    // The undefined bytes stand for the control characters of the same number.
    EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}

TEST(AnsiUtf8, CharactersWithoutAnAnsiFormBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("\xC5\x81\xC3\xB3"
                           "d\xC5\xBA"),
              "?\xF3"
              "d?");                                       // Łódź: no look-alikes
    EXPECT_EQ(Utf8ToCp1252("\xE6\x97\xA5.exe"), "?.exe");  // 日
    EXPECT_EQ(Utf8ToCp1252("a\xF0\x9F\x98\x80"
                           "b"),
              "a??b");                         // beyond U+FFFF: two UTF-16 units
    EXPECT_EQ(Utf8ToCp1252("\xC2\x80"), "?");  // U+0080 is not the euro sign's byte
}

TEST(AnsiUtf8, IllFormedBytesBecomeOneQuestionMarkPerPiece) {
    EXPECT_EQ(Utf8ToCp1252("a\x80"
                           "b"),
              "a?b");  // stray continuation byte
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82"
                           "A"),
              "?A");                                      // cut-off sequence, then ASCII
    EXPECT_EQ(Utf8ToCp1252("\xC0\x80"), "??");            // overlong form
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");       // encoded surrogate
    EXPECT_EQ(Utf8ToCp1252("\xF4\x90\x80\x80"), "????");  // beyond U+10FFFF
    EXPECT_EQ(Utf8ToCp1252("x\xE2"), "x?");               // cut off at the end
}

}  // namespace
}  // namespace kelvaro
