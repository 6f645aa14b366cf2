// The whole refresh of the lists: a new process snapshot with its list view, then the
// window tree. Run by "Liste aktualisieren", by the refresh timer and after new
// definitions arrive.
#pragma once

namespace kelvaro {

void RefreshLists();

}  // namespace kelvaro
