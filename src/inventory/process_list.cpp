// The decisions of the snapshot walk, free of any system call.
#include "inventory/process_list.h"

#include "common/ansi_text.h"

namespace kelvaro {
namespace {

// The system idle entry, as upper-cased; the platform reports it first with id 0.
constexpr std::string_view kIdleEntryName = "[SYSTEM PROCESS]";

}  // namespace

ProcessList& ProgramProcesses() {
    static ProcessList list;
    return list;
}

SnapshotWalk::SnapshotWalk(ProcessList& processes, const KillList& killList,
                           const DefinitionTable& definitions, const SnapshotServices& services)
    : processes_(processes), definitions_(definitions), services_(services) {
    upperKillNames_.reserve(killList.size());
    for (const KillListEntry& entry : killList) upperKillNames_.push_back(UpperAnsi(entry.Name));
}

void SnapshotWalk::OnProcessFound(const ProcessEntry& entry) {
    const std::string upperName = UpperAnsi(entry.exeFile);
    if (upperName == kIdleEntryName) return;
    if (TerminateIfListed(entry, upperName)) return;
    ListAndClassify(entry, upperName);
}

bool SnapshotWalk::TerminateIfListed(const ProcessEntry& entry, const std::string& upperName) {
    if (entry.processId == services_.ownProcessId) return false;
    for (const std::string& killName : upperKillNames_) {
        // A failed termination goes on down the list: a later equal entry tries again.
        if (killName == upperName && services_.terminateProcess(entry.processId)) return true;
    }
    return false;
}

void SnapshotWalk::ListAndClassify(const ProcessEntry& entry, const std::string& upperName) {
    ProcessRecord& record = processes_.records.emplace_back();
    record.Name = std::string(entry.exeFile);
    record.ProcessId = entry.processId;
    record.Threads = entry.threads;
    record.BasePriority = entry.basePriority;
    processes_.threadTotal += entry.threads;

    const DefinitionRecord* definition = definitions_.Find(upperName);
    if (definition == nullptr) return;
    record.Description = definition->Description;
    record.Verdict = definition->Verdict;

    if (record.Verdict == VerdictDangerous && !services_.isMainWindowVisible()) {
        services_.bringBackMainWindow();
    }
}

std::string ProcessRowText(const ProcessRecord& record) {
    uint32_t colour = 0;
    return record.Name + '\t' + std::to_string(record.BasePriority) + '\t' +
           std::to_string(record.Threads) + '\t' +
           std::string(DescribeVerdict(record.Verdict, colour));
}

}  // namespace kelvaro
