// Window titles on a double-byte ANSI code page. Reading a title into a buffer that is too
// small leaves out a two-byte character that does not fit whole, so a cut title can end
// one byte before the buffer's last place. The test command runs this suite in an entry of
// its own with a Japanese locale (code page 932); elsewhere it has nothing to check.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/ansi_utf8.h"
#include "inspector/window_system_win.h"

namespace kelvaro {
namespace {

TEST(WindowTitleDoubleByte, LongTitlesOfTwoByteCharactersAreReadWhole) {
    const char* expected = std::getenv("KELVARO_EXPECT_ACP");
    if (expected != nullptr) {
        ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
    } else if (GetACP() != 932) {
        GTEST_SKIP() << "runs with a double-byte code page only";
    }
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    // Hiragana "a" is two bytes in code page 932; titles around the short buffer's size.
    for (size_t characters : {126u, 127u, 128u, 200u}) {
        const std::wstring title(characters, L'\x3042');
        ASSERT_TRUE(SetWindowTextW(window, title.c_str()));
        std::string utf8;
        for (size_t i = 0; i < characters; ++i) utf8 += "\xE3\x81\x82";
        const std::string ansi = Utf8ToAnsi(utf8);
        ASSERT_EQ(ansi.size(), characters * 2);
        const std::string read = ReadWindowTitle(FromHwnd(window));
        EXPECT_EQ(read.size(), ansi.size()) << characters;
        EXPECT_TRUE(read == ansi) << characters;
    }
    DestroyWindow(window);
}

}  // namespace
}  // namespace kelvaro
