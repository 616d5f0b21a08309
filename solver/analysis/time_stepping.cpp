// Central-difference time stepping and the result files.
#include <cmath>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <limits>

#include "analysis/analysis_errors.h"
#include "analysis/dynamic_analysis.h"
#include "analysis/restart_file.h"
#include "analysis/run_interruption.h"
#include "analysis/run_outputs.h"
#include "input/fatal_exit.h"

namespace zelk {

namespace {

constexpr const char* kCalTime = "CalTime";

// Opens a result file as openAppended does, or reports it by name and ends the run.
std::ofstream openResultFile(const std::string& fileName, std::uint64_t bytes = 0) {
    std::ofstream out = openAppended(fileName, bytes);
    if (!out) analysisError(kCalTime, "cannot open result file \"" + fileName + "\"");
    return out;
}

// Tells on standard error where the run stopped and how to go on from there.
void reportInterruption(int signalNumber, double time, int step, const CalTimeRestart& restart) {
    std::cerr << "*** Interrupted *** CalTime : signal " << signalNumber << " : stopped after step " << step
              << " at time " << time << "; " << kFinalNodeFileName << " written\n";
    if (restart.saving())
        std::cerr << "    restart file " << restart.saveFile() << " written: give RESUME " << restart.saveFile()
                  << " before CALTIME and run the deck again to go on\n";
    else
        std::cerr << "    no restart file (SAVESTATE is off): a new run starts from time 0\n";
}

// The step counter is a 32-bit integer.
constexpr int kMaxSteps = std::numeric_limits<int>::max();

}  // namespace

void DynamicAnalysis::runToTime(double tEnd, const RestartPlan& plan) {
    if (!(stepLength > 0.0) || !std::isfinite(stepLength))
        analysisError(kCalTime, "the step length must be positive (give STEPTIME before CALTIME)");
    // A resumed run keeps the history file until the restart file is checked.
    std::ofstream history;
    if (plan.resumeFile.empty()) history = openResultFile(kHistoryFileName);

    std::fill(force.begin(), force.end(), 0.0);
    computeWeightsAndMass();
    checkNodalMasses();
    history_.reset();
    if (!wallHistoryFile.empty()) history_ = std::make_unique<WallHistory>();
    if (bodyContact_) bodyContact_->prepare(*model, contactNodes_, nodalMass);

    // The step length is a length: divided by the fastest bar wave speed it gives a time.
    const double baseStep = stepLength / largestWaveSpeed();
    // Steps never grow beyond the base step, so tEnd / baseStep bounds the step count from below;
    // a run that could never finish is refused before it starts.
    if (tEnd / baseStep > static_cast<double>(kMaxSteps))
        analysisError(kCalTime, "the run would need more than " + std::to_string(kMaxSteps) +
                                    " steps (is the step length too small?)");

    RunOutputs outputs(*this, tEnd, baseStep);
    CalTimeRestart restart(*this, outputs, plan);
    // The other appended files are opened only now, so that a refused restart file leaves them as they were.
    StepPoint at;
    if (restart.resuming()) {
        at = restart.resume(baseStep, kMaxSteps);
        history = openResultFile(kHistoryFileName, at.historyBytes);
    }
    double time = at.time;
    int step = at.step;
    useEightDigitFormat(history);
    outputs.open(restart.resuming(), at.energyBytes);
    if (history_ && !history_->open(wallHistoryFile, at.wallHistoryBytes))
        analysisError(kCalTime, "cannot open result file \"" + wallHistoryFile + "\"");
    std::ofstream contactHistory;
    if (bodyContact_) contactHistory = openResultFile(kContactFileName, at.contactBytes);
    const auto save = [&] {
        restart.save({time, step, writtenBytes(history), outputs.energyBytes(),
                      history_ ? history_->bytes() : 0, bodyContact_ ? writtenBytes(contactHistory) : 0});
    };
    const RunInterruption interruption;

    // A run resumed from its last step has no step left to make.
    const bool finished = restart.resuming() && time > tEnd;
    const std::size_t lastNode = 3 * static_cast<std::size_t>(model->NUMNP) - 3;
    while (tEnd >= 0.0 && !finished) {
        const double dt = constantStep ? baseStep : baseStep * minJacobian;
        if (time + dt == time || step == kMaxSteps)
            analysisError(kCalTime, "the time no longer advances at step " + std::to_string(step + 1LL) +
                                        " (is the step length too small?)");
        time += dt;
        const double stressZZ = pointState.empty() ? 0.0 : pointState[0].stress[2][2];
        history << std::setw(kRealFieldWidth) << time << std::setw(kRealFieldWidth) << dt;
        std::cout << "TIME STEP = " << step + 1 << "     STEP SIZE = " << dt << "     TIME = " << time
                  << std::endl;
        history << std::setw(kRealFieldWidth) << stressZZ << std::setw(kRealFieldWidth) << displacement[lastNode]
                << std::setw(kRealFieldWidth) << displacement[lastNode + 1] << std::setw(kRealFieldWidth)
                << displacement[lastNode + 2] << "\n";

        advance(dt, step);
        if (history_) history_->endStep(time, dt, velocity, nodalMass);
        outputs.afterStep(step, time, dt);
        if (bodyContact_) writeContactLine(contactHistory, time);

        const double baseSteps = std::trunc(time / baseStep);
        if (std::fmod(baseSteps, 100.0) == 0.0)
            writeNodeFile(nodeFileName(static_cast<int>(baseSteps / 100.0)), true);
        ++step;
        if (restart.saveDue(step)) save();
        if (interruption.signal() != 0) {
            if (restart.saving() && !restart.saveDue(step)) save();
            history.close();
            writeNodeFile(kFinalNodeFileName, false);
            reportInterruption(interruption.signal(), time, step, restart);
            fatalExit(interruption.exitCode());
        }
        if (time > tEnd) break;
    }
    // The final state too, so that the restart file of a run does not depend on
    // where it was resumed, and a later deck can carry the run on to a later time.
    if (restart.saving() && !restart.saveDue(step)) save();
    writeNodeFile(kFinalNodeFileName, false);
    history_.reset();
    outputs.finish(step, time);
}

void DynamicAnalysis::advance(double dt, int step) {
    currentStep_ = step + 1;
    if (history_) history_->startStep(force, velocity);
    internalForces(dt);
    if (history_) history_->takeInternal(force);
    const int numNodes = model->NUMNP;
    double* const f = force.data();
#pragma omp parallel for schedule(static)
    for (int node = 0; node < numNodes; ++node) {
        const double inverseMass = 1.0 / nodalMass[node];
        for (int d = 0; d < 3; ++d) f[3 * node + d] *= inverseMass;
    }
    for (int dof : fixedDofs_) velocity[dof] = displacement[dof] = force[dof] = 0.0;
    // Leapfrog: the first step of a run advances the velocities by half a step.
    const double h = step == 0 ? dt * 0.5 : dt;
    double* const u = displacement.data();
    double* const v = velocity.data();
    const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(velocity.size());
#pragma omp parallel for schedule(static)
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        v[i] += f[i] * h;
        u[i] += v[i] * dt;
    }
    // Kinetic energy at the start of the step: the new velocities less half a step of acceleration.
    energy.kinetic = kineticEnergy(0.5 * dt);
    checkFinite(step + 1);
    externalForces(dt);
    if (bodyContact_) addBodyContactForces(dt);
    addWallWork(dt);
}

