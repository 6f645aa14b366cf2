// The Windows side of the file seam, for the few callers that open files with share modes
// of their own and only need the reading done.
#pragma once

#include <windows.h>

#include <string>

#include "common/busy_retry.h"

namespace kelvaro {

// What the last error of a failed delete, move or open of a file says about trying again:
// a file that another program holds open, or one that is being deleted, is busy.
AttemptOutcome OutcomeOfFileError(DWORD error);

// Deletes a file, trying again while another program holds it open. True when the file is
// gone, also when it was not there.
bool DeleteFileWhenReleased(const std::string& path, BusyRetryTiming timing = {});

// Reads a file that was just opened, whole, in large blocks. On failure `contents` is
// left empty.
bool ReadAllFromHandle(HANDLE file, std::string& contents);

}  // namespace kelvaro
