// Splitting of download URLs and the text of the one GET request sent per connection.
#include "netupdate/url.h"

#include <algorithm>

namespace kelvaro::net {
namespace {

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// Decimal digits only; nothing after the colon means the default port.
std::optional<uint16_t> ReadPort(std::string_view text) {
    if (text.empty()) return kDefaultHttpPort;
    uint32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint32_t>(c - '0');
        if (value > 65535) return std::nullopt;
    }
    if (value == 0) return std::nullopt;
    return static_cast<uint16_t>(value);
}

}  // namespace

std::optional<UrlParts> SplitUrl(std::string_view url) {
    if (std::any_of(url.begin(), url.end(), IsControl)) return std::nullopt;
    const size_t separator = url.find("://");
    if (separator == std::string_view::npos) return std::nullopt;
    const std::string_view rest = url.substr(separator + 3);

    const size_t slash = rest.find('/');
    const std::string_view authority = rest.substr(0, slash);
    const std::string_view path =
        slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);

    // Only the host of the authority counts: user information ends at its last "@".
    const size_t at = authority.rfind('@');
    const std::string_view hostAndPort =
        at == std::string_view::npos ? authority : authority.substr(at + 1);
    const size_t colon = hostAndPort.find(':');
    const std::string_view host = hostAndPort.substr(0, colon);
    if (host.empty()) return std::nullopt;

    const std::optional<uint16_t> port = ReadPort(
        colon == std::string_view::npos ? std::string_view() : hostAndPort.substr(colon + 1));
    if (!port) return std::nullopt;
    return UrlParts{std::string(host), *port, std::string(path)};
}

std::string BuildRequest(const UrlParts& parts) {
    std::string request = "GET /";
    request.append(parts.path).append(" HTTP/1.1\r\nAccept: */*\r\nHost: ").append(parts.host);
    if (parts.port != kDefaultHttpPort) request.append(":").append(std::to_string(parts.port));
    request.append("\r\nConnection: close\r\n\r\n");
    return request;
}

}  // namespace kelvaro::net
