// The outputs a CALTIME adds beside the history and node files: the energy
// balance "Energy.txt", the VTK series (when VTK was given) and the progress
// line and summary. runToTime creates one per CALTIME, after the weights and
// masses, and reports every step to it.
#pragma once

#include <optional>

#include "analysis/energy_balance.h"
#include "analysis/progress_meter.h"
#include "analysis/vtk_series.h"

namespace zelk {

class DynamicAnalysis;

class RunOutputs {
public:
    // Starts the energy balance and writes the series' member at time 0.
    RunOutputs(DynamicAnalysis& analysis, double tEnd, double baseStep);
    // After step (from 0) of length dt has brought the time to time.
    void afterStep(int step, double time, double dt);
    // After the loop, steps steps taken: the last energy line and series member, then the summary.
    void finish(int steps, double time);

private:
    long long baseSteps(double time) const;

    DynamicAnalysis& analysis_;
    double baseStep_;
    int interval_;                   // base steps between energy lines (and series members)
    long long nextEnergyLine_ = 0;   // base steps at which the next energy line is due
    int lastEnergyStep_ = -1;        // step of the last energy line written
    double lastStepStart_ = 0.0;     // time at the start of the last step
    EnergyFile energyFile_;
    std::optional<VtkSeries> series_;
    ProgressMeter progress_;
};

}  // namespace zelk
