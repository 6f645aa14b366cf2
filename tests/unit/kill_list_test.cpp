// Reading the kill list from the group "Prozesse zum Beenden" of an open settings file.
#include "inventory/kill_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/ini.h"
#include "support/scratch_folder.h"

namespace kelvaro {
namespace {

class LoadKillListTest : public testing::Test {
protected:
    LoadKillListTest() { ProgramKillList() = {{"alt.exe"}}; }
    ~LoadKillListTest() override {
        IniClose();
        ProgramKillList().clear();
    }

    std::vector<std::string> Load(const std::string& bytes) {
        const std::string path = folder_.File("Kelvaro.ini");
        test::WriteBytes(path, bytes);
        EXPECT_TRUE(IniOpen(path));
        LoadKillList();
        IniClose();
        std::vector<std::string> names;
        for (const KillListEntry& entry : ProgramKillList()) names.push_back(entry.Name);
        return names;
    }

    test::ScratchFolder folder_;
};

using Names = std::vector<std::string>;

TEST_F(LoadKillListTest, ValuesInFileOrderWhateverTheKeysSay) {
    EXPECT_EQ(Load("[Prozesse zum Beenden]\r\n2 = c.exe\r\nzwei=a.exe\r\n0 = B.EXE\r\n"
                   "=ohne Schl\xFCssel.exe\r\n"),
              (Names{"c.exe", "a.exe", "B.EXE", "ohne Schl\xFCssel.exe"}));
}

TEST_F(LoadKillListTest, ValuesLoseBlanksAndTabsAtTheirEndsOnly) {
    EXPECT_EQ(Load("[Prozesse zum Beenden]\r\n0 =  \tmein prozess.exe \t \r\n1=\tb.exe\r\n"),
              (Names{"mein prozess.exe", "b.exe"}));
}

TEST_F(LoadKillListTest, CommentsAreSkippedAndTheNextGroupEndsTheList) {
    EXPECT_EQ(Load("[Einstellungen]\r\nTimeout = 5\r\n[prozesse zum beenden]\r\n"
                   "; 0 = kommentar.exe\r\n0 = a.exe\r\n;\r\n1 = b.exe\r\n"
                   "[Andere]\r\n0 = fremd.exe\r\n"),
              (Names{"a.exe", "b.exe"}));
}

TEST_F(LoadKillListTest, MissingOrEmptyGroupEmptiesTheList) {
    EXPECT_EQ(Load("[Einstellungen]\r\nTimeout = 5\r\n"), Names{});
    ProgramKillList() = {{"alt.exe"}};
    EXPECT_EQ(Load("[Prozesse zum Beenden]\r\n[Einstellungen]\r\n"), Names{});
}

}  // namespace
}  // namespace kelvaro
