// The DPI of the program's windows and what the system gives at a DPI. The programs are
// per-monitor aware: each window keeps the DPI of the screen it is on, and its layout
// numbers (written for 96 DPI) are scaled by that DPI through ScaleToDpi.
#pragma once

#include <windows.h>

#include "ui/dpi.h"

namespace kelvaro {

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The system's DPI (the primary screen's at the program's start).
int SystemDpi();
// The DPI a window is on as the system reports it (the system DPI where the system cannot
// tell a window's own).
int SystemDpiOfWindow(HWND window);

// The DPI the layout of a window or control is made for: its program window's, or for
// any other window what the system reports.
int DpiOf(HWND window);
// A layout number of the window's (or control's) program window in pixels.
int Scaled(HWND window, int value);
Rect Scaled(HWND window, const Rect& rect);

// A system metric at a DPI (the small icon's size, for instance).
int SystemMetricForDpi(int index, int dpi);
// The outer rectangle of a window with this style around an inner one, at a DPI.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, int dpi);
// The system's non-client metrics (the menu and status fonts) at a DPI.
bool NonClientMetricsForDpi(NONCLIENTMETRICSA& metrics, int dpi);

// What a program window's contents need when it moves to a screen of another DPI: every
// control's font made for the new DPI, the list columns' widths and the splitters' panes
// scaled, and the window's direct controls placed at their scaled rectangles (the
// window's layout then fits those that follow its size).
void RescaleWindowContents(HWND window, int fromDpi, int toDpi);

// While one of these lives, the calling thread sees other programs' windows in physical
// pixels whatever the process's own awareness: per-monitor awareness version 2 where the
// system knows it, version 1 otherwise. Nothing on systems without per-thread awareness,
// where a per-monitor-aware process already gets physical coordinates.
class PhysicalPixelsScope {
public:
    PhysicalPixelsScope();
    ~PhysicalPixelsScope();
    PhysicalPixelsScope(const PhysicalPixelsScope&) = delete;
    PhysicalPixelsScope& operator=(const PhysicalPixelsScope&) = delete;

private:
    HANDLE previous_ = nullptr;
};

}  // namespace kelvaro
