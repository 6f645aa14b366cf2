// Starts another program without waiting for it: CreateProcessA first, the shell when
// that fails; or, for the update path, exactly the file at a full path.
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <vector>

#include "common/scoped_win.h"
#include "netupdate/launcher.h"
#include "netupdate/netupdate.h"

namespace kelvaro {
namespace {

const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

// With an application name CreateProcessA takes exactly that file; without one it takes
// the program from the command line and searches for it.
bool CreateProgramProcess(const std::string& program, const std::string& parameters,
                          const std::string& directory, bool exactFile) {
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    const std::string line = net::BuildCommandLine(program, parameters);
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(exactFile ? program.c_str() : nullptr, commandLine.data(), nullptr, nullptr,
                        FALSE, NORMAL_PRIORITY_CLASS, nullptr, OrNull(directory), &startup,
                        &started)) {
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

// The shell finds what CreateProcessA does not (registered application paths, documents).
// Its own error box stays shut: a failed start is reported only by the result.
bool ShellStartProgram(const std::string& program, const std::string& parameters,
                       const std::string& directory) {
    const std::string folder = net::ShellDirectoryFor(program, directory);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "";
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = OrNull(folder);
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info)) return false;
    ScopedHandle process(info.hProcess);
    return true;
}

}  // namespace

int StartProgram(const std::string& program, const std::string& parameters,
                 const std::string& directory) {
    if (CreateProgramProcess(program, parameters, directory, false)) return 1;
    return ShellStartProgram(program, parameters, directory) ? 1 : 0;
}

int StartProgramFile(const std::string& path, const std::string& parameters,
                     const std::string& directory) {
    if (path.empty()) return 0;
    return CreateProgramProcess(path, parameters, directory, true) ? 1 : 0;
}

}  // namespace kelvaro
