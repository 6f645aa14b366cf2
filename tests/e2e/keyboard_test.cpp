// Kelvaro(x64).exe driven by real key presses: the main window's shortcut keys, the
// process list's keyboard menu, copy and "Prozess beenden", the dialog keys of the three
// secondary windows, the header's sort arrow, and the main window remembered from one run
// to the next. Copies of the start probe stand for the processes a user would end.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/test_process_win.h"
#include "support/ui_driver.h"
#include "ui/ids.h"

namespace kelvaro::test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr const char* kSettingsFile = "Kelvaro.ini";
// The refresh timer and the update check stay off, so that only a key refreshes the list.
constexpr const char* kQuiet =
    "[Einstellungen]\r\nAutostart = 0\r\nMinimiert Starten = 0\r\nAutoAktualisieren = 0\r\n"
    "AutoNachUpdatesSuchen = 0\r\nTimeout = 0\r\n";

ProgramUnderTest::Options KelvaroOptions(const std::string& settings) {
    ProgramUnderTest::Options options;
    options.exePath = PathNextToTestExe("Kelvaro(x64).exe");
    options.files[kSettingsFile] = settings;
    options.files["Kelvaro"] = "0\r\nsvchost.exe\r\nDienst\xB5\r\n";
    return options;
}

int RowOf(const Rows& rows, const std::string& name) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i][0] == name) return static_cast<int>(i);
    }
    return -1;
}

std::string Joined(const std::vector<std::string>& cells, const char* separator) {
    std::string text;
    for (size_t i = 0; i < cells.size(); ++i) text += (i == 0 ? "" : separator) + cells[i];
    return text;
}

// A copy of the start probe under its own name in the folder, running until ended.
std::unique_ptr<TestProcess> StartProbe(const ProgramUnderTest& program, const std::string& name) {
    const std::string copy = program.FilePath(name);
    if (!CopyFileA(PathNextToTestExe("kv_start_probe.exe").c_str(), copy.c_str(), FALSE)) {
        return nullptr;
    }
    return std::make_unique<TestProcess>("\"" + copy + "\" --wait=600000", program.workingFolder());
}

class KeyboardE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        program_ = std::make_unique<ProgramUnderTest>(KelvaroOptions(kQuiet));
        main_ = program_->WaitForShownWindow("Kelvaro");
        if (main_ != nullptr) list_ = ChildById(main_, CtlProcessList);
    }
    static void TearDownTestSuite() {
        probes_.clear();  // before the program's folder, which holds their files, is removed
        program_.reset();
    }
    void SetUp() override {
        ASSERT_NE(list_, nullptr) << "the program did not come up";
        SetForegroundWindow(main_);
        ASSERT_TRUE(WaitUntil([] { return GetForegroundWindow() == main_; }));
    }
    void TearDown() override {
        // Whatever a failed test left open goes, so that the next one starts at the list.
        if (HWND menu = OpenPopupMenu(program_->processId())) {
            PressKeys({VK_ESCAPE});
            WaitUntil([&] { return !IsWindowVisible(menu); });
        }
        for (const char* title : {"Prozess suchen", "Bestimmte Prozesse beenden", "Einstellungen"}) {
            for (HWND window : TopLevelWindows(program_->processId(), title)) {
                PostClose(window);
                WaitUntil([&] { return !IsWindow(window); });
            }
        }
    }

    static void Command(int id) { SendAndWait(main_, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    static Rows CurrentRows() { return ListViewRows(list_); }
    static bool Listed(const std::string& name) { return RowOf(CurrentRows(), name) >= 0; }

    // A real click on the process's row: it is selected and the list has the focus.
    static bool ClickRowOf(const std::string& name) {
        const int row = RowOf(CurrentRows(), name);
        if (row < 0) return false;
        MouseClickAt(ListViewRowPoint(list_, row));
        const bool selected = WaitUntil([&] { return ListViewSelectedRow(list_) == row; });
        const bool focused = FocusBecomes(main_, list_);
        return selected && focused;
    }
    static std::unique_ptr<TestProcess>& Probe(const std::string& name) {
        probes_.push_back(StartProbe(*program_, name));
        return probes_.back();
    }

    static inline std::unique_ptr<ProgramUnderTest> program_;
    static inline std::vector<std::unique_ptr<TestProcess>> probes_;
    static inline HWND main_ = nullptr;
    static inline HWND list_ = nullptr;
};

// F5 shows a process started after the last refresh; Strg+F opens the search window.
TEST_F(KeyboardE2E, MainWindowShortcutKeysDoWhatTheirMenuItemsDo) {
    const std::unique_ptr<TestProcess>& probe = Probe("neu.exe");
    ASSERT_TRUE(probe && probe->Running());
    struct Case {
        const char* key;
        std::vector<WORD> chord;
        std::function<bool()> happened;
    };
    const Case cases[] = {
        {"F5", {VK_F5}, [] { return Listed("neu.exe"); }},
        {"Strg+F", {VK_CONTROL, 'F'},
         [] { return TopLevelWindows(program_->processId(), "Prozess suchen").size() == 1; }},
    };
    for (const Case& c : cases) {
        SetForegroundWindow(main_);
        EXPECT_FALSE(c.happened()) << c.key << " before the key";
        if (c.chord.size() == 1) PressKeys({c.chord[0]});
        else PressKeys({c.chord[0], c.chord[1]});
        EXPECT_TRUE(WaitUntil(c.happened)) << c.key;
    }
}

// Shift+F10 opens the row's menu at the selected row, not at the mouse; Strg+C copies the
// row's four columns separated by tabs.
TEST_F(KeyboardE2E, TheSelectedRowHasItsMenuAtTheRowAndCopiesAsTabSeparatedColumns) {
    ASSERT_TRUE(ClickRowOf("svchost.exe"));
    const int row = ListViewSelectedRow(list_);
    SetCursorPos(5, 5);
    PressKeys({VK_SHIFT, VK_F10});
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = OpenPopupMenu(program_->processId())) != nullptr; }));
    RECT menuRect{};
    GetWindowRect(menu, &menuRect);
    const POINT rowPoint = ListViewRowPoint(list_, row);
    EXPECT_LT(std::abs(menuRect.top - rowPoint.y), 20) << menuRect.top << " " << rowPoint.y;
    EXPECT_GT(menuRect.left, 5);
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));

    EmptyTheClipboard();
    ASSERT_TRUE(FocusBecomes(main_, list_));
    PressKeys({VK_CONTROL, 'C'});
    std::vector<std::string> cells = CurrentRows()[static_cast<size_t>(row)];
    EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == Joined(cells, "\t"); }))
        << ClipboardText().value_or("(no text)");
}

