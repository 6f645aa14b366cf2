// Plain text onto the clipboard, as every program can paste it: the program's ANSI text
// as Unicode (CF_UNICODETEXT), with the system turning it into the other text formats.
#pragma once

#include <windows.h>

#include <string_view>

namespace kelvaro {

// Replaces the clipboard's contents with `ansiText`; false when the clipboard could not be
// opened or the memory not had.
bool CopyTextToClipboard(HWND owner, std::string_view ansiText);

}  // namespace kelvaro
