// The system side of the process snapshot: walking the processes, terminating one, and
// the process half of every refresh.
#pragma once

#include <cstdint>
#include <functional>

#include "inventory/process_list.h"

namespace kelvaro {

// Walks one snapshot of all processes and calls the handler once per entry, in snapshot
// order. A snapshot that cannot be taken reports nothing.
void EnumerateProcesses(const std::function<void(const ProcessEntry&)>& handler);

// Opens the process with the terminate right only and ends it with exit code 1, without
// waiting. True when the process was told to terminate.
bool TerminateProcessById(uint32_t processId);

// The program's wiring tells the snapshot how to see and bring back the main window, for
// the dangerous-process alert.
void SetMainWindowAlert(std::function<bool()> isVisible, std::function<void()> bringBack);

// Walks a snapshot into the program's process list without emptying it first (start-up).
void TakeProcessSnapshot();

// The process half of a refresh: empties the list, zeroes the thread total, walks a new
// snapshot, then sorts the list and fills the list view.
void RefreshProcessList();

}  // namespace kelvaro
