// The UI driver's reads of status bars and toolbars in another process, tool tips
// included, through RemoteBuffer structures inside the control's process.
#include <windows.h>
#include <commctrl.h>

#include "support/remote_buffer_win.h"
#include "support/ui_driver.h"

namespace kelvaro::test {

namespace {

constexpr size_t kTextCapacity = 1024;

static_assert(sizeof(TBBUTTON) == 32, "TBBUTTON of a 64-bit toolbar");

// The tool tip of one toolbar button, asked from the toolbar's tool tip control. The
// toolbar registers each button as a tool (toolbar window, command id) with callback text,
// so the tool tip control fetches the text from the toolbar's owner (TTN_GETDISPINFO)
// inside the program's own process, just as it does for a hovering mouse.
std::string ToolTipOf(HWND toolbar, HWND toolTips, int commandId) {
    RemoteBuffer remote(toolTips, sizeof(TTTOOLINFOA) + kTextCapacity);
    if (!remote) return {};
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = toolbar;
    tool.uId = static_cast<UINT_PTR>(commandId);
    tool.lpszText = static_cast<char*>(remote.At(sizeof(TTTOOLINFOA)));
    if (!remote.Put(tool)) return {};
    // wParam is the buffer size for version 6 of the controls; older ones ignore it.
    SendWithTimeout(toolTips, TTM_GETTEXTA, kTextCapacity, remote.Param());
    return remote.Text(sizeof(TTTOOLINFOA), kTextCapacity);
}

}  // namespace

int StatusBarPartCount(HWND statusBar) {
    return static_cast<int>(SendWithTimeout(statusBar, SB_GETPARTS, 0, 0));
}

std::string StatusBarText(HWND statusBar, int part) {
    RemoteBuffer remote(statusBar, kTextCapacity);
    if (!remote) return {};
    // The low word of the answer is the text length.
    const std::optional<LRESULT> result = TrySend(statusBar, SB_GETTEXTA, part, remote.Param());
    if (!result || LOWORD(*result) == 0) return {};
    return remote.Text(0, kTextCapacity - 1);
}

std::vector<int> StatusBarRightEdges(HWND statusBar) {
    const int count = StatusBarPartCount(statusBar);
    if (count <= 0) return {};
    std::vector<int> edges(static_cast<size_t>(count));
    RemoteBuffer remote(statusBar, edges.size() * sizeof(int));
    if (!remote || !SendWithTimeout(statusBar, SB_GETPARTS, count, remote.Param())) return {};
    if (!remote.Read(edges.data(), edges.size() * sizeof(int))) return {};
    return edges;
}

std::vector<ToolbarButton> ToolbarButtons(HWND toolbar) {
    std::vector<ToolbarButton> buttons;
    const int count = static_cast<int>(SendWithTimeout(toolbar, TB_BUTTONCOUNT));
    RemoteBuffer remote(toolbar, sizeof(TBBUTTON));
    if (count <= 0 || !remote) return buttons;
    HWND toolTips = reinterpret_cast<HWND>(SendWithTimeout(toolbar, TB_GETTOOLTIPS));
    for (int index = 0; index < count; ++index) {
        TBBUTTON raw{};
        if (!SendWithTimeout(toolbar, TB_GETBUTTON, index, remote.Param()) || !remote.Get(raw)) {
            break;
        }
        ToolbarButton button;
        button.separator = (raw.fsStyle & BTNS_SEP) != 0;
        button.commandId = button.separator ? 0 : raw.idCommand;
        if (!button.separator && toolTips != nullptr) {
            button.toolTip = ToolTipOf(toolbar, toolTips, raw.idCommand);
        }
        buttons.push_back(button);
    }
    return buttons;
}

}  // namespace kelvaro::test
