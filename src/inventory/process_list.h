// The process snapshot's model: one record per listed process, the thread total, and the
// decisions taken for every snapshot entry (skip, terminate, list and classify).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/definitions.h"
#include "inventory/kill_list.h"

namespace kelvaro {

struct ProcessRecord {
    std::string Name;         // as the snapshot reports it, letter case kept
    std::string Description;  // copied from the matching definition, else empty
    int32_t Verdict = VerdictNone;
    int32_t Threads = 0;
    int32_t BasePriority = 0;
    uint32_t ProcessId = 0;  // the snapshot's process ID, by which one process is ended
};

// A process row as text, for the clipboard: its four columns as the list shows them
// (name, priority, threads, verdict label), separated by tabs.
std::string ProcessRowText(const ProcessRecord& record);

struct ProcessList {
    std::vector<ProcessRecord> records;
    int64_t threadTotal = 0;  // sum of Threads over the records since the refresh began

    void Clear() {
        records.clear();
        threadTotal = 0;
    }
};

// The program's one process list, from start to end.
ProcessList& ProgramProcesses();

// The values of one snapshot entry that the walk uses.
struct ProcessEntry {
    uint32_t processId = 0;
    int32_t threads = 0;
    int32_t basePriority = 0;
    std::string_view exeFile;
};

// What the walk needs from the system, passed in so the decisions run anywhere.
struct SnapshotServices {
    std::function<bool(uint32_t processId)> terminateProcess;
    // The dangerous-process alert: is the main window visible, and bring it back from the
    // notification area (show, restore, remove the tray icon).
    std::function<bool()> isMainWindowVisible;
    std::function<void()> bringBackMainWindow;
    // The program's own process is never terminated, whatever the kill list says.
    uint32_t ownProcessId = 0;
};

// One walk over a snapshot: the kill list is upper-cased once here rather than once per
// process, which gives the same comparisons.
class SnapshotWalk {
public:
    SnapshotWalk(ProcessList& processes, const KillList& killList,
                 const DefinitionTable& definitions, const SnapshotServices& services);

    // Handles one snapshot entry: skips the system idle entry, terminates a process named
    // in the kill list, and otherwise lists and classifies it.
    void OnProcessFound(const ProcessEntry& entry);

private:
    bool TerminateIfListed(const ProcessEntry& entry, const std::string& upperName);
    void ListAndClassify(const ProcessEntry& entry, const std::string& upperName);

    ProcessList& processes_;
    const DefinitionTable& definitions_;
    const SnapshotServices& services_;
    std::vector<std::string> upperKillNames_;
};

}  // namespace kelvaro
