// The drawing surface's window class: a picture as large as the control, kept across
// repaints and resizes.
#include "ui/canvas_win.h"

#include <algorithm>

#include "common/scoped_win.h"
#include "ui/program_windows_win.h"

namespace kelvaro {
namespace {

constexpr const char* kCanvasClass = "KelvaroCanvas";

struct CanvasState {
    ScopedBitmap picture;
    SIZE size{};
    ScopedMemoryDc drawing;  // open between BeginCanvasDrawing and EndCanvasDrawing
    HGDIOBJ previous = nullptr;
};

CanvasState* CanvasOf(HWND window) {
    char className[32] = {};
    if (window == nullptr || GetClassNameA(window, className, sizeof(className)) == 0 ||
        lstrcmpA(className, kCanvasClass) != 0) {
        return nullptr;
    }
    return reinterpret_cast<CanvasState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// A new white picture of the new size with the old one's pixels kept at the top left, so
// that growing the control shows what was drawn plus white, and shrinking it crops. A
// canvas that was never drawn on has no picture yet and only notes its size.
void ResizePicture(CanvasState& state, int width, int height) {
    if (state.drawing) return;  // never swap the picture out from under a drawing
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == 0 || height == 0) state.picture.reset();
    if (!state.picture) {
        state.size = {width, height};
        return;
    }
    ScopedWindowDc screen(nullptr, GetDC(nullptr));
    if (!screen) return;
    ScopedBitmap picture(CreateCompatibleBitmap(screen.get(), width, height));
    ScopedMemoryDc target(CreateCompatibleDC(screen.get()));
    if (!picture || !target) return;
    {
        ScopedSelect selected(target.get(), picture.get());
        const RECT all{0, 0, width, height};
        FillRect(target.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ScopedMemoryDc source(CreateCompatibleDC(screen.get()));
        if (source) {
            ScopedSelect old(source.get(), state.picture.get());
            BitBlt(target.get(), 0, 0, std::min<int>(width, state.size.cx),
                   std::min<int>(height, state.size.cy), source.get(), 0, 0, SRCCOPY);
        }
    }
    state.picture = std::move(picture);
    state.size = {width, height};
}

// The picture is made white at the canvas's size when it is first drawn on.
bool MakePicture(CanvasState& state) {
    if (state.picture) return true;
    if (state.size.cx <= 0 || state.size.cy <= 0) return false;
    ScopedWindowDc screen(nullptr, GetDC(nullptr));
    if (!screen) return false;
    ScopedBitmap picture(CreateCompatibleBitmap(screen.get(), state.size.cx, state.size.cy));
    ScopedMemoryDc target(CreateCompatibleDC(screen.get()));
    if (!picture || !target) return false;
    {
        ScopedSelect selected(target.get(), picture.get());
        const RECT all{0, 0, state.size.cx, state.size.cy};
        FillRect(target.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    state.picture = std::move(picture);
    return true;
}

void Paint(HWND canvas, const CanvasState& state) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(canvas, &paint);
    if (dc == nullptr) return;
    if (state.picture) {
        ScopedMemoryDc source(CreateCompatibleDC(dc));
        if (source) {
            ScopedSelect selected(source.get(), state.picture.get());
            BitBlt(dc, 0, 0, state.size.cx, state.size.cy, source.get(), 0, 0, SRCCOPY);
        }
    } else {
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    EndPaint(canvas, &paint);
}

LRESULT CALLBACK CanvasProc(HWND canvas, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(canvas, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new CanvasState));
    }
    auto* state = reinterpret_cast<CanvasState*>(GetWindowLongPtrA(canvas, GWLP_USERDATA));
    if (state == nullptr) return DefWindowProcA(canvas, message, wParam, lParam);
    switch (message) {
        case WM_NCDESTROY:
            SetWindowLongPtrA(canvas, GWLP_USERDATA, 0);
            delete state;
            break;
        case WM_SIZE:
            ResizePicture(*state, LOWORD(lParam), HIWORD(lParam));
            InvalidateRect(canvas, nullptr, FALSE);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the picture covers everything
        case WM_PAINT:
            Paint(canvas, *state);
            return 0;
    }
    return DefWindowProcA(canvas, message, wParam, lParam);
}

}  // namespace

bool RegisterCanvasClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = CanvasProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kCanvasClass;
    return RegisterClassExA(&windowClass) != 0;
}

HWND CreateCanvas(ControlId id, HWND parent, const Rect& rect) {
    const HWND canvas = CreateWindowExA(
        0, kCanvasClass, "", WS_CHILD | WS_VISIBLE, rect.x, rect.y, rect.width, rect.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (canvas == nullptr) return nullptr;
    if (CanvasState* state = CanvasOf(canvas)) {
        ResizePicture(*state, rect.width, rect.height);
    }
    RememberControl(id, canvas);
    return canvas;
}

HDC BeginCanvasDrawing(HWND canvas) {
    CanvasState* state = CanvasOf(canvas);
    if (state == nullptr || state->drawing || !MakePicture(*state)) return nullptr;
    state->drawing.reset(CreateCompatibleDC(nullptr));
    if (!state->drawing) return nullptr;
    state->previous = SelectObject(state->drawing.get(), state->picture.get());
    return state->drawing.get();
}

void EndCanvasDrawing(HWND canvas) {
    CanvasState* state = CanvasOf(canvas);
    if (state == nullptr || !state->drawing) return;
    SelectObject(state->drawing.get(), state->previous);
    state->previous = nullptr;
    state->drawing.reset();
    InvalidateRect(canvas, nullptr, FALSE);
}

}  // namespace kelvaro
