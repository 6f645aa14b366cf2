// The main program as a whole: its run from start-up to end, the one way out, and the
// program's own state (quit flag, version text, network start result).
#pragma once

#include <string>

namespace kelvaro {

// Wires the parts together, runs the start-up sequence, the event loop and EndProgram, as
// the program of `version` ("1.5"). Never returns.
[[noreturn]] void RunProgram(const char* version);

// Ends the program from any point: removes the tray icon, destroys the windows and
// releases everything, then ends the process with exit code 0. Saves nothing.
[[noreturn]] void EndProgram();

// Sets the quit flag: the event loop ends after the current event and EndProgram runs.
void RequestQuit();
bool QuitRequested();

// The version the program runs as, set at start-up.
const std::string& VersionText();
// Whether the network layer could be started at start-up.
bool NetworkStartResult();

}  // namespace kelvaro
