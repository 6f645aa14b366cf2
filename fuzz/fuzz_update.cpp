// The two texts the update path takes from outside: any update information file gives a
// version text without line ends or zero bytes, taken from the file's second line, and a
// question that still ends with the question; any updater command line gives an argument
// that is part of it and holds no blank unless it was quoted.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "update/update_info.h"
#include "updater/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const kelvaro::UpdateInfo info = kelvaro::ReadUpdateInfo(text);
    if (info.version.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
        __builtin_trap();
    }
    if (text.find(info.version) == std::string_view::npos) __builtin_trap();
    kelvaro::IsNewerVersion(info.version, "1.5");
    const std::string question = kelvaro::ProgramUpdateQuestion(info.version);
    if (question.size() != info.version.size() + kelvaro::ProgramUpdateQuestion("").size()) {
        __builtin_trap();
    }

    const std::string argument = kelvaro::UpdaterArgument(text);
    if (text.find(argument) == std::string_view::npos) __builtin_trap();
    if (argument.find('"') == 0) __builtin_trap();
    if (argument.find(' ') != std::string::npos &&
        text.find("\"" + argument) == std::string_view::npos) {
        __builtin_trap();
    }
    return 0;
}
