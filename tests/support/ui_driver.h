// The UI driver of the end-to-end tests: starts a program under Wine in a fresh working
// folder and drives it like a user from another process: windows, commands, list views,
// tree views, status bars, tool tips, message boxes, window state and screenshots.
#pragma once

#include <windows.h>
#include <commctrl.h>  // HTREEITEM

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kelvaro::test {

// ---- Programs -------------------------------------------------------------------------

// A program started by a test, ended (and its working folder removed) when destroyed.
class ProgramUnderTest {
public:
    struct Options {
        std::string exePath;                        // full path of the program to start
        std::string arguments;                      // appended after the quoted exe path
        std::map<std::string, std::string> files;   // written into the working folder first
        bool copyExeIntoFolder = false;             // start a copy placed in the folder
    };

    explicit ProgramUnderTest(const Options& options);
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD processId() const { return processId_; }
    HANDLE processHandle() const { return process_; }
    const std::string& workingFolder() const { return folder_; }
    std::string FilePath(const std::string& name) const;     // folder + "\\" + name
    std::optional<std::string> ReadFile(const std::string& name) const;  // bytes, or none
    void WriteFile(const std::string& name, const std::string& bytes) const;
    bool FileExists(const std::string& name) const;

    // The first top-level window of the process with this title (visible or not).
    HWND WaitForWindow(const std::string& title, int timeoutMs = 15000) const;
    // The same once it is shown: a window exists before it is shown and painted. Null
    // when none came up.
    HWND WaitForShownWindow(const std::string& title, int timeoutMs = 15000) const;
    // Waits for the process to end; its exit code, or none on timeout.
    std::optional<DWORD> WaitForExit(int timeoutMs = 15000) const;
    bool IsRunning() const;
    void Terminate();  // ends the process at once (for cleanup and hung programs)

private:
    std::string folder_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// Path of a file next to the running test executable (the build puts the programs there).
std::string PathNextToTestExe(const std::string& fileName);

// ---- Windows --------------------------------------------------------------------------

// Top-level windows of a process, in z-order; title and class filters when not empty.
std::vector<HWND> TopLevelWindows(DWORD processId, const std::string& title = {},
                                  const std::string& className = {});
// A direct or deeper child with this control id, or null.
HWND ChildById(HWND parent, int controlId);
// The first descendant of this class (and title, when given), or null.
HWND ChildByClass(HWND parent, const std::string& className, const std::string& title = {});
std::string WindowText(HWND window);   // WM_GETTEXT, works across processes
std::string ClassName(HWND window);
bool IsTopmost(HWND window);           // WS_EX_TOPMOST
RECT ClientRectOnScreen(HWND window);
SIZE ClientSize(HWND window);
// A window's rectangle in the inner coordinates of `parent`, by default its parent.
RECT RectInParent(HWND control, HWND parent = nullptr);
// A secondary window as the programs open it: owned by `owner`, of this inner size, and
// centred on the owner to the pixel (halving the sizes may round either way).
::testing::AssertionResult IsCentredOnOwner(HWND window, HWND owner, SIZE inner);

// Polls `condition` every 20 ms until it holds or the timeout passes; returns its last value.
template <typename Condition>
bool WaitUntil(Condition condition, int timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return false;
        Sleep(20);
    }
}

// ---- Input ----------------------------------------------------------------------------

// Menu command / toolbar button: WM_COMMAND with the id, posted (so a modal box it opens
// does not block the test).
void PostCommand(HWND window, int commandId);
// A control notification as the control's parent sees it: WM_COMMAND with id and code.
void PostControlCommand(HWND parent, int controlId, int notifyCode, HWND control);
// Presses a button control (BM_CLICK, posted).
void ClickButton(HWND button);
// Sets the text of an edit control in another process (WM_SETTEXT).
void SetText(HWND window, const std::string& text);
// Sends a window message and waits for its processing (SendMessageTimeout, 5 s).
LRESULT SendAndWait(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Real mouse input at a point in screen coordinates (SetCursorPos + SendInput). Waits until
// the cursor stays at the point first (up to about 2 s): under Wine the X server moves
// the cursor again for a moment after a window appears or the cursor was set. A cursor
// that does not settle fails the test and sends no click. The click goes to whatever
// window is at the point, so the target must not be covered.
void MouseClickAt(POINT screen, bool rightButton = false, bool doubleClick = false);
// Clicks a point given in a window's client coordinates (real mouse input).
void MouseClickInWindow(HWND window, POINT client, bool rightButton = false);
// Posts a close request (WM_CLOSE), like the title bar's close button.
void PostClose(HWND window);

// ---- Keyboard and clipboard ----------------------------------------------------------

// Real key presses (SendInput) to the foreground window: the keys of a chord pressed in
// order and released in reverse, as "Ctrl+C" is {VK_CONTROL, 'C'}.
void PressKeys(std::initializer_list<WORD> chord);
// The window with the keyboard focus in the thread that owns `window`; null when none.
HWND FocusedWindowOf(HWND window);
// Waits until the focus in the thread that owns `window` is on `expected`.
bool FocusBecomes(HWND window, HWND expected, int timeoutMs = 5000);
// The clipboard's Unicode text in the ANSI code page, none when it holds no text; and
// the clipboard emptied, so that a later text is known to be new.
std::optional<std::string> ClipboardText();
void EmptyTheClipboard();

// ---- List views (SysListView32) -------------------------------------------------------

int ListViewRowCount(HWND list);
int ListViewColumnCount(HWND list);
std::string ListViewText(HWND list, int row, int column);
std::vector<std::vector<std::string>> ListViewRows(HWND list);  // all rows, all columns
std::string ListViewColumnTitle(HWND list, int column);
int ListViewColumnWidth(HWND list, int column);
int ListViewSelectedRow(HWND list);                 // -1 when none
LPARAM ListViewItemParam(HWND list, int row);
// Selects and focuses a row the way a click does (LVM_SETITEMSTATE), so the owner gets
// LVN_ITEMCHANGED.
void ListViewSelectRow(HWND list, int row);
// Screen point in the middle of a row's first column.
POINT ListViewRowPoint(HWND list, int row);
// The header control of a list view, and a click on its column (real mouse input).
HWND ListViewHeader(HWND list);
void ClickListViewHeader(HWND list, int column);
// The sort arrow its header item shows: +1 up (HDF_SORTUP), -1 down, 0 none.
int ListViewSortArrow(HWND list, int column);
// A plain list box (LB_*).
int ListBoxRowCount(HWND list);
std::string ListBoxText(HWND list, int row);
int ListBoxSelectedRow(HWND list);
void ListBoxSelectRow(HWND list, int row);  // LB_SETCURSEL plus LBN_SELCHANGE to the parent

// ---- Tree views (SysTreeView32) -------------------------------------------------------

struct TreeNode {
    HTREEITEM item = nullptr;
    std::string text;
    int level = 0;          // 0 for root nodes
    bool expanded = false;
    bool selected = false;
};

std::vector<TreeNode> TreeNodes(HWND tree);  // every node, depth first, collapsed ones too
void TreeSelect(HWND tree, HTREEITEM item);  // TVM_SELECTITEM (the owner gets TVN_SELCHANGED)
void TreeExpand(HWND tree, HTREEITEM item, bool expand);
POINT TreeNodePoint(HWND tree, HTREEITEM item);  // screen point on the node's text

// ---- Status bar, toolbar, tool tips ---------------------------------------------------

int StatusBarPartCount(HWND statusBar);
std::string StatusBarText(HWND statusBar, int part);
std::vector<int> StatusBarRightEdges(HWND statusBar);

struct ToolbarButton {
    int commandId = 0;  // 0 for a separator
    bool separator = false;
    std::string toolTip;
};
std::vector<ToolbarButton> ToolbarButtons(HWND toolbar);

// ---- Message boxes --------------------------------------------------------------------

struct MessageBoxInfo {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;  // button texts in z-order, as shown ("&Yes")
    std::vector<int> buttonIds;        // their ids (IDOK, IDYES, ...), in the same order
    bool hasIcon = false;
};

// Waits for a dialog box (class #32770) of the process to appear; none on timeout.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, int timeoutMs = 10000);
// No message box of the process appears within the time.
bool NoMessageBoxFor(DWORD processId, int milliseconds);
// Presses the box's button with this id (IDOK, IDYES, IDNO, ...); false when the box has
// no visible button with that id.
bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId);

// ---- Tray -----------------------------------------------------------------------------

// Whether the notification area holds an icon (window, id): NIM_MODIFY on it succeeds
// only while it exists. Under Wine 8 with the virtual desktop's notification area this
// holds from another process: false for another id or window, after NIM_DELETE, and once
// the owner's process has ended without removing its icon.
bool TrayIconExists(HWND owner, UINT id);
// The popup menu of the process that is open now (class #32768, shown), or null.
HWND OpenPopupMenu(DWORD processId);

// ---- Pixels ---------------------------------------------------------------------------

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool SaveBmp(const std::string& path) const;
};

// The screen's pixels inside a window's rectangle (client area when clientOnly).
Screenshot CaptureScreenRect(RECT screen);
Screenshot CaptureWindow(HWND window, bool clientOnly);

}  // namespace kelvaro::test
