// SortProcessList of 5,000 records by each key and direction, from the snapshot's order
// and from an order sorted by another key. Runs natively and, built with MinGW, under Wine.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "inventory/process_sort.h"

namespace kelvaro::bench {
namespace {

constexpr int kRecords = 5000;

// Names as a snapshot reports them: mixed letter case, shared prefixes, some duplicates.
std::vector<ProcessRecord> SnapshotLikeRecords() {
    std::mt19937 random(5000);
    const char* const stems[] = {"svchost",  "Service",       "chrome",  "RuntimeBroker",
                                 "explorer", "WmiPrvSE",      "conhost", "dllhost",
                                 "Update",   "backgroundTask"};
    std::vector<ProcessRecord> records(kRecords);
    for (ProcessRecord& record : records) {
        record.Name = std::string(stems[random() % 10]) + std::to_string(random() % 800) + ".exe";
        record.Description = "Ein Dienst des Systems, der im Hintergrund l\xE4uft.\r\n";
        record.Threads = static_cast<int32_t>(random() % 120);
        record.BasePriority = static_cast<int32_t>((random() % 4) * 2 + 4);
        record.Verdict = static_cast<int32_t>(random() % 6) - 1;
    }
    return records;
}

}  // namespace
}  // namespace kelvaro::bench

int main() {
    using namespace kelvaro;
    using namespace kelvaro::bench;
    const std::vector<ProcessRecord> snapshot = SnapshotLikeRecords();
    const std::vector<ProcessRecord> byName = [&snapshot] {
        std::vector<ProcessRecord> sorted = snapshot;
        SortProcessRecords(sorted, SortState{SortByName, SortAscending});
        return sorted;
    }();
    const char* const keys[] = {"name", "priority", "threads", "verdict"};
    std::vector<ProcessRecord> records;
    for (int32_t key = 0; key < kSortKeyCount; ++key) {
        for (SortDirection direction : {SortAscending, SortDescending}) {
            for (const auto* start : {&snapshot, &byName}) {
                // The copy that each run sorts is made before the clock starts.
                const double seconds = MedianSeconds(
                    201,
                    [&] {
                        SortProcessRecords(records, SortState{static_cast<SortKey>(key), direction});
                    },
                    [&] { records = *start; });
                char name[96];
                std::snprintf(name, sizeof(name), "sort 5,000 by %s, %s, from %s order", keys[key],
                              direction == SortAscending ? "ascending" : "descending",
                              start == &snapshot ? "snapshot" : "name");
                Report(name, seconds * 1000, "ms");
            }
        }
    }
    return 0;
}
