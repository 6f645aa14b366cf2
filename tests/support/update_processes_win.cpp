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

std::string ProcessImagePath(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return {};
    char path[MAX_PATH * 4] = {};
    DWORD size = sizeof(path);
    const bool ok = QueryFullProcessImageNameA(process, 0, path, &size) != 0;
    CloseHandle(process);
    return ok ? std::string(path, size) : std::string();
}

bool SameFile(const std::string& a, const std::string& b) {
    const auto identify = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
        HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        const bool ok = GetFileInformationByHandle(file, &info) != 0;
        CloseHandle(file);
        return ok;
    };
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return identify(a, first) && identify(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

ScopedPathEntry::ScopedPathEntry(const std::string& folder) {
    char value[32768] = {};
    const DWORD length = GetEnvironmentVariableA("PATH", value, sizeof(value));
    previous_.assign(value, length < sizeof(value) ? length : 0);
    SetEnvironmentVariableA("PATH", (folder + ";" + previous_).c_str());
}

ScopedPathEntry::~ScopedPathEntry() {
    SetEnvironmentVariableA("PATH", previous_.c_str());
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
