// Splitting of download URLs and the text of the one GET request sent per connection.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvaro::net {

constexpr uint16_t kDefaultHttpPort = 80;

struct UrlParts {
    std::string host;
    uint16_t port = kDefaultHttpPort;
    std::string path;  // after the first "/" behind "://", query and fragment included
};

// scheme "://" [user information "@"] host [":" port] ["/" path-and-rest]. The scheme is
// not examined and user information is dropped. Empty when the separator or the host is
// missing, the port is not a number from 1 to 65535, or the text holds control
// characters (they would end the request line early and smuggle in header lines).
std::optional<UrlParts> SplitUrl(std::string_view url);

// "GET /<path> HTTP/1.1" with the Accept, Host and Connection lines; the Host line names
// the port only when it is not 80.
std::string BuildRequest(const UrlParts& parts);

}  // namespace kelvaro::net
