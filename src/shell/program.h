// The frame of the main program: start-up, the event loop and the one way out, with the
// shell's own state (quit flag, version text, network start result) and the dispatch
// tables that every part adds its handlers to.
#pragma once

#include <string>

#include "shell/dispatch.h"

namespace kelvaro {

// Runs the start-up sequence, the event loop and EndProgram. Never returns.
[[noreturn]] void RunProgram();

// Ends the program from any point: removes the tray icon, destroys the windows and
// releases everything, then ends the process with exit code 0. Saves nothing.
[[noreturn]] void EndProgram();

// Sets the quit flag: the event loop ends after the current event and EndProgram runs.
void RequestQuit();
bool QuitRequested();

// "1.5", set at start-up.
const std::string& VersionText();
// Whether the network layer could be started at start-up.
bool NetworkStartResult();

// The program's dispatch tables. The shell's own rows and every other part's rows are
// added in RegisterEventHandlers, before the start-up sequence runs.
DispatchTables& ProgramDispatch();
void RegisterEventHandlers(DispatchTables& tables);

// Hands an event to its handlers, or keeps it until the running handler has ended.
void RaiseEvent(const Event& event);

// Waits at most 2 ms for each message and dispatches it, until the quit flag is set.
void RunEventLoop();

}  // namespace kelvaro
