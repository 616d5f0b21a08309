// The stopwatch behind the TIMER macro command.
//
// Readings are process (CPU) time in whole milliseconds. A clock is started by
// start() or clear(); stop() adds the time since the last start to the
// accumulated time without moving the start, so a second stop() adds the same
// interval again. resume() moves the start but leaves the clock marked as
// stopped: until the next stop(), elapsed time is what was accumulated.
// Misuse (stopping or reading a clock never started, resuming one that was not
// stopped) is reported on standard error and ends the run with exit code 1.
#pragma once

#include <cstdint>
#include <functional>

namespace zelk {

class Clock {
public:
    using Milliseconds = std::int64_t;
    using TimeSource = std::function<Milliseconds()>;

    // now: where readings come from; the process clock unless a test supplies one.
    explicit Clock(TimeSource now = processMilliseconds);

    void start();
    void stop();
    // Forgets the accumulated time and starts again.
    void clear();
    void resume();
    // Accumulated time if stopped, else the running interval plus the
    // accumulated time (taking a stop reading, as the running clock is read).
    double elapsedMilliseconds();

    bool started() const { return started_; }
    bool stopped() const { return stopped_; }
    double accumulatedMilliseconds() const { return accumulated_; }

    // The process clock converted from its own units (CLOCKS_PER_SEC per second).
    static Milliseconds processMilliseconds();

private:
    TimeSource now_;
    Milliseconds start_ = 0;  // reading at the last start, clear or resume
    Milliseconds stop_ = 0;   // reading at the last stop, or the last read of a running clock
    double accumulated_ = 0;  // milliseconds counted so far
    bool started_ = false;    // set by start and clear
    bool stopped_ = false;    // set by stop, cleared only by clear
};

}  // namespace zelk
