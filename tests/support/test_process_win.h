// A process that a test starts and watches, ended when it goes out of scope: Wine's
// notepad, or the start probe copied under another name.
#pragma once

#include <windows.h>

#include <string>

namespace kelvaro::test {

// Wine's own editor, a handy process for the kill list to end.
inline constexpr const char* kNotepad = "notepad.exe";

class TestProcess {
public:
    // Starts the command line in `folder` (the test's own when empty). With `waitForInput`
    // the constructor returns once the process takes input (at most 10 s).
    explicit TestProcess(const std::string& commandLine, const std::string& folder = {},
                         bool waitForInput = false);
    ~TestProcess() { End(); }
    TestProcess(const TestProcess&) = delete;
    TestProcess& operator=(const TestProcess&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD processId() const { return info_.dwProcessId; }
    bool Running() const;
    bool EndsWithin(int milliseconds) const;
    // The exit code; STILL_ACTIVE while it runs. Whoever ended it chose the code: the kill
    // list ends processes with 1, End with 0.
    DWORD ExitCode() const;
    // Ends the process (if it still runs) and waits for it to go.
    void End();

private:
    PROCESS_INFORMATION info_{};
};

}  // namespace kelvaro::test
