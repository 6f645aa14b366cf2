// The texts the program launcher hands to the system: the command line for CreateProcessA
// and the folder for the shell's fallback.
#pragma once

#include <string>

namespace kelvaro::net {

// The program in double quotes (unchanged when it already begins with one), then one
// blank and the parameters when there are any.
std::string BuildCommandLine(const std::string& program, const std::string& parameters);

// The shell's working folder: `directory` when given, else the program's folder up to and
// including its last backslash when that is not its first character, else empty (none).
std::string ShellDirectoryFor(const std::string& program, const std::string& directory);

}  // namespace kelvaro::net
