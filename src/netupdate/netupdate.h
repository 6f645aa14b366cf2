// The network and launcher facilities both programs share: the socket layer's start and
// end, downloads of one resource into a file over HTTP/1.1, and the start of another
// program.
#pragma once

#include <cstdint>
#include <string>

#include "signing/sha256.h"

namespace kelvaro {

// Starts the socket layer (Winsock 1.1). Called once at program start; the caller keeps
// the result.
bool StartNetwork();

// Ends the socket layer when StartNetwork had started it. Called once at program end.
void StopNetwork();

// What a download must deliver when the update manifest names the file.
struct DownloadExpectation {
    int32_t size = 0;
    signing::Sha256Digest sha256{};
};

// Fetches `url` (http://[user@]host[:port][/path]) and stores its body at `targetPath`.
// Returns the number of body bytes stored, or 0 on failure; an existing target file is
// replaced only by a complete body and is left as it was on every failure. With an
// expectation, a body of another size or SHA-256 is such a failure; with a maximum size
// (`maxSize` > 0), so is a larger body: an announced length beyond it is refused before the
// body, and a chunked or open-ended body is stopped when it passes it.
int32_t DownloadToFile(const char* url, const char* targetPath,
                       const DownloadExpectation* expected = nullptr, int32_t maxSize = 0);

// Starts `program` with `parameters` in `directory` (the caller's own when empty) and does
// not wait for it. Nonzero on success. Windows only.
int StartProgram(const std::string& program, const std::string& parameters,
                 const std::string& directory);

// Starts the program file at `path` (a full path) the same way, but without any search and
// without the shell: exactly that file runs, and a missing one is a failed start. The
// update path starts its programs so, so that a file of the same name planted in the
// system's folders, on the PATH or among the shell's registered programs never runs.
int StartProgramFile(const std::string& path, const std::string& parameters,
                     const std::string& directory);

}  // namespace kelvaro
