// The kill list of Kelvaro(x64).exe driven from outside: a refresh ends the processes it
// names, the window "Bestimmte Prozesse beenden" edits it and writes it at its close box,
// and "Prozess beenden, wenn gefunden" puts the selected process on it after its
// questions. Copies of the start probe under other names stand for a "Systemprozess" and a
// "Wichtig" process, so that no process of the Wine prefix is ever put at risk.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/test_process_win.h"
#include "support/ui_driver.h"
#include "ui/ids.h"

namespace kelvaro::test {
namespace {

using ::testing::UnorderedElementsAre;
using Names = std::vector<std::string>;
using Rows = std::vector<std::vector<std::string>>;

constexpr const char* kSettingsFile = "Kelvaro.ini";
constexpr const char* kWindowTitle = "Bestimmte Prozesse beenden";
constexpr const char* kSystemProbe = "dienst.exe";
constexpr const char* kImportantProbe = "wichtig.exe";

// Written the way the program writes it, so a save of the kill list leaves it as it is;
// the update check and the refresh timer stay off.
constexpr const char* kQuiet =
    "[Einstellungen]\r\nAutostart = 0\r\nMinimiert Starten = 0\r\nAutoAktualisieren = 0\r\n"
    "AutoNachUpdatesSuchen = 0\r\nTimeout = 0\r\n";

std::string SettingsWith(const Names& names) {
    std::string text = kQuiet;
    if (names.empty()) return text;
    text += "[Prozesse zum Beenden]\r\n";
    for (size_t i = 0; i < names.size(); ++i) {
        text += std::to_string(i) + " = " + names[i] + "\r\n";
    }
    return text;
}

std::string Definitions() {
    return std::string("0\r\n") + kSystemProbe + "\r\nEin Dienst\xB5\r\n4\r\n" + kImportantProbe +
           "\r\nEtwas Wichtiges\xB5\r\n";
}

std::string Question(const std::string& name, const std::string& what) {
    return "\"" + name + "\" ist ein" + what +
           ".\n\nWirklich zur Liste der zu beendenden Prozesse hinzuf\xFCgen?";
}

ProgramUnderTest::Options KelvaroOptions(const std::string& settings) {
    ProgramUnderTest::Options options;
    options.exePath = PathNextToTestExe("Kelvaro(x64).exe");
    options.files[kSettingsFile] = settings;
    options.files["Kelvaro"] = Definitions();
    return options;
}

int RowOf(const Rows& rows, const std::string& name) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i][0] == name) return static_cast<int>(i);
    }
    return -1;
}

Names ListBoxRows(HWND list) {
    Names rows;
    const int count = ListBoxRowCount(list);
    for (int row = 0; row < count; ++row) rows.push_back(ListBoxText(list, row));
    return rows;
}

