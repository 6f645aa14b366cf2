// Real key presses, the focus of another program's thread and the clipboard.
#include <vector>

#include "support/ui_driver.h"

namespace kelvaro::test {

void PressKeys(std::initializer_list<WORD> chord) {
    std::vector<INPUT> inputs;
    const auto add = [&inputs](WORD key, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (const WORD key : chord) add(key, 0);
    for (auto key = std::rbegin(chord); key != std::rend(chord); ++key) add(*key, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND FocusedWindowOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return thread != 0 && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool FocusBecomes(HWND window, HWND expected, int timeoutMs) {
    return WaitUntil([&] { return FocusedWindowOf(window) == expected; }, timeoutMs);
}

std::optional<std::string> ClipboardText() {
    // Another program may hold the clipboard open for a moment while it writes.
    if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data)); wide != nullptr) {
            const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
            std::string ansi(static_cast<size_t>(size > 0 ? size : 1), '\0');
            WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi.data(), size, nullptr, nullptr);
            ansi.resize(ansi.size() - 1);
            text = ansi;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void EmptyTheClipboard() {
    if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return;
    EmptyClipboard();
    CloseClipboard();
}

}  // namespace kelvaro::test
