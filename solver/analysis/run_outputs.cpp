#include "analysis/run_outputs.h"

#include <cmath>
#include <iostream>

#include "analysis/dynamic_analysis.h"

namespace zelk {

RunOutputs::RunOutputs(DynamicAnalysis& analysis, double tEnd, double baseStep)
    : analysis_(analysis),
      baseStep_(baseStep),
      interval_(analysis.vtk.enabled ? analysis.vtk.interval : 100),
      progress_(tEnd, analysis.numIntPoints) {
    analysis_.startEnergyBalance();
    if (analysis_.vtk.enabled) {
        series_.emplace(analysis_.vtk);
        series_->add(0.0, 0, analysis_.vtkGrid());
    }
}

long long RunOutputs::baseSteps(double time) const { return static_cast<long long>(std::trunc(time / baseStep_)); }

void RunOutputs::afterStep(int step, double time, double dt) {
    EnergySums& energy = analysis_.energy;
    energy.noteLargest();
    progress_.stepDone(step + 1, dt, time);
    const long long reached = baseSteps(time);
    lastStepStart_ = time - dt;
    // The energies belong to the start of the step (time - dt); the state in the files to its end.
    if (step == 0 || reached >= nextEnergyLine_) {
        energyFile_.write(lastStepStart_, step, energy);
        lastEnergyStep_ = step;
        nextEnergyLine_ = (reached / interval_ + 1) * interval_;
    }
    if (series_ && series_->due(reached)) series_->add(time, reached, analysis_.vtkGrid());
}

void RunOutputs::finish(int steps, double time) {
    const EnergySums& energy = analysis_.energy;
    if (steps == 0)
        energyFile_.write(0.0, 0, energy);
    else if (lastEnergyStep_ != steps - 1)
        energyFile_.write(lastStepStart_, steps - 1, energy);
    if (series_ && !series_->holds(time)) series_->add(time, baseSteps(time), analysis_.vtkGrid());
    progress_.finish(std::cout);
}

}  // namespace zelk