// One program for the suite. Every test first sets the kill list it needs: it writes the
// settings file and opens the settings dialog, which reads the list from the file again.
class KillListE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        program_ = std::make_unique<ProgramUnderTest>(KelvaroOptions(SettingsWith({})));
        main_ = program_->WaitForShownWindow("Kelvaro");
        if (main_ == nullptr) return;
        list_ = ChildById(main_, CtlProcessList);
        status_ = ChildByClass(main_, "msctls_statusbar32");
        for (const char* name : {kSystemProbe, kImportantProbe}) {
            const std::string copy = program_->FilePath(name);
            if (!CopyFileA(PathNextToTestExe("kv_start_probe.exe").c_str(), copy.c_str(), FALSE)) {
                continue;
            }
            probes_.push_back(std::make_unique<TestProcess>("\"" + copy + "\" --wait=600000",
                                                            program_->workingFolder()));
        }
    }
    static void TearDownTestSuite() {
        probes_.clear();  // before the program's folder, which holds their files, is removed
        program_.reset();
    }
    void SetUp() override {
        ASSERT_NE(list_, nullptr) << "the program did not come up";
        ASSERT_EQ(probes_.size(), 2u);
        SetForegroundWindow(main_);
    }
    void TearDown() override {
        for (HWND window : TopLevelWindows(program_->processId(), kWindowTitle)) {
            PostClose(window);
            WaitUntil([&] { return !IsWindow(window); });
        }
    }

    static void Command(int id) { SendAndWait(main_, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    static std::string SettingsFile() { return program_->ReadFile(kSettingsFile).value_or(""); }

    // The kill list becomes `names` in the file and in the program.
    static void SetKillList(const Names& names) {
        program_->WriteFile(kSettingsFile, SettingsWith(names));
        ReloadKillList();
    }
    static void ReloadKillList() {
        Command(CmdSettings);
        for (HWND dialog : TopLevelWindows(program_->processId(), "Einstellungen")) {
            PostClose(dialog);
            WaitUntil([&] { return !IsWindow(dialog); });
        }
    }

    static HWND OpenKillListWindow() {
        Command(CmdKillListWindow);
        const std::vector<HWND> windows = TopLevelWindows(program_->processId(), kWindowTitle);
        return windows.size() == 1 ? windows[0] : nullptr;
    }
    static Names WindowRows(HWND window) { return ListBoxRows(ChildById(window, CtlKillList)); }
    // Types a name and presses "Prozess hinzufügen"; the name is added on return.
    static void AddName(HWND window, const std::string& name) {
        SetText(ChildById(window, CtlKillName), name);
        SendAndWait(ChildById(window, CtlKillAdd), BM_CLICK);
    }
    static bool RemoveEnabled(HWND window) {
        return IsWindowEnabled(ChildById(window, CtlKillRemove)) != FALSE;
    }
    // Selects a row as a click does and presses "Prozess entfernen".
    static void RemoveRow(HWND window, int row) {
        ListBoxSelectRow(ChildById(window, CtlKillList), row);
        ASSERT_TRUE(WaitUntil([&] { return RemoveEnabled(window); }));
        SendAndWait(ChildById(window, CtlKillRemove), BM_CLICK);
    }
    static bool CloseByCloseBox(HWND window) {
        PostClose(window);
        return WaitUntil([&] { return !IsWindow(window); });
    }

    // Selects the process's row and chooses "Prozess beenden, wenn gefunden".
    static bool ChooseAddForProcess(const std::string& name) {
        const int row = RowOf(ListViewRows(list_), name);
        if (row < 0) return false;
        ListViewSelectRow(list_, row);
        if (!WaitUntil([&] { return ListViewSelectedRow(list_) == row; })) return false;
        PostCommand(main_, CmdAddToKillList);
        return true;
    }
    static void Answer(const MessageBoxInfo& box, int button) {
        ASSERT_TRUE(AnswerMessageBox(box, button));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }));
    }

    static std::unique_ptr<ProgramUnderTest> program_;
    static std::vector<std::unique_ptr<TestProcess>> probes_;
    static HWND main_;
    static HWND list_;
    static HWND status_;
};

std::unique_ptr<ProgramUnderTest> KillListE2E::program_;
std::vector<std::unique_ptr<TestProcess>> KillListE2E::probes_;
HWND KillListE2E::main_ = nullptr;
HWND KillListE2E::list_ = nullptr;
HWND KillListE2E::status_ = nullptr;

TEST_F(KillListE2E, ListedNameInAnyLetterCaseEndsItsProcessAtTheNextRefresh) {
    SetKillList({"notepad.EXE"});
    TestProcess notepad(kNotepad);
    ASSERT_TRUE(notepad.Running());
    Command(CmdRefreshLists);
    EXPECT_TRUE(notepad.EndsWithin(5000));

    // Gone from the list and from both counters.
    const Rows rows = ListViewRows(list_);
    EXPECT_EQ(RowOf(rows, "notepad.exe"), -1);
    long long threads = 0;
    for (const std::vector<std::string>& row : rows) threads += std::stoll(row[2]);
    EXPECT_EQ(StatusBarText(status_, 0), "Prozesse: " + std::to_string(rows.size()));
    EXPECT_EQ(StatusBarText(status_, 1), "Threads: " + std::to_string(threads));
    // A refresh never writes the list.
    EXPECT_EQ(SettingsFile(), SettingsWith({"notepad.EXE"}));
}

