// The settings of Kelvaro(x64).exe driven from outside: the dialog "Einstellungen" filled
// from Kelvaro.ini, "Speichern", "Abbrechen" and the close box, the autostart shortcut in
// the startup folder, the refresh timer after a save, and a start-up that the file sends
// into the notification area.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/file_io_win.h"
#include "support/shell_link_win.h"
#include "support/test_process_win.h"
#include "support/ui_driver.h"
#include "ui/ids.h"

namespace kelvaro::test {
namespace {

constexpr const char* kSettingsFile = "Kelvaro.ini";
constexpr const char* kProgramFile = "Kelvaro(x64).exe";

// Every file here turns the update check at start-up off: it would ask the network.
constexpr const char* kQuietFile =
    "[Einstellungen]\r\nAutostart=0\r\nMinimiert Starten=0\r\nAutoAktualisieren=0\r\n"
    "AutoNachUpdatesSuchen=0\r\nTimeout=0\r\n";

ProgramUnderTest::Options KelvaroOptions(std::optional<std::string> settingsFile) {
    ProgramUnderTest::Options options;
    options.exePath = PathNextToTestExe(kProgramFile);
    // The program file lies beside its settings, as the autostart shortcut expects.
    options.copyExeIntoFolder = true;
    if (settingsFile) options.files[kSettingsFile] = *settingsFile;
    return options;
}

std::string AutostartLink() {
    const std::string folder = StartupFolder();
    return folder.empty() ? std::string() : folder + "Kelvaro.lnk";
}
bool AutostartLinkExists() {
    return GetFileAttributesA(AutostartLink().c_str()) != INVALID_FILE_ATTRIBUTES;
}
// Leaves the startup folder without the link, as a run found it. Wine's menu builder reads
// every link the program writes and holds it open for a moment.
void RemoveAutostartLink() {
    const std::string link = AutostartLink();
    if (!link.empty()) DeleteFileWhenReleased(link);
}

// Runs command 5 and gives the one settings dialog. The command is sent rather than
// posted: the program takes a message sent from another thread before any posted one, so
// only a sent command is known to have been handled when the call returns.
HWND OpenSettings(const ProgramUnderTest& program, HWND main) {
    SendAndWait(main, WM_COMMAND, MAKEWPARAM(CmdSettings, 0));
    const std::vector<HWND> dialogs = TopLevelWindows(program.processId(), "Einstellungen");
    return dialogs.size() == 1 ? dialogs[0] : nullptr;
}

struct DialogState {
    bool autostart = false;
    bool startMinimised = false;
    bool checkForUpdates = false;
    bool autoRefresh = false;
    std::string timeout;
    bool operator==(const DialogState&) const = default;
};

void PrintTo(const DialogState& s, std::ostream* out) {
    *out << "{" << s.autostart << s.startMinimised << s.checkForUpdates << s.autoRefresh << " \""
         << s.timeout << "\"}";
}

bool Checked(HWND dialog, int box) {
    return SendAndWait(ChildById(dialog, box), BM_GETCHECK) == BST_CHECKED;
}

DialogState ReadDialog(HWND dialog) {
    return {Checked(dialog, CtlAutostart), Checked(dialog, CtlStartMinimised),
            Checked(dialog, CtlCheckForUpdates), Checked(dialog, CtlAutoRefresh),
            WindowText(ChildById(dialog, CtlTimeout))};
}

void FillDialog(HWND dialog, const DialogState& state) {
    auto check = [&](int box, bool on) {
        SendAndWait(ChildById(dialog, box), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED);
    };
    check(CtlAutostart, state.autostart);
    check(CtlStartMinimised, state.startMinimised);
    check(CtlCheckForUpdates, state.checkForUpdates);
    check(CtlAutoRefresh, state.autoRefresh);
    SetText(ChildById(dialog, CtlTimeout), state.timeout);
}

// Presses a button of the dialog; true once the dialog is gone.
bool PressAndWaitClosed(HWND dialog, int button) {
    ClickButton(ChildById(dialog, button));
    return WaitUntil([&] { return !IsWindow(dialog); });
}

// One program for the dialog's tests; each writes the settings file it needs first.
class SettingsDialogE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RemoveAutostartLink();
        program_ = std::make_unique<ProgramUnderTest>(KelvaroOptions(kQuietFile));
        main_ = program_->WaitForShownWindow("Kelvaro");
    }
    static void TearDownTestSuite() {
        program_.reset();
        RemoveAutostartLink();
    }
    void SetUp() override {
        ASSERT_NE(main_, nullptr);
        ASSERT_FALSE(StartupFolder().empty());
    }
    void TearDown() override {
        for (HWND dialog : TopLevelWindows(program_->processId(), "Einstellungen")) {
            PostClose(dialog);
            WaitUntil([&] { return !IsWindow(dialog); });
        }
    }

    static std::unique_ptr<ProgramUnderTest> program_;
    static HWND main_;
};

std::unique_ptr<ProgramUnderTest> SettingsDialogE2E::program_;
HWND SettingsDialogE2E::main_ = nullptr;

