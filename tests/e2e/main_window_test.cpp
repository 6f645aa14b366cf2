// Kelvaro(x64).exe driven from outside like a user: status bar, toolbar tool tips, the
// About box and its modality, the notification area and the ways the program ends. Menu texts and check marks, which another process cannot read under
// Wine, are checked by the in-process test build (tests/inprocess).
#include <windows.h>
#include <tlhelp32.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "shell/tray_win.h"
#include "support/ui_driver.h"
#include "ui/ids.h"

namespace kelvaro::test {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

constexpr const char* kDefinitions =
    "0\r\nsvchost.exe\r\nDienst\xB5\r\n"
    "4\r\nexplorer.exe\r\nDesktop\xB5\r\n"
    "1\r\nnotepad.exe\r\nEditor\xB5\r\n";

ProgramUnderTest::Options KelvaroOptions() {
    ProgramUnderTest::Options options;
    options.exePath = PathNextToTestExe("Kelvaro(x64).exe");
    options.files["Kelvaro"] = kDefinitions;
    return options;
}

void SendTrayMouse(HWND main, UINT mouseMessage) {
    SendAndWait(main, kTrayCallbackMessage, kTrayIconId, mouseMessage);
}

int ProcessCount() {
    int count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry)) {
        ++count;
    }
    CloseHandle(snapshot);
    return count;
}

// The number after a field's label; -1 when the text is not the label and a number.
int CountAfter(const std::string& text, const std::string& label) {
    if (text.rfind(label, 0) != 0 || text.size() == label.size()) return -1;
    const std::string digits = text.substr(label.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::stoi(digits);
}

// One program for the tests that leave it as they found it.
class MainWindowE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        processesAtStart_ = ProcessCount();
        program_ = std::make_unique<ProgramUnderTest>(KelvaroOptions());
        main_ = program_->WaitForShownWindow("Kelvaro");
    }
    static void TearDownTestSuite() { program_.reset(); }
    void SetUp() override {
        ASSERT_NE(main_, nullptr);
        SetForegroundWindow(main_);
    }

    static std::unique_ptr<ProgramUnderTest> program_;
    static HWND main_;
    static int processesAtStart_;
};

std::unique_ptr<ProgramUnderTest> MainWindowE2E::program_;
HWND MainWindowE2E::main_ = nullptr;
int MainWindowE2E::processesAtStart_ = 0;

TEST_F(MainWindowE2E, StatusBarShowsTheFiveFieldsAtStart) {
    const HWND status = ChildByClass(main_, "msctls_statusbar32");
    ASSERT_NE(status, nullptr);
    EXPECT_THAT(StatusBarRightEdges(status), ElementsAre(100, 200, 370, 520, 710));
    ASSERT_EQ(StatusBarPartCount(status), 5);
    // The snapshot saw the processes of the prefix, the program itself among them.
    const int processes = CountAfter(StatusBarText(status, 0), "Prozesse: ");
    EXPECT_GE(processes, 2);
    EXPECT_LE(processes, std::max(processesAtStart_, ProcessCount()) + 1);
    EXPECT_GT(CountAfter(StatusBarText(status, 1), "Threads: "), processes);
    EXPECT_EQ(StatusBarText(status, 2), "Anzahl Definitionen: 3");
    // The window fields count the window tree the start-up built: the top-level windows
    // one level below their applications, the inner windows one further down.
    const std::vector<TreeNode> nodes = TreeNodes(ChildById(main_, CtlWindowTree));
    const auto atLevel = [&nodes](int level) {
        return std::count_if(nodes.begin(), nodes.end(),
                             [level](const TreeNode& node) { return node.level == level; });
    };
    EXPECT_GT(atLevel(1), 0);
    EXPECT_EQ(StatusBarText(status, 3), "Anzahl Fenster: " + std::to_string(atLevel(1)));
    EXPECT_EQ(StatusBarText(status, 4), "Anzahl Child-Fenster: " + std::to_string(atLevel(2)));
}