TEST_F(KillListE2E, WindowOpensCentredOnTheMainWindowWithItsControlsInPlace) {
    SetKillList({"a.exe", "b.exe"});
    const HWND window = OpenKillListWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsCentredOnOwner(window, main_, {400, 300}));
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    struct Expected {
        int id;
        const char* className;
        const char* text;
        RECT rect;  // left, top, right, bottom
    };
    const Expected controls[] = {
        {CtlKillList, "ListBox", "", {5, 5, 395, 270}},
        {CtlKillName, "Edit", "", {5, 275, 175, 295}},
        {CtlKillAdd, "Button", "Prozess hinzuf\xFCgen", {180, 275, 280, 295}},
        {CtlKillRemove, "Button", "Prozess entfernen", {295, 275, 395, 295}},
    };
    for (const Expected& c : controls) {
        const HWND control = ChildById(window, c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_EQ(ClassName(control), c.className) << c.id;
        EXPECT_EQ(WindowText(control), c.text) << c.id;
        const RECT r = RectInParent(control);
        EXPECT_THAT((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
                    ::testing::ElementsAre(c.rect.left, c.rect.top, c.rect.right, c.rect.bottom))
            << c.id;
    }
    const HWND names = ChildById(window, CtlKillList);
    EXPECT_FALSE(GetWindowLongA(names, GWL_STYLE) & LBS_SORT);
    EXPECT_EQ(WindowRows(window), (Names{"a.exe", "b.exe"}));

    // The remove button follows the selection.
    EXPECT_FALSE(RemoveEnabled(window));
    ListBoxSelectRow(names, 1);
    EXPECT_TRUE(WaitUntil([&] { return RemoveEnabled(window); }));
    ListBoxSelectRow(names, -1);
    EXPECT_TRUE(WaitUntil([&] { return !RemoveEnabled(window); }));

    // Opening it again replaces it without saving; the new one shows the list as it is now.
    AddName(window, "c.exe");
    const HWND again = OpenKillListWindow();
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(WindowRows(again), (Names{"a.exe", "b.exe", "c.exe"}));
    EXPECT_EQ(WindowText(ChildById(again, CtlKillName)), "");
    EXPECT_FALSE(RemoveEnabled(again));
    EXPECT_EQ(SettingsFile(), SettingsWith({"a.exe", "b.exe"}));
}

TEST_F(KillListE2E, NamesAddedInTheWindowTakeEffectAtOnceAndAreWrittenAtTheCloseBox) {
    SetKillList({});
    const HWND window = OpenKillListWindow();
    ASSERT_NE(window, nullptr);
    AddName(window, "");
    EXPECT_EQ(WindowRows(window), Names{});
    AddName(window, "notepad.exe");
    EXPECT_EQ(WindowText(ChildById(window, CtlKillName)), "notepad.exe");
    // A name typed twice stands twice.
    SendAndWait(ChildById(window, CtlKillAdd), BM_CLICK);
    EXPECT_EQ(WindowRows(window), (Names{"notepad.exe", "notepad.exe"}));

    TestProcess notepad(kNotepad);
    ASSERT_TRUE(notepad.Running());
    Command(CmdRefreshLists);
    EXPECT_TRUE(notepad.EndsWithin(5000));
    EXPECT_EQ(SettingsFile(), SettingsWith({}));

    ASSERT_TRUE(CloseByCloseBox(window));
    EXPECT_EQ(SettingsFile(), SettingsWith({"notepad.exe", "notepad.exe"}));
}

TEST_F(KillListE2E, RemovingRowOneOfThreeRewritesTheGroupAsKeysZeroAndOne) {
    SetKillList({"a.exe", "b.exe", "c.exe"});
    const HWND window = OpenKillListWindow();
    ASSERT_NE(window, nullptr);
    RemoveRow(window, 1);
    EXPECT_EQ(WindowRows(window), (Names{"a.exe", "c.exe"}));
    // No row is selected any more.
    EXPECT_FALSE(RemoveEnabled(window));
    EXPECT_EQ(SettingsFile(), SettingsWith({"a.exe", "b.exe", "c.exe"}));
    ASSERT_TRUE(CloseByCloseBox(window));
    EXPECT_EQ(SettingsFile(), SettingsWith({"a.exe", "c.exe"}));
}

TEST_F(KillListE2E, RemovingTheFirstRowThenAddingKeepsRowsAndEntriesMatched) {
    SetKillList({"a.exe", "b.exe", "c.exe"});
    const HWND window = OpenKillListWindow();
    ASSERT_NE(window, nullptr);
    RemoveRow(window, 0);
    AddName(window, "d.exe");
    EXPECT_EQ(WindowRows(window), (Names{"b.exe", "c.exe", "d.exe"}));
    RemoveRow(window, 1);
    EXPECT_EQ(WindowRows(window), (Names{"b.exe", "d.exe"}));
    ASSERT_TRUE(CloseByCloseBox(window));
    EXPECT_EQ(SettingsFile(), SettingsWith({"b.exe", "d.exe"}));
}

TEST_F(KillListE2E, SystemProcessAsksFirstNoLeavesTheListYesAddsAndWritesAtOnce) {
    SetKillList({"a.exe"});
    Command(CmdRefreshLists);
    ASSERT_TRUE(ChooseAddForProcess(kSystemProbe));
    std::optional<MessageBoxInfo> box = WaitForMessageBox(program_->processId());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Kelvaro");
    EXPECT_EQ(box->text, Question(kSystemProbe, " Systemprozess"));
    EXPECT_THAT(box->buttonIds, UnorderedElementsAre(IDYES, IDNO));
    EXPECT_FALSE(box->hasIcon);
    Answer(*box, IDNO);

    ASSERT_TRUE(ChooseAddForProcess(kSystemProbe));
    box = WaitForMessageBox(program_->processId());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, Question(kSystemProbe, " Systemprozess"));
    Answer(*box, IDYES);
    // Written at once; the No before it added nothing.
    EXPECT_TRUE(WaitUntil([] {
        return SettingsFile() == SettingsWith({"a.exe", kSystemProbe});
    })) << SettingsFile();
    // The process itself keeps running until the next refresh.
    EXPECT_NE(RowOf(ListViewRows(list_), kSystemProbe), -1);
}

