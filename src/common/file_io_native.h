// The portable side of the file seam, for callers that open files themselves.
#pragma once

#include <cstdio>
#include <string>

namespace kelvaro {

// Reads a file that was just opened, whole, in large blocks. On failure `contents` is
// left empty.
bool ReadAllFromStream(std::FILE* file, std::string& contents);

}  // namespace kelvaro
