// Processes of the update tests that no ProgramUnderTest owns: the updater the main
// program starts, and the program the updater starts.
#pragma once

#include <windows.h>

#include <set>
#include <string>

namespace kelvaro::test {

// The ids of the running processes with this executable name.
std::set<DWORD> ProcessesNamed(const std::string& exeName);

// Ends the process and waits for it to go.
void EndProcess(DWORD processId);

// A process of that name that was not among `before`; with `withMainWindow`, only once it
// shows a top-level window titled "Kelvaro". 0 when none came up within the time.
DWORD WaitForNewProcess(const std::string& exeName, const std::set<DWORD>& before,
                        bool withMainWindow, int timeoutMs = 20000);

// The full path of the program file a running process was started from; empty when the
// process is gone.
std::string ProcessImagePath(DWORD processId);

// Whether two paths name the same file (the same file on the same volume, however the
// paths are spelled); false when either cannot be opened.
bool SameFile(const std::string& a, const std::string& b);

// A folder put in front of PATH for this process and the programs it starts, while this
// lives.
class ScopedPathEntry {
public:
    explicit ScopedPathEntry(const std::string& folder);
    ~ScopedPathEntry();
    ScopedPathEntry(const ScopedPathEntry&) = delete;
    ScopedPathEntry& operator=(const ScopedPathEntry&) = delete;

private:
    std::string previous_;
};

// The first line of the About box of a running main program (opened and closed again).
std::string AboutFirstLine(DWORD processId);

}  // namespace kelvaro::test