// Entf asks first: "Nein" leaves the process, "Ja" ends exactly it and the list follows.
// Kelvaro's own row is refused without a question.
TEST_F(KeyboardE2E, EntfEndsTheSelectedProcessAfterItsQuestionButNeverKelvaroItself) {
    const std::unique_ptr<TestProcess>& probe = Probe("ende.exe");
    ASSERT_TRUE(probe && probe->Running());
    Command(CmdRefreshLists);
    const std::string question = "M\xF6" "chten Sie den Prozess ende.exe (PID " +
                                 std::to_string(probe->processId()) + ") jetzt beenden?";
    // The list keeps the focus through the question, so Entf works a second time.
    ASSERT_TRUE(ClickRowOf("ende.exe"));
    for (const int answer : {IDNO, IDYES}) {
        ASSERT_TRUE(FocusBecomes(main_, list_));
        PressKeys({VK_DELETE});
        const std::optional<MessageBoxInfo> box = WaitForMessageBox(program_->processId());
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->caption, "Kelvaro");
        EXPECT_EQ(box->text, question);
        ASSERT_TRUE(AnswerMessageBox(*box, answer));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box->window); }));
        if (answer == IDNO) {
            SendAndWait(main_, WM_NULL);
            EXPECT_TRUE(probe->Running());
        }
    }
    EXPECT_TRUE(probe->EndsWithin(5000));
    EXPECT_EQ(probe->ExitCode(), 1u);
    EXPECT_TRUE(WaitUntil([] { return !Listed("ende.exe"); }));

    ASSERT_TRUE(ClickRowOf("Kelvaro(x64).exe"));
    PressKeys({VK_DELETE});
    const std::optional<MessageBoxInfo> refusal = WaitForMessageBox(program_->processId());
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->caption, "Fehler");
    EXPECT_EQ(refusal->text,
              "Der Prozess konnte nicht beendet werden: Das ist Kelvaro selbst. Beenden Sie "
              "Kelvaro \xFC" "ber \"Datei\" > \"Beenden\".");
    ASSERT_TRUE(AnswerMessageBox(*refusal, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(refusal->window); }));
    EXPECT_TRUE(program_->IsRunning());
}

// The arrow sits on the sorted column only and points the sort's way, whichever way the
// sort changed. (The sort a restart brings back is checked with the remembered window.)
TEST_F(KeyboardE2E, TheHeaderArrowFollowsTheMenuAndTheHeaderClicks) {
    Command(CmdSortByName);
    Command(CmdSortAscending);
    const auto arrows = [] {
        std::vector<int> seen;
        for (int column = 0; column < 4; ++column) seen.push_back(ListViewSortArrow(list_, column));
        return seen;
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<int> expected;
    };
    const Step steps[] = {
        {"start", [] {}, {1, 0, 0, 0}},
        {"menu Absteigend", [] { Command(CmdSortDescending); }, {-1, 0, 0, 0}},
        {"menu Anzahl Threads", [] { Command(CmdSortByThreads); }, {0, 0, -1, 0}},
        // A header click turns the direction round, whichever column it sorts by.
        {"header Befund", [] { ClickListViewHeader(list_, 3); }, {0, 0, 0, 1}},
        {"header Befund again",
         [] {
             Sleep(GetDoubleClickTime() + 100);  // else the second click is a double click
             ClickListViewHeader(list_, 3);
         },
         {0, 0, 0, -1}},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_TRUE(WaitUntil([&] { return arrows() == step.expected; }))
            << step.what << ": " << ::testing::PrintToString(arrows());
    }
    Command(CmdSortByName);
    Command(CmdSortAscending);
}

