// Memory inside the process that owns a window, for the control messages whose structures
// and text buffers the control reads and writes in its own address space.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "common/scoped_win.h"

namespace kelvaro::test {

// The driver and the programs it reads are both 64-bit, so the control structures (LVITEMA,
// TVITEMA, TBBUTTON, TTTOOLINFOA) have the same layout on both sides.
static_assert(sizeof(void*) == 8, "the UI driver reads 64-bit programs from a 64-bit process");

// A block of memory committed in the owner process of a window and freed again at scope end.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    explicit operator bool() const { return address_ != nullptr; }
    // The address of a byte of the block, valid only inside the owner process.
    void* At(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
    LPARAM Param(size_t offset = 0) const { return reinterpret_cast<LPARAM>(At(offset)); }

    bool Write(const void* data, size_t size, size_t offset = 0) const;
    bool Read(void* data, size_t size, size_t offset = 0) const;
    template <typename T>
    bool Put(const T& value, size_t offset = 0) const {
        return Write(&value, sizeof(T), offset);
    }
    template <typename T>
    bool Get(T& value, size_t offset = 0) const {
        return Read(&value, sizeof(T), offset);
    }
    // A zero-terminated single-byte text stored at the offset (at most `capacity` bytes).
    std::string Text(size_t offset, size_t capacity) const;

private:
    ScopedHandle process_;
    void* address_ = nullptr;
    size_t size_ = 0;
};

// How long the driver waits for a window to answer a sent message.
inline constexpr UINT kSendTimeoutMs = 5000;

// SendMessageTimeout with the driver's time limit: the result, or none when the window
// does not answer (hung, or gone).
std::optional<LRESULT> TrySend(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The same with 0 for a window that does not answer.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

}  // namespace kelvaro::test
