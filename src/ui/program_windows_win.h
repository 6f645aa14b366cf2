// The program's windows 0 to 3 and their controls: creating a window (replacing an open
// one of the same number), closing it, and finding a window or a control by its number.
// Every program window runs the shared window procedure, which turns its messages into
// events.
#pragma once

#include <windows.h>

#include "ui/ids.h"
#include "ui/rect.h"

namespace kelvaro {

// How a program window looks. Sizes are of the inner (client) area, in layout numbers
// (pixels at 96 DPI; the window is made at its screen's DPI).
struct WindowSpec {
    WindowId id = WndMain;
    const char* title = "";
    int innerWidth = 0;
    int innerHeight = 0;
    // A sizing border (and then the size limits below apply); otherwise a fixed size.
    bool sizable = false;
    int minInnerWidth = 0;
    int minInnerHeight = 0;
    int maxInnerWidth = 0;
    int maxInnerHeight = 0;
    // Keep the centred window's left and top edges on the screen.
    bool keepOnScreen = false;
    // The button that Enter presses, as the default button of a dialog; -1 for none.
    int defaultButton = -1;
};

// Creates the window hidden: the main window centred on the screen, the others owned by
// the main window and centred on it. Null when the window system refuses.
HWND CreateProgramWindow(const WindowSpec& spec, DWORD style);

// The DPI a program window is laid out for: its screen's when it was made, then what
// WM_DPICHANGED says; its size limits follow.
int ProgramWindowDpi(WindowId id);
void SetProgramWindowDpi(WindowId id, int dpi);

// The layout of a program window: fits its controls to the window's inner size. The
// program's wiring sets one for each window whose controls follow its size.
using WindowLayout = void (*)();
void SetWindowLayout(WindowId id, WindowLayout layout);
// Runs the window's layout; nothing for a window without one.
void ApplyLayout(WindowId id);

// Opens secondary window 1, 2 or 3: an open window of that number is closed first; the
// new one gets its controls from `buildControls`, is laid out once (ApplyLayout) and
// shown. Null when it could not be created.
HWND OpenProgramWindow(const WindowSpec& spec, void (*buildControls)(HWND window));
// The default button of an open secondary window (its WindowSpec's), -1 for none.
int DefaultButtonOf(int windowNumber);
// Destroys a secondary window and forgets its controls. Closing never ends the program.
void CloseProgramWindow(WindowId id);

// The window of this number, or null when it is not open.
HWND ProgramWindow(WindowId id);
// The number of a program window, or -1 for any other window.
int WindowNumberOf(HWND window);

// Creates a control of a program window (or inside one of its splitters) with its number,
// visible, at a place in pixels (Scaled gives them from layout numbers), and remembers it
// for ControlHandle. Lists, trees and fields get `font`, or the system's GUI font at the
// window's DPI when none is given.
HWND CreateControl(ControlId id, HWND parent, const char* className, const char* text, DWORD style,
                   DWORD exStyle, int x, int y, int width, int height, HFONT font = nullptr);
// Remembers a control made some other way (the splitters) under its number.
void RememberControl(ControlId id, HWND control);
// A control by its number, wherever it lies; null while its window is not open.
HWND ControlHandle(ControlId id);
// The number of a program control, or -1 for any other window.
int ControlNumberOf(HWND control);

// Makes a top-level window topmost or not, position and size unchanged.
void SetWindowTopmost(HWND window, bool topmost);
bool IsWindowTopmost(HWND window);

// Puts a sizable window's size limits into WM_GETMINMAXINFO; false for other windows.
bool ApplyTrackSizeLimits(int windowNumber, MINMAXINFO* info);

// Destroys every program window, the main window last, and forgets all controls.
void DestroyProgramWindows();

// The window class all program windows share.
inline constexpr const char* kProgramWindowClass = "KelvaroWindow";

}  // namespace kelvaro
