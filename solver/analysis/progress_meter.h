// What a running CALTIME tells the user about itself: a progress line on
// standard error while it runs, and a summary on standard output at its end.
//
// The progress line is drawn only when standard error is a terminal and
// standard output is not (the usual "ZELK deck.dat > log"), so that it never
// lands in a file and never mixes with the per-step listing; it is redrawn at
// most four times a second.
#pragma once

#include <chrono>
#include <ctime>
#include <iosfwd>

namespace zelk {

class ProgressMeter {
public:
    // tEnd: the CALTIME end time; integrationPoints: the per-point cost's divisor.
    ProgressMeter(double tEnd, int integrationPoints);
    // After each step: step (from 1), its length and the time reached.
    void stepDone(int step, double dt, double time);
    // Clears the progress line and writes the summary of the CALTIME to out.
    void finish(std::ostream& out);

private:
    using Clock = std::chrono::steady_clock;
    void draw(double time, double dt);

    double tEnd_;
    int integrationPoints_;
    bool drawLine_;
    Clock::time_point start_;
    Clock::time_point lastDraw_;
    std::clock_t processorStart_;
    int steps_ = 0;
    double smallestStep_ = 0.0;
    double largestStep_ = 0.0;
};

}  // namespace zelk
