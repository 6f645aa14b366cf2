// A fresh temporary folder per test, removed again afterwards.
#include "support/temp_dir.h"

#include <windows.h>

#include <filesystem>
#include <string>

namespace kelvaro::test {

TempDir::TempDir() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    path_ = std::string(base) + "kelvaro-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::File(const std::string& name) const {
    return path_ + "\\" + name;
}

}  // namespace kelvaro::test
