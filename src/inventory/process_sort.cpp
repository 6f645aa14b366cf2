// The stable merge sort of the process list and the sort state's changes.
#include "inventory/process_sort.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <utility>

#include "common/ansi_text.h"

namespace kelvaro {
namespace {

// Runs shorter than this are put in order by insertion first, which is stable as well.
constexpr size_t kInsertionRun = 16;

int CompareNumbers(int32_t a, int32_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// The first eight bytes of a name, folded, as one number that orders like the bytes: names
// whose prefixes differ compare by it alone, and only equal prefixes compare byte by byte.
// A shorter name is padded with zero bytes, which keeps a prefix before the longer name.
uint64_t FoldedPrefix(std::string_view name) {
    uint64_t prefix = 0;
    for (size_t i = 0; i < 8; ++i) {
        const auto byte = i < name.size() ? static_cast<unsigned char>(LowerAscii(name[i])) : 0u;
        prefix = (prefix << 8) | byte;
    }
    return prefix;
}

int32_t NumberKey(const ProcessRecord& record, SortKey key) {
    switch (key) {
        case SortByPriority:
            return record.BasePriority;
        case SortByThreads:
            return record.Threads;
        default:
            return record.Verdict;
    }
}

// Orders the positions 0..n-1 of the records: a bottom-up merge sort over positions, so
// the records themselves stay where they are until the order is known.
template <typename Before>
std::vector<uint32_t> StableOrder(size_t count, Before before) {
    std::vector<uint32_t> order(count);
    for (size_t i = 0; i < count; ++i) order[i] = static_cast<uint32_t>(i);
    for (size_t start = 0; start < count; start += kInsertionRun) {
        const size_t end = std::min(start + kInsertionRun, count);
        for (size_t i = start + 1; i < end; ++i) {
            const uint32_t moving = order[i];
            size_t j = i;
            // Only a strictly earlier record passes another: equal keys keep their order.
            for (; j > start && before(moving, order[j - 1]); --j) order[j] = order[j - 1];
            order[j] = moving;
        }
    }
    std::vector<uint32_t> merged(count);
    for (size_t width = kInsertionRun; width < count; width *= 2) {
        for (size_t left = 0; left < count; left += 2 * width) {
            const size_t middle = std::min(left + width, count);
            const size_t right = std::min(left + 2 * width, count);
            size_t i = left;
            size_t j = middle;
            size_t out = left;
            // On equal keys the left run, which came first, goes first.
            while (i < middle && j < right) {
                merged[out++] = before(order[j], order[i]) ? order[j++] : order[i++];
            }
            while (i < middle) merged[out++] = order[i++];
            while (j < right) merged[out++] = order[j++];
        }
        order.swap(merged);
    }
    return order;
}

}  // namespace

SortState& ProgramSortState() {
    static SortState state;
    return state;
}

SortState AfterHeaderClick(SortState state, SortKey column) {
    state.key = column;
    state.direction = state.direction == SortDescending ? SortAscending : SortDescending;
    return state;
}

int CompareFoldedNames(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(LowerAscii(a[i]));
        const auto y = static_cast<unsigned char>(LowerAscii(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

void SortProcessRecords(std::vector<ProcessRecord>& records, SortState state) {
    const size_t count = records.size();
    if (count < 2) return;
    const bool descending = state.direction == SortDescending;
    // Descending reverses the comparison only; the merge still prefers the earlier record
    // on equal keys.
    auto orderBy = [count, descending](auto compare) {
        return StableOrder(count, [&compare, descending](uint32_t a, uint32_t b) {
            const int order = compare(a, b);
            return descending ? order > 0 : order < 0;
        });
    };
    std::vector<uint32_t> order;
    if (state.key == SortByName) {
        // The folded names side by side in one block, each with its leading eight bytes as
        // one number: most comparisons end at the numbers, the rest at one memcmp.
        std::string folded;
        std::vector<size_t> offsets;
        std::vector<uint64_t> prefixes;
        offsets.reserve(count + 1);
        prefixes.reserve(count);
        for (const ProcessRecord& record : records) {
            offsets.push_back(folded.size());
            for (char c : record.Name) folded += LowerAscii(c);
            prefixes.push_back(FoldedPrefix(record.Name));
        }
        offsets.push_back(folded.size());
        order = orderBy([&](uint32_t a, uint32_t b) {
            if (prefixes[a] != prefixes[b]) return prefixes[a] < prefixes[b] ? -1 : 1;
            const size_t lengthA = offsets[a + 1] - offsets[a];
            const size_t lengthB = offsets[b + 1] - offsets[b];
            const int bytes = std::memcmp(folded.data() + offsets[a], folded.data() + offsets[b],
                                          std::min(lengthA, lengthB));
            if (bytes != 0) return bytes;
            return lengthA < lengthB ? -1 : (lengthA > lengthB ? 1 : 0);
        });
    } else {
        std::vector<int32_t> keys(count);
        for (size_t i = 0; i < count; ++i) keys[i] = NumberKey(records[i], state.key);
        order =
            orderBy([&keys](uint32_t a, uint32_t b) { return CompareNumbers(keys[a], keys[b]); });
    }
    std::vector<ProcessRecord> sorted;
    sorted.reserve(count);
    for (uint32_t position : order) sorted.push_back(std::move(records[position]));
    records.swap(sorted);
}

void SortProcessList() {
    SortProcessRecords(ProgramProcesses().records, ProgramSortState());
}

}  // namespace kelvaro
