// The preview of the selected window: a copy of its pixels, drawn scaled into the preview
// area (control 22) under the grey "Fenster Vorschau" header.
#pragma once

#include "inspector/preview_layout.h"
#include "inspector/window_model.h"

namespace kelvaro {

// Copies the window's pixels, frame included, into a new picture of its outer size; a
// window with an empty or unreadable rectangle leaves no picture.
void CaptureWindow(WindowHandle window);

// Captures the window, then draws the header and the picture into the preview area.
void UpdatePreview(WindowHandle window);

// The size of the picture of the last capture; no picture when it does not exist.
PictureSize PreviewPictureSize();

// Discards the picture (at the program's end).
void ReleasePreviewPicture();

}  // namespace kelvaro
