// The run command's helper on a machine without a display: starts Kelvaro(x64).exe in the
// demo folder, waits for its main window, saves a picture of it on each page as a BMP
// file, and closes it again.
//   kelvaro_demo_helper.exe <program> <working folder> <output folder>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kTabsControlId = 0;

struct Found {
    DWORD processId;
    HWND window;
};

HWND FindMainWindow(DWORD processId) {
    Found found{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* f = reinterpret_cast<Found*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char title[64] = {};
            GetWindowTextA(window, title, sizeof(title));
            if (owner != f->processId || lstrcmpA(title, "Kelvaro") != 0 ||
                !IsWindowVisible(window)) {
                return TRUE;
            }
            f->window = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.window;
}

// The window's pixels as they are on the screen, as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height);
    GetDIBits(memory, picture, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(header) + sizeof(info);
    header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    std::fwrite(&header, sizeof(header), 1, file);
    std::fwrite(&info, sizeof(info), 1, file);
    std::fwrite(pixels.data(), 1, pixels.size(), file);
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: kelvaro_demo_helper <program> <folder> <output folder>\n");
        return 2;
    }
    const std::string program = argv[1];
    const std::string folder = argv[2];
    const std::string output = argv[3];

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        return 1;
    }
    HWND window = nullptr;
    for (int i = 0; i < 600 && window == nullptr; ++i) {
        Sleep(50);
        window = FindMainWindow(process.dwProcessId);
    }
    int result = 1;
    if (window != nullptr) {
        Sleep(1500);  // let it paint
        const bool first = SaveWindowPicture(window, output + "\\kelvaro-prozesse.bmp");
        // TCM_SETCURFOCUS changes the page as a click on the tab does.
        const HWND tabs = GetDlgItem(window, kTabsControlId);
        SendMessageA(tabs, TCM_SETCURFOCUS, 1, 0);
        Sleep(1000);
        const bool second = SaveWindowPicture(window, output + "\\kelvaro-fenster.bmp");
        result = first && second ? 0 : 1;
        PostMessageA(window, WM_CLOSE, 0, 0);
        WaitForSingleObject(process.hProcess, 10000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
