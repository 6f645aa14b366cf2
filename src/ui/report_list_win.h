// Report-style list views as the pages and windows make them: the control, its extended
// styles, and its columns from a table {title, width}.
#pragma once

#include <windows.h>

#include <span>

#include "ui/ids.h"
#include "ui/rect.h"

namespace kelvaro {

struct ListColumn {
    const char* title;
    int width;
};

// A report list view of a program window with a sunken edge and `styles` added; lists
// without a font of their own get the system's GUI font. Null when it could not be made.
HWND CreateReportList(ControlId id, HWND parent, DWORD styles, const Rect& rect,
                      HFONT font = nullptr);
void SetListExtendedStyles(HWND list, DWORD extendedStyles);
// Inserts the columns in table order.
void AddListColumns(HWND list, std::span<const ListColumn> columns);

}  // namespace kelvaro
