// The group "Fenster" of the settings file: one number per key.
#include "shell/window_memory.h"

#include <algorithm>
#include <string>

#include "ini/ini.h"

namespace kelvaro {
namespace {

// Read back from a group without the key: no run writes it, so the group is incomplete.
constexpr int32_t kMissing = INT32_MIN;

constexpr const char* kLeftKey = "Links";
constexpr const char* kTopKey = "Oben";
constexpr const char* kWidthKey = "Breite";
constexpr const char* kHeightKey = "Hoehe";
constexpr const char* kMaximisedKey = "Maximiert";
constexpr const char* kSortKeyKey = "Sortierspalte";
constexpr const char* kSortDirectionKey = "Absteigend";

std::string NumberedKey(const char* name, int index) {
    return std::string(name) + " " + std::to_string(index + 1);
}

constexpr const char* kColumnWidthKey = "Spaltenbreite";
constexpr const char* kColumnOrderKey = "Spaltenfolge";
constexpr const char* kSplitterKey = "Teiler";

template <size_t N>
void WriteList(const char* name, const std::array<int32_t, N>& values) {
    for (size_t i = 0; i < N; ++i) IniWriteInt(NumberedKey(name, static_cast<int>(i)), values[i]);
}

template <size_t N>
bool ReadList(const char* name, std::array<int32_t, N>& values) {
    for (size_t i = 0; i < N; ++i) {
        values[i] = IniReadInt(NumberedKey(name, static_cast<int>(i)), kMissing);
        if (values[i] == kMissing) return false;
    }
    return true;
}

bool IsColumnOrder(std::array<int32_t, kRememberedColumns> order) {
    std::sort(order.begin(), order.end());
    for (int i = 0; i < kRememberedColumns; ++i) {
        if (order[static_cast<size_t>(i)] != i) return false;
    }
    return true;
}

bool Plausible(const WindowMemory& m) {
    const auto positive = [](int32_t v) { return v > 0; };
    return m.width > 0 && m.height > 0 && IsColumnOrder(m.columnOrder) &&
           std::all_of(m.columnWidths.begin(), m.columnWidths.end(), positive) &&
           std::all_of(m.splitters.begin(), m.splitters.end(), [](int32_t v) { return v >= 0; }) &&
           m.sortKey >= 0 && m.sortKey < kRememberedColumns &&
           (m.sortDirection == 0 || m.sortDirection == 1);
}

}  // namespace

void WriteWindowMemory(const WindowMemory& memory) {
    IniSelectGroup(kWindowGroup);
    IniWriteInt(kLeftKey, memory.left);
    IniWriteInt(kTopKey, memory.top);
    IniWriteInt(kWidthKey, memory.width);
    IniWriteInt(kHeightKey, memory.height);
    IniWriteInt(kMaximisedKey, memory.maximised ? 1 : 0);
    WriteList(kColumnWidthKey, memory.columnWidths);
    WriteList(kColumnOrderKey, memory.columnOrder);
    WriteList(kSplitterKey, memory.splitters);
    IniWriteInt(kSortKeyKey, memory.sortKey);
    IniWriteInt(kSortDirectionKey, memory.sortDirection);
}

std::optional<WindowMemory> ReadWindowMemory() {
    if (!IniSelectGroup(kWindowGroup)) return std::nullopt;
    WindowMemory memory;
    const int32_t values[] = {
        memory.left = IniReadInt(kLeftKey, kMissing),
        memory.top = IniReadInt(kTopKey, kMissing),
        memory.width = IniReadInt(kWidthKey, kMissing),
        memory.height = IniReadInt(kHeightKey, kMissing),
        memory.sortKey = IniReadInt(kSortKeyKey, kMissing),
        memory.sortDirection = IniReadInt(kSortDirectionKey, kMissing),
    };
    const int32_t maximised = IniReadInt(kMaximisedKey, kMissing);
    memory.maximised = maximised == 1;
    if (std::find(std::begin(values), std::end(values), kMissing) != std::end(values) ||
        (maximised != 0 && maximised != 1)) {
        return std::nullopt;
    }
    if (!ReadList(kColumnWidthKey, memory.columnWidths) ||
        !ReadList(kColumnOrderKey, memory.columnOrder) || !ReadList(kSplitterKey, memory.splitters)) {
        return std::nullopt;
    }
    if (!Plausible(memory)) return std::nullopt;
    return memory;
}

}  // namespace kelvaro
