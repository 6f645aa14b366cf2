// The wait cursor while a handler holds the program's only thread: no message is taken
// meanwhile, so nothing else would change the pointer, and the user sees that the program
// is at work rather than hung.
#pragma once

namespace kelvaro {

// Shows the system's wait cursor from construction to destruction (when `show` is true).
// Scopes nest; the cursor that was set before the outermost one comes back at its end.
class WaitCursor {
public:
    explicit WaitCursor(bool show = true);
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool shown_;
};

// Around a message loop inside a handler (a message box, a popup menu): the arrow shows
// while the user answers, and the wait cursor again afterwards when a WaitCursor is still
// in force. Outside a WaitCursor it changes nothing.
class UsualCursorInside {
public:
    UsualCursorInside();
    ~UsualCursorInside();
    UsualCursorInside(const UsualCursorInside&) = delete;
    UsualCursorInside& operator=(const UsualCursorInside&) = delete;
};

}  // namespace kelvaro
