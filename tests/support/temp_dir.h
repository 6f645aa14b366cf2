// A fresh folder under the system's temporary folder, removed again afterwards; the
// working directory changed for a while; plain whole-file helpers for the bytes a test
// expects. Works in both builds.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>

namespace kelvaro::test {

class TempDir {
public:
    TempDir() {
        static std::atomic<unsigned> counter{0};
        // Several test programs may run at once: the name mixes a random number and the
        // time into the count of this program.
        const auto salt =
            std::random_device{}() ^
            static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() /
            ("kelvaro-test-" + std::to_string(salt) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(folder);
        path_ = folder.string();
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const {
        return (std::filesystem::path(path_) / name).string();
    }
    // The names in the folder, to see that no temporary file was left behind.
    size_t Count() const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                 std::filesystem::directory_iterator()));
    }

private:
    std::string path_;
};

// The names of the files in a folder, to see what a program left behind.
inline std::set<std::string> FileNamesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// The working directory is `path` while this lives, and what it was before afterwards:
// the program's files are opened by their bare names in it.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& path)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~WorkingDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous_;
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
