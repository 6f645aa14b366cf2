// A plain drawing surface: it keeps a picture of its own size, which the program draws
// into between BeginCanvasDrawing and EndCanvasDrawing, and repaints it by itself.
#pragma once

#include <windows.h>

#include "ui/ids.h"
#include "ui/rect.h"

namespace kelvaro {

bool RegisterCanvasClass();
HWND CreateCanvas(ControlId id, HWND parent, const Rect& rect);

// A device context on the canvas's picture, as large as the canvas; null when the canvas
// cannot be drawn on. Every successful call is followed by EndCanvasDrawing, which shows
// the result.
HDC BeginCanvasDrawing(HWND canvas);
void EndCanvasDrawing(HWND canvas);

}  // namespace kelvaro