// Each secondary window: Tab walks its controls in reading order from where the focus
// starts, round to the first again, Shift+Tab back; Enter presses its button; Esc closes it.
TEST_F(KeyboardE2E, SecondaryWindowsTakeTabEnterAndEscLikeDialogs) {
    struct Window {
        const char* title;
        int command;
        std::vector<int> tabOrder;
        int textField;
        const char* typed;
        std::function<bool(HWND)> enterDone;
    };
    const Window windows[] = {
        {"Prozess suchen", CmdSearchProcess, {CtlSearchText, CtlSearchButton, CtlSearchResults},
         CtlSearchText, "svchost.exe", [](HWND w) { return ListViewRowCount(ChildById(w, CtlSearchResults)) == 1; }},
        // The kill list opens with the focus on its name field, for a name typed at once.
        {"Bestimmte Prozesse beenden", CmdKillListWindow, {CtlKillName, CtlKillAdd, CtlKillList},
         CtlKillName, "nichtda.exe", [](HWND w) {
             const HWND names = ChildById(w, CtlKillList);
             return ListBoxRowCount(names) == 1 && ListBoxText(names, 0) == "nichtda.exe";
         }},
        {"Einstellungen", CmdSettings,
         {CtlAutostart, CtlStartMinimised, CtlCheckForUpdates, CtlAutoRefresh, CtlTimeout,
          CtlCancel, CtlSave},
         CtlTimeout, "7", [](HWND w) { return !IsWindow(w); }},
    };
    for (const Window& spec : windows) {
        SCOPED_TRACE(spec.title);
        const auto open = [&] {
            PostCommand(main_, spec.command);
            HWND window = nullptr;
            WaitUntil([&] {
                const std::vector<HWND> found = TopLevelWindows(program_->processId(), spec.title);
                window = found.size() == 1 ? found[0] : nullptr;
                return window != nullptr && GetForegroundWindow() == window;
            });
            return window;
        };
        HWND window = open();
        ASSERT_NE(window, nullptr);
        const auto focusIs = [&](int control) { return FocusBecomes(window, ChildById(window, control)); };
        EXPECT_TRUE(focusIs(spec.tabOrder[0]));
        for (size_t i = 1; i < spec.tabOrder.size(); ++i) {
            PressKeys({VK_TAB});
            EXPECT_TRUE(focusIs(spec.tabOrder[i])) << "Tab " << i;
        }
        PressKeys({VK_TAB});
        EXPECT_TRUE(focusIs(spec.tabOrder[0])) << "Tab from the last control";
        PressKeys({VK_SHIFT, VK_TAB});
        EXPECT_TRUE(focusIs(spec.tabOrder.back())) << "Shift+Tab";

        PressKeys({VK_ESCAPE});
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); })) << "Esc";

        window = open();
        ASSERT_NE(window, nullptr);
        SetText(ChildById(window, spec.textField), spec.typed);
        PressKeys({VK_RETURN});
        EXPECT_TRUE(WaitUntil([&] { return spec.enterDone(window); })) << "Enter";
        if (IsWindow(window)) {
            PostClose(window);
            WaitUntil([&] { return !IsWindow(window); });
        }
    }
    // "Speichern" wrote the new timeout; the kill list's window wrote its list at its close.
    const std::string saved = program_->ReadFile(kSettingsFile).value_or("");
    EXPECT_NE(saved.find("Timeout = 7\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("[Prozesse zum Beenden]\r\n0 = nichtda.exe\r\n"), std::string::npos) << saved;
    program_->WriteFile(kSettingsFile, kQuiet);
    Command(CmdSettings);  // reads the file again: the kill list is empty once more
    for (HWND dialog : TopLevelWindows(program_->processId(), "Einstellungen")) {
        PostClose(dialog);
        WaitUntil([&] { return !IsWindow(dialog); });
    }
}

// ---- The remembered window ------------------------------------------------------------

struct Remembered {
    RECT normal{};
    bool maximised = false;
    std::vector<int> widths;
    std::vector<int> arrows;
};

Remembered ReadRemembered(HWND main) {
    Remembered seen;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(main, &placement);
    seen.normal = placement.rcNormalPosition;
    seen.maximised = IsZoomed(main) != FALSE;
    const HWND list = ChildById(main, CtlProcessList);
    for (int column = 0; column < 4; ++column) {
        seen.widths.push_back(ListViewColumnWidth(list, column));
        seen.arrows.push_back(ListViewSortArrow(list, column));
    }
    return seen;
}

bool operator==(const Remembered& a, const Remembered& b) {
    return EqualRect(&a.normal, &b.normal) && a.maximised == b.maximised && a.widths == b.widths &&
           a.arrows == b.arrows;
}
std::ostream& operator<<(std::ostream& out, const Remembered& r) {
    out << "{" << r.normal.left << "," << r.normal.top << " " << r.normal.right - r.normal.left
        << "x" << r.normal.bottom - r.normal.top << (r.maximised ? " maximised" : "") << " widths";
    for (int w : r.widths) out << " " << w;
    out << " arrows";
    for (int a : r.arrows) out << " " << a;
    return out << "}";
}

// Starts the program with the settings, lets `change` act on its main window, ends it
// by "Beenden" and gives what it showed and the settings file it left.
struct RunResult {
    Remembered shown;
    std::string settings;
};
RunResult RunOnce(const std::string& settings, const std::function<void(HWND)>& change = {}) {
    ProgramUnderTest program(KelvaroOptions(settings));
    const HWND main = program.WaitForShownWindow("Kelvaro");
    if (main == nullptr) return {};
    if (change) change(main);
    SendAndWait(main, WM_NULL);
    RunResult run{ReadRemembered(main), {}};
    PostCommand(main, CmdQuit);
    if (!program.WaitForExit()) return {};
    run.settings = program.ReadFile(kSettingsFile).value_or("");
    return run;
}

TEST(RememberedWindowE2E, PlaceColumnsAndSortSurviveARestartAndAPlaceOffEveryScreenFallsBack) {
    const RunResult first = RunOnce(kQuiet);
    ASSERT_FALSE(first.shown.widths.empty());
    ASSERT_NE(first.settings.find("[Fenster]\r\n"), std::string::npos) << first.settings;

    const RunResult changed = RunOnce(kQuiet, [](HWND main) {
        SetWindowPos(main, nullptr, 40, 30, 900, 640, SWP_NOZORDER | SWP_NOACTIVATE);
        const HWND list = ChildById(main, CtlProcessList);
        SendAndWait(list, LVM_SETCOLUMNWIDTH, 1, 123);
        SendAndWait(main, WM_COMMAND, CmdSortByThreads);
        SendAndWait(main, WM_COMMAND, CmdSortDescending);
        ShowWindow(main, SW_MAXIMIZE);
        WaitUntil([&] { return IsZoomed(main) != FALSE; });
    });
    ASSERT_TRUE(changed.shown.maximised);
    ASSERT_EQ(changed.shown.widths[1], 123);
    const RunResult restarted = RunOnce(changed.settings);
    EXPECT_EQ(restarted.shown, changed.shown);
    // The group's settings and the kill list come through untouched.
    EXPECT_EQ(restarted.settings.rfind(kQuiet, 0), 0u) << restarted.settings;

    // Saved places that no present screen or the window's size limits take: the first
    // start's window. (A group with values no run writes is refused before the window
    // system is asked.)
    struct Bad {
        const char* what;
        std::string from;
        std::string to;
    };
    const Bad bads[] = {
        {"off every screen", "Links = 40\r\nOben = 30\r\n", "Links = -9000\r\nOben = -9000\r\n"},
        {"smaller than the window may be", "Breite = 900\r\n", "Breite = 20\r\n"},
    };
    for (const Bad& bad : bads) {
        std::string settings = changed.settings;
        const size_t at = settings.find(bad.from);
        ASSERT_NE(at, std::string::npos) << bad.what << "\n" << settings;
        settings.replace(at, bad.from.size(), bad.to);
        const RunResult fallback = RunOnce(settings);
        EXPECT_TRUE(EqualRect(&fallback.shown.normal, &first.shown.normal))
            << bad.what << ": " << fallback.shown << " instead of " << first.shown;
        EXPECT_FALSE(fallback.shown.maximised) << bad.what;
    }
}

// Without a settings file the program remembers nothing: it never creates the file.
TEST(RememberedWindowE2E, NoSettingsFileNoMemory) {
    ProgramUnderTest::Options options = KelvaroOptions("");
    options.files.erase(kSettingsFile);
    ProgramUnderTest program(options);
    const HWND main = program.WaitForShownWindow("Kelvaro");
    ASSERT_NE(main, nullptr);
    PostCommand(main, CmdQuit);
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_FALSE(program.FileExists(kSettingsFile));
}

}  // namespace
}  // namespace kelvaro::test
