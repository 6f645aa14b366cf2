// The UI driver's program handling and window lookups against the fixture program:
// working folder, files, arguments, exit codes, ending, and the window queries.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "e2e/fixture_program.h"

namespace kelvaro::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// The fixture's start-up lines; the file exists a moment before it is written.
std::vector<std::string> StartupLines(const ProgramUnderTest& program) {
    std::vector<std::string> lines;
    WaitUntil([&] {
        lines = Lines(program.ReadFile(fixture::kStartupFile).value_or(""));
        return lines.size() == 3;
    });
    return lines;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

TEST(UiDriverProgram, StartsInAFreshFolderWithItsFilesAndArgumentsAndRemovesItAfterwards) {
    std::string folder;
    {
        ProgramUnderTest::Options options = FixtureOptions();
        options.arguments = "/eins \"zwei drei\"";
        options.files["vorgabe.ini"] = std::string("A=1\r\nB=\xE4\0x", 11);
        options.files["unter\\daten.txt"] = "tief";
        ProgramUnderTest program(options);
        ASSERT_TRUE(program.started());
        EXPECT_NE(program.processId(), 0u);
        EXPECT_NE(program.processHandle(), nullptr);
        folder = program.workingFolder();
        EXPECT_THAT(folder, HasSubstr("kelvaro-e2e-"));
        EXPECT_EQ(program.FilePath("x.txt"), folder + "\\x.txt");

        // Written before the start, byte for byte (a zero byte and a high byte inside).
        EXPECT_EQ(program.ReadFile("vorgabe.ini"), std::string("A=1\r\nB=\xE4\0x", 11));
        EXPECT_EQ(program.ReadFile("unter\\daten.txt"), "tief");
        EXPECT_FALSE(program.ReadFile("fehlt.txt").has_value());

        const std::vector<std::string> startup = StartupLines(program);
        ASSERT_EQ(startup.size(), 3u);
        EXPECT_EQ(Lower(startup[0]), Lower(folder));
        EXPECT_EQ(Lower(startup[1]), Lower(PathNextToTestExe(fixture::kExeName)));
        EXPECT_EQ(startup[2], "/eins \"zwei drei\"");

        program.WriteFile("neu.txt", "von aussen");
        EXPECT_TRUE(program.FileExists("neu.txt"));
        EXPECT_FALSE(program.FileExists("nie.txt"));
        EXPECT_TRUE(program.IsRunning());
    }
    // The program was ended and its folder removed with everything in it.
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(UiDriverProgram, StartsACopyPlacedInTheFolder) {
    ProgramUnderTest::Options options = FixtureOptions();
    options.copyExeIntoFolder = true;
    ProgramUnderTest program(options);
    ASSERT_TRUE(program.started());
    EXPECT_TRUE(program.FileExists(fixture::kExeName));
    const std::vector<std::string> startup = StartupLines(program);
    ASSERT_EQ(startup.size(), 3u);
    EXPECT_EQ(Lower(startup[1]), Lower(program.FilePath(fixture::kExeName)));
}

TEST(UiDriverProgram, ReportsTheExitCodeAfterAClose) {
    ProgramUnderTest::Options options = FixtureOptions();
    options.files[fixture::kExitCodeFile] = "42";
    ProgramUnderTest program(options);
    HWND main = program.WaitForWindow(fixture::kMainTitle);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(program.WaitForExit(200).has_value()) << "still running";
    PostClose(main);
    EXPECT_EQ(program.WaitForExit(), 42u);
    EXPECT_FALSE(program.IsRunning());
}

TEST(UiDriverProgram, TerminateEndsAProgramAtOnce) {
    ProgramUnderTest program(FixtureOptions());
    ASSERT_NE(program.WaitForWindow(fixture::kMainTitle), nullptr);
    program.Terminate();
    EXPECT_FALSE(program.IsRunning());
    EXPECT_EQ(program.WaitForExit(0), 1u);
}

TEST(UiDriverProgram, AMissingProgramDoesNotStartAndFindsNoWindow) {
    ProgramUnderTest::Options options;
    options.exePath = PathNextToTestExe("gibt_es_nicht.exe");
    ProgramUnderTest program(options);
    EXPECT_FALSE(program.started());
    EXPECT_FALSE(program.IsRunning());
    EXPECT_EQ(program.WaitForWindow(fixture::kMainTitle, 300), nullptr);
    EXPECT_FALSE(program.WaitForExit(0).has_value());
}

class UiDriverWindows : public FixtureSuite {};

TEST_F(UiDriverWindows, ListsTopLevelWindowsOfTheProcessHiddenOnesTooWithFilters) {
    const std::vector<HWND> all = TopLevelWindows(program_->processId());
    HWND helper = program_->WaitForWindow(fixture::kHelperTitle);
    ASSERT_NE(helper, nullptr);
    EXPECT_FALSE(IsWindowVisible(helper));
    EXPECT_THAT(all, ::testing::Contains(w_.main));
    EXPECT_THAT(all, ::testing::Contains(helper));
    EXPECT_THAT(TopLevelWindows(program_->processId(), fixture::kMainTitle),
                ElementsAre(w_.main));
    EXPECT_THAT(TopLevelWindows(program_->processId(), {}, fixture::kHelperClass),
                ElementsAre(helper));
    EXPECT_TRUE(TopLevelWindows(program_->processId(), fixture::kMainTitle,
                                fixture::kHelperClass)
                    .empty());
    EXPECT_TRUE(TopLevelWindows(GetCurrentProcessId(), fixture::kMainTitle).empty());
}

TEST_F(UiDriverWindows, FindsChildrenByIdAndByClassAndTitle) {
    EXPECT_EQ(ClassName(w_.list), "SysListView32");
    EXPECT_EQ(ClassName(w_.tree), "SysTreeView32");
    EXPECT_EQ(ClassName(w_.panel), fixture::kPanelClass);
    EXPECT_EQ(ChildByClass(w_.main, "SysListView32"), w_.list);
    EXPECT_EQ(ChildByClass(w_.main, "button", "Übernehmen"), w_.button);
    EXPECT_EQ(ChildByClass(w_.main, "Button", "Abbrechen"), nullptr);
    // The header sits inside the list view: a grandchild of the main window.
    HWND header = ChildByClass(w_.main, "SysHeader32");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(GetParent(header), w_.list);
    EXPECT_EQ(ChildById(w_.main, GetDlgCtrlID(header)), header);
    EXPECT_EQ(ChildById(w_.main, 4711), nullptr);
}

TEST_F(UiDriverWindows, ReadsTextsAndGeometryOfAnotherProcess) {
    EXPECT_EQ(WindowText(w_.main), fixture::kMainTitle);
    EXPECT_EQ(WindowText(w_.button), "Übernehmen");
    EXPECT_EQ(WindowText(w_.edit), "Anfang");
    EXPECT_EQ(ClassName(w_.main), fixture::kMainClass);

    const SIZE panel = ClientSize(w_.panel);
    EXPECT_EQ(panel.cx, fixture::kPanelWidth);
    EXPECT_EQ(panel.cy, fixture::kPanelHeight);
    RECT onScreen = ClientRectOnScreen(w_.panel);
    EXPECT_EQ(onScreen.right - onScreen.left, fixture::kPanelWidth);
    EXPECT_EQ(onScreen.bottom - onScreen.top, fixture::kPanelHeight);
    // The panel sits at (560, 250) in the main window's client area.
    const RECT mainClient = ClientRectOnScreen(w_.main);
    EXPECT_EQ(onScreen.left - mainClient.left, 560);
    EXPECT_EQ(onScreen.top - mainClient.top, 250);
}

TEST_F(UiDriverWindows, ReadsTheInitialTextOfEveryStatusBarPart) {
    HWND status = ChildById(w_.main, fixture::kIdStatus);
    ASSERT_EQ(StatusBarPartCount(status), static_cast<int>(std::size(fixture::kStatusInitial)));
    for (int part = 0; part < StatusBarPartCount(status); ++part) {
        EXPECT_EQ(StatusBarText(status, part), fixture::kStatusInitial[part]) << part;
    }
}

TEST_F(UiDriverWindows, AFreshProgramHasNoSelectedRows) {
    EXPECT_EQ(ListViewSelectedRow(ChildById(w_.main, fixture::kIdList)), -1);
    EXPECT_EQ(ListBoxSelectedRow(ChildById(w_.main, fixture::kIdListBox)), LB_ERR);
}

TEST(UiDriverWait, WaitUntilPollsUntilTheConditionHoldsOrTheTimeIsUp) {
    int calls = 0;
    EXPECT_TRUE(WaitUntil([&] { return ++calls == 3; }, 1000));
    EXPECT_EQ(calls, 3);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(WaitUntil([] { return false; }, 150));
    EXPECT_GE(GetTickCount() - start, 150u);
}

TEST_F(UiDriverWindows, SeesAWindowBecomeTopmost) {
    EXPECT_FALSE(IsTopmost(w_.main));
    PostCommand(w_.main, fixture::kCmdTopmost);
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(w_.main); }));
}

}  // namespace
}  // namespace kelvaro::test
