// The sort order of the process list: the sort state (key and direction), how a header
// click changes it, and the stable merge sort of the records by it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "inventory/process_list.h"

namespace kelvaro {

// The sort keys equal the positions of the list view's columns.
enum SortKey : int32_t {
    SortByName = 0,
    SortByPriority = 1,
    SortByThreads = 2,
    SortByVerdict = 3,
};
inline constexpr int32_t kSortKeyCount = 4;

enum SortDirection : int32_t {
    SortAscending = 0,
    SortDescending = 1,
};

struct SortState {
    SortKey key = SortByName;
    SortDirection direction = SortAscending;
    bool operator==(const SortState&) const = default;
};

// The sort state of this program run; every start begins with name, ascending.
SortState& ProgramSortState();

// A click on the header of column `column`: that column becomes the key and the direction
// is reversed, on every click, whichever column was the key before.
SortState AfterHeaderClick(SortState state, SortKey column);

// Names compared byte by byte with only A-Z folded to a-z; other bytes (umlauts too) by
// their unsigned value; a name that is a prefix of another comes first. <0, 0 or >0.
int CompareFoldedNames(std::string_view a, std::string_view b);

// Orders the records in place by the state: a stable merge sort, so records with equal
// keys keep their relative order in both directions. Records are moved, never copied.
void SortProcessRecords(std::vector<ProcessRecord>& records, SortState state);

// Sorts the program's process list by the program's sort state.
void SortProcessList();

}  // namespace kelvaro
