// The search window: its controls, the search of the definitions and the result rows in
// the verdicts' colours.
#include "inventory/search_window_win.h"

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "inventory/definition_search.h"
#include "inventory/definitions.h"
#include "inventory/list_rows_win.h"
#include "inventory/search_layout.h"
#include "ui/dpi_win.h"
#include "ui/frame_win.h"
#include "ui/ids.h"
#include "ui/program_windows_win.h"
#include "ui/report_list_win.h"
#include "ui/resources_win.h"

namespace kelvaro {
namespace {

// Inner size when opened, and the limits the user can size it to.
constexpr int kInnerWidth = 500;
constexpr int kInnerHeight = 400;
constexpr int kMinInnerWidth = 450;
constexpr int kMinInnerHeight = 300;
constexpr int kMaxInnerSize = 4000;

constexpr WindowSpec kSearchWindow{.id = WndSearch,
                                   .title = "Prozess suchen",
                                   .innerWidth = kInnerWidth,
                                   .innerHeight = kInnerHeight,
                                   .sizable = true,
                                   .minInnerWidth = kMinInnerWidth,
                                   .minInnerHeight = kMinInnerHeight,
                                   .maxInnerWidth = kMaxInnerSize,
                                   .maxInnerHeight = kMaxInnerSize,
                                   .defaultButton = CtlSearchButton};

// Places when opened (at 96 DPI); the layout of window 3 makes them follow the window's
// size.
constexpr int kMargin = 5;
constexpr int kFieldHeight = 20;
constexpr int kButtonWidth = 95;
constexpr int kResultsTop = 30;
constexpr int kResultsWidth = 300;
constexpr int kDescriptionLeft = 310;

constexpr ListColumn kResultColumns[] = {{"Name", 150}, {"Befund", 146}};

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
    const HWND list = CreateReportList(
        CtlSearchResults, window, LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
        Scaled(window, {kMargin, kResultsTop, kResultsWidth, kInnerHeight - kResultsTop - kMargin}));
    if (list == nullptr) return;
    SetListExtendedStyles(list, LVS_EX_FULLROWSELECT);
    AddListColumns(list, kResultColumns);
    SetNotifyHandler(CtlSearchResults, NM_CUSTOMDRAW, DrawResultRow);
    SetNotifyHandler(CtlSearchResults, LVN_DELETEALLITEMS, SkipPerRowDeleteNotifications);
}

void BuildSearchControls(HWND window) {
    const Rect text = Scaled(window, {kMargin, kMargin, kInnerWidth - 110, kFieldHeight});
    CreateControl(CtlSearchText, window, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                  text.x, text.y, text.width, text.height);
    const Rect button = Scaled(window, {kInnerWidth - 100, kMargin, kButtonWidth, kFieldHeight});
    CreateControl(CtlSearchButton, window, "BUTTON", "Prozess suchen",
                  BS_DEFPUSHBUTTON | WS_TABSTOP,
                  0, button.x, button.y, button.width, button.height);
    BuildResultList(window);
    LoadRunTimeLibrary("riched20.dll");
    const Rect d = Scaled(window, {kDescriptionLeft, kResultsTop, kInnerWidth - kResultsWidth - 15,
                                   kInnerHeight - kResultsTop - kMargin});
    const HWND description =
        CreateControl(CtlSearchDescription, window, RICHEDIT_CLASSA, "",
                      ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE,
                      d.x, d.y, d.width, d.height, ProgramFont(FontRole::Corbel12, DpiOf(window)));
    // A target device of 0 wraps the lines at the control's width.
    if (description != nullptr) SendMessageA(description, EM_SETTARGETDEVICE, 0, 0);
}

// A control's rectangle in its parent's inner coordinates.
bool CurrentRect(HWND control, Rect& rect) {
    RECT screen{};
    if (!GetWindowRect(control, &screen)) return false;
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&screen), 2);
    rect = {screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top};
    return true;
}

// Changes some of a control's place and size and keeps the rest.
template <typename Change>
void Adjust(ControlId id, Change change) {
    const HWND control = ControlHandle(id);
    Rect rect;
    if (control == nullptr || !CurrentRect(control, rect)) return;
    change(rect);
    SetWindowPos(control, nullptr, rect.x, rect.y, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
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
    State() = SearchWindowState{};
    if (OpenProgramWindow(kSearchWindow, BuildSearchControls) == nullptr) return;
    // The user types the name straight away.
    if (const HWND field = ControlHandle(CtlSearchText)) SetFocus(field);
}

void CloseSearchWindow() {
    CloseProgramWindow(WndSearch);
}

void LayOutSearchWindow() {
    const HWND window = ProgramWindow(WndSearch);
    RECT client{};
    if (window == nullptr || !GetClientRect(window, &client)) return;
    Rect results{0, 0, Scaled(window, kResultsWidth), 0};
    if (const HWND list = ControlHandle(CtlSearchResults)) CurrentRect(list, results);
    const SearchLayout layout =
        ComputeSearchLayout(client.right, client.bottom, results.width, DpiOf(window));
    Adjust(CtlSearchText, [&](Rect& r) { r.width = layout.searchTextWidth; });
    Adjust(CtlSearchButton, [&](Rect& r) { r.x = layout.searchButtonX; });
    Adjust(CtlSearchResults, [&](Rect& r) { r.height = layout.resultListHeight; });
    Adjust(CtlSearchDescription, [&](Rect& r) {
        r.width = layout.descriptionWidth;
        r.height = layout.descriptionHeight;
    });
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
