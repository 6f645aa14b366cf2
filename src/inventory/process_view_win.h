// The "Prozesse" page: the process list view (control 1) with its coloured rows, the
// description pane (control 2) and the sort commands. Row i of the list view shows record
// i of the program's process list.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "inventory/process_list.h"
#include "inventory/process_sort.h"
#include "ui/rect.h"

namespace kelvaro {

// The page's tab text.
inline constexpr const char* kProcessPageTitle = "Prozesse";

// Builds the page over the main window's panel: splitter 3 with the list view, its
// columns, and the description pane. A control that cannot be made is left out.
void BuildProcessPage(HWND mainWindow, const Rect& page);

// Rebuilds every row of the list view from the process list, with redrawing suspended, and
// writes status bar fields 0 and 1. The selection is lost; the description pane keeps its
// text.
void FillProcessList();

// The sort commands 7-12 and a click on a column header: each sets the sort state, puts
// the check marks of commands 7-12 in line with it, sorts and refills the list.
void SetSortDirection(SortDirection direction);
void SetSortKey(SortKey key);
void OnColumnHeaderClick(int column);

// The handlers of commands 7-12, whose rows take no argument.
template <SortDirection Direction>
void OnSortDirectionCommand() {
    SetSortDirection(Direction);
}
template <SortKey Key>
void OnSortKeyCommand() {
    SetSortKey(Key);
}

// A change of the list view's selection: shows the selected process's description in the
// pane; without a selected row nothing changes.
void OnProcessSelected();
// A right click on the list view: popup menu 2; the menu key: the same at the selected
// row.
void OnProcessListRightClick();
void OnProcessListMenuKey();
// The selected row as the clipboard takes it (ProcessRowText); empty without a selection.
std::string SelectedProcessText();

// The selected row of the list view, -1 when none; and the record it shows, null when no
// row is selected.
int SelectedProcessRow();
const ProcessRecord* SelectedProcessRecord();

}  // namespace kelvaro
