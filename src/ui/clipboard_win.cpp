// The clipboard's text through UTF-16 in global memory, which the clipboard then owns.
#include "ui/clipboard_win.h"

#include <cstring>

namespace kelvaro {
namespace {

// The text in UTF-16 with its terminating zero, in movable global memory; null on failure.
HGLOBAL WideCopy(std::string_view ansiText) {
    const int length = static_cast<int>(ansiText.size());
    const int wide = length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, ansiText.data(), length, nullptr, 0);
    if (length > 0 && wide == 0) return nullptr;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (static_cast<size_t>(wide) + 1) * sizeof(wchar_t));
    if (memory == nullptr) return nullptr;
    auto* text = static_cast<wchar_t*>(GlobalLock(memory));
    if (text == nullptr) {
        GlobalFree(memory);
        return nullptr;
    }
    if (wide > 0) MultiByteToWideChar(CP_ACP, 0, ansiText.data(), length, text, wide);
    text[wide] = L'\0';
    GlobalUnlock(memory);
    return memory;
}

}  // namespace

bool CopyTextToClipboard(HWND owner, std::string_view ansiText) {
    HGLOBAL memory = WideCopy(ansiText);
    if (memory == nullptr) return false;
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    // Once placed, the memory is the clipboard's.
    if (!placed) GlobalFree(memory);
    return placed;
}

}  // namespace kelvaro
