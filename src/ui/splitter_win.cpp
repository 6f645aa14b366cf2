// The splitter control's window class: pane placement, bar dragging, and passing the
// panes' notifications on to the parent.
#include "ui/splitter_win.h"

#include "ui/dpi_win.h"
#include "ui/program_windows_win.h"

namespace kelvaro {
namespace {

constexpr const char* kSplitterClass = "KelvaroSplitter";

struct SplitterState {
    explicit SplitterState(const SplitterModel& m) : model(m) {}
    SplitterModel model;
    HWND first = nullptr;
    HWND second = nullptr;
    bool dragging = false;
    int grabOffset = 0;  // where on the bar the mouse took hold of it
};

SplitterState* StateOf(HWND splitter) {
    return reinterpret_cast<SplitterState*>(GetWindowLongPtrA(splitter, GWLP_USERDATA));
}

// The state of a window that is known to be a splitter, or null for any other window.
SplitterState* SplitterOf(HWND window) {
    char className[32] = {};
    if (window == nullptr || GetClassNameA(window, className, sizeof(className)) == 0) {
        return nullptr;
    }
    return lstrcmpA(className, kSplitterClass) == 0 ? StateOf(window) : nullptr;
}

bool IsVertical(const SplitterState& state) {
    return state.model.bar() == SplitterBar::Vertical;
}

int AlongBar(const SplitterState& state, LPARAM point) {
    // Mouse positions are signed 16-bit values; a captured mouse may lie left of or above
    // the splitter.
    const int x = static_cast<short>(LOWORD(point));
    const int y = static_cast<short>(HIWORD(point));
    return IsVertical(state) ? x : y;
}

void MovePane(HWND pane, const Rect& rect) {
    if (pane != nullptr) MoveWindow(pane, rect.x, rect.y, rect.width, rect.height, TRUE);
}

void LayoutPanes(HWND splitter, SplitterState& state) {
    RECT client{};
    GetClientRect(splitter, &client);
    const bool vertical = IsVertical(state);
    state.model.Resize(vertical ? client.right : client.bottom);
    const SplitterModel::Panes panes = state.model.Layout(vertical ? client.bottom : client.right);
    MovePane(state.first, panes.first);
    MovePane(state.second, panes.second);
    const RECT bar{panes.bar.x, panes.bar.y, panes.bar.x + panes.bar.width,
                   panes.bar.y + panes.bar.height};
    InvalidateRect(splitter, &bar, TRUE);
}

void OnBarPress(HWND splitter, SplitterState& state, LPARAM point) {
    state.dragging = true;
    state.grabOffset = AlongBar(state, point) - state.model.firstPane();
    SetCapture(splitter);
}

void OnBarDrag(HWND splitter, SplitterState& state, LPARAM point) {
    if (!state.dragging) return;
    state.model.DragBarTo(AlongBar(state, point) - state.grabOffset);
    LayoutPanes(splitter, state);
}

void OnBarRelease(SplitterState& state) {
    if (!state.dragging) return;
    state.dragging = false;
    ReleaseCapture();
}

bool OnSetCursor(HWND splitter, const SplitterState& state, WPARAM over, LPARAM hit) {
    if (reinterpret_cast<HWND>(over) != splitter || LOWORD(hit) != HTCLIENT) return false;
    SetCursor(LoadCursorA(nullptr, IsVertical(state) ? IDC_SIZEWE : IDC_SIZENS));
    return true;
}

LRESULT CALLBACK SplitterProc(HWND splitter, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The state is the window's own from here on and freed at WM_NCDESTROY, which the
        // window system also sends when the creation fails after this point.
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const auto* model = static_cast<const SplitterModel*>(create->lpCreateParams);
        SetWindowLongPtrA(splitter, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new SplitterState(*model)));
    }
    SplitterState* state = StateOf(splitter);
    if (state == nullptr) return DefWindowProcA(splitter, message, wParam, lParam);
    switch (message) {
        case WM_NCDESTROY:
            SetWindowLongPtrA(splitter, GWLP_USERDATA, 0);
            delete state;
            break;
        case WM_SIZE:
            LayoutPanes(splitter, *state);
            return 0;
        case WM_LBUTTONDOWN:
            OnBarPress(splitter, *state, lParam);
            return 0;
        case WM_MOUSEMOVE:
            OnBarDrag(splitter, *state, lParam);
            return 0;
        case WM_LBUTTONUP:
            OnBarRelease(*state);
            return 0;
        case WM_CAPTURECHANGED:
            state->dragging = false;
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor(splitter, *state, wParam, lParam)) return TRUE;
            break;
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            return SendMessageA(GetParent(splitter), message, wParam, lParam);
    }
    return DefWindowProcA(splitter, message, wParam, lParam);
}

}  // namespace

bool RegisterSplitterClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = SplitterProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kSplitterClass;
    return RegisterClassExA(&windowClass) != 0;
}

HWND CreateSplitter(ControlId id, HWND parent, SplitterBar bar, FixedPane fixed, const Rect& rect,
                    int firstPane) {
    const int length = bar == SplitterBar::Vertical ? rect.width : rect.height;
    const int thickness = Scaled(parent, kSplitterBarThickness);
    const SplitterModel model = firstPane < 0
                                    ? SplitterModel::Halved(bar, fixed, length, thickness)
                                    : SplitterModel(bar, fixed, length, firstPane, thickness);
    const HWND splitter = CreateWindowExA(
        0, kSplitterClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect.x,
        rect.y, rect.width, rect.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        GetModuleHandleA(nullptr), const_cast<SplitterModel*>(&model));
    if (splitter == nullptr) return nullptr;
    RememberControl(id, splitter);
    return splitter;
}

void SetSplitterPanes(HWND splitter, HWND first, HWND second) {
    SplitterState* state = SplitterOf(splitter);
    if (state == nullptr) return;
    state->first = first;
    state->second = second;
    LayoutPanes(splitter, *state);
}

int SplitterPosition(HWND splitter) {
    const SplitterState* state = SplitterOf(splitter);
    return state != nullptr ? state->model.firstPane() : -1;
}

void RescaleSplitter(HWND splitter, int fromDpi, int toDpi) {
    SplitterState* state = SplitterOf(splitter);
    if (state == nullptr) return;
    state->model.Rescale(fromDpi, toDpi);
    LayoutPanes(splitter, *state);
}

int SplitterBarThickness(HWND splitter) {
    const SplitterState* state = SplitterOf(splitter);
    return state != nullptr ? state->model.barThickness() : -1;
}

void SetSplitterPosition(HWND splitter, int position) {
    SplitterState* state = SplitterOf(splitter);
    if (state == nullptr) return;
    state->model.DragBarTo(position);
    LayoutPanes(splitter, *state);
}

}  // namespace kelvaro
