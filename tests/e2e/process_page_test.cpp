// The "Prozesse" page of Kelvaro(x64).exe driven from outside: the order of the process
// list at start-up and after header clicks and sort commands, the status bar counts, the
// description pane, the row colours on the screen, and the search window. The definitions
// classify processes that run under Wine; menu check marks are checked in-process.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/remote_buffer_win.h"
#include "support/ui_driver.h"
#include "ui/ids.h"

namespace kelvaro::test {
namespace {

using ::testing::ElementsAre;

constexpr uint32_t kRed = 0xFF0000;
const std::string kDangerous = "Gef\xE4hrlich";

std::string OwnExeName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full = path;
    return full.substr(full.find_last_of("\\/") + 1);
}

// Definitions for processes of the Wine prefix, this test's own process with a verdict
// that has no label, and a name defined twice.
std::string Definitions() {
    return "3\r\nexplorer.exe\r\nDer Desktop\xB5Zweite Zeile\xB5\r\n"
           "0\r\nservices.exe\r\nDienste\xB5\r\n"
           "1\r\nwinedevice.exe\r\nGer\xE4tetreiber\xB5\r\n"
           "2\r\nsvchost.exe\r\nDienst-Host\xB5\r\n"
           "4\r\nplugplay.exe\r\nPlug and Play\xB5\r\n"
           "7\r\n" +
           OwnExeName() +
           "\r\nSieben\xB5\r\n"
           "1\r\nnotepad.exe\r\nEditor eins\xB5\r\n"
           "4\r\nnotepad.exe\r\nEditor zwei\xB5\r\n";
}

std::string Upper(std::string text) {
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The verdict the definitions above give a process name, -1 for none.
int VerdictOf(const std::string& name) {
    static const std::map<std::string, int> verdicts = {
        {"EXPLORER.EXE", 3}, {"SERVICES.EXE", 0}, {"WINEDEVICE.EXE", 1},
        {"SVCHOST.EXE", 2},  {"PLUGPLAY.EXE", 4}, {Upper(OwnExeName()), 7}};
    const auto found = verdicts.find(Upper(name));
    return found == verdicts.end() ? -1 : found->second;
}

// Names compared with A-Z folded only; <0, 0, >0.
int CompareFolded(const std::string& a, const std::string& b) {
    auto fold = [](char c) {
        return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    };
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) return fold(a[i]) < fold(b[i]) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string Normalised(std::string text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

using Rows = std::vector<std::vector<std::string>>;

enum Column { kName = 0, kPriority = 1, kThreads = 2, kBefund = 3 };

int Number(const std::string& text) {
    return text.empty() || text.find_first_not_of("-0123456789") != std::string::npos
               ? INT32_MIN
               : std::stoi(text);
}

int RowOf(const Rows& rows, const std::string& name) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i][kName] == name) return static_cast<int>(i);
    }
    return -1;
}

// The row's rectangle in the list's client area.
RECT RowBounds(HWND list, int row) {
    RemoteBuffer remote(list, sizeof(RECT));
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    remote.Put(rect);
    SendAndWait(list, LVM_GETITEMRECT, row, remote.Param());
    remote.Get(rect);
    return rect;
}

// Whether every column of a row shows a pixel of the colour, and whether any does.
struct RowPixels {
    std::vector<bool> columnsWith;
    bool any = false;
    bool dark = false;  // a text pixel of a dark default colour
};

RowPixels ScanRow(HWND list, int row, uint32_t colour, int columns = 4) {
    const RECT bounds = RowBounds(list, row);
    const Screenshot shot = CaptureWindow(list, true);
    RowPixels result;
    int left = bounds.left;
    for (int column = 0; column < columns; ++column) {
        const int right = left + ListViewColumnWidth(list, column);
        bool found = false;
        for (int y = std::max(0, static_cast<int>(bounds.top) + 1);
             y < std::min(shot.height, static_cast<int>(bounds.bottom) - 1); ++y) {
            for (int x = std::max(0, left + 1); x < std::min(shot.width, right - 1); ++x) {
                const uint32_t pixel = shot.At(x, y);
                if (pixel == colour) found = true;
                const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
                if (r < 64 && g < 64 && b < 64) result.dark = true;
            }
        }
        result.columnsWith.push_back(found);
        result.any = result.any || found;
        left = right;
    }
    return result;
}

