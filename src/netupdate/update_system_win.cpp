// The system's services for the update steps of both programs.
#include "netupdate/update_system.h"

#include <windows.h>

#include "common/file_io.h"

namespace kelvaro {

void UseSystemServices(UpdateSystemServices& services) {
    services.download = [](const std::string& url, const std::string& file,
                           const DownloadExpectation* expected, int32_t maxSize) {
        return DownloadToFile(url.c_str(), file.c_str(), expected, maxSize);
    };
    // Tells a file that cannot be opened or read from an empty one, so that the steps end
    // rather than take it for empty.
    services.readFileStart = ReadFileStart;
    services.deleteFile = [](const std::string& file) { DeleteFileA(file.c_str()); };
    // Only by a full path: the update path never lets the system search for a program.
    services.startProgram = StartProgramFile;
}

}  // namespace kelvaro
