// Program version texts ("1.6") and their comparison, shared by the update check and the
// updater.
#pragma once

#include <cstdint>
#include <string_view>

namespace kelvaro {

// Fields 1 and 2 of a version text split at ".", read by the program's number reader; a
// missing field reads as 0.
struct ProgramVersion {
    int32_t major = 0;
    int32_t minor = 0;
};
ProgramVersion ParseVersion(std::string_view text);

// Newer when the major number is greater, or equal with a greater minor number; the
// numbers compare as numbers (1.10 is newer than 1.5).
bool IsNewerVersion(std::string_view candidate, std::string_view running);

}  // namespace kelvaro
