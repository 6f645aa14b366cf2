// The texts the program launcher hands to the system.
#include "netupdate/launcher.h"

namespace kelvaro::net {

std::string BuildCommandLine(const std::string& program, const std::string& parameters) {
    std::string line = !program.empty() && program.front() == '"' ? program : '"' + program + '"';
    if (!parameters.empty()) line += ' ' + parameters;
    return line;
}

std::string ShellDirectoryFor(const std::string& program, const std::string& directory) {
    if (!directory.empty()) return directory;
    const size_t backslash = program.rfind('\\');
    if (backslash == std::string::npos || backslash == 0) return {};
    return program.substr(0, backslash + 1);
}

}  // namespace kelvaro::net
