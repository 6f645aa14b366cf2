// The wait cursor of the running handler, and the arrow inside its message boxes and menus.
#include "ui/wait_cursor_win.h"

#include <windows.h>

namespace kelvaro {
namespace {

struct WaitCursorState {
    int depth = 0;             // WaitCursor scopes in force
    HCURSOR before = nullptr;  // the cursor the outermost scope replaced
};

WaitCursorState& State() {
    static WaitCursorState state;
    return state;
}

HCURSOR SystemCursor(LPCSTR id) {
    return LoadCursorA(nullptr, id);
}

}  // namespace

// The classes' cursors would only come back with the next WM_SETCURSOR, which the window
// system sends while the program takes messages: SetCursor holds until the handler ends.
WaitCursor::WaitCursor(bool show) : shown_(show) {
    if (!shown_) return;
    WaitCursorState& state = State();
    if (state.depth++ == 0) state.before = SetCursor(SystemCursor(IDC_WAIT));
}

WaitCursor::~WaitCursor() {
    if (!shown_) return;
    WaitCursorState& state = State();
    if (--state.depth > 0) return;
    // A thread that never set a cursor (the start-up) replaced none: SetCursor(nullptr)
    // would hide the pointer, so the arrow comes back instead.
    SetCursor(state.before != nullptr ? state.before : SystemCursor(IDC_ARROW));
}

// A box or menu takes messages, so moving the mouse would bring the arrow back anyway; it
// is set at once so that a pointer already resting on the box does not keep the wait
// cursor until it moves.
UsualCursorInside::UsualCursorInside() {
    if (State().depth > 0) SetCursor(SystemCursor(IDC_ARROW));
}

UsualCursorInside::~UsualCursorInside() {
    if (State().depth > 0) SetCursor(SystemCursor(IDC_WAIT));
}

}  // namespace kelvaro
