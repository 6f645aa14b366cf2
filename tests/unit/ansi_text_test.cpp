#include "common/ansi_text.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

TEST(AnsiText, UpperCasesAsciiAndWindows1252Letters) {
    EXPECT_EQ(UpperAnsi("notepad.exe"), "NOTEPAD.EXE");
    EXPECT_EQ(UpperAnsi("\xE4\xF6\xFC"), "\xC4\xD6\xDC");          // äöü -> ÄÖÜ
    EXPECT_EQ(UpperAnsi("\xE9\xE0\xF8"), "\xC9\xC0\xD8");          // éàø -> ÉÀØ
    EXPECT_EQ(UpperAnsi("\x9A\x9C\x9E\xFF"), "\x8A\x8C\x8E\x9F");  // šœžÿ -> ŠŒŽŸ
}

TEST(AnsiText, LeavesLettersWithoutCapitalAndNonLettersAlone) {
    EXPECT_EQ(UpperAnsi("\xDF"), "\xDF");  // ß
    EXPECT_EQ(UpperAnsi("\xB5"), "\xB5");  // µ
    EXPECT_EQ(UpperAnsi("\xF7"), "\xF7");  // ÷
    EXPECT_EQ(UpperAnsi("[System Process]"), "[SYSTEM PROCESS]");
    EXPECT_EQ(UpperAnsi(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(AnsiText, LowerAsciiFoldsOnlyAToZ) {
    EXPECT_EQ(LowerAscii('A'), 'a');
    EXPECT_EQ(LowerAscii('Z'), 'z');
    EXPECT_EQ(LowerAscii('['), '[');
    EXPECT_EQ(LowerAscii('\xC4'), '\xC4');  // Ä stays
}

TEST(AnsiText, TrimBlanksDropsOnlySpacesAndTabsAtTheEnds) {
    EXPECT_EQ(TrimBlanks(" \t a b \t"), "a b");
    EXPECT_EQ(TrimBlanks("\r\nx\r\n"), "\r\nx\r\n");
    EXPECT_EQ(TrimBlanks("   "), "");
}

}  // namespace
}  // namespace kelvaro
