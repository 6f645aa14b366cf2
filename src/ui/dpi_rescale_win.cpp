// A program window's contents rescaled for a move to a screen of another DPI.
#include "ui/dpi_win.h"

#include <commctrl.h>

#include "ui/resources_win.h"
#include "ui/splitter_win.h"

namespace kelvaro {
namespace {

struct Rescale {
    HWND window;
    int from;
    int to;
};

bool IsClass(HWND window, const char* name) {
    char className[64] = {};
    return GetClassNameA(window, className, sizeof(className)) > 0 &&
           lstrcmpiA(className, name) == 0;
}

int ScaleBy(int value, const Rescale& rescale) {
    return MulDivRounded(value, rescale.to, rescale.from);
}

void RescaleColumns(HWND list, const Rescale& rescale) {
    const auto header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const auto columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < columns; ++column) {
        const auto width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
        SendMessageA(list, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(ScaleBy(width, rescale), 0));
    }
}

void RescaleControl(HWND control, const Rescale& rescale) {
    if (const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0))) {
        SendMessageA(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(FontForDpi(font, rescale.from, rescale.to)), TRUE);
    }
    if (IsClass(control, WC_LISTVIEWA)) RescaleColumns(control, rescale);
    if (SplitterBarThickness(control) > 0) RescaleSplitter(control, rescale.from, rescale.to);
    // The bars place themselves; every other direct control keeps its place in layout
    // numbers.
    if (GetParent(control) != rescale.window || IsClass(control, TOOLBARCLASSNAMEA) ||
        IsClass(control, STATUSCLASSNAMEA)) {
        return;
    }
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, rescale.window, reinterpret_cast<POINT*>(&rect), 2);
    SetWindowPos(control, nullptr, ScaleBy(rect.left, rescale), ScaleBy(rect.top, rescale),
                 ScaleBy(rect.right - rect.left, rescale), ScaleBy(rect.bottom - rect.top, rescale),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void RescaleWindowContents(HWND window, int fromDpi, int toDpi) {
    if (window == nullptr || fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) return;
    Rescale rescale{window, fromDpi, toDpi};
    EnumChildWindows(
        window,
        [](HWND control, LPARAM param) -> BOOL {
            RescaleControl(control, *reinterpret_cast<const Rescale*>(param));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&rescale));
}

}  // namespace kelvaro
