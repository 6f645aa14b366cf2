// The main window's geometry, its controls and their layout, and the search window's
// layout through the generic window opening.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include <richedit.h>

#include "inprocess/harness.h"
#include "shell/main_layout.h"
#include "shell/main_window_win.h"
#include "support/ui_driver.h"
#include "ui/canvas_win.h"
#include "ui/frame_win.h"
#include "ui/ids.h"
#include "ui/program_windows_win.h"
#include "ui/splitter_win.h"

namespace kelvaro::test {
namespace {

SIZE OuterSize(int width, int height) {
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT ClientRectOf(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

int Width(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.right - rect.left;
}

int Height(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

int MenuBarHeight(HWND window) {
    MENUBARINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMenuBarInfo(window, OBJID_MENU, 0, &info)) return 0;
    return info.rcBar.bottom - info.rcBar.top;
}

std::string FaceName(HWND control, int& height) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA logFont{};
    if (font == nullptr || GetObjectA(font, sizeof(logFont), &logFont) == 0) return {};
    height = logFont.lfHeight;
    return logFont.lfFaceName;
}

int PointHeight(int points) {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return height;
}

// Resizes the main window's outer frame and waits until the program has laid it out.
void ResizeMain(int outerWidth, int outerHeight) {
    const HWND window = ProgramMainWindow();
    SetWindowPos(window, nullptr, 0, 0, outerWidth, outerHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendWait(window, WM_NULL);
}

class MainWindowLayout : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = ProgramMainWindow();
        ASSERT_NE(window_, nullptr);
        GetWindowRect(window_, &original_);
    }
    void TearDown() override {
        SetWindowPos(window_, nullptr, original_.left, original_.top,
                     original_.right - original_.left, original_.bottom - original_.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendWait(window_, WM_NULL);
        RunOnMainThread([] { ShowPage(0); });
    }
    HWND window_ = nullptr;
    RECT original_{};
};

TEST_F(MainWindowLayout, CentredWithAnInnerAreaOf785By640AndTheMenuBarInside) {
    char title[64] = {};
    GetWindowTextA(window_, title, sizeof(title));
    EXPECT_STREQ(title, "Kelvaro");
    const LONG_PTR style = GetWindowLongPtrA(window_, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);

    const SIZE outer = OuterSize(kMainInnerWidth, kMainInnerHeight);
    EXPECT_EQ(Width(window_), outer.cx);
    EXPECT_EQ(Height(window_), outer.cy);
    const RECT client = ClientRectOf(window_);
    EXPECT_EQ(client.right, 785);
    EXPECT_EQ(client.bottom, 640 - MenuBarHeight(window_));
    EXPECT_GT(MenuBarHeight(window_), 0);

    RECT frame{};
    GetWindowRect(window_, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(MainWindowLayout, SizeLimitsAreThoseOfInnerAreas650By400And4000By4000) {
    MINMAXINFO limits{};
    SendWait(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    const SIZE minimum = OuterSize(650, 400);
    const SIZE maximum = OuterSize(4000, 4000);
    EXPECT_EQ(limits.ptMinTrackSize.x, minimum.cx);
    EXPECT_EQ(limits.ptMinTrackSize.y, minimum.cy);
    EXPECT_EQ(limits.ptMaxTrackSize.x, maximum.cx);
    EXPECT_EQ(limits.ptMaxTrackSize.y, maximum.cy);
}

TEST_F(MainWindowLayout, PanelBetweenTheBarsAndPagesBelowTheTabStrip) {
    const RECT client = ClientRectOf(window_);
    const int toolbar = Height(MainToolbar());
    const int status = Height(MainStatusBar());
    EXPECT_GT(toolbar, 32);  // 32-pixel images and the button's frame
    const RECT panel = RectInParent(ControlHandle(CtlTabs));
    EXPECT_EQ(panel.left, 0);
    EXPECT_EQ(panel.top, toolbar);
    EXPECT_EQ(panel.right, client.right);
    EXPECT_EQ(panel.bottom, client.bottom - status);
    for (ControlId page : {CtlProcessSplitter, CtlWindowSplitter}) {
        const RECT rect = RectInParent(ControlHandle(page));
        EXPECT_EQ(rect.left, 0) << page;
        EXPECT_EQ(rect.top, toolbar + 28) << page;
        EXPECT_EQ(rect.right, client.right) << page;
        EXPECT_EQ(rect.bottom, client.bottom - status) << page;
    }
}

TEST_F(MainWindowLayout, ProcessListKeepsItsWidthAndTheTreeTakesTheChange) {
    const HWND list = ControlHandle(CtlProcessList);
    const HWND description = ControlHandle(CtlDescription);
    const HWND tree = ControlHandle(CtlWindowTree);
    const HWND details = ControlHandle(CtlDetailsSplitter);
    ASSERT_TRUE(list && description && tree && details);
    EXPECT_EQ(Width(list), 470);
    EXPECT_EQ(Width(description), 785 - 474);
    // The "Fenster" page is halved at creation: 390 for the tree, 391 on the right.
    EXPECT_EQ(Width(tree), 390);
    EXPECT_EQ(Width(details), 391);

    const SIZE minimum = OuterSize(650, 400);
    ResizeMain(minimum.cx, minimum.cy);
    EXPECT_EQ(ClientRectOf(window_).right, 650);
    EXPECT_EQ(Width(list), 470);
    EXPECT_EQ(Width(description), 650 - 474);
    EXPECT_EQ(Width(details), 391);
    EXPECT_EQ(Width(tree), 650 - 4 - 391);

    const SIZE large = OuterSize(1100, 700);
    ResizeMain(large.cx, large.cy);
    EXPECT_EQ(Width(list), 470);
    EXPECT_EQ(Width(description), 1100 - 474);
    EXPECT_EQ(Width(details), 391);
    // The properties list and the preview share the right pane's height half and half.
    const int pane = Height(details);
    EXPECT_NEAR(Height(ControlHandle(CtlWindowProperties)), (pane - 4) / 2, 1);
    EXPECT_NEAR(Height(ControlHandle(CtlPreview)), (pane - 4) / 2, 1);
}

TEST_F(MainWindowLayout, DraggingTheBarMovesItAndTheFixedPaneKeepsTheNewWidth) {
    const HWND splitter = ControlHandle(CtlProcessSplitter);
    const HWND list = ControlHandle(CtlProcessList);
    const int y = Height(splitter) / 2;
    SendWait(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(471, y));
    SendWait(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(301, y));
    SendWait(splitter, WM_LBUTTONUP, 0, MAKELPARAM(301, y));
    EXPECT_EQ(Width(list), 300);
    EXPECT_EQ(SplitterPosition(splitter), 300);
    const SIZE large = OuterSize(1000, 700);
    ResizeMain(large.cx, large.cy);
    EXPECT_EQ(Width(list), 300);
    EXPECT_EQ(Width(ControlHandle(CtlDescription)), 1000 - 304);
    RunOnMainThread([splitter] { SetSplitterPosition(splitter, 470); });
    EXPECT_EQ(Width(list), 470);
}

// The preview surface keeps what was drawn on it across resizes (the screen capture of a
// process's own windows reads black under Wine, so the picture is read back instead).
TEST_F(MainWindowLayout, PreviewSurfaceKeepsWhatWasDrawnOnIt) {
    const HWND preview = ControlHandle(CtlPreview);
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(RunOnMainThread([preview] {
        ShowPage(1);
        SetForegroundWindow(ProgramMainWindow());
        const HDC dc = BeginCanvasDrawing(preview);
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(BeginCanvasDrawing(preview), nullptr);  // one drawing at a time
        const RECT red{2, 2, 12, 12};
        const HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &red, brush);
        DeleteObject(brush);
        EndCanvasDrawing(preview);
    }));
    const SIZE large = OuterSize(1100, 800);
    ResizeMain(large.cx, large.cy);
    COLORREF drawn = 0;
    COLORREF outside = 0;
    RunOnMainThread([&] {
        const HDC dc = BeginCanvasDrawing(preview);
        ASSERT_NE(dc, nullptr);
        drawn = GetPixel(dc, 5, 5);
        RECT client{};
        GetClientRect(preview, &client);
        outside = GetPixel(dc, client.right - 2, client.bottom - 2);
        EndCanvasDrawing(preview);
    });
    EXPECT_EQ(drawn, RGB(255, 0, 0));
    EXPECT_EQ(outside, RGB(255, 255, 255));
}

TEST_F(MainWindowLayout, TabsSwitchBetweenTheTwoPages) {
    const HWND tabs = ControlHandle(CtlTabs);
    char text[32] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ASSERT_EQ(SendWait(tabs, TCM_GETITEMCOUNT), 2);
    SendWait(tabs, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Prozesse");
    SendWait(tabs, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Fenster");

    EXPECT_TRUE(IsWindowVisible(ControlHandle(CtlProcessSplitter)));
    EXPECT_FALSE(IsWindowVisible(ControlHandle(CtlWindowSplitter)));
    // TCM_SETCURFOCUS changes the page the way a click does, with TCN_SELCHANGE.
    SendWait(tabs, TCM_SETCURFOCUS, 1);
    EXPECT_FALSE(IsWindowVisible(ControlHandle(CtlProcessSplitter)));
    EXPECT_TRUE(IsWindowVisible(ControlHandle(CtlWindowTree)));
    EXPECT_TRUE(IsWindowVisible(ControlHandle(CtlPreview)));
    SendWait(tabs, TCM_SETCURFOCUS, 0);
    EXPECT_TRUE(IsWindowVisible(ControlHandle(CtlProcessList)));
    EXPECT_FALSE(IsWindowVisible(ControlHandle(CtlWindowSplitter)));
}

std::string ColumnTitle(HWND list, int column, int& width) {
    char text[64] = {};
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH;
    info.pszText = text;
    info.cchTextMax = sizeof(text);
    if (!SendWait(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info))) return "?";
    width = info.cx;
    return text;
}

TEST(MainWindowControls, ProcessListColumnsStylesAndFont) {
    const HWND list = ControlHandle(CtlProcessList);
    ASSERT_NE(list, nullptr);
    const char* titles[] = {"Name", "Priorit\xE4t", "Threads", "Befund"};
    const int widths[] = {214, 60, 55, 120};
    for (int i = 0; i < 4; ++i) {
        int width = 0;
        EXPECT_EQ(ColumnTitle(list, i, width), titles[i]);
        EXPECT_EQ(width, widths[i]) << titles[i];
    }
    const LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    const LRESULT extended = SendWait(list, LVM_GETEXTENDEDLISTVIEWSTYLE);
    EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
    EXPECT_TRUE(extended & LVS_EX_HEADERDRAGDROP);
    int height = 0;
    EXPECT_EQ(FaceName(list, height), "Tahoma");
    EXPECT_EQ(height, PointHeight(10));
}

TEST(MainWindowControls, DescriptionIsAReadOnlyWrappingRichTextField) {
    const HWND description = ControlHandle(CtlDescription);
    ASSERT_NE(description, nullptr);
    char className[32] = {};
    GetClassNameA(description, className, sizeof(className));
    EXPECT_STREQ(className, "RichEdit20A");
    const LONG_PTR style = GetWindowLongPtrA(description, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_EQ(GetWindowTextLengthA(description), 0);

    // A rich edit control keeps its font as the default character format.
    CHARFORMATA format{};
    format.cbSize = sizeof(format);
    SendWait(description, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_STREQ(format.szFaceName, "corbel");
    EXPECT_EQ(format.yHeight, 12 * 20);  // twips

    // One long line wraps at the field's width; many lines bring the vertical scroll bar.
    std::string words;
    for (int i = 0; i < 80; ++i) words += "Wort ";
    SetWindowTextA(description, words.c_str());
    EXPECT_GT(SendWait(description, EM_GETLINECOUNT), 1);
    std::string lines;
    for (int i = 0; i < 100; ++i) lines += "Zeile\r\n";
    SetWindowTextA(description, lines.c_str());
    EXPECT_TRUE(GetWindowLongPtrA(description, GWL_STYLE) & WS_VSCROLL);
    SetWindowTextA(description, "");
}

TEST(MainWindowControls, WindowPageTreeAndPropertiesList) {
    const HWND tree = ControlHandle(CtlWindowTree);
    ASSERT_NE(tree, nullptr);
    const LONG_PTR treeStyle = GetWindowLongPtrA(tree, GWL_STYLE);
    for (LONG_PTR bit : {TVS_HASLINES, TVS_HASBUTTONS, TVS_LINESATROOT, TVS_SHOWSELALWAYS}) {
        EXPECT_TRUE(treeStyle & bit) << bit;
    }
    int height = 0;
    EXPECT_EQ(FaceName(tree, height), "Tahoma");

    const HWND properties = ControlHandle(CtlWindowProperties);
    ASSERT_NE(properties, nullptr);
    int width = 0;
    EXPECT_EQ(ColumnTitle(properties, 0, width), "Parameter");
    EXPECT_EQ(width, 140);
    EXPECT_EQ(ColumnTitle(properties, 1, width), "Wert");
    EXPECT_EQ(width, 240);
    EXPECT_TRUE(SendWait(properties, LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_GRIDLINES);
    EXPECT_EQ(FaceName(properties, height), "Tahoma");
    const char* rows[] = {"Prozess",    "Fenstertitel", "Klassenname", "Fenster Handle",
                          "Status",     "Aktiviert",    "Sichtbar",    "X-Position",
                          "Y-Position", "Breite",       "Hoehe"};
    ASSERT_EQ(SendWait(properties, LVM_GETITEMCOUNT), 11);
    for (int i = 0; i < 11; ++i) {
        char text[64] = {};
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendWait(properties, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(text, rows[i]);
    }
}

TEST(MainWindowControls, ToolbarHasThirtyTwoPixelImagesAndASeparatorAfterTheSecondButton) {
    const HWND toolbar = MainToolbar();
    ASSERT_NE(toolbar, nullptr);
    const auto images = reinterpret_cast<HIMAGELIST>(SendWait(toolbar, TB_GETIMAGELIST));
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(images, &cx, &cy));
    EXPECT_EQ(cx, 32);
    EXPECT_EQ(cy, 32);
    EXPECT_EQ(ImageList_GetImageCount(images), 4);
    ASSERT_EQ(SendWait(toolbar, TB_BUTTONCOUNT), 5);
    const int commands[] = {CmdSearchProcess, CmdRefreshLists, -1, CmdCheckForUpdates, CmdSettings};
    for (int i = 0; i < 5; ++i) {
        TBBUTTON button{};
        SendWait(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (commands[i] < 0) {
            EXPECT_TRUE(button.fsStyle & BTNS_SEP) << i;
        } else {
            EXPECT_EQ(button.idCommand, commands[i]) << i;
            EXPECT_FALSE(button.fsStyle & BTNS_SEP) << i;
        }
    }
    EXPECT_TRUE(GetWindowLongPtrA(toolbar, GWL_STYLE) & TBSTYLE_FLAT);
}

}  // namespace
}  // namespace kelvaro::test