// One program for the whole suite; every test sets the sort state it needs first.
class ProcessPageE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ProgramUnderTest::Options options;
        options.exePath = PathNextToTestExe("Kelvaro(x64).exe");
        options.files["Kelvaro"] = Definitions();
        program_ = std::make_unique<ProgramUnderTest>(options);
        main_ = program_->WaitForWindow("Kelvaro");
        if (main_ == nullptr) return;
        WaitUntil([] { return IsWindowVisible(main_) != FALSE; });
        list_ = ChildById(main_, CtlProcessList);
        pane_ = ChildById(main_, CtlDescription);
        status_ = ChildByClass(main_, "msctls_statusbar32");
        startRows_ = ListViewRows(list_);
    }
    static void TearDownTestSuite() { program_.reset(); }
    void SetUp() override {
        ASSERT_NE(list_, nullptr) << "the program did not come up";
        SetForegroundWindow(main_);
    }

    // A menu command, handled before the call returns.
    static void Command(int id) { SendAndWait(main_, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    static Rows CurrentRows() { return ListViewRows(list_); }

    static HWND OpenSearch() {
        Command(CmdSearchProcess);
        const std::vector<HWND> windows = TopLevelWindows(program_->processId(), "Prozess suchen");
        return windows.size() == 1 ? windows[0] : nullptr;
    }
    static void CloseSearch(HWND search) {
        PostClose(search);
        WaitUntil([&] { return !IsWindow(search); });
    }
    // Types into the search field and presses the button; the search has run on return.
    static Rows Search(HWND search, const std::string& text) {
        SetText(ChildById(search, CtlSearchText), text);
        SendAndWait(ChildById(search, CtlSearchButton), BM_CLICK);
        return ListViewRows(ChildById(search, CtlSearchResults));
    }

    static std::unique_ptr<ProgramUnderTest> program_;
    static HWND main_;
    static HWND list_;
    static HWND pane_;
    static HWND status_;
    static Rows startRows_;
};

std::unique_ptr<ProgramUnderTest> ProcessPageE2E::program_;
HWND ProcessPageE2E::main_ = nullptr;
HWND ProcessPageE2E::list_ = nullptr;
HWND ProcessPageE2E::pane_ = nullptr;
HWND ProcessPageE2E::status_ = nullptr;
Rows ProcessPageE2E::startRows_;

// Without folding, "Kelvaro(x64).exe" would come before every lower-case name.
TEST_F(ProcessPageE2E, StartsSortedByNameAscendingIgnoringTheLetterCaseOfAToZ) {
    ASSERT_GE(startRows_.size(), 3u);
    for (size_t i = 1; i < startRows_.size(); ++i) {
        EXPECT_LE(CompareFolded(startRows_[i - 1][kName], startRows_[i][kName]), 0)
            << startRows_[i - 1][kName] << " before " << startRows_[i][kName];
    }
    const int explorer = RowOf(startRows_, "explorer.exe");
    const int kelvaro = RowOf(startRows_, "Kelvaro(x64).exe");
    const int self = RowOf(startRows_, OwnExeName());
    ASSERT_GE(explorer, 0);
    ASSERT_GE(kelvaro, 0);
    ASSERT_GE(self, 0);
    EXPECT_LT(explorer, kelvaro);
    EXPECT_LT(kelvaro, self);
    // The four columns: name, priority and threads in decimal, the verdict's label; a
    // verdict without a label (7) and a process without a definition show none.
    for (const std::vector<std::string>& row : startRows_) {
        ASSERT_EQ(row.size(), 4u);
        EXPECT_NE(Number(row[kPriority]), INT32_MIN) << row[kPriority];
        EXPECT_GT(Number(row[kThreads]), 0) << row[kThreads];
    }
    EXPECT_EQ(startRows_[explorer][kBefund], kDangerous);
    EXPECT_EQ(startRows_[kelvaro][kBefund], "");
    EXPECT_EQ(startRows_[self][kBefund], "");
}

TEST_F(ProcessPageE2E, StatusBarCountsTheRowsAndTheirThreads) {
    for (int round = 0; round < 2; ++round) {
        const Rows rows = CurrentRows();
        long long threads = 0;
        for (const std::vector<std::string>& row : rows) threads += Number(row[kThreads]);
        EXPECT_EQ(StatusBarText(status_, 0), "Prozesse: " + std::to_string(rows.size()));
        EXPECT_EQ(StatusBarText(status_, 1), "Threads: " + std::to_string(threads));
        Command(CmdRefreshLists);
    }
}

// Header clicks right after start-up: "Threads" sorts descending, "Threads" again
// ascending, "Name" next descending. Equal thread counts keep the name order they had.
TEST_F(ProcessPageE2E, HeaderClicksSortByTheirColumnAndReverseTheDirectionEveryTime) {
    Command(CmdSortAscending);
    Command(CmdSortByName);
    const Rows byName = CurrentRows();
    auto nameRank = [&byName](const std::string& name) { return RowOf(byName, name); };
    auto sortedByThreads = [&](bool descending) {
        const Rows rows = CurrentRows();
        if (rows.size() != byName.size()) return false;
        for (size_t i = 1; i < rows.size(); ++i) {
            const int a = Number(rows[i - 1][kThreads]);
            const int b = Number(rows[i][kThreads]);
            if (a == b ? nameRank(rows[i - 1][kName]) > nameRank(rows[i][kName])
                       : (descending ? a < b : a > b)) {
                return false;
            }
        }
        return true;
    };
    ClickListViewHeader(list_, kThreads);
    EXPECT_TRUE(WaitUntil([&] { return sortedByThreads(true); }));
    // Two presses on one spot within the double-click time are a double click, which the
    // header reports as no click; a user's second click comes later.
    Sleep(GetDoubleClickTime() + 100);
    ClickListViewHeader(list_, kThreads);
    EXPECT_TRUE(WaitUntil([&] { return sortedByThreads(false); }));
    ClickListViewHeader(list_, kName);
    EXPECT_TRUE(WaitUntil([&] {
        const Rows rows = CurrentRows();
        for (size_t i = 1; i < rows.size(); ++i) {
            if (CompareFolded(rows[i - 1][kName], rows[i][kName]) < 0) return false;
        }
        return rows.size() == byName.size();
    }));
    EXPECT_NE(CurrentRows(), byName);
}

// The user dragged "Threads" to the front: a click on it still sorts by thread count.
TEST_F(ProcessPageE2E, AColumnDraggedElsewhereStillSortsByItsOwnField) {
    Command(CmdSortAscending);
    Command(CmdSortByName);
    auto setOrder = [](std::vector<int> order) {
        RemoteBuffer remote(list_, order.size() * sizeof(int));
        remote.Write(order.data(), order.size() * sizeof(int));
        return SendAndWait(list_, LVM_SETCOLUMNORDERARRAY, order.size(), remote.Param()) != 0;
    };
    ASSERT_TRUE(setOrder({2, 0, 1, 3}));
    ClickListViewHeader(list_, kThreads);  // now the leftmost header item
    EXPECT_TRUE(WaitUntil([] {
        const Rows rows = CurrentRows();
        for (size_t i = 1; i < rows.size(); ++i) {
            if (Number(rows[i - 1][kThreads]) < Number(rows[i][kThreads])) return false;
        }
        return true;
    }));
    EXPECT_TRUE(setOrder({0, 1, 2, 3}));
}

// "Befund" ascending: no definition first, then the five classes in their order, and a
// verdict outside them (7) after "Wichtig".
TEST_F(ProcessPageE2E, BefundAscendingListsNoDefinitionFirstAndUnknownNumbersLast) {
    Command(CmdSortByVerdict);
    Command(CmdSortAscending);
    const Rows rows = CurrentRows();
    ASSERT_FALSE(rows.empty());
    std::vector<int> verdicts;
    for (const std::vector<std::string>& row : rows) verdicts.push_back(VerdictOf(row[kName]));
    EXPECT_TRUE(std::is_sorted(verdicts.begin(), verdicts.end()));
    EXPECT_EQ(verdicts.front(), -1);
    EXPECT_EQ(rows.back()[kName], OwnExeName());
    const std::map<int, std::string> labels = {{-1, ""},
                                               {0, "Systemprozess"},
                                               {1, "Unn\xF6tig"},
                                               {2, "Potentiell gef\xE4hrlich"},
                                               {3, kDangerous},
                                               {4, "Wichtig"},
                                               {7, ""}};
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][kBefund], labels.at(verdicts[i])) << rows[i][kName];
    }
    Command(CmdSortByName);
}

