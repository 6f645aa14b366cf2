// Finding, reading and ending the processes of an update.
#include "support/update_processes_win.h"

#include <tlhelp32.h>

#include <optional>
#include <vector>

#include "support/ui_driver.h"
#include "ui/ids.h"

namespace kelvaro::test {

std::set<DWORD> ProcessesNamed(const std::string& exeName) {
    std::set<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return found;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0) found.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return found;
}

void EndProcess(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (process == nullptr) return;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
}

DWORD WaitForNewProcess(const std::string& exeName, const std::set<DWORD>& before,
                        bool withMainWindow, int timeoutMs) {
    DWORD found = 0;
    WaitUntil(
        [&] {
            for (DWORD id : ProcessesNamed(exeName)) {
                if (before.count(id) == 0 &&
                    (!withMainWindow || !TopLevelWindows(id, "Kelvaro").empty())) {
                    found = id;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

std::string AboutFirstLine(DWORD processId) {
    const std::vector<HWND> windows = TopLevelWindows(processId, "Kelvaro");
    if (windows.empty()) return "<no main window>";
    PostCommand(windows.front(), CmdAbout);
    const std::optional<MessageBoxInfo> box = WaitForMessageBox(processId);
    if (!box) return "<no About box>";
    AnswerMessageBox(*box, IDOK);
    return box->text.substr(0, box->text.find('\n'));
}

}  // namespace kelvaro::test