TEST_F(KillListE2E, ImportantProcessAsksWithItsTextAndANameOnTheListIsRefused) {
    SetKillList({});
    Command(CmdRefreshLists);
    ASSERT_TRUE(ChooseAddForProcess(kImportantProbe));
    std::optional<MessageBoxInfo> box = WaitForMessageBox(program_->processId());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Kelvaro");
    EXPECT_EQ(box->text, Question(kImportantProbe, " wichtiger Prozess"));
    EXPECT_THAT(box->buttonIds, UnorderedElementsAre(IDYES, IDNO));
    EXPECT_FALSE(box->hasIcon);
    Answer(*box, IDYES);
    ASSERT_TRUE(WaitUntil([] { return SettingsFile() == SettingsWith({kImportantProbe}); }));

    // Asked again, then refused: the name stands on the list already.
    ASSERT_TRUE(ChooseAddForProcess(kImportantProbe));
    box = WaitForMessageBox(program_->processId());
    ASSERT_TRUE(box.has_value());
    Answer(*box, IDYES);
    box = WaitForMessageBox(program_->processId());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Kelvaro");
    EXPECT_EQ(box->text, "Element existiert bereits");
    EXPECT_THAT(box->buttonIds, UnorderedElementsAre(IDOK));
    Answer(*box, IDOK);
    SendAndWait(main_, WM_NULL);
    EXPECT_EQ(SettingsFile(), SettingsWith({kImportantProbe}));
}

// notepad.exe has no definition: no question. A name that differs only in letter case is
// another name for this command.
TEST_F(KillListE2E, NameThatDiffersInLetterCaseIsAddedAgainWithoutAQuestion) {
    SetKillList({});
    TestProcess notepad(kNotepad);
    ASSERT_TRUE(notepad.Running());
    Command(CmdRefreshLists);
    // The list changes after the refresh, so notepad stays on the page for the command.
    SetKillList({"NOTEPAD.EXE"});
    ASSERT_TRUE(ChooseAddForProcess("notepad.exe"));
    EXPECT_TRUE(WaitUntil([] {
        return SettingsFile() == SettingsWith({"NOTEPAD.EXE", "notepad.exe"});
    })) << SettingsFile();
    EXPECT_TRUE(NoMessageBoxFor(program_->processId(), 200));
    EXPECT_TRUE(notepad.Running());
}

