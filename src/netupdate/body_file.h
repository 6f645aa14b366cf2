// The file a download writes: a temporary file in the target's folder that replaces the
// target only once the body is complete, so a failed download never damages the file that
// was there before.
#pragma once

#include <string>

#include "common/busy_retry.h"

namespace kelvaro::net {

class TempFile {
public:
    TempFile() = default;
    ~TempFile();  // removes the file unless it replaced the target
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Creates a new empty file in the folder of `targetPath`, open for reading and
    // writing and shared for reading only.
    bool CreateBeside(const std::string& targetPath);
    bool IsOpen() const { return handle_ != nullptr; }
    // False when the bytes could not all be written.
    bool Write(const char* data, size_t size);
    // Closes the file; false when its contents could not be written out.
    bool Close();
    // Moves the closed file over `targetPath`. Busy when another program holds the
    // target (a running program holds its exe), so a later try may succeed.
    AttemptOutcome MoveOver(const std::string& targetPath);

private:
    void Remove();

    void* handle_ = nullptr;
    std::string path_;
};

}  // namespace kelvaro::net
