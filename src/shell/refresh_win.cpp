// The whole refresh, the process half first, then the window half.
#include "shell/refresh.h"

#include "inspector/window_view_win.h"
#include "inventory/process_snapshot.h"

namespace kelvaro {

void RefreshLists() {
    // The process half: a new snapshot, sorted and shown in the list view.
    RefreshProcessList();
    // The window half: the window tree, with the open nodes opened again.
    RefreshWindowView(true);
}

}  // namespace kelvaro
