// The splitter control: two panes and a bar between them that the user drags (4 pixels at
// 96 DPI, scaled to its window's DPI).
// The panes are child windows of the splitter; their notifications are passed on to the
// splitter's parent, so that a control inside a splitter reports like any other.
#pragma once

#include <windows.h>

#include "ui/ids.h"
#include "ui/splitter_model.h"

namespace kelvaro {

bool RegisterSplitterClass();

// Creates the splitter at its parent's DPI with its first pane `firstPane` pixels long, or
// halved when `firstPane` is negative. The panes are created afterwards as children of the splitter
// and handed over with SetSplitterPanes.
HWND CreateSplitter(ControlId id, HWND parent, SplitterBar bar, FixedPane fixed, const Rect& rect,
                    int firstPane);
void SetSplitterPanes(HWND splitter, HWND first, HWND second);

// The first pane's size, and the bar put there as a drag would (for tests and callers
// that restore a position); -1 for a window that is not a splitter.
int SplitterPosition(HWND splitter);
void SetSplitterPosition(HWND splitter, int position);

// The window moved to a screen of another DPI: the panes' sizes and the bar follow.
void RescaleSplitter(HWND splitter, int fromDpi, int toDpi);
int SplitterBarThickness(HWND splitter);

}  // namespace kelvaro
