// The event loop: the program's only loop.
#include <windows.h>

#include "shell/program.h"

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

}  // namespace

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
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace kelvaro
