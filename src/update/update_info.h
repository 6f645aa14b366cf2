// The update information file and what the update check makes of it: the server's
// definitions count and version, the version comparison (common/version_text.h), and the
// texts of the check.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/version_text.h"

namespace kelvaro {

// The files of the update server, fetched into files of the same names.
inline constexpr const char* kUpdateInfoFileName = "KelvaroUpdate";
inline constexpr const char* kUpdaterProgram = "KelvaroUpdate.exe";
inline constexpr const char* kMainProgramFile = "Kelvaro(x64).exe";

// How much of the update information file is read. Its two lines are a few bytes; the
// bound keeps a wrong file (a web page, a binary) from flooding the question box.
inline constexpr size_t kUpdateInfoReadLimit = 4096;
// How much of it is downloaded at all: a server that sends more is refused at once rather
// than filling the working folder while the window hangs.
inline constexpr int32_t kUpdateInfoMaxBytes = 64 * 1024;

// Line 1: the server's definitions count; line 2: the newest program version, as text.
// Lines end at CR LF, LF, CR or a zero byte (a zero byte would otherwise cut the question
// text short); a missing line reads as empty text. Further lines are ignored.
struct UpdateInfo {
    int32_t definitionsCount = 0;
    std::string version;
};
UpdateInfo ReadUpdateInfo(std::string_view bytes);

// The texts of the update check.
inline constexpr const char* kQuestionCaption = "Kelvaro";
inline constexpr const char* kNoNetworkText = "Kein Internetzugriff für Update";
inline constexpr const char* kUpdateInfoFailedText =
    "Updateinformationen konnten nicht heruntergeladen werden";
inline constexpr const char* kDefinitionsFailedText = "Update konnte nicht heruntergeladen werden";
inline constexpr const char* kNoUpdatesText = "Keine Updates verfügbar";
// The update information came without a manifest that vouches for it.
inline constexpr const char* kNotSignedText =
    "Die Updateinformationen sind nicht gültig signiert. Es wurde nichts geändert.";

// The question for a newer program version, with the version text exactly as read.
std::string ProgramUpdateQuestion(std::string_view version);
// The question for `newCount` new definitions.
std::string NewDefinitionsQuestion(int64_t newCount);

}  // namespace kelvaro
