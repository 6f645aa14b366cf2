// The kill-list window: its controls, the rows that mirror the kill list, the add and
// remove buttons and the save at its close; and the process list's command that puts a
// process on the list.
#include "inventory/kill_list_window_win.h"

#include <windows.h>

#include <string>
#include <vector>

#include "inventory/kill_list.h"
#include "inventory/process_view_win.h"
#include "ui/dpi_win.h"
#include "ui/ids.h"
#include "ui/message_box_win.h"
#include "ui/program_windows_win.h"

namespace kelvaro {
namespace {

constexpr WindowSpec kKillListWindow{.id = WndKillList,
                                     .title = "Bestimmte Prozesse beenden",
                                     .innerWidth = 400,
                                     .innerHeight = 300,
                                     .defaultButton = CtlKillAdd};

// Without LBS_NOINTEGRALHEIGHT the list box would shrink to a whole number of rows.
constexpr DWORD kNameListStyle = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kPushButton = BS_PUSHBUTTON | WS_TABSTOP;

struct KillListControl {
    ControlId id;
    const char* className;
    const char* text;
    DWORD style;
    DWORD exStyle;
    Rect place;  // at 96 DPI
};

constexpr KillListControl kKillListControls[] = {
    {CtlKillList, "LISTBOX", "", kNameListStyle, WS_EX_CLIENTEDGE, {5, 5, 390, 265}},
    {CtlKillName, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, {5, 275, 170, 20}},
    {CtlKillAdd, "BUTTON", "Prozess hinzufügen", kPushButton | BS_DEFPUSHBUTTON, 0,
     {180, 275, 100, 20}},
    {CtlKillRemove, "BUTTON", "Prozess entfernen", kPushButton | WS_DISABLED, 0,
     {295, 275, 100, 20}},
};

void BuildKillListControls(HWND window) {
    for (const KillListControl& c : kKillListControls) {
        const Rect place = Scaled(window, c.place);
        CreateControl(c.id, window, c.className, c.text, c.style, c.exStyle, place.x, place.y,
                      place.width, place.height);
    }
}

int SelectedRow(HWND list) {
    const LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? -1 : static_cast<int>(row);
}

// The remove button is usable exactly while a row is selected.
void MatchRemoveButton() {
    const HWND list = ControlHandle(CtlKillList);
    const HWND remove = ControlHandle(CtlKillRemove);
    if (list == nullptr || remove == nullptr) return;
    EnableWindow(remove, SelectedRow(list) >= 0 ? TRUE : FALSE);
}

void AppendRow(HWND list, const std::string& name) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

std::vector<std::string> RowTexts(HWND list) {
    std::vector<std::string> rows;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, row, 0);
        std::string text(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
        const LRESULT copied =
            SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        rows.push_back(std::move(text));
    }
    return rows;
}

void FillRows(HWND list) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const KillListEntry& entry : ProgramKillList()) AppendRow(list, entry.Name);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

std::string FieldText(HWND field) {
    if (field == nullptr) return {};
    const int length = GetWindowTextLengthA(field);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(field, text.data(), length + 1)));
    return text;
}

// Appends an entry, and its row while the window is open, so that rows and entries stay
// matched whichever way the name came.
void AppendEntry(const std::string& name) {
    ProgramKillList().push_back({name});
    if (const HWND list = ControlHandle(CtlKillList)) AppendRow(list, name);
}

}  // namespace

void OpenKillListWindow() {
    if (OpenProgramWindow(kKillListWindow, BuildKillListControls) == nullptr) return;
    const HWND list = ControlHandle(CtlKillList);
    if (list != nullptr) FillRows(list);
    // The user types a name straight away.
    if (const HWND field = ControlHandle(CtlKillName)) SetFocus(field);
}

void OnKillListRowEvent() {
    MatchRemoveButton();
}

void OnKillAddClicked() {
    const std::string name = FieldText(ControlHandle(CtlKillName));
    if (name.empty()) return;
    AppendEntry(name);
}

void OnKillRemoveClicked() {
    const HWND list = ControlHandle(CtlKillList);
    if (list == nullptr) return;
    const int row = SelectedRow(list);
    KillList& entries = ProgramKillList();
    if (row < 0 || static_cast<size_t>(row) >= entries.size()) return;
    entries.erase(entries.begin() + row);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
    // The list box leaves no row selected and does not say so.
    MatchRemoveButton();
}

void OnKillListWindowClose() {
    SaveKillList();
    CloseProgramWindow(WndKillList);
}

void AddSelectedProcessToKillList() {
    const ProcessRecord* record = SelectedProcessRecord();
    if (record == nullptr) return;
    // A copy: the record belongs to the process list.
    const std::string name = record->Name;
    const std::string warning = KillListWarningText(name, record->Verdict);
    if (!warning.empty() && ShowMessageBox(warning, kKillListCaption, MB_YESNO) != IDYES) return;
    if (KillListHolds(ProgramKillList(), name)) {
        ShowMessageBox(kAlreadyListedText, kKillListCaption, MB_OK);
        return;
    }
    AppendEntry(name);
    SaveKillList();
}

void OnKillListReloaded() {
    const HWND list = ControlHandle(CtlKillList);
    if (list == nullptr) return;
    std::vector<std::string> names;
    for (const KillListEntry& entry : ProgramKillList()) names.push_back(entry.Name);
    // The same names keep the rows and the user's selection as they are.
    if (RowTexts(list) == names) return;
    FillRows(list);
    MatchRemoveButton();
}

}  // namespace kelvaro
