// The retry loop for files held by another program: it stops at the first success or hard
// failure, and gives up once the file has stayed busy for the whole patience.
#include "common/busy_retry.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace kelvaro {
namespace {

using std::chrono::milliseconds;

// Plays the given outcomes in turn, the last one for ever after.
struct Script {
    std::vector<AttemptOutcome> outcomes;
    int calls = 0;
    AttemptOutcome operator()() {
        const size_t at = std::min(static_cast<size_t>(calls), outcomes.size() - 1);
        ++calls;
        return outcomes[at];
    }
};

constexpr BusyRetryTiming kQuick{milliseconds(2000), milliseconds(1)};

TEST(BusyRetry, StopsAtTheFirstSuccessOrHardFailure) {
    Script done{{AttemptOutcome::Done}};
    EXPECT_TRUE(RetryWhileBusy(std::ref(done), kQuick));
    EXPECT_EQ(done.calls, 1);

    Script failed{{AttemptOutcome::Failed, AttemptOutcome::Done}};
    EXPECT_FALSE(RetryWhileBusy(std::ref(failed), kQuick));
    EXPECT_EQ(failed.calls, 1);

    Script busyThenFailed{{AttemptOutcome::Busy, AttemptOutcome::Failed, AttemptOutcome::Done}};
    EXPECT_FALSE(RetryWhileBusy(std::ref(busyThenFailed), kQuick));
    EXPECT_EQ(busyThenFailed.calls, 2);
}

TEST(BusyRetry, ABusyFileIsTriedAgainUntilItIsReleased) {
    Script released{{AttemptOutcome::Busy, AttemptOutcome::Busy, AttemptOutcome::Busy,
                     AttemptOutcome::Done}};
    EXPECT_TRUE(RetryWhileBusy(std::ref(released), kQuick));
    EXPECT_EQ(released.calls, 4);
}

TEST(BusyRetry, AFileBusyForTheWholePatienceCountsAsFailed) {
    Script held{{AttemptOutcome::Busy}};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(RetryWhileBusy(std::ref(held), {milliseconds(60), milliseconds(10)}));
    EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(60));
    EXPECT_GE(held.calls, 2);

    // No patience at all: one try.
    Script once{{AttemptOutcome::Busy}};
    EXPECT_FALSE(RetryWhileBusy(std::ref(once), {milliseconds(0), milliseconds(10)}));
    EXPECT_EQ(once.calls, 1);
}

}  // namespace
}  // namespace kelvaro
