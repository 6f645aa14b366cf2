#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inventory/process_sort.h"

namespace kelvaro {
namespace {

ProcessRecord Record(std::string name, int32_t threads = 1, int32_t priority = 8,
                     int32_t verdict = VerdictNone) {
    ProcessRecord record;
    record.Name = std::move(name);
    record.Threads = threads;
    record.BasePriority = priority;
    record.Verdict = verdict;
    return record;
}

std::vector<std::string> Names(const std::vector<ProcessRecord>& records) {
    std::vector<std::string> names;
    for (const ProcessRecord& record : records) names.push_back(record.Name);
    return names;
}

std::vector<ProcessRecord> Sorted(std::vector<ProcessRecord> records, SortKey key,
                                  SortDirection direction) {
    SortProcessRecords(records, SortState{key, direction});
    return records;
}

TEST(SortByName, FoldsOnlyAsciiLettersAndPutsPrefixesFirst) {
    const std::vector<ProcessRecord> records = {
        Record("svchost.exe"),  Record("Idle.exe"), Record("explorer.exe"),
        Record("\xC4pfel.exe"),  // Äpfel: 0xC4 stays unfolded, after every ASCII letter
        Record("\xE4pfel.exe"),  // äpfel: 0xE4, after Ä
        Record("zz.exe"),       Record("Explorer"), Record("EXPLORER.EXE2"),
        Record("_x.exe"),       Record("Zz.exe"),
    };
    // "_" (0x5F) lies between the capitals and the small letters: folding A-Z puts it
    // before every letter.
    EXPECT_EQ(Names(Sorted(records, SortByName, SortAscending)),
              (std::vector<std::string>{"_x.exe", "Explorer", "explorer.exe", "EXPLORER.EXE2",
                                        "Idle.exe", "svchost.exe", "zz.exe", "Zz.exe",
                                        "\xC4pfel.exe", "\xE4pfel.exe"}));
    // Descending reverses the comparison, but names equal after folding (zz/Zz) keep their
    // order.
    EXPECT_EQ(Names(Sorted(records, SortByName, SortDescending)),
              (std::vector<std::string>{"\xE4pfel.exe", "\xC4pfel.exe", "zz.exe", "Zz.exe",
                                        "svchost.exe", "Idle.exe", "EXPLORER.EXE2", "explorer.exe",
                                        "Explorer", "_x.exe"}));
}

TEST(SortByName, ComparesBytesAsUnsignedAndLengthsLast) {
    EXPECT_LT(CompareFoldedNames("a", "ab"), 0);
    EXPECT_GT(CompareFoldedNames("ab", "a"), 0);
    EXPECT_EQ(CompareFoldedNames("ABC", "abc"), 0);
    EXPECT_EQ(CompareFoldedNames("", ""), 0);
    EXPECT_LT(CompareFoldedNames("", "a"), 0);
    EXPECT_LT(CompareFoldedNames("z", "\x80"), 0);     // bytes above 0x7F sort after ASCII
    EXPECT_NE(CompareFoldedNames("\xC4", "\xE4"), 0);  // umlauts are not folded
}

// Equal keys keep the order they had before the sort, in both directions, across the
// merge of runs (more records than one insertion run holds).
TEST(SortByNumber, IsStableInBothDirections) {
    std::vector<ProcessRecord> records;
    for (int i = 0; i < 100; ++i) {
        records.push_back(Record("p" + std::to_string(1000 + i), /*threads=*/(i * 7) % 5));
    }
    for (SortDirection direction : {SortAscending, SortDescending}) {
        const std::vector<ProcessRecord> sorted = Sorted(records, SortByThreads, direction);
        ASSERT_EQ(sorted.size(), records.size());
        for (size_t i = 1; i < sorted.size(); ++i) {
            const ProcessRecord& a = sorted[i - 1];
            const ProcessRecord& b = sorted[i];
            if (a.Threads == b.Threads) {
                EXPECT_LT(a.Name, b.Name) << "direction " << direction << " at " << i;
            } else if (direction == SortAscending) {
                EXPECT_LT(a.Threads, b.Threads);
            } else {
                EXPECT_GT(a.Threads, b.Threads);
            }
        }
    }
}

// Names alike in their first bytes, in more records than one insertion run holds: names
// equal after folding keep their order, a prefix comes before the longer name.
TEST(SortByName, IsStableInBothDirectionsAcrossLongCommonPrefixes) {
    const char* const names[] = {"svchost.exe",  "SVCHOST.EXE", "svchost.ex",
                                 "svchost.exe2", "SvcHost.Exe", "svchost"};
    std::vector<ProcessRecord> records;
    for (int i = 0; i < 60; ++i) records.push_back(Record(names[(i * 5) % 6], /*threads=*/i));
    for (SortDirection direction : {SortAscending, SortDescending}) {
        const std::vector<ProcessRecord> sorted = Sorted(records, SortByName, direction);
        for (size_t i = 1; i < sorted.size(); ++i) {
            const int order = CompareFoldedNames(sorted[i - 1].Name, sorted[i].Name);
            if (order == 0) {
                EXPECT_LT(sorted[i - 1].Threads, sorted[i].Threads) << "at " << i;
            } else {
                EXPECT_EQ(order < 0, direction == SortAscending) << "at " << i;
            }
        }
        EXPECT_EQ(sorted.front().Name, direction == SortAscending ? "svchost" : "svchost.exe2");
    }
}

TEST(SortByNumber, SignedNumbersForPriorityThreadsAndVerdict) {
    const std::vector<ProcessRecord> records = {
        Record("seven", 0, 8, 7),      Record("none", 3, 24, VerdictNone),
        Record("wichtig", -2, 4, 4),   Record("system", 5, 13, 0),
        Record("gefahr", 1, 6, 3),     Record("unnoetig", 2, 10, 1),
        Record("potentiell", 9, 8, 2), Record("none2", 4, -1, VerdictNone),
    };
    EXPECT_EQ(Names(Sorted(records, SortByVerdict, SortAscending)),
              (std::vector<std::string>{"none", "none2", "system", "unnoetig", "potentiell",
                                        "gefahr", "wichtig", "seven"}));
    EXPECT_EQ(Names(Sorted(records, SortByVerdict, SortDescending)),
              (std::vector<std::string>{"seven", "wichtig", "gefahr", "potentiell", "unnoetig",
                                        "system", "none", "none2"}));
    EXPECT_EQ(Names(Sorted(records, SortByThreads, SortAscending)),
              (std::vector<std::string>{"wichtig", "seven", "gefahr", "unnoetig", "none", "none2",
                                        "system", "potentiell"}));
    EXPECT_EQ(Names(Sorted(records, SortByPriority, SortAscending)),
              (std::vector<std::string>{"none2", "wichtig", "gefahr", "seven", "potentiell",
                                        "unnoetig", "system", "none"}));
}

// Sorting by name and then by thread count lists the processes of equal thread count in
// name order; the records keep all their fields.
TEST(SortProcessList, SortsTheProgramListByTheProgramStateAndKeepsFields) {
    ProcessList& list = ProgramProcesses();
    list.Clear();
    list.records = {Record("c.exe", 2), Record("B.exe", 1), Record("a.exe", 2), Record("d.exe", 1)};
    list.records[0].Description = "Beschreibung\r\n";
    ProgramSortState() = SortState{};
    SortProcessList();
    EXPECT_EQ(Names(list.records), (std::vector<std::string>{"a.exe", "B.exe", "c.exe", "d.exe"}));
    ProgramSortState() = SortState{SortByThreads, SortDescending};
    SortProcessList();
    EXPECT_EQ(Names(list.records), (std::vector<std::string>{"a.exe", "c.exe", "B.exe", "d.exe"}));
    EXPECT_EQ(list.records[1].Description, "Beschreibung\r\n");
    EXPECT_EQ(list.records[1].Threads, 2);
    list.Clear();
    ProgramSortState() = SortState{};
}

// Every click toggles the direction, on the same column and on another one.
TEST(HeaderClick, SetsTheColumnAndTogglesTheDirectionOnEveryClick) {
    SortState state;  // name, ascending, as at start-up
    state = AfterHeaderClick(state, SortByThreads);
    EXPECT_EQ(state, (SortState{SortByThreads, SortDescending}));
    state = AfterHeaderClick(state, SortByThreads);
    EXPECT_EQ(state, (SortState{SortByThreads, SortAscending}));
    state = AfterHeaderClick(state, SortByName);
    EXPECT_EQ(state, (SortState{SortByName, SortDescending}));
    state = AfterHeaderClick(state, SortByVerdict);
    EXPECT_EQ(state, (SortState{SortByVerdict, SortAscending}));
}

}  // namespace
}  // namespace kelvaro