// The command adds its row to the open window; reading the file again (the settings
// dialog) refills the rows, and a reload that finds the same names leaves them as they
// are, the selection included.
TEST_F(KillListE2E, WhileTheWindowIsOpenItsRowsFollowTheCommandAndAReload) {
    SetKillList({"a.exe"});
    Command(CmdRefreshLists);
    const HWND window = OpenKillListWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(ChooseAddForProcess(kSystemProbe));
    const std::optional<MessageBoxInfo> box = WaitForMessageBox(program_->processId());
    ASSERT_TRUE(box.has_value());
    Answer(*box, IDYES);
    EXPECT_TRUE(WaitUntil([&] { return WindowRows(window) == Names{"a.exe", kSystemProbe}; }));
    EXPECT_TRUE(WaitUntil([] { return SettingsFile() == SettingsWith({"a.exe", kSystemProbe}); }));
    RemoveRow(window, 1);
    EXPECT_EQ(WindowRows(window), (Names{"a.exe"}));

    program_->WriteFile(kSettingsFile, SettingsWith({"x.exe", "y.exe"}));
    ReloadKillList();
    EXPECT_EQ(WindowRows(window), (Names{"x.exe", "y.exe"}));
    ListBoxSelectRow(ChildById(window, CtlKillList), 1);
    ASSERT_TRUE(WaitUntil([&] { return RemoveEnabled(window); }));
    ReloadKillList();
    EXPECT_EQ(WindowRows(window), (Names{"x.exe", "y.exe"}));
    EXPECT_EQ(ListBoxSelectedRow(ChildById(window, CtlKillList)), 1);

    program_->WriteFile(kSettingsFile, SettingsWith({"x.exe", "y.exe", "z.exe"}));
    ReloadKillList();
    EXPECT_EQ(WindowRows(window), (Names{"x.exe", "y.exe", "z.exe"}));
    EXPECT_FALSE(RemoveEnabled(window));
    RemoveRow(window, 0);
    ASSERT_TRUE(CloseByCloseBox(window));
    EXPECT_EQ(SettingsFile(), SettingsWith({"y.exe", "z.exe"}));
}

// The program's own name on its kill list would end it at every start; it stays running
// and listed, at start-up and at a refresh.
TEST(KillListOwnProgram, OwnNameOnTheListInAnyLetterCaseLeavesTheProgramRunning) {
    ProgramUnderTest program(
        KelvaroOptions(SettingsWith({"kELVARO(x64).EXE", "Kelvaro(x64).exe"})));
    const HWND main = program.WaitForShownWindow("Kelvaro");
    ASSERT_NE(main, nullptr);
    const HWND list = ChildById(main, CtlProcessList);
    EXPECT_NE(RowOf(ListViewRows(list), "Kelvaro(x64).exe"), -1);
    SendAndWait(main, WM_COMMAND, CmdRefreshLists);
    EXPECT_TRUE(program.IsRunning());
    EXPECT_NE(RowOf(ListViewRows(list), "Kelvaro(x64).exe"), -1);
    EXPECT_FALSE(program.WaitForExit(300).has_value());
}

TEST(KillListQuit, QuittingWithTheWindowOpenWritesNothing) {
    ProgramUnderTest program(KelvaroOptions(SettingsWith({"a.exe"})));
    const HWND main = program.WaitForShownWindow("Kelvaro");
    ASSERT_NE(main, nullptr);
    SendAndWait(main, WM_COMMAND, CmdKillListWindow);
    const std::vector<HWND> windows = TopLevelWindows(program.processId(), kWindowTitle);
    ASSERT_EQ(windows.size(), 1u);
    SetText(ChildById(windows[0], CtlKillName), "notepad.exe");
    SendAndWait(ChildById(windows[0], CtlKillAdd), BM_CLICK);
    ASSERT_EQ(ListBoxRows(ChildById(windows[0], CtlKillList)), (Names{"a.exe", "notepad.exe"}));

    PostCommand(main, CmdQuit);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
    // The file ends with the remembered window; the list before it is the old one.
    const std::string written = program.ReadFile(kSettingsFile).value_or("");
    EXPECT_EQ(written.substr(0, written.find("[Fenster]\r\n")), SettingsWith({"a.exe"}));
}

}  // namespace
}  // namespace kelvaro::test
