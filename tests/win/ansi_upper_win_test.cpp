// The portable Windows-1252 table must agree with the system's upper-casing byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/ansi_text.h"

namespace kelvaro {
namespace {

TEST(AnsiUpperWin, SystemUpperCasingMatchesTheWindows1252TableForEveryByte) {
    ASSERT_EQ(GetACP(), 1252u) << "the tests expect the Windows-1252 ANSI code page";
    for (int byte = 1; byte < 256; ++byte) {
        std::string text(1, static_cast<char>(byte));
        UpperAnsiInPlace(text);
        EXPECT_EQ(static_cast<unsigned char>(text[0]),
                  static_cast<unsigned char>(UpperCp1252(static_cast<char>(byte))))
            << "byte 0x" << std::hex << byte;
    }
}

}  // namespace
}  // namespace kelvaro