TEST_F(MainWindowE2E, ToolbarToolTipsAreTheMenuTextsWithASeparatorAfterTheSecondButton) {
    const HWND toolbar = ChildByClass(main_, "ToolbarWindow32");
    ASSERT_NE(toolbar, nullptr);
    const std::vector<ToolbarButton> buttons = ToolbarButtons(toolbar);
    ASSERT_EQ(buttons.size(), 5u);
    EXPECT_EQ(buttons[0].commandId, CmdSearchProcess);
    EXPECT_EQ(buttons[0].toolTip, "Prozess suchen...");
    EXPECT_EQ(buttons[1].commandId, CmdRefreshLists);
    EXPECT_EQ(buttons[1].toolTip, "Liste aktualisieren");
    EXPECT_TRUE(buttons[2].separator);
    EXPECT_EQ(buttons[3].commandId, CmdCheckForUpdates);
    EXPECT_EQ(buttons[3].toolTip,
              "Auf Updates pr\xFC"
              "fen");
    EXPECT_EQ(buttons[4].commandId, CmdSettings);
    EXPECT_EQ(buttons[4].toolTip, "Einstellungen");
}

TEST_F(MainWindowE2E, AboutBoxShowsNameAndVersionAndIsModal) {
    PostCommand(main_, CmdAbout);
    const std::optional<MessageBoxInfo> box = WaitForMessageBox(program_->processId());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption,
              "\xDC"
              "ber");
    EXPECT_THAT(box->text, StartsWith("Kelvaro " KELVARO_PROJECT_VERSION "\n"));
    EXPECT_THAT(box->buttonIds, ElementsAre(IDOK));
    EXPECT_FALSE(box->hasIcon);
    EXPECT_EQ(box->owner, main_);
    EXPECT_FALSE(IsWindowEnabled(main_));
    ASSERT_TRUE(AnswerMessageBox(*box, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box->window); }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }));
}

TEST_F(MainWindowE2E, MinimisingGoesToTheTrayAndALeftClickOnTheIconComesBack) {
    EXPECT_FALSE(TrayIconExists(main_, kTrayIconId));
    // As the title bar's minimise button does.
    PostMessageA(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }));
    EXPECT_TRUE(TrayIconExists(main_, kTrayIconId));

    // The notification area reports a press of the left button on the icon. The way back
    // shows the window, still minimised, then restores it and removes the icon last.
    SendTrayMouse(main_, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] { return !TrayIconExists(main_, kTrayIconId); }));
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_FALSE(IsIconic(main_));
}

TEST_F(MainWindowE2E, RightClickInTheProcessListOpensItsPopupMenu) {
    const HWND list = ChildById(main_, CtlProcessList);
    ASSERT_NE(list, nullptr);
    MouseClickInWindow(list, POINT{100, 200}, true);
    EXPECT_TRUE(WaitUntil([&] { return OpenPopupMenu(program_->processId()) != nullptr; }));
    PostMessageA(main_, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return OpenPopupMenu(program_->processId()) == nullptr; }));
}

// Whether the icon went with the program cannot be seen from here: Wine's notification
// area drops the icons of windows that are gone, so every check after the end would pass.
TEST(MainWindowEnd, ClosingTheMainWindowEndsWithExitCodeZero) {
    ProgramUnderTest program(KelvaroOptions());
    const HWND main = program.WaitForShownWindow("Kelvaro");
    ASSERT_NE(main, nullptr);
    PostClose(main);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

TEST(MainWindowEnd, DateiBeendenEndsWithExitCodeZero) {
    ProgramUnderTest program(KelvaroOptions());
    const HWND main = program.WaitForShownWindow("Kelvaro");
    ASSERT_NE(main, nullptr);
    PostCommand(main, CmdQuit);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

// From the tray: the icon's right button opens "Öffnen"/"Beenden"; "Beenden" is chosen
// with the right button, as either button may choose. (The icon's removal at the end cannot
// be told from Wine's own clean-up, see above.)
TEST(MainWindowEnd, TrayMenuBeendenEndsTheProgram) {
    ProgramUnderTest program(KelvaroOptions());
    const HWND main = program.WaitForShownWindow("Kelvaro");
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return TrayIconExists(main, kTrayIconId); }));

    PostMessageA(main, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = OpenPopupMenu(program.processId())) != nullptr; }));
    RECT rect{};
    GetWindowRect(menu, &rect);
    // Two items of equal height: "Öffnen" above, "Beenden" below.
    const POINT beenden{(rect.left + rect.right) / 2, rect.top + (rect.bottom - rect.top) * 3 / 4};
    MouseClickAt(beenden, true);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace kelvaro::test
