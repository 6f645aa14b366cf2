// The portable file seam, over C stdio.
#include <sys/stat.h>

#include <cstdio>

#include "common/file_io.h"
#include "common/file_io_native.h"

namespace kelvaro {
namespace {

constexpr size_t kBlockSize = 1 << 20;

bool ReadOpenFile(std::FILE* file, std::string& contents) {
    const bool ok = ReadAllFromStream(file, contents);
    std::fclose(file);
    return ok;
}

}  // namespace

bool ReadAllFromStream(std::FILE* file, std::string& contents) {
    contents.clear();
    // Only a regular file has a size worth reserving; a folder opened as a stream reports
    // nonsense there and fails at the first read.
    struct stat status {};
    if (fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        contents.reserve(static_cast<size_t>(status.st_size));
    }
    std::string block(kBlockSize, '\0');
    size_t got = 0;
    while ((got = std::fread(block.data(), 1, block.size(), file)) > 0) {
        contents.append(block.data(), got);
    }
    if (std::ferror(file)) {
        contents.clear();
        return false;
    }
    return true;
}

bool ReadFileCreatingIfMissing(const std::string& path, std::string& contents) {
    std::FILE* file = std::fopen(path.c_str(), "rb+");
    if (file == nullptr) file = std::fopen(path.c_str(), "wb+");
    if (file == nullptr) {
        contents.clear();
        return false;
    }
    return ReadOpenFile(file, contents);
}

bool ReadWholeFile(const std::string& path, std::string& contents) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        contents.clear();
        return false;
    }
    return ReadOpenFile(file, contents);
}

bool ReadFileStart(const std::string& path, size_t limit, std::string& contents) {
    contents.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    contents.assign(limit, '\0');
    const size_t got = std::fread(contents.data(), 1, limit, file);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    contents.resize(ok ? got : 0);
    return ok;
}

}  // namespace kelvaro
