// Ending the selected process: OpenProcess by its ID, a look at the image it runs now, and
// TerminateProcess with exit code 1, as the kill list ends processes.
#include "inventory/end_process_win.h"

#include <windows.h>

#include "common/ansi_text.h"
#include "common/scoped_win.h"
#include "inventory/end_process.h"
#include "inventory/process_view_win.h"
#include "ui/message_box_win.h"

namespace kelvaro {
namespace {

// How long the process is given to be gone before the list is taken again.
constexpr DWORD kEndWaitMs = 5000;

// The system's text for an error code, without its line end.
std::string SystemReason(DWORD error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = length > 0 && text != nullptr ? std::string(text, length)
                                                       : "Fehler " + std::to_string(error);
    if (text != nullptr) LocalFree(text);
    while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' ')) {
        reason.pop_back();
    }
    return reason;
}

// The image the process with this ID runs now; empty when it cannot be read.
std::string ImageNameOf(HANDLE process) {
    char path[MAX_PATH * 4] = {};
    DWORD size = sizeof(path);
    if (!QueryFullProcessImageNameA(process, 0, path, &size)) return {};
    return std::string(FileNameOf(std::string_view(path, size)));
}

void ReportFailure(const std::string& reason) {
    ShowMessageBox(kEndProcessFailedText + reason, kEndProcessErrorCaption, MB_OK);
}

}  // namespace

std::string EndProcessById(uint32_t processId, const std::string& name) {
    ScopedHandle process(OpenProcess(
        PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    if (!process) return SystemReason(GetLastError());
    if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) return {};
    // IDs are used again once a process has ended: the ID of the row may by now belong
    // to another program, which is not the one the user asked about.
    if (UpperAnsi(ImageNameOf(process.get())) != UpperAnsi(name)) return kOtherImageReason;
    if (!TerminateProcess(process.get(), 1)) return SystemReason(GetLastError());
    WaitForSingleObject(process.get(), kEndWaitMs);
    return {};
}

bool EndSelectedProcess() {
    const ProcessRecord* record = SelectedProcessRecord();
    if (record == nullptr) return false;
    // Copies: the record belongs to the process list, which a refresh replaces.
    const std::string name = record->Name;
    const uint32_t processId = record->ProcessId;
    if (processId == GetCurrentProcessId()) {
        ReportFailure(kOwnProcessReason);
        return false;
    }
    if (ShowMessageBox(EndProcessQuestion(name, processId), kEndProcessCaption, MB_YESNO) != IDYES) {
        return false;
    }
    const std::string failure = EndProcessById(processId, name);
    if (!failure.empty()) ReportFailure(failure);
    return true;
}

}  // namespace kelvaro
