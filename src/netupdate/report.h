// The failure report of the update path, shared by both programs: a "Fehler" box for a
// result of 0, and the end of the program when the caller asks for it. Each program passes
// its own message box and its own way out.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kelvaro {

inline constexpr const char* kErrorCaption = "Fehler";

// Shows a message box with an OK button and no icon.
using OkBox = std::function<void(const std::string& text, const std::string& caption)>;

// Returns `result`. When it is 0, shows `text` under the caption "Fehler" and then, with
// `endOnFailure` set, calls `endProgram` (which does not return in the programs).
int32_t ReportIfFailed(int32_t result, const std::string& text, bool endOnFailure,
                       const OkBox& showBox, const std::function<void()>& endProgram);

}  // namespace kelvaro
