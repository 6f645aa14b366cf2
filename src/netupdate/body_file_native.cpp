// The download's temporary file over POSIX calls: mkstemp in the target's folder and an
// atomic rename over the target.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

#include "netupdate/body_file.h"

namespace kelvaro::net {

TempFile::~TempFile() {
    Remove();
}

bool TempFile::CreateBeside(const std::string& targetPath) {
    const size_t slash = targetPath.rfind('/');
    std::string pattern =
        slash == std::string::npos ? std::string(".") : targetPath.substr(0, slash + 1);
    pattern += "/.kelvaro-download-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return false;
    path_ = pattern;
    std::FILE* file = fdopen(fd, "w+b");
    if (file == nullptr) {
        close(fd);
        Remove();
        return false;
    }
    // The download hands over large batches; a stdio buffer would only split them.
    std::setvbuf(file, nullptr, _IONBF, 0);
    handle_ = file;
    return true;
}

bool TempFile::Write(const char* data, size_t size) {
    return std::fwrite(data, 1, size, static_cast<std::FILE*>(handle_)) == size;
}

bool TempFile::Close() {
    if (handle_ == nullptr) return false;
    const bool ok = std::fclose(static_cast<std::FILE*>(handle_)) == 0;
    handle_ = nullptr;
    return ok;
}

AttemptOutcome TempFile::MoveOver(const std::string& targetPath) {
    if (handle_ != nullptr || path_.empty()) return AttemptOutcome::Failed;
    if (std::rename(path_.c_str(), targetPath.c_str()) != 0) return AttemptOutcome::Failed;
    path_.clear();
    return AttemptOutcome::Done;
}

void TempFile::Remove() {
    if (handle_ != nullptr) std::fclose(static_cast<std::FILE*>(handle_));
    handle_ = nullptr;
    if (!path_.empty()) unlink(path_.c_str());
    path_.clear();
}

}  // namespace kelvaro::net
