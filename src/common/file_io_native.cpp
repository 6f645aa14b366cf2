// The portable file seam, over C stdio.
#include <cstdio>

#include "common/file_io.h"

namespace kelvaro {
namespace {

constexpr size_t kBlockSize = 1 << 20;

bool ReadAll(std::FILE* file, std::string& contents) {
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0) contents.reserve(static_cast<size_t>(size));
        std::rewind(file);
    }
    std::string block(kBlockSize, '\0');
    size_t got = 0;
    while ((got = std::fread(block.data(), 1, block.size(), file)) > 0) {
        contents.append(block.data(), got);
    }
    return !std::ferror(file);
}

bool ReadOpenFile(std::FILE* file, std::string& contents) {
    contents.clear();
    const bool ok = ReadAll(file, contents);
    std::fclose(file);
    if (!ok) contents.clear();
    return ok;
}

}  // namespace

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

}  // namespace kelvaro
