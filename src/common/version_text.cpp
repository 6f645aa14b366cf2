// The version comparison.
#include "common/version_text.h"

#include "common/number_reader.h"

namespace kelvaro {

ProgramVersion ParseVersion(std::string_view text) {
    const size_t dot = text.find('.');
    ProgramVersion version;
    version.major = ReadNumber(text.substr(0, dot));
    if (dot == std::string_view::npos) return version;
    const std::string_view rest = text.substr(dot + 1);
    version.minor = ReadNumber(rest.substr(0, rest.find('.')));
    return version;
}

bool IsNewerVersion(std::string_view candidate, std::string_view running) {
    const ProgramVersion server = ParseVersion(candidate);
    const ProgramVersion own = ParseVersion(running);
    return server.major > own.major || (server.major == own.major && server.minor > own.minor);
}

}  // namespace kelvaro
