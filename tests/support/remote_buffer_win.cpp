// Memory inside the process that owns a window, and the time-limited send that uses it.
#include "support/remote_buffer_win.h"

#include <vector>

namespace kelvaro::test {

RemoteBuffer::RemoteBuffer(HWND window, size_t size) : size_(size) {
    DWORD processId = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &processId) == 0) return;
    process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                   PROCESS_QUERY_INFORMATION,
                               FALSE, processId));
    if (!process_) return;
    address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE,
                              PAGE_READWRITE);
    // Fresh pages are zero, so structures written only partly start cleared.
}

RemoteBuffer::~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(const void* data, size_t size, size_t offset) const {
    if (address_ == nullptr || offset + size > size_) return false;
    SIZE_T written = 0;
    return WriteProcessMemory(process_.get(), At(offset), data, size, &written) &&
           written == size;
}

bool RemoteBuffer::Read(void* data, size_t size, size_t offset) const {
    if (address_ == nullptr || offset + size > size_) return false;
    SIZE_T read = 0;
    return ReadProcessMemory(process_.get(), At(offset), data, size, &read) && read == size;
}

std::string RemoteBuffer::Text(size_t offset, size_t capacity) const {
    std::vector<char> bytes(capacity + 1, '\0');
    if (!Read(bytes.data(), capacity, offset)) return {};
    return std::string(bytes.data());
}

std::optional<LRESULT> TrySend(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs,
                             &result)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return TrySend(window, message, wParam, lParam).value_or(0);
}

}  // namespace kelvaro::test
