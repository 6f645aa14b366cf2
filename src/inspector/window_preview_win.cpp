// Capture of a window's pixels with GetWindowDC and BitBlt, and the drawing of the preview
// area: white body, grey header with its caption, the picture shrunk with halftone
// stretching when it does not fit.
#include "inspector/window_preview_win.h"

#include <windows.h>

#include <cstring>

#include "common/scoped_win.h"
#include "inspector/window_system_win.h"
#include "ui/canvas_win.h"
#include "ui/dpi_win.h"
#include "ui/program_windows_win.h"
#include "ui/resources_win.h"

namespace kelvaro {
namespace {

struct PreviewPicture {
    ScopedBitmap bitmap;
    PictureSize size;
};

PreviewPicture& Picture() {
    static PreviewPicture picture;
    return picture;
}

COLORREF ToColorRef(RgbColour colour) {
    return RGB(colour.Red, colour.Green, colour.Blue);
}

// A 24-bit picture of the size, black: a new section's memory is zeroed.
HBITMAP MakeBlackPicture(PictureSize size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.Width;
    info.bmiHeader.biHeight = -size.Height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

void FillColour(HDC dc, const RECT& rect, RgbColour colour) {
    ScopedBrush brush(CreateSolidBrush(ToColorRef(colour)));
    if (brush) FillRect(dc, &rect, brush.get());
}

void DrawHeader(HDC dc, HWND canvas, int width) {
    FillColour(dc, RECT{0, 0, width, Scaled(canvas, kPreviewHeaderHeight)}, kPreviewHeaderColour);
    SetTextColor(dc, ToColorRef(kPreviewCaptionColour));
    const int length = static_cast<int>(std::strlen(kPreviewCaption));
    SIZE caption{};
    GetTextExtentPoint32A(dc, kPreviewCaption, length, &caption);
    TextOutA(dc, PreviewCaptionLeft(width, caption.cx), Scaled(canvas, kPreviewCaptionTop),
             kPreviewCaption, length);
}

void DrawPicture(HDC dc, const PicturePlacement& placement) {
    const PreviewPicture& picture = Picture();
    ScopedMemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    ScopedSelect selected(source.get(), picture.bitmap.get());
    if (placement.Width == picture.size.Width && placement.Height == picture.size.Height) {
        BitBlt(dc, placement.Left, placement.Top, placement.Width, placement.Height, source.get(),
               0, 0, SRCCOPY);
        return;
    }
    // Halftone stretching averages the pixels that fall together; it needs the brush
    // origin set again after the mode is chosen.
    const int previousMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, placement.Left, placement.Top, placement.Width, placement.Height, source.get(),
               0, 0, picture.size.Width, picture.size.Height, SRCCOPY);
    if (previousMode != 0) SetStretchBltMode(dc, previousMode);
}

}  // namespace

void CaptureWindow(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    PreviewPicture& picture = Picture();
    // The rectangle and the copy in the window's own physical pixels, as the properties
    // show them.
    const PhysicalPixelsScope physical;
    ScopedWindowDc source(hwnd, GetWindowDC(hwnd));
    RECT rect{};
    if (!GetWindowRect(hwnd, &rect)) rect = RECT{};
    const PictureSize size = CapturedPictureSize(rect.left, rect.top, rect.right, rect.bottom);

    // A picture that cannot be made (a window too large for memory) leaves none, rather
    // than the picture of an earlier capture.
    picture.bitmap.reset();
    picture.size = {};
    if (!size.Exists()) return;
    picture.bitmap.reset(MakeBlackPicture(size));
    if (!picture.bitmap) return;
    picture.size = size;

    ScopedMemoryDc target(CreateCompatibleDC(nullptr));
    if (!target || !source) return;  // the picture stays black
    ScopedSelect selected(target.get(), picture.bitmap.get());
    BitBlt(target.get(), 0, 0, size.Width, size.Height, source.get(), 0, 0, SRCCOPY);
}

void UpdatePreview(WindowHandle window) {
    CaptureWindow(window);
    const HWND canvas = ControlHandle(CtlPreview);
    const HDC dc = BeginCanvasDrawing(canvas);
    if (dc == nullptr) return;
    RECT area{};
    GetClientRect(canvas, &area);
    FillColour(dc, area, kPreviewBodyColour);
    {
        ScopedSelect font(dc, ProgramFont(FontRole::Tahoma10, DpiOf(canvas)));
        const int previousMode = SetBkMode(dc, TRANSPARENT);
        DrawHeader(dc, canvas, area.right);
        SetBkMode(dc, previousMode);
    }
    const PicturePlacement placement = PlacePreviewPicture(
        area.right, area.bottom, Picture().size, Scaled(canvas, kPreviewHeaderHeight));
    if (placement.Draw && Picture().bitmap) DrawPicture(dc, placement);
    EndCanvasDrawing(canvas);
}

PictureSize PreviewPictureSize() {
    return Picture().size;
}

void ReleasePreviewPicture() {
    Picture().bitmap.reset();
    Picture().size = {};
}

}  // namespace kelvaro
