// The Windows file seam: CreateFileA with the share modes the programs rely on.
#include <windows.h>

#include "common/file_io.h"
#include "common/file_io_win.h"
#include "common/scoped_win.h"

namespace kelvaro {
namespace {

constexpr DWORD kBlockSize = 1 << 20;

}  // namespace

bool ReadAllFromHandle(HANDLE file, std::string& contents) {
    contents.clear();
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0) {
        contents.reserve(static_cast<size_t>(size.QuadPart));
    }
    std::string block(kBlockSize, '\0');
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, block.data(), kBlockSize, &got, nullptr)) {
            contents.clear();
            return false;
        }
        if (got == 0) return true;
        contents.append(block.data(), got);
    }
}

bool ReadFileCreatingIfMissing(const std::string& path, std::string& contents) {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        contents.clear();
        return false;
    }
    return ReadAllFromHandle(file.get(), contents);
}

bool ReadWholeFile(const std::string& path, std::string& contents) {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        contents.clear();
        return false;
    }
    return ReadAllFromHandle(file.get(), contents);
}

AttemptOutcome OutcomeOfFileError(DWORD error) {
    switch (error) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        // A file whose deletion is pending until its last handle closes refuses access.
        case ERROR_ACCESS_DENIED:
            return AttemptOutcome::Busy;
        default:
            return AttemptOutcome::Failed;
    }
}

bool DeleteFileWhenReleased(const std::string& path, BusyRetryTiming timing) {
    return RetryWhileBusy(
        [&path] {
            if (DeleteFileA(path.c_str())) return AttemptOutcome::Done;
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
                return AttemptOutcome::Done;
            }
            return OutcomeOfFileError(error);
        },
        timing);
}

bool ReadFileStart(const std::string& path, size_t limit, std::string& contents) {
    contents.clear();
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    contents.assign(limit, '\0');
    size_t filled = 0;
    while (filled < limit) {
        const DWORD part =
            limit - filled > kBlockSize ? kBlockSize : static_cast<DWORD>(limit - filled);
        DWORD got = 0;
        if (!ReadFile(file.get(), contents.data() + filled, part, &got, nullptr)) {
            contents.clear();
            return false;
        }
        if (got == 0) break;
        filled += got;
    }
    contents.resize(filled);
    return true;
}

}  // namespace kelvaro
