// The search window: its controls, the search of the definitions and the result rows in
// the verdicts' colours.
#include "inventory/search_window.h"

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <iterator>
#include <string>
#include <vector>

#include "inventory/definition_search.h"
#include "inventory/definitions.h"
#include "inventory/list_rows_win.h"
#include "shell/ids.h"
#include "shell/main_window_win.h"
#include "shell/program_windows_win.h"
#include "shell/resources_win.h"

namespace kelvaro {
namespace {

// Inner size when opened, and the limits the user can size it to.
constexpr int kInnerWidth = 500;
constexpr int kInnerHeight = 400;
constexpr int kMinInnerWidth = 450;
constexpr int kMinInnerHeight = 300;
constexpr int kMaxInnerSize = 4000;

// Places when opened; the layout of window 3 makes them follow the window's size.
constexpr int kMargin = 5;
constexpr int kFieldHeight = 20;
constexpr int kButtonWidth = 95;
constexpr int kResultsTop = 30;
constexpr int kResultsWidth = 300;
constexpr int kDescriptionLeft = 310;

struct ResultColumn {
    const char* title;
    int width;
};
constexpr ResultColumn kResultColumns[] = {{"Name", 150}, {"Befund", 146}};

// The text colour of a result row; rows whose verdict has none keep the list's colour.
struct ResultColour {
    bool own = false;
    COLORREF colour = 0;
};

struct SearchWindowState {
    std::vector<ResultColour> rowColours;
    bool searched = false;
    std::string lastText;
};

SearchWindowState& State() {
    static SearchWindowState state;
    return state;
}

bool ResultRowColour(const NMLVCUSTOMDRAW& draw, COLORREF& colour) {
    const std::vector<ResultColour>& colours = State().rowColours;
    const size_t row = draw.nmcd.dwItemSpec;
    if (row >= colours.size() || !colours[row].own) return false;
    colour = colours[row].colour;
    return true;
}

LRESULT DrawResultRow(NMHDR* notification) {
    return DrawRowInItsColour(notification, ResultRowColour);
}

void BuildResultList(HWND window) {
    const HWND list =
        CreateControl(CtlSearchResults, window, WC_LISTVIEWA, "",
                      LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE,
                      kMargin, kResultsTop, kResultsWidth, kInnerHeight - kResultsTop - kMargin);
    if (list == nullptr) return;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (size_t i = 0; i < std::size(kResultColumns); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(kResultColumns[i].title);
        column.cx = kResultColumns[i].width;
        column.iSubItem = static_cast<int>(i);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    SetNotifyHandler(CtlSearchResults, NM_CUSTOMDRAW, DrawResultRow);
    SetNotifyHandler(CtlSearchResults, LVN_DELETEALLITEMS, SkipPerRowDeleteNotifications);
}

void BuildSearchControls(HWND window) {
    CreateControl(CtlSearchText, window, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                  kMargin, kMargin, kInnerWidth - 110, kFieldHeight);
    CreateControl(CtlSearchButton, window, "BUTTON", "Prozess suchen", BS_PUSHBUTTON | WS_TABSTOP,
                  0, kInnerWidth - 100, kMargin, kButtonWidth, kFieldHeight);
    BuildResultList(window);
    LoadRunTimeLibrary("riched20.dll");
    const HWND description =
        CreateControl(CtlSearchDescription, window, RICHEDIT_CLASSA, "",
                      ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE,
                      kDescriptionLeft, kResultsTop, kInnerWidth - kResultsWidth - 15,
                      kInnerHeight - kResultsTop - kMargin, ProgramFont(FontRole::Corbel12));
    // A target device of 0 wraps the lines at the control's width.
    if (description != nullptr) SendMessageA(description, EM_SETTARGETDEVICE, 0, 0);
}

std::string FieldText(HWND field) {
    if (field == nullptr) return {};
    std::string text(static_cast<size_t>(GetWindowTextLengthA(field)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(field, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

void OpenSearchWindow() {
    WindowSpec spec;
    spec.id = WndSearch;
    spec.title = "Prozess suchen";
    spec.innerWidth = kInnerWidth;
    spec.innerHeight = kInnerHeight;
    spec.sizable = true;
    spec.minInnerWidth = kMinInnerWidth;
    spec.minInnerHeight = kMinInnerHeight;
    spec.maxInnerWidth = kMaxInnerSize;
    spec.maxInnerHeight = kMaxInnerSize;
    State() = SearchWindowState{};
    if (OpenProgramWindow(spec, BuildSearchControls) == nullptr) return;
    // The user types the name straight away.
    if (const HWND field = ControlHandle(CtlSearchText)) SetFocus(field);
}

void SearchDefinitions(const std::string& text) {
    const HWND list = ControlHandle(CtlSearchResults);
    if (list == nullptr) return;
    SearchWindowState& state = State();
    state.searched = true;
    state.lastText = text;
    const std::vector<SearchResultRow> rows =
        FindDefinitionsContaining(ProgramDefinitions().Records(), text);
    SuspendListRedraw(list);
    RemoveAllListRows(list);
    state.rowColours.clear();
    for (size_t i = 0; i < rows.size(); ++i) {
        const SearchResultRow& row = rows[i];
        state.rowColours.push_back({row.colour != 0, static_cast<COLORREF>(row.colour)});
        AppendListRow(list, static_cast<int>(i), {row.name, row.label}, row.position);
    }
    ResumeListRedraw(list);
}

void OnSearchButtonClicked() {
    SearchDefinitions(FieldText(ControlHandle(CtlSearchText)));
}

void OnSearchResultSelected() {
    const HWND list = ControlHandle(CtlSearchResults);
    const HWND description = ControlHandle(CtlSearchDescription);
    const int row = SelectedListRow(list);
    if (row < 0 || description == nullptr) return;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return;
    const std::string* text = DefinitionDescriptionAt(ProgramDefinitions().Records(), item.lParam);
    if (text == nullptr) return;
    SetWindowTextA(description, text->c_str());
}

void OnDefinitionsReloaded() {
    const SearchWindowState& state = State();
    if (ProgramWindow(WndSearch) == nullptr || !state.searched) return;
    SearchDefinitions(std::string(state.lastText));
}

}  // namespace kelvaro
