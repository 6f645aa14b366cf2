// The program's settings record, and the interval of the refresh timer it sets.
#include "shell/settings.h"

namespace kelvaro {

Settings& ProgramSettings() {
    static Settings settings;
    return settings;
}

uint32_t AutoRefreshIntervalMs(int32_t timeoutSeconds) {
    const int64_t milliseconds = static_cast<int64_t>(timeoutSeconds) * 1000;
    if (milliseconds < 0 || milliseconds > kTimerMaximumMs) return kTimerMaximumMs;
    return static_cast<uint32_t>(milliseconds);
}

}  // namespace kelvaro
