// The main window's status bar fields: their numbers, their right edges in pixels and
// their texts. Every part of the program writes its counts into them by number.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kelvaro {

enum StatusField : int {
    StatusProcesses = 0,
    StatusThreads = 1,
    StatusDefinitions = 2,
    StatusWindows = 3,
    StatusChildWindows = 4,
};
inline constexpr int kStatusFieldCount = 5;
inline constexpr std::array<int, kStatusFieldCount> kStatusFieldRightEdges = {100, 200, 370, 520,
                                                                              710};

// The field's label followed by the count in decimal, e.g. "Prozesse: 42".
std::string StatusFieldText(StatusField field, int64_t count);

}  // namespace kelvaro
