// Ending one process now, from the process list: the question, and the texts of a refusal
// or a failure. The kill list has nothing to do with it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvaro {

inline constexpr const char* kEndProcessCaption = "Kelvaro";
inline constexpr const char* kEndProcessErrorCaption = "Fehler";
// The failure report begins with this, followed by the reason.
inline constexpr const char* kEndProcessFailedText = "Der Prozess konnte nicht beendet werden: ";
inline constexpr const char* kOwnProcessReason =
    "Das ist Kelvaro selbst. Beenden Sie Kelvaro über \"Datei\" > \"Beenden\".";
inline constexpr const char* kOtherImageReason =
    "Die Prozess-ID gehört inzwischen zu einem anderen Programm.";

// "Möchten Sie den Prozess <name> (PID <pid>) jetzt beenden?"
std::string EndProcessQuestion(std::string_view name, uint32_t processId);

// The file name at the end of a full path (after its last backslash or slash).
std::string_view FileNameOf(std::string_view path);

}  // namespace kelvaro
