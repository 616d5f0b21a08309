#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include "driver/clock.h"
#include "input/fatal_exit.h"

namespace zelk {
namespace {

// A clock over a hand-moved time source.
struct ClockOnFakeTime : ::testing::Test {
    Clock::Milliseconds now = 1000;
    Clock clock{[this] { return now; }};
};

TEST_F(ClockOnFakeTime, SecondStopAddsTheIntervalSinceStartAgain) {
    clock.start();
    now += 40;
    clock.stop();
    EXPECT_DOUBLE_EQ(clock.elapsedMilliseconds(), 40);
    now += 10;
    clock.stop();  // start was not moved by the first stop
    EXPECT_DOUBLE_EQ(clock.elapsedMilliseconds(), 40 + 50);
}

TEST_F(ClockOnFakeTime, RunningClockAddsItsIntervalToTheAccumulatedTime) {
    clock.start();
    now += 30;
    clock.stop();
    clock.start();  // start keeps the accumulated time and the stopped mark
    now += 5;
    EXPECT_DOUBLE_EQ(clock.elapsedMilliseconds(), 30);
    clock.clear();  // forgets everything and runs again
    now += 7;
    EXPECT_TRUE(clock.started());
    EXPECT_FALSE(clock.stopped());
    EXPECT_DOUBLE_EQ(clock.elapsedMilliseconds(), 7);
}

TEST_F(ClockOnFakeTime, ResumedClockReportsTheTimeUpToTheLastStopUntilStoppedAgain) {
    clock.start();
    now += 20;
    clock.stop();
    now += 100;  // paused: not counted
    clock.resume();
    now += 3;
    EXPECT_DOUBLE_EQ(clock.elapsedMilliseconds(), 20);
    clock.stop();
    EXPECT_DOUBLE_EQ(clock.elapsedMilliseconds(), 23);
}

// The process clock counts CLOCKS_PER_SEC units per second; readings must come
// out in milliseconds whatever that unit is.
TEST(ProcessClock, ReadsMilliseconds) {
    const auto wallStart = std::chrono::steady_clock::now();
    const Clock::Milliseconds cpuStart = Clock::processMilliseconds();
    volatile unsigned long spin = 0;
    while (std::chrono::steady_clock::now() - wallStart < std::chrono::milliseconds(200)) spin = spin + 1;
    const Clock::Milliseconds cpuSpent = Clock::processMilliseconds() - cpuStart;
    // 200 ms of wall time spent spinning: some tens to a few hundred milliseconds
    // of process time on a busy machine, never thousands.
    EXPECT_GE(cpuSpent, 10);
    EXPECT_LE(cpuSpent, 1000);
}

}  // namespace
}  // namespace zelk
