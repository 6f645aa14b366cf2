// DPI queries. The functions of Windows 10 are looked up at run time: the programs also
// run on Windows 7 and 8, where the system DPI is the only one.
#include "ui/dpi_win.h"

#include "ui/program_windows_win.h"

namespace kelvaro {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SetThreadDpiAwarenessContextFn = HANDLE(WINAPI*)(HANDLE);
using IsValidDpiAwarenessContextFn = BOOL(WINAPI*)(HANDLE);

// The awareness contexts are pseudo handles with fixed values.
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));

struct DpiFunctions {
    GetDpiForWindowFn forWindow = nullptr;
    GetDpiForSystemFn forSystem = nullptr;
    GetSystemMetricsForDpiFn metrics = nullptr;
    AdjustWindowRectExForDpiFn adjust = nullptr;
    SetThreadDpiAwarenessContextFn setThreadAwareness = nullptr;
    HANDLE physicalContext = nullptr;
    int systemDpi = kDesignDpi;
};

template <typename Function>
Function Find(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const DpiFunctions& Functions() {
    static const DpiFunctions functions = [] {
        DpiFunctions f;
        // user32 is loaded with every window program; no library is loaded for this.
        const HMODULE user = GetModuleHandleA("user32.dll");
        if (user != nullptr) {
            f.forWindow = Find<GetDpiForWindowFn>(user, "GetDpiForWindow");
            f.forSystem = Find<GetDpiForSystemFn>(user, "GetDpiForSystem");
            f.metrics = Find<GetSystemMetricsForDpiFn>(user, "GetSystemMetricsForDpi");
            f.adjust = Find<AdjustWindowRectExForDpiFn>(user, "AdjustWindowRectExForDpi");
            f.setThreadAwareness =
                Find<SetThreadDpiAwarenessContextFn>(user, "SetThreadDpiAwarenessContext");
            const auto valid = Find<IsValidDpiAwarenessContextFn>(user, "IsValidDpiAwarenessContext");
            if (valid != nullptr) {
                f.physicalContext = valid(kPerMonitorAwareV2) ? kPerMonitorAwareV2
                                    : valid(kPerMonitorAware) ? kPerMonitorAware
                                                              : nullptr;
            }
        }
        if (f.forSystem != nullptr) {
            f.systemDpi = static_cast<int>(f.forSystem());
        } else if (const HDC screen = GetDC(nullptr)) {
            f.systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(nullptr, screen);
        }
        if (f.systemDpi <= 0) f.systemDpi = kDesignDpi;
        return f;
    }();
    return functions;
}

}  // namespace

int SystemDpi() {
    return Functions().systemDpi;
}

int SystemDpiOfWindow(HWND window) {
    const DpiFunctions& f = Functions();
    const int dpi = f.forWindow != nullptr && window != nullptr
                        ? static_cast<int>(f.forWindow(window))
                        : 0;
    return dpi > 0 ? dpi : f.systemDpi;
}

int DpiOf(HWND window) {
    const HWND root = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
    const int number = WindowNumberOf(root);
    return number >= 0 ? ProgramWindowDpi(static_cast<WindowId>(number))
                       : SystemDpiOfWindow(root);
}

int Scaled(HWND window, int value) {
    return ScaleToDpi(value, DpiOf(window));
}

Rect Scaled(HWND window, const Rect& rect) {
    return ScaleToDpi(rect, DpiOf(window));
}

int SystemMetricForDpi(int index, int dpi) {
    const DpiFunctions& f = Functions();
    if (f.metrics != nullptr) return f.metrics(index, static_cast<UINT>(dpi));
    return MulDivRounded(GetSystemMetrics(index), dpi, f.systemDpi);
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, int dpi) {
    const DpiFunctions& f = Functions();
    // At the system DPI both give the same; the plain one is what the program always used.
    if (f.adjust != nullptr && dpi != f.systemDpi) {
        f.adjust(&rect, style, FALSE, 0, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, 0);
    }
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSA& metrics, int dpi) {
    metrics = NONCLIENTMETRICSA{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return false;
    // The ANSI call answers at the system DPI (the DPI variant of Windows 10 fills only the
    // wide structure); its font heights scaled are what the wide one gives.
    const int systemDpi = Functions().systemDpi;
    if (dpi == systemDpi) return true;
    for (LOGFONTA* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                           &metrics.lfStatusFont, &metrics.lfMessageFont}) {
        font->lfHeight = MulDivRounded(font->lfHeight, dpi, systemDpi);
    }
    return true;
}

PhysicalPixelsScope::PhysicalPixelsScope() {
    const DpiFunctions& f = Functions();
    if (f.setThreadAwareness != nullptr && f.physicalContext != nullptr) {
        previous_ = f.setThreadAwareness(f.physicalContext);
    }
}

PhysicalPixelsScope::~PhysicalPixelsScope() {
    if (previous_ != nullptr) Functions().setThreadAwareness(previous_);
}

}  // namespace kelvaro
