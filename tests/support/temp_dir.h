// A fresh temporary folder per test, removed again afterwards.
#pragma once

#include <string>

namespace kelvaro::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const;

private:
    std::string path_;
};

}  // namespace kelvaro::test
