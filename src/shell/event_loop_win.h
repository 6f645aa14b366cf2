// The event loop and the program's dispatch: every event goes through one gate to the
// rows of the dispatch tables, one handler at a time.
#pragma once

#include <functional>

#include "shell/dispatch.h"

namespace kelvaro {

// The program's dispatch tables. The rows are added in RegisterEventHandlers, before the
// start-up sequence runs.
DispatchTables& ProgramDispatch();

// Hands an event to its handlers, or keeps it until the running handler has ended.
void RaiseEvent(const Event& event);
// Runs work as if it were a handler: events it raises wait until it has ended.
void RunAsHandler(const std::function<void()>& work);

// Waits at most 2 ms for each message and dispatches it, until the quit flag is set.
void RunEventLoop();

}  // namespace kelvaro
