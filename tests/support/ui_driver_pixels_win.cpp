// The UI driver's screenshots: screen pixels copied into a Screenshot, and a Screenshot
// saved as a 32-bit BMP file for a look at a failed test.
#include <windows.h>

#include <fstream>

#include "common/scoped_win.h"
#include "support/ui_driver.h"

namespace kelvaro::test {

namespace {
constexpr uint32_t kRgbMask = 0x00FFFFFF;
}

Screenshot CaptureScreenRect(RECT screen) {
    Screenshot shot;
    const int width = screen.right - screen.left;
    const int height = screen.bottom - screen.top;
    if (width <= 0 || height <= 0) return shot;

    ScopedWindowDc screenDc(nullptr, GetDC(nullptr));
    ScopedMemoryDc memoryDc(CreateCompatibleDC(screenDc.get()));
    if (!screenDc || !memoryDc) return shot;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(memoryDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) return shot;
    {
        ScopedSelect select(memoryDc.get(), bitmap.get());
        if (!BitBlt(memoryDc.get(), 0, 0, width, height, screenDc.get(), screen.left, screen.top,
                    SRCCOPY)) {
            return shot;
        }
    }
    GdiFlush();
    // A 32-bit DIB holds blue, green, red, unused: read as a little-endian word that is
    // 0x??RRGGBB.
    const auto* words = static_cast<const uint32_t*>(bits);
    shot.width = width;
    shot.height = height;
    shot.pixels.resize(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < shot.pixels.size(); ++i) shot.pixels[i] = words[i] & kRgbMask;
    return shot;
}

Screenshot CaptureWindow(HWND window, bool clientOnly) {
    RECT rect{};
    if (clientOnly) {
        rect = ClientRectOnScreen(window);
    } else if (!GetWindowRect(window, &rect)) {
        return {};
    }
    return CaptureScreenRect(rect);
}

bool Screenshot::SaveBmp(const std::string& path) const {
    if (width <= 0 || height <= 0) return false;
    const DWORD imageBytes = static_cast<DWORD>(pixels.size() * sizeof(uint32_t));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageBytes;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;  // bottom row first: what every viewer reads
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = imageBytes;

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    for (int y = height - 1; y >= 0; --y) {
        out.write(reinterpret_cast<const char*>(&pixels[static_cast<size_t>(y) * width]),
                  static_cast<std::streamsize>(width * sizeof(uint32_t)));
    }
    return static_cast<bool>(out);
}

}  // namespace kelvaro::test
