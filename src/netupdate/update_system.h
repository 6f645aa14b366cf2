// What the update steps of both programs take from the system, as services they are handed:
// a download from the update server, the start of a file read, a file deleted, and another
// program started. The programs hand in the real ones (UseSystemServices), the tests
// recorded ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "netupdate/netupdate.h"

namespace kelvaro {

struct UpdateSystemServices {
    // DownloadToFile: the number of bytes stored, 0 on failure (also for a body that does
    // not meet the expectation, when one is given, or is larger than `maxSize` when that
    // is not 0).
    std::function<int32_t(const std::string& url, const std::string& file,
                          const DownloadExpectation* expected, int32_t maxSize)>
        download;
    // The first `limit` bytes of a file, or all of a shorter one; false when it cannot be
    // opened or read.
    std::function<bool(const std::string& file, size_t limit, std::string& bytes)> readFileStart;
    std::function<void(const std::string& file)> deleteFile;
    // Starts the program file at a full path, without any search; nonzero on success.
    std::function<int(const std::string& program, const std::string& parameters,
                      const std::string& directory)>
        startProgram;
};

// Fills the services with the running program's own: DownloadToFile, ReadFileStart,
// DeleteFileA and StartProgramFile. Windows only.
void UseSystemServices(UpdateSystemServices& services);

}  // namespace kelvaro
