// The group "Fenster" of the settings file: what a run writes reads back as it was, and
// a group that no run writes is not taken at all, so the window opens as at a first start.
#include "shell/window_memory.h"

#include <gtest/gtest.h>

#include <string>

#include "ini/ini.h"
#include "support/temp_dir.h"

namespace kelvaro {
namespace {

using test::ReadBytes;
using test::WriteBytes;

WindowMemory Sample() {
    WindowMemory m;
    m.left = -7;  // a window pushed a little past the screen's left edge
    m.top = 30;
    m.width = 900;
    m.height = 640;
    m.maximised = true;
    m.columnWidths = {214, 123, 55, 120};
    m.columnOrder = {2, 0, 1, 3};
    m.splitters = {470, 0, 262};
    m.sortKey = 2;
    m.sortDirection = 1;
    return m;
}

bool Same(const WindowMemory& a, const WindowMemory& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
           a.maximised == b.maximised && a.columnWidths == b.columnWidths &&
           a.columnOrder == b.columnOrder && a.splitters == b.splitters &&
           a.sortKey == b.sortKey && a.sortDirection == b.sortDirection;
}

class WindowMemoryTest : public testing::Test {
protected:
    ~WindowMemoryTest() override { IniClose(); }
    std::string File() const { return folder_.File("Kelvaro.ini"); }
    // Writes the sample into a file holding `before`, and gives the file's text.
    std::string WrittenAfter(const std::string& before) {
        WriteBytes(File(), before);
        EXPECT_TRUE(IniOpen(File()));
        WriteWindowMemory(Sample());
        IniClose();
        return ReadBytes(File());
    }
    std::optional<WindowMemory> ReadBack(const std::string& text) {
        WriteBytes(File(), text);
        EXPECT_TRUE(IniOpen(File()));
        std::optional<WindowMemory> memory = ReadWindowMemory();
        IniClose();
        return memory;
    }

    test::TempDir folder_;
};

TEST_F(WindowMemoryTest, AWrittenGroupReadsBackAndLeavesTheOtherGroupsAsTheyWere) {
    const std::string others = "[Einstellungen]\r\nTimeout = 5\r\n; eigene Zeile\r\n"
                               "[Prozesse zum Beenden]\r\n0 = a.exe\r\n";
    const std::string written = WrittenAfter(others);
    EXPECT_EQ(written.rfind(others, 0), 0u) << written;
    const std::optional<WindowMemory> memory = ReadBack(written);
    ASSERT_TRUE(memory.has_value());
    EXPECT_TRUE(Same(*memory, Sample()));
    // Written a second time, the group is replaced, not repeated.
    EXPECT_EQ(WrittenAfter(written), written);
}

// Each line changed to a value no run writes, or dropped: the whole group is refused.
TEST_F(WindowMemoryTest, AnyValueNoRunWritesRefusesTheWholeGroup) {
    const std::string good = WrittenAfter("");
    const struct {
        const char* line;
        const char* replacement;
    } cases[] = {
        {"Breite = 900\r\n", "Breite = 0\r\n"},
        {"Hoehe = 640\r\n", ""},
        {"Hoehe = 640\r\n", "Hoehe = hoch\r\n"},
        {"Maximiert = 1\r\n", "Maximiert = 2\r\n"},
        {"Spaltenbreite 2 = 123\r\n", "Spaltenbreite 2 = -1\r\n"},
        {"Spaltenfolge 1 = 2\r\n", "Spaltenfolge 1 = 0\r\n"},  // column 0 twice
        {"Spaltenfolge 4 = 3\r\n", "Spaltenfolge 4 = 4\r\n"},
        {"Teiler 3 = 262\r\n", "Teiler 3 = -5\r\n"},
        {"Sortierspalte = 2\r\n", "Sortierspalte = 4\r\n"},
        {"Absteigend = 1\r\n", "Absteigend = -1\r\n"},
    };
    ASSERT_TRUE(ReadBack(good).has_value());
    for (const auto& c : cases) {
        std::string text = good;
        const size_t at = text.find(c.line);
        ASSERT_NE(at, std::string::npos) << c.line << " in\n" << good;
        text.replace(at, std::string(c.line).size(), c.replacement);
        EXPECT_FALSE(ReadBack(text).has_value()) << c.line << " -> " << c.replacement;
    }
    EXPECT_FALSE(ReadBack("[Einstellungen]\r\nTimeout = 5\r\n").has_value());
}

}  // namespace
}  // namespace kelvaro
