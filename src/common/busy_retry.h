// Trying a file operation again while another program holds the file for a moment: a
// virus scanner, the shell reading a new link, a program that is still ending. Windows
// refuses to delete or replace a file that is open without delete sharing; such a refusal
// passes by itself, so the operation is tried again for a while before it counts as failed.
#pragma once

#include <chrono>
#include <functional>

namespace kelvaro {

enum class AttemptOutcome {
    Done,    // the operation succeeded
    Busy,    // another program holds the file; a later try may succeed
    Failed,  // it failed for good
};

struct BusyRetryTiming {
    std::chrono::milliseconds patience{5000};  // how long a busy file is tried again
    std::chrono::milliseconds pause{100};      // between two tries
};

// Runs `attempt` until it is done or fails for good, or until it has been busy for the
// whole patience. True only when it was done.
bool RetryWhileBusy(const std::function<AttemptOutcome()>& attempt, BusyRetryTiming timing = {});

}  // namespace kelvaro
