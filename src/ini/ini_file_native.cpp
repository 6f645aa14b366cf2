// The settings file handle over C stdio, for the portable build (tests and fuzzing). POSIX
// has no share modes, so nothing keeps other programs from writing meanwhile.
#include <unistd.h>

#include <cstdio>

#include "common/file_io_native.h"
#include "ini/ini_file.h"

namespace kelvaro {
namespace {

std::FILE* AsFile(void* handle) {
    return static_cast<std::FILE*>(handle);
}

}  // namespace

bool IniFile::Open(const std::string& name, std::string& contents) {
    Close();
    std::FILE* file = std::fopen(name.c_str(), "rb+");
    writable_ = file != nullptr;
    if (file == nullptr) file = std::fopen(name.c_str(), "rb");
    if (file == nullptr || !ReadAllFromStream(file, contents)) {
        if (file != nullptr) std::fclose(file);
        contents.clear();
        writable_ = false;
        return false;
    }
    handle_ = file;
    return true;
}

bool IniFile::Replace(std::string_view bytes) {
    std::FILE* file = AsFile(handle_);
    if (file == nullptr || !writable_) return false;
    if (std::fseek(file, 0, SEEK_SET) != 0) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) return false;
    if (std::fflush(file) != 0) return false;
    return ftruncate(fileno(file), static_cast<off_t>(bytes.size())) == 0;
}

void IniFile::Close() {
    if (handle_ != nullptr) std::fclose(AsFile(handle_));
    handle_ = nullptr;
    writable_ = false;
}

}  // namespace kelvaro
