// What the main window remembers from one run to the next: its place, size and maximised
// state, the process list's column widths and order, the splitters' positions and the sort.
// Kept in the group "Fenster" of "Kelvaro.ini", written when the program ends and read at
// start-up; like everything else, only into a settings file that exists.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace kelvaro {

inline constexpr const char* kWindowGroup = "Fenster";
inline constexpr int kRememberedColumns = 4;
inline constexpr int kRememberedSplitters = 3;  // "Prozesse", "Fenster", the details

struct WindowMemory {
    // The window's outer rectangle when not maximised, as the window system places it.
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool maximised = false;
    std::array<int32_t, kRememberedColumns> columnWidths{};
    std::array<int32_t, kRememberedColumns> columnOrder{};
    std::array<int32_t, kRememberedSplitters> splitters{};
    int32_t sortKey = 0;
    int32_t sortDirection = 0;
};

// Writes the group into the open settings file, replacing what it held; other groups and
// lines stay as they are.
void WriteWindowMemory(const WindowMemory& memory);

// The group of the open settings file; none when it is missing or incomplete, or holds
// values no run of the program writes (a column order that is not one of the columns each
// once, widths or sizes of 0 or less, a sort outside its range). Whether the place lies on
// a screen is the window system's to say.
std::optional<WindowMemory> ReadWindowMemory();

}  // namespace kelvaro
