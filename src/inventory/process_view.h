// The "Prozesse" page: the process list view (control 1) with its coloured rows, the
// description pane (control 2) and the sort commands. Row i of the list view shows record
// i of the program's process list.
#pragma once

#include <cstdint>

#include "inventory/process_list.h"
#include "inventory/process_sort.h"

namespace kelvaro {

// Rebuilds every row of the list view from the process list, with redrawing suspended, and
// writes status bar fields 0 and 1. The selection is lost; the description pane keeps its
// text.
void FillProcessList();

// The sort commands 7-12 and a click on a column header: each sets the sort state, puts
// the check marks of commands 7-12 in line with it, sorts and refills the list.
void SetSortDirection(int32_t direction);
void SetSortKey(int32_t key);
void OnColumnHeaderClick(int column);

// The dispatch rows of commands 7-12, which take no argument.
template <int32_t Direction>
void SortInDirection() {
    SetSortDirection(Direction);
}
template <int32_t Key>
void SortByKey() {
    SetSortKey(Key);
}

// A change of the list view's selection: shows the selected process's description in the
// pane; without a selected row nothing changes.
void OnProcessSelected();

// The selected row of the list view, -1 when none; and the record it shows, null when no
// row is selected.
int SelectedProcessRow();
const ProcessRecord* SelectedProcessRecord();

}  // namespace kelvaro
