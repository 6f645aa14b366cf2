// The settings file handle on Windows: CreateFileA with the share mode that lets other
// programs read the file, but not write it, while it is open, and the write-back through a
// flushed temporary file that ReplaceFileA puts in its place.
#include <windows.h>

#include "common/file_io_win.h"
#include "ini/ini_file.h"

namespace kelvaro {
namespace {

HANDLE OpenExisting(const std::string& name, DWORD access, DWORD share) {
    return CreateFileA(name.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

// Writes all of `bytes` to a new file and flushes it. A full disk may take part of a write
// and still report success, so the count is checked, not only the result.
bool WriteFlushed(const std::string& path, std::string_view bytes) {
    if (bytes.size() > MAXDWORD) return false;
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                    nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(bytes.size());
    bool ok = size == 0 || (WriteFile(file, bytes.data(), size, &written, nullptr) && written == size);
    ok = ok && FlushFileBuffers(file);
    return CloseHandle(file) && ok;
}

// ReplaceFileA keeps the old file's attributes and security; where it fails (a file
// system without that support, or the old file gone in the meantime), a move with
// write-through still swaps in one step.
bool SwapIn(const std::string& replacement, const std::string& name) {
    if (ReplaceFileA(name.c_str(), replacement.c_str(), nullptr, 0, nullptr, nullptr)) return true;
    return MoveFileExA(replacement.c_str(), name.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace

bool IniFile::Open(const std::string& name, std::string& contents) {
    Close();
    HANDLE file = OpenExisting(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ);
    writable_ = file != INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE) file = OpenExisting(name, GENERIC_READ, FILE_SHARE_READ);
    // A program that holds the file open for writing refuses every opening that does not
    // share writing with it; for reading only, that is harmless.
    if (file == INVALID_HANDLE_VALUE) {
        file = OpenExisting(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    }
    if (file == INVALID_HANDLE_VALUE) {
        contents.clear();
        writable_ = false;
        return false;
    }
    if (!ReadAllFromHandle(file, contents)) {
        CloseHandle(file);
        contents.clear();
        writable_ = false;
        return false;
    }
    handle_ = file;
    name_ = name;
    return true;
}

bool IniFile::Replace(std::string_view bytes) {
    if (handle_ == nullptr || !writable_) return false;
    const std::string temp = TempNameFor(name_);
    if (!WriteFlushed(temp, bytes)) {
        DeleteFileA(temp.c_str());
        return false;
    }
    RunBeforeSwapHook();
    // The swap needs the file released; until now no other program could write it.
    Close();
    if (SwapIn(temp, name_)) return true;
    DeleteFileA(temp.c_str());
    return false;
}

void IniFile::Close() {
    if (handle_ != nullptr) CloseHandle(handle_);
    handle_ = nullptr;
    writable_ = false;
}

}  // namespace kelvaro
