// Processes started by the tests.
#include "support/test_process_win.h"

namespace kelvaro::test {

TestProcess::TestProcess(const std::string& commandLine, const std::string& folder,
                         bool waitForInput) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info_)) {
        info_ = {};
        return;
    }
    if (waitForInput) WaitForInputIdle(info_.hProcess, 10000);
}

bool TestProcess::Running() const {
    return Started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool TestProcess::EndsWithin(int milliseconds) const {
    return Started() &&
           WaitForSingleObject(info_.hProcess, static_cast<DWORD>(milliseconds)) == WAIT_OBJECT_0;
}

DWORD TestProcess::ExitCode() const {
    DWORD code = 0;
    if (Started()) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void TestProcess::End() {
    if (!Started()) return;
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = {};
}

}  // namespace kelvaro::test
