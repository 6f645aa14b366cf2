// Any text either fails to split or gives a host and a path that make a request of
// exactly three header lines and the empty line: nothing in a URL can add a line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "netupdate/url.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view url(reinterpret_cast<const char*>(data), size);
    const auto parts = kelvaro::net::SplitUrl(url);
    if (!parts) return 0;
    if (parts->host.empty() || parts->host.find_first_of(":/@") != std::string::npos) {
        __builtin_trap();
    }
    if (parts->port == 0) __builtin_trap();
    // The path is the URL's own tail, unchanged.
    if (url.substr(url.size() - parts->path.size()) != parts->path) __builtin_trap();
    if (url.find(parts->host) == std::string_view::npos) __builtin_trap();

    const std::string request = kelvaro::net::BuildRequest(*parts);
    size_t lineEnds = 0;
    for (size_t i = 0; i < request.size(); ++i) {
        if (request[i] == '\r' || request[i] == '\n') {
            if (request.compare(i, 2, "\r\n") != 0) __builtin_trap();
            ++lineEnds;
            ++i;
        }
    }
    if (lineEnds != 5 || request.compare(0, 5, "GET /") != 0) __builtin_trap();
    return 0;
}
