// The properties list of the selected window: its eleven fixed rows and the "Wert" texts
// made from the facts read off the window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "inspector/window_model.h"

namespace kelvaro {

inline constexpr size_t kDetailRows = 11;

// The "Parameter" column, set once when the list is created.
inline constexpr std::array<const char*, kDetailRows> kDetailParameters = {
    "Prozess",  "Fenstertitel", "Klassenname", "Fenster Handle", "Status", "Aktiviert",
    "Sichtbar", "X-Position",   "Y-Position",  "Breite",         "Hoehe",
};

// What the window system tells about one window at one moment.
struct WindowFacts {
    std::string Title;
    std::string ClassName;
    WindowHandle Handle = 0;
    bool Minimized = false;
    bool Enabled = false;
    bool Visible = false;
    bool HasRectangle = false;  // false when the outer rectangle could not be read
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

using DetailTexts = std::array<std::string, kDetailRows>;

// The "Wert" column for a window of the named application, row by row.
DetailTexts WindowDetailTexts(std::string_view processName, const WindowFacts& facts);

// The properties as the clipboard takes them: one "Parameter<TAB>Wert" line per row, the
// lines joined by CR LF; the rows given, or all of them when none are.
std::string DetailLines(const DetailTexts& values, const std::vector<size_t>& rows);

}  // namespace kelvaro
