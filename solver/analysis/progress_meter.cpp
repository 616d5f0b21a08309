#include "analysis/progress_meter.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace zelk {

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(250);

double secondsBetween(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

}  // namespace

ProgressMeter::ProgressMeter(double tEnd, int integrationPoints)
    : tEnd_(tEnd),
      integrationPoints_(integrationPoints),
      drawLine_(isatty(STDERR_FILENO) == 1 && isatty(STDOUT_FILENO) == 0),
      start_(Clock::now()),
      lastDraw_(start_),
      processorStart_(std::clock()) {}

void ProgressMeter::stepDone(int step, double dt, double time) {
    smallestStep_ = steps_ == 0 ? dt : std::min(smallestStep_, dt);
    largestStep_ = std::max(largestStep_, dt);
    steps_ = step;
    if (!drawLine_) return;
    const Clock::time_point now = Clock::now();
    if (now - lastDraw_ < kRedrawInterval) return;
    lastDraw_ = now;
    draw(time, dt);
}

void ProgressMeter::draw(double time, double dt) {
    const double elapsed = secondsBetween(start_, lastDraw_);
    const double fraction = tEnd_ > 0.0 ? std::clamp(time / tEnd_, 0.0, 1.0) : 1.0;
    const double remaining = fraction > 0.0 ? elapsed * (1.0 - fraction) / fraction : 0.0;
    // \r and the clearing escape redraw the line in place.
    std::fprintf(stderr, "\r\033[K%5.1f%%  step %d  dt %.3g  %.0f steps/s  elapsed %.0f s  remaining %.0f s",
                 100.0 * fraction, steps_, dt, elapsed > 0.0 ? steps_ / elapsed : 0.0, elapsed, remaining);
    std::fflush(stderr);
}

void ProgressMeter::finish(std::ostream& out) {
    if (drawLine_) {
        std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
    }
    const double wall = secondsBetween(start_, Clock::now());
    const double processor = static_cast<double>(std::clock() - processorStart_) / CLOCKS_PER_SEC;
    const double perPoint = steps_ > 0 && integrationPoints_ > 0 ? processor / steps_ / integrationPoints_ : 0.0;
    out << "CALTIME: " << steps_ << " steps, step length " << smallestStep_ << " to " << largestStep_
        << ", wall time " << wall << " s, processor time " << processor << " s, " << perPoint
        << " s per step per integration point" << std::endl;
}

}  // namespace zelk
