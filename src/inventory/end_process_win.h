// Command 22, "Prozess beenden" (popup 2, Entf): asks, then ends exactly the selected
// process by its ID.
#pragma once

#include <cstdint>
#include <string>

namespace kelvaro {

// Asks "Möchten Sie den Prozess ... jetzt beenden?" for the selected process row and, on
// Yes, ends that process: never the program's own, never a process whose ID now belongs
// to another program; a failure is reported with the system's reason. True when the user
// said Yes (the list should then be refreshed); false when nothing was asked or the answer
// was No.
bool EndSelectedProcess();

// Ends the process `processId` with exit code 1 if it still runs the image `name` (letter
// case aside). Empty on success, also when it had ended by itself; else the reason.
std::string EndProcessById(uint32_t processId, const std::string& name);

}  // namespace kelvaro
