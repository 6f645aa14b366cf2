// The update folders that the build published for the update tests with the publisher's
// tool (tests/e2e/make_update_folders.py): "current-1.5", "release-1.6", "other-key-1.6"
// and "replay-1.4", each with KelvaroUpdate, KelvaroUpdate.sig, Kelvaro and
// Kelvaro(x64).exe, in update-folders/ next to the test programs.
#pragma once

#include <string>

#include "support/update_server_win.h"

namespace kelvaro::test {

// The bytes of one file of a published folder; empty when it is missing.
std::string PublishedFile(const std::string& folder, const std::string& file);

// Serves all four files of a published folder.
void ServePublishedFolder(const UpdateServer& server, const std::string& folder);

}  // namespace kelvaro::test
