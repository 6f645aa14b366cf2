// RAII owners for Win32 handles, device contexts, GDI objects, icons, menus and COM
// pointers: non-copyable, movable, released on every path.
#pragma once

#include <windows.h>

#include <utility>

namespace kelvaro {

// Owns one value of type T and releases it with Traits::Release unless it is empty.
template <typename T, typename Traits>
class Scoped {
public:
    Scoped() = default;
    explicit Scoped(T value) : value_(value) {}
    ~Scoped() { reset(); }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& other) noexcept : value_(other.release()) {}
    Scoped& operator=(Scoped&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    T get() const { return value_; }
    explicit operator bool() const { return !Traits::IsEmpty(value_); }
    T release() { return std::exchange(value_, Traits::Empty()); }
    void reset(T value = Traits::Empty()) {
        if (!Traits::IsEmpty(value_)) Traits::Release(value_);
        value_ = value;
    }

private:
    T value_ = Traits::Empty();
};

// Tool Help and CreateFile report failure as INVALID_HANDLE_VALUE, others as null: both
// count as empty.
struct HandleTraits {
    static HANDLE Empty() { return nullptr; }
    static bool IsEmpty(HANDLE h) { return h == nullptr || h == INVALID_HANDLE_VALUE; }
    static void Release(HANDLE h) { CloseHandle(h); }
};
using ScopedHandle = Scoped<HANDLE, HandleTraits>;

template <typename T>
struct GdiObjectTraits {
    static T Empty() { return nullptr; }
    static bool IsEmpty(T h) { return h == nullptr; }
    static void Release(T h) { DeleteObject(h); }
};
using ScopedFont = Scoped<HFONT, GdiObjectTraits<HFONT>>;
using ScopedBitmap = Scoped<HBITMAP, GdiObjectTraits<HBITMAP>>;
using ScopedBrush = Scoped<HBRUSH, GdiObjectTraits<HBRUSH>>;

struct IconTraits {
    static HICON Empty() { return nullptr; }
    static bool IsEmpty(HICON h) { return h == nullptr; }
    static void Release(HICON h) { DestroyIcon(h); }
};
using ScopedIcon = Scoped<HICON, IconTraits>;

struct MenuTraits {
    static HMENU Empty() { return nullptr; }
    static bool IsEmpty(HMENU h) { return h == nullptr; }
    static void Release(HMENU h) { DestroyMenu(h); }
};
using ScopedMenu = Scoped<HMENU, MenuTraits>;

struct MemoryDcTraits {
    static HDC Empty() { return nullptr; }
    static bool IsEmpty(HDC h) { return h == nullptr; }
    static void Release(HDC h) { DeleteDC(h); }
};
using ScopedMemoryDc = Scoped<HDC, MemoryDcTraits>;

// A DC from GetDC or GetWindowDC, released against the window it came from.
class ScopedWindowDc {
public:
    ScopedWindowDc(HWND window, HDC dc) : window_(window), dc_(dc) {}
    ~ScopedWindowDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a DC and puts the previous one back at scope end.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Holds one reference of a COM interface.
template <typename I>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    I* get() const { return ptr_; }
    I* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    // For the out-parameter of CoCreateInstance and QueryInterface.
    void** put() {
        reset();
        return reinterpret_cast<void**>(&ptr_);
    }
    void reset() {
        if (ptr_ != nullptr) std::exchange(ptr_, nullptr)->Release();
    }

private:
    I* ptr_ = nullptr;
};

}  // namespace kelvaro
