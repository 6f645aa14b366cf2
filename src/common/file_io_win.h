// The Windows side of the file seam, for the few callers that open files with share modes
// of their own and only need the reading done.
#pragma once

#include <windows.h>

#include <string>

namespace kelvaro {

// Reads a file that was just opened, whole, in large blocks. On failure `contents` is
// left empty.
bool ReadAllFromHandle(HANDLE file, std::string& contents);

}  // namespace kelvaro
