// The file seam: whole-file reads for the parsers, with the Windows share modes on the
// Windows side and the standard library elsewhere.
#pragma once

#include <string>

namespace kelvaro {

// Opens the file for reading and writing, shared for reading only, creating it empty when
// it does not exist, and reads it whole in large blocks. False when it cannot be opened;
// then `contents` is left empty.
bool ReadFileCreatingIfMissing(const std::string& path, std::string& contents);

// Reads an existing file whole. False when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& contents);

}  // namespace kelvaro
