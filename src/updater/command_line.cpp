// The updater's command-line splitting.
#include "updater/command_line.h"

namespace kelvaro {
namespace {

// Takes the next argument off the front of `rest`.
std::string_view TakeArgument(std::string_view& rest) {
    const size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    if (rest.front() == '"') {
        const size_t close = rest.find('"', 1);
        const std::string_view argument =
            rest.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        rest.remove_prefix(close == std::string_view::npos ? rest.size() : close + 1);
        return argument;
    }
    const size_t end = rest.find(' ');
    const std::string_view argument = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    return argument;
}

}  // namespace

std::string UpdaterArgument(std::string_view commandLine) {
    TakeArgument(commandLine);  // the updater's own path
    return std::string(TakeArgument(commandLine));
}

}  // namespace kelvaro
