// The retry loop for files that another program holds for a moment.
#include "common/busy_retry.h"

#include <thread>

namespace kelvaro {

bool RetryWhileBusy(const std::function<AttemptOutcome()>& attempt, BusyRetryTiming timing) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + timing.patience;
    for (;;) {
        switch (attempt()) {
            case AttemptOutcome::Done:
                return true;
            case AttemptOutcome::Failed:
                return false;
            case AttemptOutcome::Busy:
                break;
        }
        if (Clock::now() >= end) return false;
        std::this_thread::sleep_for(timing.pause);
    }
}

}  // namespace kelvaro
