// The program's wiring: what the parts below the program take of it, handed to them before
// the start-up, so that no part needs to know the program's own.
#pragma once

namespace kelvaro {

// The layouts of windows 0 and 3, the dangerous-process alert of the snapshot, and what the
// update check needs (the start-up's state, the reload of the definitions, the end).
void WireParts();

}  // namespace kelvaro
