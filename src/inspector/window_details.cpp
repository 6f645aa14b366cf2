// The "Wert" texts of the properties list.
#include "inspector/window_details.h"

namespace kelvaro {

DetailTexts WindowDetailTexts(std::string_view processName, const WindowFacts& facts) {
    // Computed in 64 bits: the edges are 32-bit, their difference need not be.
    std::int64_t left = 0, top = 0, width = 0, height = 0;
    if (facts.HasRectangle) {
        left = facts.Left;
        top = facts.Top;
        width = std::int64_t{facts.Right} - facts.Left;
        height = std::int64_t{facts.Bottom} - facts.Top;
    }
    return {
        std::string(processName),
        facts.Title,
        facts.ClassName,
        std::to_string(static_cast<std::int64_t>(facts.Handle)),
        facts.Minimized ? "Minimiert" : "Normal",
        facts.Enabled ? "Aktiviert" : "Deaktiviert",
        facts.Visible ? "Sichtbar" : "Versteckt",
        std::to_string(left),
        std::to_string(top),
        std::to_string(width),
        std::to_string(height),
    };
}

std::string DetailLines(const DetailTexts& values, const std::vector<size_t>& rows) {
    std::string lines;
    const auto add = [&](size_t row) {
        if (row >= kDetailRows) return;
        if (!lines.empty()) lines += "\r\n";
        lines += std::string(kDetailParameters[row]) + '\t' + values[row];
    };
    if (rows.empty()) {
        for (size_t row = 0; row < kDetailRows; ++row) add(row);
    } else {
        for (const size_t row : rows) add(row);
    }
    return lines;
}

}  // namespace kelvaro
