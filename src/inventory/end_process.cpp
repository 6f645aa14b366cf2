// The texts of ending one process.
#include "inventory/end_process.h"

namespace kelvaro {

std::string EndProcessQuestion(std::string_view name, uint32_t processId) {
    return "Möchten Sie den Prozess " + std::string(name) + " (PID " + std::to_string(processId) +
           ") jetzt beenden?";
}

std::string_view FileNameOf(std::string_view path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace kelvaro
