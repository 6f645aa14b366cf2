// The sort commands' check marks, which another process cannot read under Wine, and the
// search window across a reload of the definitions, from inside the program.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "inprocess/harness.h"
#include "inventory/definitions.h"
#include "inventory/process_list.h"
#include "inventory/process_sort.h"
#include "inventory/process_view_win.h"
#include "inventory/search_window_win.h"
#include "ui/frame_win.h"
#include "ui/ids.h"
#include "ui/program_windows_win.h"

namespace kelvaro::test {
namespace {

void Command(int id) {
    SendWait(ProgramMainWindow(), WM_COMMAND, static_cast<WPARAM>(id), 0);
}

// A click on a header item as the header reports it to the list view.
void HeaderClick(int column) {
    const HWND list = ControlHandle(CtlProcessList);
    const auto header = reinterpret_cast<HWND>(SendWait(list, LVM_GETHEADER));
    SendHeaderNotification(list, header, HDN_ITEMCLICKA, column);
}

std::vector<int> CheckedSortCommands() {
    std::vector<int> checked;
    for (int command = CmdSortAscending; command <= CmdSortByVerdict; ++command) {
        if (IsCommandChecked(static_cast<CommandId>(command))) checked.push_back(command);
    }
    return checked;
}

std::string ItemText(HWND list, int row, int column) {
    char text[260] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendWait(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

// The state, and whether row i of the list view shows record i of the process list.
struct Shown {
    SortState state;
    bool rowsAreRecords = false;
};

Shown ShownState() {
    Shown shown;
    RunOnMainThread([&shown] {
        shown.state = ProgramSortState();
        const HWND list = ControlHandle(CtlProcessList);
        const std::vector<ProcessRecord>& records = ProgramProcesses().records;
        bool same =
            static_cast<size_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) == records.size();
        for (size_t i = 0; same && i < records.size(); ++i) {
            same = ItemText(list, static_cast<int>(i), 0) == records[i].Name &&
                   ItemText(list, static_cast<int>(i), 2) == std::to_string(records[i].Threads);
        }
        shown.rowsAreRecords = same;
    });
    return shown;
}

// Every step: the state, its check marks, and the rows of the list in the new order.
TEST(SortCommands, CheckMarksAndTheListFollowEveryCommandAndHeaderClick) {
    struct Step {
        void (*action)(int);
        int argument;
        SortState state;
        std::vector<int> checked;
    };
    const Step steps[] = {
        {Command, CmdSortAscending, {SortByName, SortAscending}, {7, 9}},
        {Command, CmdSortByName, {SortByName, SortAscending}, {7, 9}},
        {Command, CmdSortDescending, {SortByName, SortDescending}, {8, 9}},
        {Command, CmdSortDescending, {SortByName, SortDescending}, {8, 9}},
        {Command, CmdSortByThreads, {SortByThreads, SortDescending}, {8, 11}},
        {HeaderClick, 2, {SortByThreads, SortAscending}, {7, 11}},
        {HeaderClick, 2, {SortByThreads, SortDescending}, {8, 11}},
        {HeaderClick, 1, {SortByPriority, SortAscending}, {7, 10}},
        {HeaderClick, 3, {SortByVerdict, SortDescending}, {8, 12}},
        {Command, CmdSortByPriority, {SortByPriority, SortDescending}, {8, 10}},
        {HeaderClick, 0, {SortByName, SortAscending}, {7, 9}},
    };
    for (const Step& step : steps) {
        step.action(step.argument);
        const Shown shown = ShownState();
        EXPECT_EQ(shown.state, step.state) << "after " << step.argument;
        EXPECT_EQ(CheckedSortCommands(), step.checked) << "after " << step.argument;
        EXPECT_TRUE(shown.rowsAreRecords) << "after " << step.argument;
    }
}

// The record of the selected row, as the kill list takes it for command 16.
TEST(SelectedProcess, IsTheRecordOfTheSelectedRowAndNoneWithoutSelection) {
    const HWND list = ControlHandle(CtlProcessList);
    ASSERT_GE(SendWait(list, LVM_GETITEMCOUNT), 2);
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendWait(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    std::string name;
    int row = -2;
    RunOnMainThread([&] {
        row = SelectedProcessRow();
        const ProcessRecord* record = SelectedProcessRecord();
        if (record != nullptr) name = record->Name;
    });
    EXPECT_EQ(row, 1);
    EXPECT_EQ(name, ItemText(list, 1, 0));

    Command(CmdRefreshLists);  // a refresh leaves no row selected
    bool none = false;
    RunOnMainThread(
        [&] { none = SelectedProcessRow() == -1 && SelectedProcessRecord() == nullptr; });
    EXPECT_TRUE(none);
}

// ---- The search window and new definitions ---------------------------------------------

void WriteDefinitions(const std::string& bytes) {
    std::ofstream(HarnessFolder() + "\\Kelvaro", std::ios::binary | std::ios::trunc) << bytes;
}

// What the update check does with a downloaded definitions file.
void ReloadDefinitions(bool tellSearchWindow) {
    RunOnMainThread([tellSearchWindow] {
        ClearDefinitions();
        LoadDefinitions();
        if (tellSearchWindow) OnDefinitionsReloaded();
    });
}

struct ResultRow {
    std::string name;
    std::string label;
    LPARAM position;
    bool operator==(const ResultRow&) const = default;
};

std::vector<ResultRow> Results() {
    std::vector<ResultRow> rows;
    const HWND list = ControlHandle(CtlSearchResults);
    const int count = static_cast<int>(SendWait(list, LVM_GETITEMCOUNT));
    for (int row = 0; row < count; ++row) {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendWait(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back({ItemText(list, row, 0), ItemText(list, row, 1), item.lParam});
    }
    return rows;
}

std::string WindowTextOf(ControlId id) {
    char text[512] = {};
    GetWindowTextA(ControlHandle(id), text, sizeof(text));
    return text;
}

void SelectResult(int row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendWait(ControlHandle(CtlSearchResults), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
             reinterpret_cast<LPARAM>(&state));
}

void TypeAndSearch(const std::string& text) {
    SetWindowTextA(ControlHandle(CtlSearchText), text.c_str());
    SendWait(ControlHandle(CtlSearchButton), BM_CLICK);
}

const char* const kFirstDefinitions =
    "3\r\nexplorer.exe\r\nDesktop\xB5\r\n"
    "1\r\nnotepad.exe\r\nEditor eins\xB5\r\n"
    "4\r\nnotepad.exe\r\nEditor zwei\xB5\r\n";

class SearchAfterReload : public ::testing::Test {
protected:
    void SetUp() override {
        WriteDefinitions(kFirstDefinitions);
        ReloadDefinitions(false);
        RunOnMainThread(OpenSearchWindow);
        ASSERT_NE(ControlHandle(CtlSearchResults), nullptr);
    }
    // The program goes on with the empty definitions file it started with.
    void TearDown() override {
        RunOnMainThread([] { CloseProgramWindow(WndSearch); });
        WriteDefinitions("");
        ReloadDefinitions(false);
    }
};

TEST_F(SearchAfterReload, TheLastSearchRunsAgainWithTheTextSearchedThen) {
    TypeAndSearch("notepad");
    ASSERT_EQ(Results(), (std::vector<ResultRow>{{"notepad.exe", "Unn\xF6tig", 1},
                                                 {"notepad.exe", "Wichtig", 2}}));
    SelectResult(1);
    EXPECT_EQ(WindowTextOf(CtlSearchDescription), "Editor zwei\r\n");
    SetWindowTextA(ControlHandle(CtlSearchText), "explorer");  // typed, not searched

    WriteDefinitions(
        "2\r\nsvchost.exe\r\nHost\xB5\r\n"
        "4\r\nnotepad.exe\r\nNeu zwei\xB5\r\n"
        "0\r\nexplorer.exe\r\nDesktop\xB5\r\n"
        "1\r\nNOTEPAD.EXE\r\nGross\xB5\r\n"
        "1\r\nnotepad.exe\r\nNeu eins\xB5\r\n");
    ReloadDefinitions(true);
    EXPECT_EQ(Results(), (std::vector<ResultRow>{{"notepad.exe", "Wichtig", 1},
                                                 {"notepad.exe", "Unn\xF6tig", 4}}));
    // The description stays until a row is selected; then it is the new list's.
    EXPECT_EQ(WindowTextOf(CtlSearchDescription), "Editor zwei\r\n");
    EXPECT_EQ(WindowTextOf(CtlSearchText), "explorer");
    SelectResult(1);
    EXPECT_EQ(WindowTextOf(CtlSearchDescription), "Neu eins\r\n");
}

TEST_F(SearchAfterReload, ARowWhoseDefinitionIsGoneLeavesTheDescriptionAsItIs) {
    TypeAndSearch("notepad");
    SelectResult(0);
    ASSERT_EQ(WindowTextOf(CtlSearchDescription), "Editor eins\r\n");
    // New definitions without the notice to the search window: its rows name positions
    // 1 and 2 of a list that now has one definition.
    WriteDefinitions("0\r\nsvchost.exe\r\nHost\xB5\r\n");
    ReloadDefinitions(false);
    SelectResult(1);
    EXPECT_EQ(WindowTextOf(CtlSearchDescription), "Editor eins\r\n");
    SelectResult(0);
    EXPECT_EQ(WindowTextOf(CtlSearchDescription), "Editor eins\r\n");
}

TEST_F(SearchAfterReload, NothingIsSearchedWhenNoSearchRanOrTheWindowIsClosed) {
    SetWindowTextA(ControlHandle(CtlSearchText), "notepad");  // typed, not searched
    ReloadDefinitions(true);
    EXPECT_TRUE(Results().empty());

    TypeAndSearch("notepad");
    RunOnMainThread([] { CloseProgramWindow(WndSearch); });
    ReloadDefinitions(true);
    EXPECT_EQ(ProgramWindow(WndSearch), nullptr);
    EXPECT_EQ(ControlHandle(CtlSearchResults), nullptr);
}

}  // namespace
}  // namespace kelvaro::test
