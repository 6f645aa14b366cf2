// The failure report of the update path.
#include "netupdate/report.h"

namespace kelvaro {

int32_t ReportIfFailed(int32_t result, const std::string& text, bool endOnFailure,
                       const OkBox& showBox, const std::function<void()>& endProgram) {
    if (result != 0) return result;
    showBox(text, kErrorCaption);
    if (endOnFailure) endProgram();
    return result;
}

}  // namespace kelvaro
