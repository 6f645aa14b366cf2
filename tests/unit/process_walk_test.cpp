#include <gtest/gtest.h>

#include <set>

#include "inventory/process_list.h"

namespace kelvaro {
namespace {

// A fake system: records what was terminated and whether the main window came back.
class ProcessWalkTest : public ::testing::Test {
protected:
    ProcessWalkTest() {
        definitions_.AppendFile(
            "3\r\nevil.exe\r\nB\xF6se\xB5\r\n"
            "2\r\nrisky.exe\r\nRiskant\xB5\r\n"
            "0\r\nsvchost.exe\r\nDienst\xB5\r\n");
        services_.terminateProcess = [this](uint32_t pid) {
            terminateCalls_.push_back(pid);
            return unkillable_.count(pid) == 0;
        };
        services_.isMainWindowVisible = [this] { return windowVisible_; };
        services_.bringBackMainWindow = [this] {
            ++bringBacks_;
            windowVisible_ = true;
        };
        services_.ownProcessId = 4242;
    }

    void Walk(std::initializer_list<ProcessEntry> entries) {
        SnapshotWalk walk(processes_, killList_, definitions_, services_);
        for (const ProcessEntry& entry : entries) walk.OnProcessFound(entry);
    }

    std::vector<std::string> ListedNames() const {
        std::vector<std::string> names;
        for (const ProcessRecord& r : processes_.records) names.push_back(r.Name);
        return names;
    }

    DefinitionTable definitions_;
    KillList killList_;
    ProcessList processes_;
    SnapshotServices services_;
    std::vector<uint32_t> terminateCalls_;
    std::set<uint32_t> unkillable_;
    bool windowVisible_ = true;
    int bringBacks_ = 0;
};

TEST_F(ProcessWalkTest, SkipsTheSystemIdleEntryInAnyLetterCase) {
    killList_ = {{"[System Process]"}};
    Walk({{0, 8, 0, "[System Process]"}, {7, 3, 8, "[system PROCESS]"}, {8, 2, 8, "a.exe"}});
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"a.exe"});
    EXPECT_EQ(processes_.threadTotal, 2);
    EXPECT_TRUE(terminateCalls_.empty());
}

TEST_F(ProcessWalkTest, ListsAndClassifiesInSnapshotOrderAndSumsThreads) {
    Walk({{10, 5, 8, "SVCHOST.EXE"}, {11, 7, 13, "unknown.exe"}, {12, 1, 4, "Risky.Exe"}});
    ASSERT_EQ(processes_.records.size(), 3u);
    const ProcessRecord& svc = processes_.records[0];
    EXPECT_EQ(svc.Name, "SVCHOST.EXE");  // the name as reported, not upper-cased
    EXPECT_EQ(svc.Verdict, 0);
    EXPECT_EQ(svc.Description, "Dienst\r\n");
    EXPECT_EQ(svc.Threads, 5);
    EXPECT_EQ(svc.BasePriority, 8);
    EXPECT_EQ(processes_.records[1].Verdict, VerdictNone);
    EXPECT_EQ(processes_.records[1].Description, "");
    EXPECT_EQ(processes_.records[1].BasePriority, 13);
    EXPECT_EQ(processes_.records[2].Verdict, 2);
    EXPECT_EQ(processes_.threadTotal, 13);
}

TEST_F(ProcessWalkTest, TerminatesKillListNamesInAnyLetterCaseAndDoesNotCountThem) {
    killList_ = {{"NOTEPAD.EXE"}};
    Walk({{20, 4, 8, "notepad.exe"}, {21, 6, 8, "a.exe"}, {22, 9, 8, "Notepad.exe"}});
    EXPECT_EQ(terminateCalls_, (std::vector<uint32_t>{20, 22}));
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"a.exe"});
    EXPECT_EQ(processes_.threadTotal, 6);
}

TEST_F(ProcessWalkTest, KillListMatchesUmlautsThroughAnsiUpperCasing) {
    killList_ = {{"M\xDCLL.EXE"}};  // MÜLL.EXE
    Walk({{30, 1, 8, "m\xFCll.exe"}});
    EXPECT_EQ(terminateCalls_, std::vector<uint32_t>{30});
    EXPECT_TRUE(processes_.records.empty());
}

TEST_F(ProcessWalkTest, FailedTerminationTriesLaterEqualEntriesThenListsTheProcess) {
    killList_ = {{"evil.exe"}, {"other.exe"}, {"EVIL.EXE"}};
    unkillable_ = {40};
    Walk({{40, 3, 8, "evil.exe"}});
    EXPECT_EQ(terminateCalls_, (std::vector<uint32_t>{40, 40}));
    ASSERT_EQ(processes_.records.size(), 1u);
    EXPECT_EQ(processes_.records[0].Verdict, 3);  // listed with its normal verdict
    EXPECT_EQ(processes_.threadTotal, 3);
}

TEST_F(ProcessWalkTest, NeverTerminatesTheProgramsOwnProcess) {
    killList_ = {{"kelvaro(x64).exe"}};
    Walk({{4242, 2, 8, "Kelvaro(x64).exe"}, {50, 1, 8, "Kelvaro(x64).exe"}});
    EXPECT_EQ(terminateCalls_, std::vector<uint32_t>{50});
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"Kelvaro(x64).exe"});
}

TEST_F(ProcessWalkTest, DangerousProcessBringsBackOnlyAHiddenMainWindow) {
    windowVisible_ = false;
    Walk({{60, 1, 8, "risky.exe"}, {61, 1, 8, "unknown.exe"}});
    EXPECT_EQ(bringBacks_, 0);  // "Potentiell gefährlich" and unknown do not alert

    Walk({{62, 1, 8, "EVIL.exe"}, {63, 1, 8, "evil.exe"}});
    EXPECT_EQ(bringBacks_, 1);  // the first brings it back; then it is visible
}

TEST_F(ProcessWalkTest, DangerousProcessOnTheKillListIsTerminatedWithoutAlert) {
    windowVisible_ = false;
    killList_ = {{"evil.exe"}};
    Walk({{70, 1, 8, "evil.exe"}});
    EXPECT_EQ(bringBacks_, 0);
    EXPECT_TRUE(processes_.records.empty());
}

TEST_F(ProcessWalkTest, WalkAppendsWithoutEmptyingTheList) {
    Walk({{80, 2, 8, "a.exe"}});
    Walk({{81, 3, 8, "b.exe"}});
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"a.exe", "b.exe"}));
    EXPECT_EQ(processes_.threadTotal, 5);
    processes_.Clear();
    EXPECT_TRUE(processes_.records.empty());
    EXPECT_EQ(processes_.threadTotal, 0);
}

}  // namespace
}  // namespace kelvaro
