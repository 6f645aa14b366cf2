// The labels of the status bar fields.
#include "ui/status_fields.h"

#include <string_view>

namespace kelvaro {
namespace {

constexpr std::array<std::string_view, kStatusFieldCount> kStatusFieldLabels = {
    "Prozesse: ", "Threads: ", "Anzahl Definitionen: ", "Anzahl Fenster: ",
    "Anzahl Child-Fenster: "};

}  // namespace

std::string StatusFieldText(StatusField field, int64_t count) {
    const int index = static_cast<int>(field);
    if (index < 0 || index >= kStatusFieldCount) return {};
    std::string text(kStatusFieldLabels[static_cast<size_t>(index)]);
    text += std::to_string(count);
    return text;
}

}  // namespace kelvaro
