// The kill list in the group "Prozesse zum Beenden" of the settings file: reading it,
// writing it anew at the end of the file, and the questions before a process is put on it.
#include "inventory/kill_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ini/ini.h"
#include "inventory/definitions.h"
#include "support/temp_dir.h"

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

    test::TempDir folder_;
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

// The settings file is saved by its bare name, so each test works in a folder of its own.
class SaveKillListTest : public testing::Test {
protected:
    ~SaveKillListTest() override {
        IniClose();
        ProgramKillList().clear();
    }

    // Saves `names` over a settings file of `bytes`; the file's bytes afterwards.
    std::string Save(const std::string& bytes, const Names& names) {
        test::WriteBytes(File(), bytes);
        ProgramKillList().clear();
        for (const std::string& name : names) ProgramKillList().push_back({name});
        EXPECT_TRUE(SaveKillList());
        return test::ReadBytes(File());
    }

    std::string File() const { return folder_.File(kSettingsFileName); }

    test::TempDir folder_;
    test::WorkingDirectory inFolder_{folder_.path()};
};

// The old group goes with its comments and foreign keys; the list is written last with
// its positions as keys; the groups around it stay as they were, in their places.
TEST_F(SaveKillListTest, GroupIsWrittenAnewAtTheEndWithKeysFromZero) {
    EXPECT_EQ(Save("; Kopf\r\n[Einstellungen]\r\nTimeout = 5\r\n"
                   "[prozesse zum beenden]\r\n; alte Liste\r\n0 = a.exe\r\n7 = b.exe\r\n"
                   "x = c.exe\r\n[Andere]\r\nSchl\xFCssel = Wert\r\n",
                   {"a.exe", "c.exe", "mein prozess.exe", "a.exe"}),
              "; Kopf\r\n[Einstellungen]\r\nTimeout = 5\r\n[Andere]\r\nSchl\xFCssel = Wert\r\n"
              "[Prozesse zum Beenden]\r\n0 = a.exe\r\n1 = c.exe\r\n2 = mein prozess.exe\r\n"
              "3 = a.exe\r\n");
}

// Only the first group of a name is read: a second one left behind would be read at the
// next start in place of the saved list.
TEST_F(SaveKillListTest, EveryGroupOfTheNameGoesSoNoOldNameComesBack) {
    EXPECT_EQ(Save("[Prozesse zum Beenden]\r\n0 = a.exe\r\n[Einstellungen]\r\nTimeout = 5\r\n"
                   "[Prozesse zum Beenden]\r\n0 = alt.exe\r\n1 = b.exe\r\n",
                   {"b.exe"}),
              "[Einstellungen]\r\nTimeout = 5\r\n[Prozesse zum Beenden]\r\n0 = b.exe\r\n");

    test::WriteBytes(File(),
                     "[Einstellungen]\r\nTimeout = 5\r\n[Prozesse zum Beenden]\r\n"
                     "0 = x.exe\r\n[Prozesse zum Beenden]\r\n0 = y.exe\r\n");
    ProgramKillList() = {{"z.exe"}};
    ASSERT_TRUE(IniOpen(File()));
    LoadKillList();
    IniClose();
    ASSERT_EQ(ProgramKillList().size(), 1u);
    EXPECT_EQ(ProgramKillList()[0].Name, "x.exe");
}

TEST_F(SaveKillListTest, EmptyListLeavesNoGroupAndAFileWithoutOneUntouched) {
    EXPECT_EQ(Save("[Prozesse zum Beenden]\r\n0 = a.exe\r\n[Einstellungen]\r\nTimeout = 5\r\n", {}),
              "[Einstellungen]\r\nTimeout = 5\r\n");
    // Nothing changed, so nothing is written: the file keeps its spacing and empty lines.
    const std::string untouched = "[Einstellungen]\r\n\r\nTimeout=5\n";
    EXPECT_EQ(Save(untouched, {}), untouched);
}

TEST_F(SaveKillListTest, WithoutASettingsFileNothingIsCreated) {
    ProgramKillList() = {{"a.exe"}};
    EXPECT_FALSE(SaveKillList());
    EXPECT_FALSE(std::filesystem::exists(File()));
    EXPECT_EQ(folder_.Count(), 0u);
    ASSERT_EQ(ProgramKillList().size(), 1u);
}

TEST(KillListQuestions, SystemAndImportantProcessesAreNamedInQuotationMarks) {
    EXPECT_EQ(KillListWarningText("csrss.exe", VerdictSystem),
              "\"csrss.exe\" ist ein Systemprozess.\n\n"
              "Wirklich zur Liste der zu beendenden Prozesse hinzuf\xFCgen?");
    EXPECT_EQ(KillListWarningText("Mein \"Dienst\".exe", VerdictImportant),
              "\"Mein \"Dienst\".exe\" ist ein wichtiger Prozess.\n\n"
              "Wirklich zur Liste der zu beendenden Prozesse hinzuf\xFCgen?");
    for (const int32_t verdict :
         std::vector<int32_t>{VerdictNone, VerdictUnneeded, VerdictPotentiallyDangerous,
                              VerdictDangerous, 5, 7}) {
        EXPECT_EQ(KillListWarningText("a.exe", verdict), "") << verdict;
    }
}

}  // namespace
}  // namespace kelvaro
