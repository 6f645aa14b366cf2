// The download's temporary file over Win32: a unique file in the target's folder, created
// with the share mode the target gets, flushed, and moved over the target with MoveFileExA
// with write-through.
#include <windows.h>

#include "common/file_io_win.h"
#include "netupdate/body_file.h"

namespace kelvaro::net {
namespace {

constexpr char kTempPrefix[] = "kvd";

// The folder with its trailing separator ("C:\" stays a root), or "." for a bare name.
std::string FolderOf(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string(".") : path.substr(0, separator + 1);
}

}  // namespace

TempFile::~TempFile() {
    Remove();
}

bool TempFile::CreateBeside(const std::string& targetPath) {
    char name[MAX_PATH] = {};
    if (GetTempFileNameA(FolderOf(targetPath).c_str(), kTempPrefix, 0, name) == 0) return false;
    path_ = name;
    const HANDLE file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Remove();
        return false;
    }
    handle_ = file;
    return true;
}

bool TempFile::Write(const char* data, size_t size) {
    while (size > 0) {
        const DWORD part = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(static_cast<HANDLE>(handle_), data, part, &written, nullptr) ||
            written == 0) {
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool TempFile::Close() {
    if (handle_ == nullptr) return false;
    // On the disk before it takes the target's place: a power cut just after the swap must
    // not leave an empty program file.
    const bool flushed = FlushFileBuffers(static_cast<HANDLE>(handle_)) != 0;
    const bool closed = CloseHandle(static_cast<HANDLE>(handle_)) != 0;
    handle_ = nullptr;
    return flushed && closed;
}

AttemptOutcome TempFile::MoveOver(const std::string& targetPath) {
    if (handle_ != nullptr || path_.empty()) return AttemptOutcome::Failed;
    if (MoveFileExA(path_.c_str(), targetPath.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        path_.clear();
        return AttemptOutcome::Done;
    }
    // A running program's exe and a file open without delete sharing refuse to be
    // replaced until they are released.
    return OutcomeOfFileError(GetLastError());
}

void TempFile::Remove() {
    if (handle_ != nullptr) CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
    if (!path_.empty()) DeleteFileA(path_.c_str());
    path_.clear();
}

}  // namespace kelvaro::net