TEST_F(ProcessPageE2E, SelectingARowShowsItsDescriptionAndARefreshKeepsThePane) {
    Command(CmdSortByName);
    Command(CmdSortAscending);
    const int explorer = RowOf(CurrentRows(), "explorer.exe");
    ASSERT_GE(explorer, 0);
    ListViewSelectRow(list_, explorer);
    EXPECT_TRUE(WaitUntil([] {
        return Normalised(WindowText(pane_)) == "Der Desktop\nZweite Zeile\n";
    })) << WindowText(pane_);

    Command(CmdRefreshLists);
    EXPECT_EQ(ListViewSelectedRow(list_), -1);
    EXPECT_GT(ListViewRowCount(list_), 0);
    EXPECT_EQ(Normalised(WindowText(pane_)), "Der Desktop\nZweite Zeile\n");

    // A process without a definition has an empty description.
    ListViewSelectRow(list_, RowOf(CurrentRows(), "Kelvaro(x64).exe"));
    EXPECT_TRUE(WaitUntil([] { return WindowText(pane_).empty(); }));
}

// A "Gefährlich" row is red (255, 0, 0) in all four columns; a row without a definition
// keeps the default dark text; a selected row is drawn in the selection's colours.
TEST_F(ProcessPageE2E, AGefaehrlichRowIsDrawnInRedInAllFourColumns) {
    Command(CmdSortByName);
    Command(CmdSortAscending);
    Command(CmdRefreshLists);  // no row selected
    const Rows rows = CurrentRows();
    const int explorer = RowOf(rows, "explorer.exe");
    const int kelvaro = RowOf(rows, "Kelvaro(x64).exe");
    ASSERT_GE(explorer, 0);
    ASSERT_GE(kelvaro, 0);
    RowPixels red;
    EXPECT_TRUE(WaitUntil([&] {
        red = ScanRow(list_, explorer, kRed);
        return red.columnsWith == std::vector<bool>(4, true);
    })) << "red in columns "
        << red.columnsWith[0] << red.columnsWith[1] << red.columnsWith[2] << red.columnsWith[3];
    const RowPixels plain = ScanRow(list_, kelvaro, kRed);
    EXPECT_FALSE(plain.any);
    EXPECT_TRUE(plain.dark);

    ListViewSelectRow(list_, explorer);
    EXPECT_TRUE(WaitUntil([&] { return !ScanRow(list_, explorer, kRed).any; }));
    Command(CmdRefreshLists);
}

