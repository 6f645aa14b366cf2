// The main window's accelerators from the table of shortcut keys, and the dialog manager
// for the secondary windows.
#include "shell/keyboard_win.h"

#include <vector>

#include "ui/ids.h"
#include "ui/program_windows_win.h"

namespace kelvaro {
namespace {

HACCEL& ShortcutTable() {
    static HACCEL table = nullptr;
    return table;
}

bool IsEditField(HWND window) {
    char className[32] = {};
    if (window == nullptr || GetClassNameA(window, className, sizeof(className)) == 0) return false;
    return lstrcmpiA(className, "Edit") == 0 || lstrcmpiA(className, "RichEdit20A") == 0 ||
           lstrcmpiA(className, "RichEdit20W") == 0;
}

// A text field keeps its own Ctrl+C and Entf (the description pane copies its selection).
bool TakesShortcutKeys(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (!IsEditField(message.hwnd)) return true;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    return !(message.wParam == VK_DELETE || (control && message.wParam == 'C'));
}

bool IsSecondaryWindow(HWND window) {
    const int number = WindowNumberOf(window);
    return number == WndSettings || number == WndKillList || number == WndSearch;
}

// Shift+F10 and the menu key ask for the focused control's menu. Not every control hands
// them to the default window procedure, which would turn them into WM_CONTEXTMENU (Wine's
// tree view keeps them), so the loop does it for every control alike.
bool IsMenuKey(const MSG& message) {
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    return (message.message == WM_SYSKEYDOWN && message.wParam == VK_F10 && shift) ||
           (message.message == WM_KEYDOWN && message.wParam == VK_APPS);
}

bool IsMenuKeyRelease(const MSG& message) {
    return (message.message == WM_SYSKEYUP && message.wParam == VK_F10) ||
           (message.message == WM_KEYUP && message.wParam == VK_APPS);
}

}  // namespace

void BuildShortcutKeys() {
    std::vector<ACCEL> keys;
    for (const ShortcutKey& key : ShortcutKeys()) {
        const BYTE modifiers = static_cast<BYTE>(FVIRTKEY | (key.control ? FCONTROL : 0));
        keys.push_back({modifiers, key.virtualKey, static_cast<WORD>(key.command)});
    }
    ShortcutTable() = CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size()));
}

void DestroyShortcutKeys() {
    if (ShortcutTable() != nullptr) DestroyAcceleratorTable(ShortcutTable());
    ShortcutTable() = nullptr;
}

bool TranslateProgramKeys(MSG& message) {
    if (message.hwnd == nullptr) return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const HWND main = ProgramWindow(WndMain);
    // The release of a key taken here would open the menu bar (F10) or the menu a second
    // time (menu key); a plain F10 keeps its release and opens the menu bar.
    static bool menuKeyDown = false;
    if (root == main && main != nullptr && IsMenuKey(message)) {
        menuKeyDown = true;
        SendMessageA(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(message.hwnd), -1);
        return true;
    }
    if (menuKeyDown && IsMenuKeyRelease(message)) {
        menuKeyDown = false;
        return true;
    }
    if (root == main && main != nullptr && ShortcutTable() != nullptr && TakesShortcutKeys(message)) {
        return TranslateAcceleratorA(main, ShortcutTable(), &message) != 0;
    }
    // The dialog manager of a secondary window takes its keys and dispatches its messages.
    return IsSecondaryWindow(root) && IsDialogMessageA(root, &message) != 0;
}

}  // namespace kelvaro
