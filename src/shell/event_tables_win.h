// The dispatch tables of the main program, row by row, with the program's own handlers.
#pragma once

#include "shell/dispatch.h"

namespace kelvaro {

// Adds every row of the program, in the order of the tables.
void RegisterEventHandlers(DispatchTables& tables);

// The whole refresh of the lists: a new process snapshot with its list view, then the
// window tree. Run by "Liste aktualisieren", by the refresh timer and after new
// definitions arrive.
void RefreshLists();

}  // namespace kelvaro