// A right click on a row selects it (the kill list reads that row) and opens popup 2.
TEST_F(ProcessPageE2E, RightClickOnARowSelectsItAndOpensTheProcessMenu) {
    Command(CmdSortByName);
    Command(CmdSortAscending);
    Command(CmdRefreshLists);
    const int explorer = RowOf(CurrentRows(), "explorer.exe");
    ASSERT_GE(explorer, 0);
    auto openMenu = [] { return OpenPopupMenu(program_->processId()); };
    MouseClickAt(ListViewRowPoint(list_, explorer), true);
    EXPECT_TRUE(WaitUntil([&] { return openMenu() != nullptr; }));
    EXPECT_EQ(ListViewSelectedRow(list_), explorer);
    EXPECT_EQ(Normalised(WindowText(pane_)), "Der Desktop\nZweite Zeile\n");
    PostMessageA(main_, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return openMenu() == nullptr; }));
}

// ---- The search window ----------------------------------------------------------------

TEST_F(ProcessPageE2E, SearchWindowOpensCentredOnTheMainWindowWithItsControls) {
    const HWND search = OpenSearch();
    ASSERT_NE(search, nullptr);
    EXPECT_TRUE(IsCentredOnOwner(search, main_, {500, 400}));
    const LONG style = GetWindowLongA(search, GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    const HWND field = ChildById(search, CtlSearchText);
    const HWND button = ChildById(search, CtlSearchButton);
    const HWND results = ChildById(search, CtlSearchResults);
    const HWND description = ChildById(search, CtlSearchDescription);
    ASSERT_TRUE(field && button && results && description);
    EXPECT_EQ(RectInParent(field).left, 5);
    EXPECT_EQ(RectInParent(field).top, 5);
    EXPECT_EQ(RectInParent(field).right, 5 + 390);
    EXPECT_EQ(RectInParent(field).bottom, 25);
    EXPECT_EQ(WindowText(field), "");
    EXPECT_EQ(WindowText(button), "Prozess suchen");
    const RECT b = RectInParent(button);
    EXPECT_THAT((std::vector<LONG>{b.left, b.top, b.right - b.left, b.bottom - b.top}),
                ElementsAre(400, 5, 95, 20));
    const RECT r = RectInParent(results);
    EXPECT_THAT((std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                ElementsAre(5, 30, 300, 365));
    const RECT d = RectInParent(description);
    EXPECT_THAT((std::vector<LONG>{d.left, d.top, d.right - d.left, d.bottom - d.top}),
                ElementsAre(310, 30, 185, 365));
    EXPECT_EQ(ListViewColumnCount(results), 2);
    EXPECT_EQ(ListViewColumnTitle(results, 0), "Name");
    EXPECT_EQ(ListViewColumnWidth(results, 0), 150);
    EXPECT_EQ(ListViewColumnTitle(results, 1), "Befund");
    EXPECT_EQ(ListViewColumnWidth(results, 1), 146);
    EXPECT_EQ(ListViewRowCount(results), 0);
    EXPECT_EQ(ClassName(description), "RichEdit20A");
    EXPECT_TRUE(GetWindowLongA(description, GWL_STYLE) & ES_READONLY);

    // Opening it again replaces it with a new, empty one.
    Search(search, "xplor");
    const HWND again = OpenSearch();
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(IsWindow(search));
    EXPECT_EQ(ListViewRowCount(ChildById(again, CtlSearchResults)), 0);
    EXPECT_EQ(WindowText(ChildById(again, CtlSearchText)), "");
    CloseSearch(again);
}

TEST_F(ProcessPageE2E, SearchFindsDefinitionsByACaseSensitivePartOfTheName) {
    const HWND search = OpenSearch();
    ASSERT_NE(search, nullptr);
    const HWND results = ChildById(search, CtlSearchResults);
    EXPECT_EQ(Search(search, "xplor"), (Rows{{"explorer.exe", kDangerous}}));
    EXPECT_EQ(ListViewItemParam(results, 0), 0);
    // The row has its verdict's colour.
    EXPECT_TRUE(WaitUntil([&] {
        return ScanRow(results, 0, kRed, 2).columnsWith == std::vector<bool>{true, true};
    }));
    EXPECT_TRUE(Search(search, "XPLOR").empty());
    EXPECT_EQ(Search(search, "ices.e"), (Rows{{"services.exe", "Systemprozess"}}));
    // The empty field clears the results and finds nothing.
    EXPECT_TRUE(Search(search, "").empty());
    CloseSearch(search);
}

// Which definitions a search finds, duplicates among them, is the search's own concern
// (unit-tested); here each row of a duplicate shows its own description when selected.
TEST_F(ProcessPageE2E, DuplicateDefinitionsAreBothListedEachWithItsOwnDescription) {
    const HWND search = OpenSearch();
    ASSERT_NE(search, nullptr);
    const HWND results = ChildById(search, CtlSearchResults);
    const HWND description = ChildById(search, CtlSearchDescription);
    ASSERT_EQ(Search(search, "notepad").size(), 2u);
    EXPECT_EQ(ListViewItemParam(results, 0), 6);
    EXPECT_EQ(ListViewItemParam(results, 1), 7);
    ListViewSelectRow(results, 1);
    EXPECT_TRUE(WaitUntil([&] { return Normalised(WindowText(description)) == "Editor zwei\n"; }));
    ListViewSelectRow(results, 0);
    EXPECT_TRUE(WaitUntil([&] { return Normalised(WindowText(description)) == "Editor eins\n"; }));
    // A new search leaves the description as it is.
    Search(search, "xplor");
    EXPECT_EQ(Normalised(WindowText(description)), "Editor eins\n");
    CloseSearch(search);
}

// The results of a search replace all earlier ones. (Enter in the field presses the
// button: the keyboard suite checks the window's keys.)
TEST_F(ProcessPageE2E, ASecondSearchReplacesTheResults) {
    const HWND search = OpenSearch();
    ASSERT_NE(search, nullptr);
    const HWND field = ChildById(search, CtlSearchText);
    const HWND results = ChildById(search, CtlSearchResults);
    ASSERT_EQ(Search(search, "notepad").size(), 2u);

    SetText(field, "xplor");
    SendAndWait(ChildById(search, CtlSearchButton), BM_CLICK);
    EXPECT_EQ(ListViewRows(results), (Rows{{"explorer.exe", kDangerous}}));
    CloseSearch(search);
}

TEST_F(ProcessPageE2E, SearchWindowControlsFollowItsSizeAndTheListKeepsItsWidth) {
    const HWND search = OpenSearch();
    ASSERT_NE(search, nullptr);
    auto resizeTo = [search](int width, int height) {
        RECT outer{0, 0, width, height};
        AdjustWindowRectEx(&outer, GetWindowLongA(search, GWL_STYLE), FALSE, 0);
        SetWindowPos(search, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    auto geometry = [search] {
        std::vector<LONG> all;
        for (int id : {CtlSearchText, CtlSearchButton, CtlSearchResults, CtlSearchDescription}) {
            const RECT r = RectInParent(ChildById(search, id));
            all.insert(all.end(), {r.left, r.top, r.right - r.left, r.bottom - r.top});
        }
        return all;
    };
    resizeTo(700, 500);
    EXPECT_TRUE(WaitUntil([&] { return ClientSize(search).cx == 700; }));
    EXPECT_THAT(geometry(), ElementsAre(5, 5, 590, 20,     // field: W - 110
                                        600, 5, 95, 20,    // button at W - 100
                                        5, 30, 300, 465,   // list: H - 35 high
                                        310, 30, 385, 465  // description: W - 315
                                        ));
    resizeTo(450, 300);
    EXPECT_TRUE(WaitUntil([&] { return ClientSize(search).cx == 450; }));
    EXPECT_THAT(geometry(),
                ElementsAre(5, 5, 340, 20, 350, 5, 95, 20, 5, 30, 300, 265, 310, 30, 135, 265));

    // The sizing border stops at inner sizes of 450 x 300 and 4000 x 4000.
    MINMAXINFO limits{};
    SendAndWait(search, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    RECT minimum{0, 0, 450, 300};
    RECT maximum{0, 0, 4000, 4000};
    AdjustWindowRectEx(&minimum, GetWindowLongA(search, GWL_STYLE), FALSE, 0);
    AdjustWindowRectEx(&maximum, GetWindowLongA(search, GWL_STYLE), FALSE, 0);
    EXPECT_EQ(limits.ptMinTrackSize.x, minimum.right - minimum.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, minimum.bottom - minimum.top);
    EXPECT_EQ(limits.ptMaxTrackSize.x, maximum.right - maximum.left);
    EXPECT_EQ(limits.ptMaxTrackSize.y, maximum.bottom - maximum.top);
    CloseSearch(search);
}

}  // namespace
}  // namespace kelvaro::test
