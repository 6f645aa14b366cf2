// A fresh folder under the system's temporary folder, removed again afterwards; plain
// whole-file helpers for the bytes a test expects there. Works in both builds.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace kelvaro::test {

class ScratchFolder {
public:
    ScratchFolder() {
        static std::atomic<unsigned> counter{0};
        const auto salt =
            std::random_device{}() ^
            static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
        path_ = std::filesystem::temp_directory_path() /
                ("kelvaro-net-" + std::to_string(salt) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path() const { return path_.string(); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // The names in the folder, to see that no temporary file was left behind.
    size_t Count() const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                 std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The file's bytes, or "<missing>" when it cannot be opened.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace kelvaro::test