void DynamicAnalysis::checkFinite(int step) const {
    // The first entry in order that is not finite, found on all threads.
    const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(displacement.size());
    std::ptrdiff_t first = count;
#pragma omp parallel for schedule(static) reduction(min : first)
    for (std::ptrdiff_t i = 0; i < count; ++i)
        if (i < first && (!std::isfinite(displacement[i]) || !std::isfinite(velocity[i]))) first = i;
    if (first < count) {
        const std::size_t i = static_cast<std::size_t>(first);
        analysisError(kCalTime, "the solution is no longer finite at step " + std::to_string(step) +
                                        ", node " + std::to_string(i / 3 + 1) +
                                        " (is the step length too large?)");
    }
}

void DynamicAnalysis::writeNodeFile(const std::string& fileName, bool eightDigits) {
    std::ofstream out = openResultFile(fileName);
    if (eightDigits) useEightDigitFormat(out);
    writeTecplot(out);
}

void DynamicAnalysis::writeTecplot(std::ostream& out) {
#pragma omp parallel for schedule(static)
    for (int i = 0; i < model->NUMNP; ++i) {
        const std::array<double, 3> x = nodePosition(i);
        const MaterialState& point = pointState[stressPoint_[i]];
        nodeRows_[i] = {x[0], x[1], x[2], point.stress[2][0], point.stress[2][1], point.stress[2][2],
                        point.plasticStrain};
    }
    zelk::writeTecplot(out, nodeRows_, cellsHaveNodes_, connectivity_);
}

}  // namespace zelk
