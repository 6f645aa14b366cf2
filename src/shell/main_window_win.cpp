// Construction of the main window: the window, its menu bar, toolbar, popup menus, status
// bar, and the two pages of the tabbed panel with their controls.
#include "shell/main_window_win.h"

#include <commctrl.h>
#include <richedit.h>

#include <span>
#include <vector>

#include "shell/canvas_win.h"
#include "shell/frame_bars_win.h"
#include "shell/menus_win.h"
#include "shell/program_windows_win.h"
#include "shell/resources_win.h"
#include "shell/splitter_win.h"
#include "shell/wait_cursor_win.h"

namespace kelvaro {
namespace {

struct Column {
    const char* title;
    int width;
};

constexpr Column kProcessColumns[] = {
    {"Name", 214}, {"Priorität", 60}, {"Threads", 55}, {"Befund", 120}};
constexpr Column kPropertyColumns[] = {{"Parameter", 140}, {"Wert", 240}};
constexpr const char* kPropertyRows[] = {
    "Prozess",  "Fenstertitel", "Klassenname", "Fenster Handle", "Status", "Aktiviert",
    "Sichtbar", "X-Position",   "Y-Position",  "Breite",         "Hoehe"};
constexpr const char* kPageTitles[] = {"Prozesse", "Fenster"};

// The process list's pane keeps this width when the splitter is resized.
constexpr int kProcessListWidth = 470;
// Places of the two "Prozesse" controls before the first layout.
constexpr Rect kProcessListStart{0, 0, 470, 590};
constexpr Rect kDescriptionStart{480, 0, 300, 590};

struct NotifyRow {
    ControlId control;
    UINT code;
    NotifyHandler handler;
};

struct MainWindowParts {
    HWND window = nullptr;
    HWND toolbar = nullptr;
    HWND statusBar = nullptr;
    HMENU menuBar = nullptr;
    std::vector<NotifyRow> notifyHandlers;
};

MainWindowParts& Parts() {
    static MainWindowParts parts;
    return parts;
}

void AddColumns(HWND list, std::span<const Column> columns) {
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(columns[i].title);
        column.cx = columns[i].width;
        column.iSubItem = static_cast<int>(i);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void AddRows(HWND list, std::span<const char* const> rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(rows[i]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void SetListStyles(HWND list, DWORD extendedStyles) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extendedStyles, extendedStyles);
}

HWND CreateReportList(ControlId id, HWND parent, DWORD styles, const Rect& rect) {
    return CreateControl(id, parent, WC_LISTVIEWA, "", LVS_REPORT | styles, WS_EX_CLIENTEDGE,
                         rect.x, rect.y, rect.width, rect.height, ProgramFont(FontRole::Tahoma10));
}

void BuildProcessPage(HWND mainWindow, const Rect& page) {
    const HWND splitter = CreateSplitter(CtlProcessSplitter, mainWindow, SplitterBar::Vertical,
                                         FixedPane::First, page, kProcessListWidth);
    if (splitter == nullptr) return;
    const HWND list = CreateReportList(CtlProcessList, splitter, LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                       kProcessListStart);
    if (list != nullptr) {
        SetListStyles(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP);
        AddColumns(list, kProcessColumns);
    }
    LoadRunTimeLibrary("riched20.dll");
    const Rect& d = kDescriptionStart;
    const HWND description = CreateControl(
        CtlDescription, splitter, RICHEDIT_CLASSA, "",
        ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE,
        d.x, d.y, d.width, d.height, ProgramFont(FontRole::Corbel12));
    // A target device of 0 wraps the lines at the control's width.
    if (description != nullptr) SendMessageA(description, EM_SETTARGETDEVICE, 0, 0);
    SetSplitterPanes(splitter, list, description);
}

void BuildWindowPage(HWND mainWindow, const Rect& page) {
    const HWND outer = CreateSplitter(CtlWindowSplitter, mainWindow, SplitterBar::Vertical,
                                      FixedPane::Second, page, -1);
    if (outer == nullptr) return;
    const SplitterModel::Panes outerPanes =
        SplitterModel::Halved(SplitterBar::Vertical, FixedPane::Second, page.width)
            .Layout(page.height);
    const Rect& left = outerPanes.first;
    const HWND tree = CreateControl(
        CtlWindowTree, outer, WC_TREEVIEWA, "",
        TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE,
        left.x, left.y, left.width, left.height, ProgramFont(FontRole::Tahoma10));

    const Rect right{0, 0, outerPanes.second.width, outerPanes.second.height};
    const HWND inner = CreateSplitter(CtlDetailsSplitter, outer, SplitterBar::Horizontal,
                                      FixedPane::None, right, -1);
    if (inner != nullptr) {
        const SplitterModel::Panes innerPanes =
            SplitterModel::Halved(SplitterBar::Horizontal, FixedPane::None, right.height)
                .Layout(right.width);
        const HWND properties =
            CreateReportList(CtlWindowProperties, inner, LVS_SINGLESEL, innerPanes.first);
        if (properties != nullptr) {
            SetListStyles(properties, LVS_EX_GRIDLINES);
            AddColumns(properties, kPropertyColumns);
            AddRows(properties, kPropertyRows);
        }
        const HWND preview = CreateCanvas(CtlPreview, inner, innerPanes.second);
        SetSplitterPanes(inner, properties, preview);
    }
    SetSplitterPanes(outer, tree, inner);
}

void BuildPanel(HWND mainWindow) {
    const MainLayout layout = CurrentMainLayout();
    const Rect& panel = layout.panel;
    const HWND tabs = CreateControl(CtlTabs, mainWindow, WC_TABCONTROLA, "", WS_CLIPSIBLINGS, 0,
                                    panel.x, panel.y, panel.width, panel.height);
    if (tabs != nullptr) {
        for (size_t i = 0; i < std::size(kPageTitles); ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(kPageTitles[i]);
            SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
    }
    // The pages lie over the panel as its siblings, so that their controls report to the
    // main window directly; they are put above the panel in the drawing order.
    BuildProcessPage(mainWindow, layout.page);
    BuildWindowPage(mainWindow, layout.page);
    for (ControlId page : {CtlProcessSplitter, CtlWindowSplitter}) {
        if (const HWND splitter = ControlHandle(page)) {
            SetWindowPos(splitter, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    ShowPage(0);
}

}  // namespace

bool BuildMainWindow() {
    MainWindowParts& parts = Parts();
    WindowSpec spec;
    spec.id = WndMain;
    spec.title = "Kelvaro";
    spec.innerWidth = kMainInnerWidth;
    spec.innerHeight = kMainInnerHeight;
    spec.sizable = true;
    spec.minInnerWidth = kMainMinInnerWidth;
    spec.minInnerHeight = kMainMinInnerHeight;
    spec.maxInnerWidth = kMainMaxInnerWidth;
    spec.maxInnerHeight = kMainMaxInnerHeight;
    parts.window = CreateProgramWindow(spec, WS_OVERLAPPEDWINDOW);
    if (parts.window == nullptr) return false;

    // The menu bar is attached after the window was sized for an inner area without it,
    // so it takes its height from that area.
    parts.menuBar = BuildMenuBar();
    if (parts.menuBar != nullptr && !SetMenu(parts.window, parts.menuBar)) {
        DestroyMenu(parts.menuBar);
        parts.menuBar = nullptr;
    }
    parts.toolbar = BuildToolbar(parts.window);
    BuildPopupMenus();
    parts.statusBar = BuildStatusBar(parts.window);
    BuildPanel(parts.window);
    return true;
}

HWND MainWindow() {
    return Parts().window;
}
HWND MainToolbar() {
    return Parts().toolbar;
}
HWND MainStatusBar() {
    return Parts().statusBar;
}

MainLayout CurrentMainLayout() {
    const MainWindowParts& parts = Parts();
    RECT client{};
    if (parts.window != nullptr) GetClientRect(parts.window, &client);
    auto heightOf = [](HWND bar) {
        RECT rect{};
        return bar != nullptr && GetWindowRect(bar, &rect)
                   ? static_cast<int>(rect.bottom - rect.top)
                   : 0;
    };
    return ComputeMainLayout(client.right, client.bottom, heightOf(parts.toolbar),
                             heightOf(parts.statusBar));
}

void SetStatusText(StatusField field, const std::string& text) {
    const HWND status = Parts().statusBar;
    if (status == nullptr) return;
    SendMessageA(status, SB_SETTEXTA, static_cast<WPARAM>(field),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void WriteStatusCount(StatusField field, int64_t count) {
    SetStatusText(field, StatusFieldText(field, count));
}

void CheckCommand(CommandId command, bool checked) {
    const HMENU menu = Parts().menuBar;
    if (menu == nullptr) return;
    CheckMenuItem(menu, static_cast<UINT>(command),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool IsCommandChecked(CommandId command) {
    const HMENU menu = Parts().menuBar;
    if (menu == nullptr) return false;
    const UINT state = GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void OpenPopupMenu(PopupId popup) {
    const HMENU menu = PopupMenuHandle(popup);
    const HWND window = Parts().window;
    if (menu == nullptr || window == nullptr) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    // The popup closes when the user clicks elsewhere only while its owner is the
    // foreground window; the empty message afterwards lets the owner's queue move on.
    SetForegroundWindow(window);
    const UsualCursorInside arrow;
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, cursor.x - 1, cursor.y - 1,
                   0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
}

void SetNotifyHandler(ControlId control, UINT code, NotifyHandler handler) {
    std::vector<NotifyRow>& rows = Parts().notifyHandlers;
    for (NotifyRow& row : rows) {
        if (row.control == control && row.code == code) {
            row.handler = handler;
            return;
        }
    }
    rows.push_back({control, code, handler});
}

bool RunNotifyHandler(NMHDR* notification, LRESULT& result) {
    const int control = ControlNumberOf(notification->hwndFrom);
    if (control < 0) return false;
    for (const NotifyRow& row : Parts().notifyHandlers) {
        if (row.control == control && row.code == notification->code && row.handler != nullptr) {
            result = row.handler(notification);
            return true;
        }
    }
    return false;
}

void ShowPage(int page) {
    const HWND tabs = ControlHandle(CtlTabs);
    if (tabs != nullptr && SendMessageA(tabs, TCM_GETCURSEL, 0, 0) != page) {
        SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    }
    if (const HWND processes = ControlHandle(CtlProcessSplitter)) {
        ShowWindow(processes, page == 0 ? SW_SHOW : SW_HIDE);
    }
    if (const HWND windows = ControlHandle(CtlWindowSplitter)) {
        ShowWindow(windows, page == 1 ? SW_SHOW : SW_HIDE);
    }
}

void ForgetMainWindowParts() {
    MainWindowParts& parts = Parts();
    parts.window = nullptr;
    parts.toolbar = nullptr;
    parts.statusBar = nullptr;
    parts.menuBar = nullptr;  // destroyed with the window it is attached to
    parts.notifyHandlers.clear();
}

}  // namespace kelvaro
