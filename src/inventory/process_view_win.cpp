// The process list view of the "Prozesse" page: its rows in the verdicts' colours, the
// description pane, and the sort commands with their check marks.
#include "inventory/process_view_win.h"

#include <commctrl.h>
#include <richedit.h>

#include <charconv>
#include <string_view>

#include "inventory/definitions.h"
#include "inventory/list_rows_win.h"
#include "ui/dpi_win.h"
#include "ui/frame_win.h"
#include "ui/ids.h"
#include "ui/program_windows_win.h"
#include "ui/report_list_win.h"
#include "ui/resources_win.h"
#include "ui/splitter_win.h"

namespace kelvaro {
namespace {

constexpr ListColumn kProcessColumns[] = {
    {"Name", 214}, {"Priorität", 60}, {"Threads", 55}, {"Befund", 120}};

// The process list's pane keeps this width (at 96 DPI) when the splitter is resized.
constexpr int kProcessListWidth = 470;
// Places of the two controls before the first layout.
constexpr Rect kProcessListStart{0, 0, 470, 590};
constexpr Rect kDescriptionStart{480, 0, 300, 590};

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

// The arrow in the header of the sorted column, as every list on Windows shows its sort;
// the other columns lose theirs. Header items keep their numbers when the user drags the
// columns into another order.
void ShowSortArrow(const SortState& state) {
    const HWND list = ControlHandle(CtlProcessList);
    const HWND header = list != nullptr ? ListView_GetHeader(list) : nullptr;
    if (header == nullptr) return;
    for (int column = 0; column < kSortKeyCount; ++column) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        if (!SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item))) continue;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == state.key) item.fmt |= state.direction == SortAscending ? HDF_SORTUP : HDF_SORTDOWN;
        SendMessageA(header, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
    }
}

void ShowSortState(const SortState& state) {
    CheckCommand(CmdSortAscending, state.direction == SortAscending);
    CheckCommand(CmdSortDescending, state.direction == SortDescending);
    for (int32_t key = 0; key < kSortKeyCount; ++key) {
        CheckCommand(static_cast<CommandId>(CmdSortByName + key), state.key == key);
    }
    ShowSortArrow(state);
}

void ApplySortState(const SortState& state) {
    ProgramSortState() = state;
    ShowSortState(state);
    SortProcessList();
    FillProcessList();
}

}  // namespace

void BuildProcessPage(HWND mainWindow, const Rect& page) {
    const HWND splitter = CreateSplitter(CtlProcessSplitter, mainWindow, SplitterBar::Vertical,
                                         FixedPane::First, page,
                                         Scaled(mainWindow, kProcessListWidth));
    if (splitter == nullptr) return;
    const int dpi = DpiOf(mainWindow);
    const HWND list =
        CreateReportList(CtlProcessList, splitter, LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                         ScaleToDpi(kProcessListStart, dpi), ProgramFont(FontRole::Tahoma10, dpi));
    if (list != nullptr) {
        SetListExtendedStyles(list,
                              LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP);
        AddListColumns(list, kProcessColumns);
        ShowSortArrow(ProgramSortState());
    }
    LoadRunTimeLibrary("riched20.dll");
    const Rect d = ScaleToDpi(kDescriptionStart, dpi);
    const HWND description = CreateControl(
        CtlDescription, splitter, RICHEDIT_CLASSA, "",
        ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE,
        d.x, d.y, d.width, d.height, ProgramFont(FontRole::Corbel12, dpi));
    // A target device of 0 wraps the lines at the control's width.
    if (description != nullptr) SendMessageA(description, EM_SETTARGETDEVICE, 0, 0);
    SetSplitterPanes(splitter, list, description);
}

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

void SetSortDirection(SortDirection direction) {
    if (direction != SortAscending && direction != SortDescending) return;
    SortState state = ProgramSortState();
    state.direction = direction;
    ApplySortState(state);
}

void SetSortKey(SortKey key) {
    if (key < 0 || key >= kSortKeyCount) return;
    SortState state = ProgramSortState();
    state.key = key;
    ApplySortState(state);
}

void OnColumnHeaderClick(int column) {
    if (column < 0 || column >= kSortKeyCount) return;
    ApplySortState(AfterHeaderClick(ProgramSortState(), static_cast<SortKey>(column)));
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

void OnProcessListRightClick() {
    // The popup's commands (copy among them) act on the control that has the focus.
    SetFocus(ControlHandle(CtlProcessList));
    OpenPopupMenu(PopupProcessList);
}

void OnProcessListMenuKey() {
    const HWND list = ControlHandle(CtlProcessList);
    if (list == nullptr) return;
    RECT row{};
    const int selected = SelectedProcessRow();
    row.left = LVIR_LABEL;
    const bool hasRow =
        selected >= 0 && SendMessageA(list, LVM_GETITEMRECT, selected, reinterpret_cast<LPARAM>(&row));
    OpenPopupMenuAt(PopupProcessList, PopupPointBelow(list, hasRow ? &row : nullptr));
}

std::string SelectedProcessText() {
    const ProcessRecord* record = SelectedProcessRecord();
    return record != nullptr ? ProcessRowText(*record) : std::string();
}

void OnProcessSelected() {
    const ProcessRecord* record = SelectedProcessRecord();
    const HWND pane = ControlHandle(CtlDescription);
    if (record == nullptr || pane == nullptr) return;
    SetWindowTextA(pane, record->Description.c_str());
}

}  // namespace kelvaro
