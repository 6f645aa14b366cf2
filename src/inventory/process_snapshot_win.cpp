// Process snapshots through Tool Help, and termination of listed processes.
#include <windows.h>
#include <tlhelp32.h>

#include "common/scoped_win.h"
#include "inventory/process_snapshot_win.h"
#include "inventory/process_view_win.h"

namespace kelvaro {
namespace {

struct MainWindowAlert {
    std::function<bool()> isVisible = [] { return true; };
    std::function<void()> bringBack = [] {};
};

MainWindowAlert& Alert() {
    static MainWindowAlert alert;
    return alert;
}

// A process that the snapshot listed may have ended before its turn came. Windows refuses
// to terminate an ended process; Wine reports success, which would hide a process that
// merely ended by itself as if the kill list had ended it. Asked apart from the terminate
// right, so that a process open to termination only is still ended.
bool HasEnded(uint32_t processId) {
    ScopedHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    return process && WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
}

}  // namespace

void EnumerateProcesses(const std::function<void(const ProcessEntry&)>& handler) {
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL ok = Process32First(snapshot.get(), &entry); ok;
         ok = Process32Next(snapshot.get(), &entry)) {
        handler(ProcessEntry{entry.th32ProcessID, static_cast<int32_t>(entry.cntThreads),
                             static_cast<int32_t>(entry.pcPriClassBase), entry.szExeFile});
    }
}

bool TerminateProcessById(uint32_t processId) {
    ScopedHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
    if (!process || HasEnded(processId)) return false;
    return TerminateProcess(process.get(), 1) != FALSE;
}

void SetMainWindowAlert(std::function<bool()> isVisible, std::function<void()> bringBack) {
    Alert() = MainWindowAlert{std::move(isVisible), std::move(bringBack)};
}

void TakeProcessSnapshot() {
    const SnapshotServices services{TerminateProcessById, Alert().isVisible, Alert().bringBack,
                                    GetCurrentProcessId()};
    SnapshotWalk walk(ProgramProcesses(), ProgramKillList(), ProgramDefinitions(), services);
    EnumerateProcesses([&walk](const ProcessEntry& entry) { walk.OnProcessFound(entry); });
}

void RefreshProcessList() {
    ProgramProcesses().Clear();
    TakeProcessSnapshot();
    SortProcessList();
    FillProcessList();
}

}  // namespace kelvaro
