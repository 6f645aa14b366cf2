// The yardstick of the idle benchmark under Wine: one shown window and nothing but a loop
// that waits at most 2 ms for a message, as the main program's loop does.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const HWND window = CreateWindowExA(0, "STATIC", "Leerlauf", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                        100, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    for (;;) {
        if (MsgWaitForMultipleObjectsEx(0, nullptr, 2, QS_ALLINPUT, MWMO_INPUTAVAILABLE) !=
            WAIT_OBJECT_0) {
            continue;
        }
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) continue;
        if (message.message == WM_QUIT) return 0;
        DispatchMessageA(&message);
    }
}