TEST_F(SettingsDialogE2E, DialogHasItsControlsInPlaceAndIsFilledFromTheFile) {
    program_->WriteFile(kSettingsFile,
                        "[Einstellungen]\r\nAutostart=1\r\nMinimiert Starten=0\r\n"
                        "AutoAktualisieren=0\r\nAutoNachUpdatesSuchen=1\r\nTimeout=12\r\n");
    const HWND dialog = OpenSettings(*program_, main_);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ReadDialog(dialog), (DialogState{true, false, true, false, "12"}));

    const SIZE inner = ClientSize(dialog);
    EXPECT_EQ(inner.cx, 200);
    EXPECT_EQ(inner.cy, 170);
    const LONG_PTR style = GetWindowLongPtrA(dialog, GWL_STYLE);
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), main_);

    struct Expected {
        int id;
        const char* className;
        const char* text;
        RECT rect;
    };
    const Expected controls[] = {
        {CtlAutostart, "Button", "Autostart", {5, 5, 185, 25}},
        {CtlStartMinimised, "Button", "Minimiert starten", {5, 30, 185, 50}},
        {CtlCheckForUpdates, "Button", "Autom. nach Updates suchen", {5, 55, 185, 75}},
        {CtlAutoRefresh, "Button", "Liste autom. aktualisieren", {5, 80, 185, 100}},
        {CtlTimeoutLabel, "Static", "Timeout in sec", {15, 103, 95, 123}},
        {CtlTimeout, "Edit", "12", {100, 100, 175, 120}},
        {CtlCancel, "Button", "Abbrechen", {5, 140, 95, 165}},
        {CtlSave, "Button", "Speichern", {100, 140, 195, 165}},
    };
    for (const Expected& c : controls) {
        const HWND control = ChildById(dialog, c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_EQ(ClassName(control), c.className) << c.id;
        EXPECT_EQ(WindowText(control), c.text) << c.id;
        const RECT rect = RectInParent(control, dialog);
        EXPECT_EQ(rect.left, c.rect.left) << c.id;
        EXPECT_EQ(rect.top, c.rect.top) << c.id;
        EXPECT_EQ(rect.right, c.rect.right) << c.id;
        EXPECT_EQ(rect.bottom, c.rect.bottom) << c.id;
    }
    // Not modal: the main window stays usable.
    EXPECT_TRUE(IsWindowEnabled(main_));
}

TEST_F(SettingsDialogE2E, OpeningAgainReplacesTheDialogWithOneFilledFromTheFileAgain) {
    program_->WriteFile(kSettingsFile, kQuietFile);
    const HWND first = OpenSettings(*program_, main_);
    ASSERT_NE(first, nullptr);
    FillDialog(first, {true, true, true, true, "7"});
    const HWND second = OpenSettings(*program_, main_);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(ReadDialog(second), (DialogState{false, false, false, false, "0"}));
}

TEST_F(SettingsDialogE2E, AbbrechenAndTheCloseBoxWriteNothing) {
    // Spaced as no save would write it, so that any write shows.
    const std::string before =
        "[Einstellungen]\r\nAutostart=0\r\n\r\nTimeout=3\r\nAutoNachUpdatesSuchen=0\r\n";
    program_->WriteFile(kSettingsFile, before);
    HWND dialog = OpenSettings(*program_, main_);
    ASSERT_NE(dialog, nullptr);
    FillDialog(dialog, {true, true, true, true, "99"});
    ASSERT_TRUE(PressAndWaitClosed(dialog, CtlCancel));

    dialog = OpenSettings(*program_, main_);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ReadDialog(dialog), (DialogState{false, false, false, true, "3"}));
    FillDialog(dialog, {true, true, true, true, "99"});
    PostClose(dialog);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

    SendAndWait(main_, WM_NULL);
    EXPECT_EQ(program_->ReadFile(kSettingsFile), before);
    EXPECT_FALSE(AutostartLinkExists());
}

TEST_F(SettingsDialogE2E, GroupLineAloneShowsTheDefaultsAndSpeichernWritesTheKeysInOrder) {
    program_->WriteFile(kSettingsFile, "[Einstellungen]\r\n");
    HWND dialog = OpenSettings(*program_, main_);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ReadDialog(dialog), (DialogState{false, false, true, true, "5"}));

    // "$1E" is hexadecimal for 30.
    FillDialog(dialog, {false, true, false, true, "$1E"});
    ASSERT_TRUE(PressAndWaitClosed(dialog, CtlSave));
    EXPECT_EQ(program_->ReadFile(kSettingsFile),
              "[Einstellungen]\r\nAutostart = 0\r\nMinimiert Starten = 1\r\n"
              "AutoAktualisieren = 1\r\nAutoNachUpdatesSuchen = 0\r\nTimeout = 30\r\n");

    dialog = OpenSettings(*program_, main_);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ReadDialog(dialog), (DialogState{false, true, false, true, "30"}));
}

