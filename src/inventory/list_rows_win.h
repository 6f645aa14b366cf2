// Rows of the report-style list views of the inventory (the process list and the search
// results): filling them fast, and drawing a row's text in a colour of its own.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <string_view>

namespace kelvaro {

// Appends a row at position `row` with one text per column and an item value.
void AppendListRow(HWND list, int row, std::initializer_list<std::string_view> columns,
                   LPARAM value);

// Removes every row at once, without a notification per row.
void RemoveAllListRows(HWND list);

// Suspends or resumes the redrawing of a list; resuming repaints it as a whole.
void SuspendListRedraw(HWND list);
void ResumeListRedraw(HWND list);

// The selected row of a single-selection list, -1 when none.
int SelectedListRow(HWND list);

// The answer to a list's custom-draw notification that draws every column of a row in the
// colour that `rowColour` gives for it (false: the list's default colour). A selected row
// is left to the list, which draws it in the selection's colours, so its text stays
// readable whatever its own colour.
using RowColour = bool (*)(const NMLVCUSTOMDRAW& draw, COLORREF& colour);
LRESULT DrawRowInItsColour(NMHDR* notification, RowColour rowColour);

// The answer to LVN_DELETEALLITEMS that spares the list a notification per removed row.
LRESULT SkipPerRowDeleteNotifications(NMHDR* notification);

}  // namespace kelvaro
