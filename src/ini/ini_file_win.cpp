// The settings file handle on Windows: CreateFileA with the share mode that lets other
// programs read the file, but not write it, while it is open.
#include <windows.h>

#include "common/file_io_win.h"
#include "ini/ini_file.h"

namespace kelvaro {
namespace {

HANDLE OpenExisting(const std::string& name, DWORD access, DWORD share) {
    return CreateFileA(name.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
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
    return true;
}

bool IniFile::Replace(std::string_view bytes) {
    if (handle_ == nullptr || !writable_ || bytes.size() > MAXDWORD) return false;
    if (SetFilePointer(handle_, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(bytes.size());
    if (!WriteFile(handle_, bytes.data(), size, &written, nullptr) || written != size) return false;
    return SetEndOfFile(handle_) != FALSE;
}

void IniFile::Close() {
    if (handle_ != nullptr) CloseHandle(handle_);
    handle_ = nullptr;
    writable_ = false;
}

}  // namespace kelvaro
