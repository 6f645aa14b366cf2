// The settings file handle over C stdio, for the portable build (tests and fuzzing). POSIX
// has no share modes, so nothing keeps other programs from writing meanwhile; the
// write-back is a flushed temporary file renamed over the old one.
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
    name_ = name;
    return true;
}

bool IniFile::Replace(std::string_view bytes) {
    if (handle_ == nullptr || !writable_) return false;
    const std::string temp = TempNameFor(name_);
    std::FILE* out = std::fopen(temp.c_str(), "wb");
    if (out == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    ok = ok && std::fflush(out) == 0 && fsync(fileno(out)) == 0;
    ok = std::fclose(out) == 0 && ok;
    if (ok) RunBeforeSwapHook();
    Close();
    if (ok && std::rename(temp.c_str(), name_.c_str()) == 0) return true;
    std::remove(temp.c_str());
    return false;
}

void IniFile::Close() {
    if (handle_ != nullptr) std::fclose(AsFile(handle_));
    handle_ = nullptr;
    writable_ = false;
}

}  // namespace kelvaro
