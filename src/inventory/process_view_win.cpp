// The process list view of the "Prozesse" page: its rows in the verdicts' colours, the
// description pane, and the sort commands with their check marks.
#include "inventory/process_view.h"

#include <windows.h>
#include <commctrl.h>

#include <charconv>
#include <string_view>

#include "inventory/definitions.h"
#include "inventory/list_rows_win.h"
#include "shell/ids.h"
#include "shell/main_window_win.h"
#include "shell/program_windows_win.h"

namespace kelvaro {
namespace {

// The item value of a row without a colour of its own; verdict colours are 24-bit values.
constexpr LPARAM kDefaultColour = -1;

// A signed number in decimal, in a buffer that lives as long as the text is used.
struct DecimalText {
    char digits[24] = {};
    std::string_view text;
    explicit DecimalText(int64_t value) {
        const auto end = std::to_chars(digits, digits + sizeof(digits), value).ptr;
        text = std::string_view(digits, static_cast<size_t>(end - digits));
    }
};

bool ProcessRowColour(const NMLVCUSTOMDRAW& draw, COLORREF& colour) {
    if (draw.nmcd.lItemlParam == kDefaultColour) return false;
    colour = static_cast<COLORREF>(draw.nmcd.lItemlParam);
    return true;
}

LRESULT DrawProcessRow(NMHDR* notification) {
    return DrawRowInItsColour(notification, ProcessRowColour);
}

void AppendProcessRow(HWND list, int row, const ProcessRecord& record) {
    uint32_t colour = 0;
    const std::string_view label = DescribeVerdict(record.Verdict, colour);
    const DecimalText priority(record.BasePriority);
    const DecimalText threads(record.Threads);
    AppendListRow(list, row, {record.Name, priority.text, threads.text, label},
                  colour != 0 ? static_cast<LPARAM>(colour) : kDefaultColour);
}

void ShowSortState(const SortState& state) {
    CheckCommand(CmdSortAscending, state.direction == kSortAscending);
    CheckCommand(CmdSortDescending, state.direction == kSortDescending);
    for (int32_t key = 0; key < kSortKeyCount; ++key) {
        CheckCommand(static_cast<CommandId>(CmdSortByName + key), state.key == key);
    }
}

void ApplySortState(const SortState& state) {
    ProgramSortState() = state;
    ShowSortState(state);
    SortProcessList();
    FillProcessList();
}

}  // namespace

void FillProcessList() {
    const ProcessList& processes = ProgramProcesses();
    const auto count = static_cast<int>(processes.records.size());
    if (const HWND list = ControlHandle(CtlProcessList)) {
        SetNotifyHandler(CtlProcessList, NM_CUSTOMDRAW, DrawProcessRow);
        SetNotifyHandler(CtlProcessList, LVN_DELETEALLITEMS, SkipPerRowDeleteNotifications);
        SuspendListRedraw(list);
        RemoveAllListRows(list);
        SendMessageA(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOINVALIDATEALL);
        for (int row = 0; row < count; ++row) {
            AppendProcessRow(list, row, processes.records[static_cast<size_t>(row)]);
        }
        ResumeListRedraw(list);
    }
    WriteStatusCount(StatusProcesses, count);
    WriteStatusCount(StatusThreads, processes.threadTotal);
}

void SetSortDirection(int32_t direction) {
    if (direction != kSortAscending && direction != kSortDescending) return;
    SortState state = ProgramSortState();
    state.direction = direction;
    ApplySortState(state);
}

void SetSortKey(int32_t key) {
    if (key < 0 || key >= kSortKeyCount) return;
    SortState state = ProgramSortState();
    state.key = key;
    ApplySortState(state);
}

void OnColumnHeaderClick(int column) {
    if (column < 0 || column >= kSortKeyCount) return;
    ApplySortState(AfterHeaderClick(ProgramSortState(), column));
}

int SelectedProcessRow() {
    return SelectedListRow(ControlHandle(CtlProcessList));
}

const ProcessRecord* SelectedProcessRecord() {
    const int row = SelectedProcessRow();
    const std::vector<ProcessRecord>& records = ProgramProcesses().records;
    if (row < 0 || static_cast<size_t>(row) >= records.size()) return nullptr;
    return &records[static_cast<size_t>(row)];
}

void OnProcessSelected() {
    const ProcessRecord* record = SelectedProcessRecord();
    const HWND pane = ControlHandle(CtlDescription);
    if (record == nullptr || pane == nullptr) return;
    SetWindowTextA(pane, record->Description.c_str());
}

}  // namespace kelvaro
