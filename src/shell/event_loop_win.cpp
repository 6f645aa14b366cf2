// The event loop, the program's only loop, and the gate through which every event reaches
// the dispatch tables.
#include "shell/event_loop_win.h"

#include <windows.h>

#include "shell/keyboard_win.h"
#include "shell/program_win.h"
#include "ui/wait_cursor_win.h"

namespace kelvaro {
namespace {

// The longest the loop waits for a message before it goes round again. The wait itself
// sleeps in the window system; nothing runs while no message comes.
constexpr DWORD kEventWaitMs = 2;

// True when a message is waiting. MWMO_INPUTAVAILABLE makes the wait return at once for
// messages that are already queued but were seen by an earlier peek.
bool WaitForMessage() {
    return MsgWaitForMultipleObjectsEx(0, nullptr, kEventWaitMs, QS_ALLINPUT,
                                       MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0;
}

// The details timer renews the selected window's preview twice a second within a few
// milliseconds; a wait cursor for it would only make the pointer flicker.
bool ShowsWaitCursor(const Event& event) {
    return !(event.kind == EventKind::Timer && event.id == TimerDetails);
}

EventGate& Gate() {
    static EventGate gate([](const Event& event) {
        const WaitCursor wait(ShowsWaitCursor(event));
        ProgramDispatch().Dispatch(event);
    });
    return gate;
}

}  // namespace

DispatchTables& ProgramDispatch() {
    static DispatchTables tables;
    return tables;
}

void RaiseEvent(const Event& event) {
    Gate().Raise(event);
}

void RunAsHandler(const std::function<void()>& work) {
    Gate().RunAsHandler(work);
}

void RunEventLoop() {
    while (!QuitRequested()) {
        if (!WaitForMessage()) continue;
        MSG message{};
        // Messages sent from other threads are handled inside the peek itself.
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) continue;
        if (message.message == WM_QUIT) {
            RequestQuit();
            break;
        }
        // The main window's keys and the dialog keys of the secondary windows are handled
        // (and dispatched) there; everything else goes its usual way.
        if (TranslateProgramKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace kelvaro
