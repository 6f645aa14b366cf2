// Starts the window target program for a test and ends it again afterwards.
#include "support/window_target_process.h"

namespace kelvaro::test {
namespace {

constexpr DWORD kStartTimeoutMs = 20000;

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM context) {
    auto& collected = *reinterpret_cast<ProcessWindows*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == collected.processId) collected.windows.push_back(window);
    return TRUE;
}

HWND FindMainWindow(DWORD processId) {
    for (HWND window : TopLevelWindowsOf(processId)) {
        char name[64] = {};
        GetClassNameA(window, name, sizeof(name));
        if (std::string(name) == kTargetMainClass) return window;
    }
    return nullptr;
}

}  // namespace

std::string WindowTargetPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of('\\') + 1);
    return folder + kWindowTargetExe;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    ProcessWindows collected{processId, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&collected));
    return collected.windows;
}

bool WaitForGone(HWND window) {
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start > 5000) return false;
        Sleep(20);
    }
    return true;
}

WindowTargetProcess::WindowTargetProcess(const std::string& exePath, const std::string& arguments) {
    std::string commandLine = "\"" + exePath + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    WaitForInputIdle(process_, kStartTimeoutMs);
    const DWORD start = GetTickCount();
    while ((mainWindow_ = FindMainWindow(processId_)) == nullptr &&
           GetTickCount() - start < kStartTimeoutMs &&
           WaitForSingleObject(process_, 20) == WAIT_TIMEOUT) {
    }
}

WindowTargetProcess::~WindowTargetProcess() {
    if (process_ == nullptr) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 0);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool WindowTargetProcess::Command(TargetCommand command, LPARAM argument) const {
    static const UINT message = RegisterWindowMessageA(kTargetCommandMessage);
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(mainWindow_, message, command, argument, SMTO_ABORTIFHUNG, 5000,
                               &result) != 0 &&
           result == 1;
}

}  // namespace kelvaro::test
