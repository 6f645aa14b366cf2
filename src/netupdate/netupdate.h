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
// expectation, a body of another size or SHA-256 is such a failure.
int32_t DownloadToFile(const char* url, const char* targetPath,
                       const DownloadExpectation* expected = nullptr);

// Starts `program` with `parameters` in `directory` (the caller's own when empty) and does
// not wait for it. Nonzero on success. Windows only.
int StartProgram(const std::string& program, const std::string& parameters,
                 const std::string& directory);

}  // namespace kelvaro
