// The outputs a CALTIME adds beside the history and node files: the energy
// balance "Energy.txt", the VTK series (when VTK was given) and the progress
// line and summary. runToTime creates one per CALTIME, after the weights and
// masses, opens its files once a resumed run has restored it, and reports
// every step to it.
#pragma once

#include <cstdint>
#include <optional>

#include "analysis/energy_balance.h"
#include "analysis/progress_meter.h"
#include "analysis/vtk_series.h"

namespace zelk {

class DynamicAnalysis;

class RunOutputs {
public:
    // Starts the energy balance.
    RunOutputs(DynamicAnalysis& analysis, double tEnd, double baseStep);
    // Starts the files: a new energy file and the series' member at time 0, or
    // for a resumed run the energy file cut back to energyBytes and the .pvd of
    // the members it had written.
    void open(bool resumed, std::uint64_t energyBytes);
    std::uint64_t energyBytes() { return energyFile_.bytes(); }
    // After step (from 0) of length dt has brought the time to time.
    void afterStep(int step, double time, double dt);
    // After the loop, steps steps taken: the last energy line and series member, then the summary.
    void finish(int steps, double time);

    // The counters, for restart files (restart_file.cpp).
    template <typename Io>
    void visitState(Io& io) {
        io.field(nextEnergyLine_);
        io.field(lastEnergyStep_);
        io.field(lastStepStart_);
        io.count(series_ ? 1 : 0);
        if (series_) {
            io.field(series_->counters.members);  // one by one: the struct has padding
            io.field(series_->counters.nextBaseStep);
            io.list(series_->times);
        }
    }

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
