// The update information file and the question texts.
#include "update/update_info.h"

#include "common/number_reader.h"

namespace kelvaro {
namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

// The next line of `rest`, which then starts after the line's end (CR LF counts as one).
std::string_view TakeLine(std::string_view& rest) {
    size_t end = 0;
    while (end < rest.size() && !IsLineEnd(rest[end])) ++end;
    const std::string_view line = rest.substr(0, end);
    if (end < rest.size()) {
        const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        end += crlf ? 2 : 1;
    }
    rest.remove_prefix(end);
    return line;
}

}  // namespace

UpdateInfo ReadUpdateInfo(std::string_view bytes) {
    UpdateInfo info;
    info.definitionsCount = ReadNumber(TakeLine(bytes));
    info.version = std::string(TakeLine(bytes));
    return info;
}

std::string ProgramUpdateQuestion(std::string_view version) {
    std::string text = "Es ein Update verfügbar. `";
    text.append(version);
    text +=
        "`\r\n\r\nMöchten Sie jetzt aktualisieren\n(Das Programm wird dazu beendet und "
        "neugestartet)";
    return text;
}

std::string NewDefinitionsQuestion(int64_t newCount) {
    return "Es sind " + std::to_string(newCount) +
           " neue Definitionen verfügbar.\r\n\r\nMöchten Sie jetzt aktualisieren";
}

}  // namespace kelvaro
