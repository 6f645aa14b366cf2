// The network and launcher facilities both programs share: the socket layer's start and
// end, downloads of one resource into a file over HTTP/1.1, and the start of another
// program.
#pragma once

#include <cstdint>
#include <string>

namespace kelvaro {

// Starts the socket layer (Winsock 1.1). Called once at program start; the caller keeps
// the result.
bool StartNetwork();

// Ends the socket layer when StartNetwork had started it. Called once at program end.
void StopNetwork();

// Fetches `url` (http://[user@]host[:port][/path]) and stores its body at `targetPath`.
// Returns the number of body bytes stored, or 0 on failure; an existing target file is
// replaced only by a complete body and is left as it was on every failure.
int32_t DownloadToFile(const char* url, const char* targetPath);

// Starts `program` with `parameters` in `directory` (the caller's own when empty) and does
// not wait for it. Nonzero on success. Windows only.
int StartProgram(const std::string& program, const std::string& parameters,
                 const std::string& directory);

}  // namespace kelvaro
