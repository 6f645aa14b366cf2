// Toolbar and status bar of the main window, built from data tables.
#include "shell/frame_bars_win.h"

#include <commctrl.h>

#include <array>
#include <string_view>
#include <vector>

#include "ui/dpi.h"
#include "ui/ids.h"
#include "ui/program_windows_win.h"
#include "ui/resources_win.h"
#include "ui/status_fields.h"

namespace kelvaro {
namespace {

// At 96 DPI; the images come in the size for the main window's DPI.
constexpr int kButtonImageSize = 32;

struct ToolbarRow {
    int command;  // a CommandId, or -1 for a separator
    IconRole image;
};

constexpr ToolbarRow kToolbarRows[] = {
    {CmdSearchProcess, IconRole::Search},
    {CmdRefreshLists, IconRole::Refresh},
    {-1, IconRole::Search},
    {CmdCheckForUpdates, IconRole::Update},
    {CmdSettings, IconRole::Settings},
};

struct ToolbarState {
    HWND toolbar = nullptr;
    HIMAGELIST images = nullptr;
};

ToolbarState& Toolbar() {
    static ToolbarState state;
    return state;
}

bool IsToolbarCommand(UINT_PTR id) {
    for (const ToolbarRow& row : kToolbarRows) {
        if (row.command >= 0 && static_cast<UINT_PTR>(row.command) == id) return true;
    }
    return false;
}

int ButtonImageSize() {
    return ScaleToDpi(kButtonImageSize, ProgramWindowDpi(WndMain));
}

HIMAGELIST MakeButtonImages() {
    const int size = ButtonImageSize();
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 4, 0);
    if (images == nullptr) return nullptr;
    for (const ToolbarRow& row : kToolbarRows) {
        if (row.command < 0) continue;
        ImageList_AddIcon(images, ProgramIcon(row.image, IconSize::Large));
    }
    return images;
}

std::vector<TBBUTTON> MakeButtons() {
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (const ToolbarRow& row : kToolbarRows) {
        TBBUTTON button{};
        if (row.command < 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = image++;
            button.idCommand = row.command;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
            button.iString = -1;
        }
        buttons.push_back(button);
    }
    return buttons;
}

}  // namespace

HWND BuildToolbar(HWND mainWindow) {
    ToolbarState& state = Toolbar();
    state.toolbar = CreateWindowExA(
        0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, 0,
        0, 0, 0, mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolbarChildId)),
        GetModuleHandleA(nullptr), nullptr);
    if (state.toolbar == nullptr) return nullptr;
    const HWND toolbar = state.toolbar;
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(ButtonImageSize(), ButtonImageSize()));
    state.images = MakeButtonImages();
    if (state.images != nullptr) {
        SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(state.images));
    }
    std::vector<TBBUTTON> buttons = MakeButtons();
    SendMessageA(toolbar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    return toolbar;
}

HWND BuildStatusBar(HWND mainWindow) {
    const HWND status = CreateWindowExA(
        0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
        mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarChildId)),
        GetModuleHandleA(nullptr), nullptr);
    if (status == nullptr) return nullptr;
    SetStatusFieldEdges(status);
    return status;
}

void SetStatusFieldEdges(HWND status) {
    std::array<int, kStatusFieldCount> edges = kStatusFieldRightEdges;
    for (int& edge : edges) edge = ScaleToDpi(edge, ProgramWindowDpi(WndMain));
    SendMessageA(status, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void RemakeToolbarImages() {
    ToolbarState& state = Toolbar();
    if (state.toolbar == nullptr) return;
    const HIMAGELIST images = MakeButtonImages();
    if (images == nullptr) return;
    SendMessageA(state.toolbar, TB_SETBITMAPSIZE, 0,
                 MAKELPARAM(ButtonImageSize(), ButtonImageSize()));
    SendMessageA(state.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    if (state.images != nullptr) ImageList_Destroy(state.images);
    state.images = images;
    SendMessageA(state.toolbar, TB_AUTOSIZE, 0, 0);
}

bool AnswerToolbarToolTip(NMHDR* notification) {
    const ToolbarState& state = Toolbar();
    if (notification == nullptr || state.toolbar == nullptr) return false;
    if (notification->code != TTN_GETDISPINFOA && notification->code != TTN_GETDISPINFOW) {
        return false;
    }
    const HWND toolTips = reinterpret_cast<HWND>(SendMessageA(state.toolbar, TB_GETTOOLTIPS, 0, 0));
    if (notification->hwndFrom != toolTips || !IsToolbarCommand(notification->idFrom)) {
        return false;
    }
    // The command texts are string literals, so the pointer stays valid for the tool tip.
    const std::string_view text = CommandText(static_cast<CommandId>(notification->idFrom));
    if (notification->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(notification);
        info->hinst = nullptr;
        info->lpszText = const_cast<char*>(text.data());
    } else {
        // The tool tip asks in UTF-16 when it talks to us in that form; the texts are in
        // the ANSI code page.
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(notification);
        info->hinst = nullptr;
        const int written =
            MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), info->szText,
                                std::size(info->szText) - 1);
        info->szText[written > 0 ? written : 0] = L'\0';
        info->lpszText = info->szText;
    }
    return true;
}

void ReleaseToolbarImages() {
    ToolbarState& state = Toolbar();
    if (state.images != nullptr) ImageList_Destroy(state.images);
    state.images = nullptr;
    state.toolbar = nullptr;
}

}  // namespace kelvaro
