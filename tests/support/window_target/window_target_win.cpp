// A program whose windows the inspector tests know in advance: a titled main window with
// windows nested three levels deep, an untitled, an invisible and a tool window, and on
// request a window holding many inner windows and a two-coloured picture window. It
// retitles, disables, enables or ends itself on a registered message, so tests can watch
// live changes.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "support/window_target.h"

namespace {

using namespace kelvaro::test;

struct Options {
    std::string tag;
    int innerWindows = 0;
    bool picture = false;
    RECT pictureRect{};  // left, top, width, height
};

Options ReadOptions() {
    Options options;
    for (int i = 1; i + 1 < __argc; i += 2) {
        const std::string name = __argv[i];
        if (name == "--tag") options.tag = __argv[i + 1];
        if (name == "--inner") options.innerWindows = std::atoi(__argv[i + 1]);
        if (name == "--picture") {
            RECT& r = options.pictureRect;
            options.picture = std::sscanf(__argv[i + 1], "%ldx%ld+%ld+%ld", &r.right, &r.bottom,
                                          &r.left, &r.top) == 4;
        }
    }
    return options;
}

UINT CommandMessage() {
    static const UINT message = RegisterWindowMessageA(kTargetCommandMessage);
    return message;
}

LRESULT OnCommand(HWND window, WPARAM command, LPARAM argument) {
    switch (command) {
        case kTargetRetitle: {
            const std::string title = std::string(kTargetRetitled) + " " +
                                      std::to_string(static_cast<long long>(argument));
            SetWindowTextA(window, title.c_str());
            return 1;
        }
        case kTargetDisable:
            EnableWindow(window, FALSE);
            return 1;
        case kTargetEnable:
            EnableWindow(window, TRUE);
            return 1;
        case kTargetQuit:
            DestroyWindow(window);
            return 1;
        default:
            return 0;
    }
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CommandMessage() && message != 0) return OnCommand(window, wParam, lParam);
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

COLORREF ToColorRef(unsigned rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// Two solid halves, so a copy of the window shows where its middle went.
LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    RECT left = client;
    left.right = client.right / 2;
    RECT right = client;
    right.left = left.right;
    for (const auto& [rect, colour] :
         {std::pair{left, kPictureLeftColour}, std::pair{right, kPictureRightColour}}) {
        const HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
    EndPaint(window, &paint);
    return 0;
}

bool RegisterTargetClass(const char* name, WNDPROC procedure) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

HWND Create(DWORD exStyle, const char* className, const std::string& title, DWORD style, int x,
            int y, int width, int height, HWND parent, int id = 0) {
    return CreateWindowExA(exStyle, className, title.c_str(), style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

std::string Tagged(const char* title, const Options& options) {
    return options.tag.empty() ? std::string(title) : std::string(title) + " " + options.tag;
}

void CreateMainWindow(const Options& options) {
    const HWND main = Create(0, kTargetMainClass, Tagged(kTargetMainTitle, options),
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 420, 300, nullptr);
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    const HWND level1 =
        Create(0, kTargetPanelClass, kTargetLevel1, kChild, 10, 10, 300, 150, main, 101);
    const HWND level2 =
        Create(0, kTargetPanelClass, kTargetLevel2, kChild, 10, 10, 200, 100, level1, 201);
    Create(0, "Static", kTargetLevel3, kChild, 10, 10, 100, 40, level2, 301);
    Create(0, "Button", kTargetButton, kChild | BS_PUSHBUTTON, 10, 170, 100, 30, main, 102);
    Create(0, "Static", "", kChild, 120, 170, 100, 30, main, 103);
}

void CreateOtherWindows(const Options& options) {
    Create(0, kTargetPlainClass, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 480, 40, 200, 120, nullptr);
    Create(0, kTargetPlainClass, Tagged(kTargetHiddenTitle, options), WS_OVERLAPPEDWINDOW, 480, 180,
           200, 120, nullptr);
    Create(WS_EX_TOOLWINDOW, kTargetPlainClass, Tagged(kTargetToolTitle, options),
           WS_OVERLAPPEDWINDOW | WS_VISIBLE, 480, 320, 200, 120, nullptr);
    if (options.picture) {
        const RECT& r = options.pictureRect;
        Create(WS_EX_TOPMOST, kTargetPictureClass, Tagged(kTargetPictureTitle, options),
               WS_POPUP | WS_VISIBLE, r.left, r.top, r.right, r.bottom, nullptr);
    }
    if (options.innerWindows <= 0) return;
    const HWND many = Create(0, kTargetPlainClass, Tagged(kTargetManyTitle, options),
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 360, 400, 300, nullptr);
    for (int i = 1; i <= options.innerWindows; ++i) {
        Create(0, "Static", kTargetManyChildPrefix + std::to_string(i), WS_CHILD | WS_VISIBLE,
               (i % 20) * 18, (i / 20 % 14) * 18, 16, 16, many, i);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const Options options = ReadOptions();
    if (!RegisterTargetClass(kTargetMainClass, MainProc) ||
        !RegisterTargetClass(kTargetPanelClass, DefWindowProcA) ||
        !RegisterTargetClass(kTargetPlainClass, DefWindowProcA) ||
        !RegisterTargetClass(kTargetPictureClass, PictureProc)) {
        return 1;
    }
    CreateMainWindow(options);
    CreateOtherWindows(options);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
