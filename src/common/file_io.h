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

// Reads the first `limit` bytes of an existing file, or all of a shorter one: for files
// from the network, whose size nobody vouches for. False when it cannot be opened or read.
bool ReadFileStart(const std::string& path, size_t limit, std::string& contents);

}  // namespace kelvaro
