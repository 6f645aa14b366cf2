// The snapshot against the real system under Wine: our own process is listed, and a
// kill-list entry ends a running notepad.exe during the walk.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "common/ansi_text.h"
#include "common/scoped_win.h"
#include "inventory/process_snapshot_win.h"
#include "support/test_process_win.h"

namespace kelvaro {
namespace {

std::string OwnExeName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* slash = std::strrchr(path, '\\');
    return slash != nullptr ? slash + 1 : path;
}

bool SnapshotHasProcess(DWORD processId) {
    bool found = false;
    EnumerateProcesses([&](const ProcessEntry& e) { found = found || e.processId == processId; });
    return found;
}

TEST(ProcessSnapshotWin, SnapshotListsOwnExecutableWithThreads) {
    const std::string own = OwnExeName();
    bool found = false;
    EnumerateProcesses([&](const ProcessEntry& entry) {
        if (entry.processId == GetCurrentProcessId()) {
            found = true;
            EXPECT_EQ(std::string(entry.exeFile), own);
            EXPECT_GE(entry.threads, 1);
        }
    });
    EXPECT_TRUE(found);
}

TEST(ProcessSnapshotWin, KillListEntryTerminatesRunningNotepadDuringTheWalk) {
    test::TestProcess notepad(test::kNotepad, {}, true);
    ASSERT_TRUE(notepad.Started()) << "notepad.exe could not be started";
    ASSERT_TRUE(notepad.Running()) << "notepad.exe ended at once (is there a display?)";
    for (int i = 0; i < 400 && !SnapshotHasProcess(notepad.processId()); ++i) Sleep(50);
    ASSERT_TRUE(SnapshotHasProcess(notepad.processId()));

    ProgramKillList() = {{"NOTEPAD.EXE"}};
    RefreshProcessList();
    ProgramKillList().clear();

    EXPECT_TRUE(notepad.EndsWithin(5000));
    EXPECT_EQ(notepad.ExitCode(), 1u);

    const ProcessList& list = ProgramProcesses();
    const bool listed = std::any_of(list.records.begin(), list.records.end(),
                                    [](auto& r) { return UpperAnsi(r.Name) == "NOTEPAD.EXE"; });
    EXPECT_FALSE(listed);
    int64_t sum = 0;
    for (const ProcessRecord& r : list.records) sum += r.Threads;
    EXPECT_EQ(list.threadTotal, sum);
}

// A process that the snapshot listed may end before the kill list comes to it: the
// termination then fails, whether another program still holds the ended process open or
// nobody does any more. The ended process keeps the exit code it ended with.
TEST(ProcessSnapshotWin, TerminatingAnEndedProcessFails) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    char commandLine[] = "cmd.exe /c exit 7";
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &info));
    ScopedHandle process(info.hProcess), thread(info.hThread);
    ASSERT_EQ(WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);

    // Held open by this test: the process object is still there, but it has ended.
    EXPECT_FALSE(TerminateProcessById(info.dwProcessId));
    DWORD exitCode = 0;
    ASSERT_TRUE(GetExitCodeProcess(process.get(), &exitCode));
    EXPECT_EQ(exitCode, 7u);

    // Released by this test too. The system may keep the ended process a moment longer
    // (Wine does, for some hundred milliseconds); either way nothing is terminated.
    thread.reset();
    process.reset();
    EXPECT_FALSE(TerminateProcessById(info.dwProcessId));
}

}  // namespace
}  // namespace kelvaro
