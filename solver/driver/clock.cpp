#include "driver/clock.h"

#include <ctime>
#include <iostream>
#include <utility>

#include "input/fatal_exit.h"

namespace zelk {

namespace {

// Every misuse ends the run: the time reported afterwards would be meaningless.
[[noreturn]] void clockError(const char* method, const char* complaint) {
    std::cerr << "\n*** Error *** " << method << complaint;
    fatalExit(1);
}

constexpr const char* kStartFirst = " : Method Start() must have been called before.\n";

}  // namespace

Clock::Clock(TimeSource now) : now_(std::move(now)) {}

Clock::Milliseconds Clock::processMilliseconds() {
    // clock() counts CLOCKS_PER_SEC units per second (a million here), not milliseconds.
    const std::clock_t ticks = std::clock();
    if (ticks == static_cast<std::clock_t>(-1)) return 0;  // no process time on this system
    return static_cast<Milliseconds>(ticks) * 1000 / static_cast<Milliseconds>(CLOCKS_PER_SEC);
}

void Clock::start() {
    start_ = now_();
    started_ = true;
}

void Clock::stop() {
    if (!started_) clockError("In Clock :: Stop()", kStartFirst);
    stop_ = now_();
    stopped_ = true;
    accumulated_ += static_cast<double>(stop_ - start_);
}

void Clock::clear() {
    accumulated_ = 0;
    stopped_ = false;
    start();
}

void Clock::resume() {
    if (!started_) clockError("In Clock :: resume()", kStartFirst);
    if (!stopped_) clockError("In Clock::Resume()", " Method Stop() must have been called before.\nCall method 'Start()'\n");
    start_ = now_();
}

double Clock::elapsedMilliseconds() {
    if (!started_) clockError("In Clock :: ElapsedTime()", kStartFirst);
    if (stopped_) return accumulated_;
    stop_ = now_();
    return static_cast<double>(stop_ - start_) + accumulated_;
}

}  // namespace zelk