TEST_F(SettingsDialogE2E, AutostartPlacesTheShortcutAndUncheckingRemovesIt) {
    program_->WriteFile(kSettingsFile, kQuietFile);
    ASSERT_FALSE(AutostartLinkExists());
    HWND dialog = OpenSettings(*program_, main_);
    ASSERT_NE(dialog, nullptr);
    FillDialog(dialog, {true, false, false, false, "0"});
    ASSERT_TRUE(PressAndWaitClosed(dialog, CtlSave));

    ASSERT_TRUE(AutostartLinkExists()) << AutostartLink();
    const std::optional<ShellLinkInfo> link = ReadShellLink(AutostartLink());
    ASSERT_TRUE(link.has_value());
    const std::string program = program_->FilePath(kProgramFile);
    EXPECT_EQ(link->target, program);
    EXPECT_EQ(link->workingFolder, program_->workingFolder() + "\\");
    EXPECT_EQ(link->arguments, "");
    EXPECT_EQ(link->description, "");
    EXPECT_EQ(link->showCommand, SW_SHOWNORMAL);
    EXPECT_EQ(link->hotKey, 0u);
    EXPECT_EQ(link->iconFile, program);
    EXPECT_EQ(link->iconIndex, 0);
    EXPECT_NE(program_->ReadFile(kSettingsFile)->find("Autostart = 1\r\n"), std::string::npos);

    dialog = OpenSettings(*program_, main_);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(ReadDialog(dialog).autostart);
    FillDialog(dialog, {false, false, false, false, "0"});
    ASSERT_TRUE(PressAndWaitClosed(dialog, CtlSave));
    EXPECT_FALSE(AutostartLinkExists());
    EXPECT_NE(program_->ReadFile(kSettingsFile)->find("Autostart = 0\r\n"), std::string::npos);
}

TEST(SettingsWithoutFile, DialogStaysEmptyAndSpeichernCreatesNothing) {
    RemoveAutostartLink();
    ProgramUnderTest program(KelvaroOptions(std::nullopt));
    const HWND main = program.WaitForShownWindow("Kelvaro");
    ASSERT_NE(main, nullptr);
    const HWND dialog = OpenSettings(program, main);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ReadDialog(dialog), (DialogState{false, false, false, false, ""}));
    FillDialog(dialog, {true, true, true, true, "3"});
    ASSERT_TRUE(PressAndWaitClosed(dialog, CtlSave));
    SendAndWait(main, WM_NULL);
    EXPECT_FALSE(program.FileExists(kSettingsFile));
    EXPECT_FALSE(AutostartLinkExists());
}

// Timer 1 runs the refresh, whose snapshot ends the kill list's processes: an ended
// notepad shows a refresh.
TEST(SettingsRefreshTimer, SpeichernWithTimeoutOneRefreshesEverySecondWhileAutoRefreshIsOn) {
    ProgramUnderTest program(KelvaroOptions(
        "[Einstellungen]\r\nAutoAktualisieren=1\r\nAutoNachUpdatesSuchen=0\r\nTimeout=0\r\n"
        "[Prozesse zum Beenden]\r\n0 = NOTEPAD.EXE\r\n"));
    const HWND main = program.WaitForShownWindow("Kelvaro");
    ASSERT_NE(main, nullptr);
    {
        // "Timeout" 0: no timer 1 at all.
        TestProcess notepad(kNotepad, {}, true);
        ASSERT_TRUE(notepad.Running());
        EXPECT_FALSE(notepad.EndsWithin(2500));

        HWND dialog = OpenSettings(program, main);
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(ReadDialog(dialog), (DialogState{false, false, false, true, "0"}));
        SetText(ChildById(dialog, CtlTimeout), "1");
        ASSERT_TRUE(PressAndWaitClosed(dialog, CtlSave));
        EXPECT_TRUE(notepad.EndsWithin(10000));
    }
    HWND dialog = OpenSettings(program, main);
    ASSERT_NE(dialog, nullptr);
    FillDialog(dialog, {false, false, false, false, "1"});
    ASSERT_TRUE(PressAndWaitClosed(dialog, CtlSave));
    TestProcess notepad(kNotepad, {}, true);
    ASSERT_TRUE(notepad.Running());
    EXPECT_FALSE(notepad.EndsWithin(2500)) << "refreshed with AutoAktualisieren off";
}

// "Minimiert Starten" from the file. (The file's negative "Timeout" starts timer 1 at the
// window system's longest interval: the in-process suite NegativeTimeout checks the timer.)
TEST(SettingsStartUp, FileWithMinimiertStartenLeavesTheWindowHiddenWithTheTrayIcon) {
    ProgramUnderTest program(
        KelvaroOptions("[Einstellungen]\r\nMinimiert Starten = 1\r\nAutoAktualisieren = 1\r\n"
                       "AutoNachUpdatesSuchen = 0\r\nTimeout = -1\r\n"));
    const HWND main = program.WaitForWindow("Kelvaro");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(main, kTrayIconId); }));
    // The icon is added after the window was made; once the program takes messages, the
    // start-up is over and the window would have been shown.
    SendAndWait(main, WM_NULL);
    EXPECT_FALSE(IsWindowVisible(main));
}

}  // namespace
}  // namespace kelvaro::test
