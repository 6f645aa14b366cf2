// Where the update path finds the programs it starts and replaces: full paths, which
// StartProgramFile starts without any search, and the version of a program file. Windows
// only.
#pragma once

#include <string>

namespace kelvaro {

// `fileName` in the folder of the running program's own file; empty when that path is
// not known.
std::string BesideOwnProgram(const std::string& fileName);

// The full path of `path` as the system resolves it against the working folder; empty
// when it cannot be resolved.
std::string FullPathOf(const std::string& path);

// The version "major.minor" of a program file's version resource; empty when the file is
// missing or has no version resource.
std::string ProgramFileVersion(const std::string& path);

}  // namespace kelvaro
